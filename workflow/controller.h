#pragma once
// The workflow controller: the step handlers that the main window's events start, the state
// they hand on to one another, the status log and the message boxes.
#include <functional>
#include <string_view>

#include "imaging/image_finder.h"
#include "platform/platform.h"
#include "workflow/form.h"

namespace workflow {

// The notice board's two halves of the start-up, run around the title and check-box step.
struct StartupHooks {
  std::function<void()> loadNoticePage;   // point the page viewer at the page, wait 1000 ms
  std::function<void()> readNoticeBoard;  // read the online count, start the notice timer
};

class Controller {
 public:
  // bannerPicture: the PNG file put into the banner picture box after a read.
  Controller(platform::Platform& platform, Form& form, imaging::ImageFinder& finder,
             std::string_view bannerPicture, StartupHooks hooks);
  ~Controller();
  Controller(const Controller&) = delete;
  Controller& operator=(const Controller&) = delete;

  void OnCreated();                 // main window created: start-up
  void OnDestroying();              // main window about to be destroyed: shut-down
  // Asked before the main window closes: while a made image is being written and checked, the
  // user is asked whether to leave it unchecked. True when the window may close.
  bool MayClose();
  void OnOpenClicked();             // 按钮4 "打开": OpenBios
  void OnReadClicked();             // 按钮5 "读取": ReadBios
  void OnMicrocodeButtonClicked();  // 按钮1: ToggleMicrocodeEdit
  void OnRefreshPicturePressed();   // 图片框2, left button down: DetectMicrocodes
  void OnLicenceClicked();          // 按钮3 "许可协议": OpenLicence
  void OnMakeClicked();             // 按钮2 "执行制作": SaveImage

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace workflow

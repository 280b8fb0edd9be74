#pragma once
// The stand-in patcher's one top-level window: start window until an image is loaded, then the
// loaded window (new title, taller). Owns the window, the loaded image and the drawn labels.
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "standins/coffeetime/fault_mode.h"
#include "standins/coffeetime/label_art.h"
#include "standins/coffeetime/patcher_model.h"
#include "standins/coffeetime/save_dialog.h"
#include "standins/coffeetime/timings.h"
#include "standins/image_format/bios_image.h"

namespace standin {

constexpr const char16_t* kPatcherClass = u"Qt5152QWindowIcon";
constexpr const char16_t* kStartTitle = u"CoffeeTime 0.99";
constexpr const char16_t* kLoadedTitlePrefix = u"CoffeeTime 0.99  /  ";

// On the 2560 x 1440 test screen the tool's centred 859-wide window spans x 850..1709; the
// patcher stays left of it.
constexpr int kWindowLeft = 0;
constexpr int kWindowTop = 0;
constexpr int kWindowWidth = 820;
constexpr int kStartHeight = 330;
constexpr int kLoadedHeight = 680;


class PatcherWindow {
 public:
  // `observe` sees the messages a nested loop (the modal save dialog's) takes from the queue.
  PatcherWindow(HINSTANCE instance, FaultModes faults, MessageObserver observe);
  ~PatcherWindow();
  PatcherWindow(const PatcherWindow&) = delete;
  PatcherWindow& operator=(const PatcherWindow&) = delete;

  // Creates the window and shows it with the start-up show mode (hidden when started hidden).
  bool Create(int showCommand);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  void OnClick(ClientPoint point);
  void Load();
  void FlashMe();
  void Apply(const ClickOutcome& outcome);
  void OpenSave();  // the dialog opens a moment later, from a timer
  void RunSave();
  void Save(const std::u16string& path);
  void Paint(HDC dc);
  void PaintStart(HDC dc);
  void PaintLoaded(HDC dc);
  const LabelArt* ArtFor(uint32_t cpuid);
  void StartPlainPaint();  // late-paint: the background alone for kLatePaintMs
  void Redraw();

  HINSTANCE instance_;
  FaultModes faults_;
  MessageObserver observe_;
  HWND window_ = nullptr;
  bool saveDialogOpen_ = false;
  PatcherModel model_;
  Bytes image_;
  std::u16string status_;
  ClickOutcome pendingApply_;   // carried out once the apply's busy phase is over
  DWORD layoutShownAt_ = 0;     // tick count when the current layout appeared
  bool plainPaint_ = false;     // late-paint: the background alone until its timer
  std::u16string pendingPath_;  // the late write's target
  Bytes pendingBytes_;
  std::map<uint32_t, LabelArt> labelArt_;
  LabelArt enabledArt_;
};

}  // namespace standin

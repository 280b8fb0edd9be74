#pragma once
// The notice text and online count, read from the page shown in the hidden page viewer.
#include "platform/platform.h"
#include "workflow/form.h"

namespace app {

class NoticeBoard {
 public:
  // Creates the page reader (initialises COM for the calling GUI thread).
  NoticeBoard(platform::Platform& platform, workflow::Form& form);
  ~NoticeBoard();  // releases the page reader (uninitialises COM)
  NoticeBoard(const NoticeBoard&) = delete;
  NoticeBoard& operator=(const NoticeBoard&) = delete;

  void StartLoading();  // start-up: point the viewer at the page, wait 1000 ms
  void StartReading();  // start-up: read the online count, start the 5000 ms timer
  void Refresh();       // tick of the notice timer

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace app

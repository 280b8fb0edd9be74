// BiosMaker: builds the process-wide objects, the main window and the workflow controller,
// then runs the GUI thread's message loop until the window is gone.
#include <windows.h>
#include <commctrl.h>

#include "app/win32/main_window.h"
#include "app/win32/single_instance.h"
#include "app/notice/win32/notice_board.h"
#include "app/win32/window_form.h"
#include "imaging/template_matcher.h"
#include "banner_picture.h"
#include "platform/win32/win32_platform.h"
#include "workflow/controller.h"

namespace {

void Dispatch(workflow::Controller& controller, app::NoticeBoard& noticeBoard,
              app::FormEvent event) {
  switch (event) {
    case app::FormEvent::kOpenClicked:
      controller.OnOpenClicked();
      break;
    case app::FormEvent::kReadClicked:
      controller.OnReadClicked();
      break;
    case app::FormEvent::kMicrocodeClicked:
      controller.OnMicrocodeButtonClicked();
      break;
    case app::FormEvent::kRefreshPressed:
      controller.OnRefreshPicturePressed();
      break;
    case app::FormEvent::kLicenceClicked:
      controller.OnLicenceClicked();
      break;
    case app::FormEvent::kMakeClicked:
      controller.OnMakeClicked();
      break;
    case app::FormEvent::kNoticeTick:
      noticeBoard.Refresh();
      break;
    case app::FormEvent::kNone:
      break;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Before anything is made or started: a second start only points to the first.
  const app::InstanceClaim instanceClaim = app::ClaimInstance();
  if (instanceClaim.otherRunning) {
    app::PointToRunningInstance();
    return 0;
  }
  INITCOMMONCONTROLSEX commonControls{sizeof commonControls,
                                      ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&commonControls);

  platform::Platform& platform = platform::Win32Platform();
  imaging::TemplateMatcher templateMatcher;
  app::MainWindow window;
  app::WindowForm form(window);
  app::NoticeBoard noticeBoard(platform, form);  // the page reader; initialises COM
  workflow::StartupHooks hooks{[&noticeBoard] { noticeBoard.StartLoading(); },
                               [&noticeBoard] { noticeBoard.StartReading(); }};
  workflow::Controller controller(platform, form, templateMatcher, resources::BannerPng(), hooks);

  // Keyboard handling of the form for messages that waits pump, as in the main loop below.
  platform::Win32WindowApi& windows = platform::Win32Windows();
  windows.SetPreTranslate(
      [&window](void* message) { return window.PreTranslate(static_cast<MSG*>(message)); });
  app::FormHandlers handlers;
  handlers.created = [&controller] { controller.OnCreated(); };
  handlers.destroying = [&controller] { controller.OnDestroying(); };
  handlers.event = [&controller, &noticeBoard](app::FormEvent event) {
    Dispatch(controller, noticeBoard, event);
  };
  int exitCode = 1;
  // The start-up runs inside Create; the window is shown only once it has returned.
  if (window.Create(instance, std::move(handlers))) {
    window.Show();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (window.PreTranslate(&message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    exitCode = static_cast<int>(message.wParam);
  }
  windows.SetPreTranslate(nullptr);
  return exitCode;
}

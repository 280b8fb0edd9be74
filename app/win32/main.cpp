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

// The step each button's (or picture's) event starts. The controller lets one step run at a
// time.
struct EventRoute {
  app::FormEvent event;
  void (workflow::Controller::*start)();
};
constexpr EventRoute kEventRoutes[] = {
    {app::FormEvent::kOpenClicked, &workflow::Controller::OnOpenClicked},
    {app::FormEvent::kReadClicked, &workflow::Controller::OnReadClicked},
    {app::FormEvent::kMicrocodeClicked, &workflow::Controller::OnMicrocodeButtonClicked},
    {app::FormEvent::kRefreshPressed, &workflow::Controller::OnRefreshPicturePressed},
    {app::FormEvent::kLicenceClicked, &workflow::Controller::OnLicenceClicked},
    {app::FormEvent::kMakeClicked, &workflow::Controller::OnMakeClicked},
};

void Dispatch(workflow::Controller& controller, app::NoticeBoard& noticeBoard,
              app::FormEvent event) {
  if (event == app::FormEvent::kNoticeTick) {
    noticeBoard.Refresh();  // reads the page; never waits, so it cannot run inside itself
    return;
  }
  for (const EventRoute& route : kEventRoutes) {
    if (route.event == event) (controller.*route.start)();
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
  handlers.mayClose = [&controller] { return controller.MayClose(); };
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

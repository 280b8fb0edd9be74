#include "workflow/open_licence.h"

#include <string>

#include "automation/file_access.h"
#include "automation/window_finder.h"
#include "platform/api_values.h"
#include "workflow/run_program.h"
#include "workflow/status_log.h"
#include "workflow/step_guards.h"
#include "workflow/tool_paths.h"

namespace workflow {

namespace {

constexpr std::string_view kFitClass = "Qt5QWindowIcon";
constexpr std::string_view kLicenceCaption = "ORVELLANQZ温馨提醒您";
constexpr std::string_view kAlreadyAccepted =
    "您已同意英特尔不知道什么协议，无需再次同意,关掉协议窗口方可";
constexpr std::string_view kPleaseAccept =
    "选择 I accept the license agreement便为同意英特尔不知道什么协议，否之无法进行制作bios";
constexpr std::string_view kFitMissing =
    "找不到FIT(orvellanQZ\\bin\\fit\\fit.exe),请确认orvellanQZ文件夹完整";
constexpr std::string_view kNoFitWindow =
    "FIT没有打开窗口,请确认orvellanQZ\\bin\\fit\\fit.exe能够运行";

}  // namespace

void OpenLicence(StepContext& ctx) {
  platform::SystemApi& system = ctx.platform.system;
  const platform::Hwnd mainWindow = ctx.form.NativeHandle(controls::kMainWindow);
  const auto tell = [&](std::string_view text) {
    ShowMessage(ctx, text, platform::kMbIconExclamation, kLicenceCaption, mainWindow);
  };
  const std::string fit = FitPath(system);
  if (!automation::FileExists(system, fit)) {
    tell(kFitMissing);
    return;
  }
  if (!RunProgram(system, QuotedPath(fit), false, platform::kSwShowNormal)) {
    tell(kNoFitWindow);
    return;
  }
  if (!Pause(ctx, 4000)) return;
  const platform::Hwnd window = automation::LocateWindow(ctx.platform.windows, 0, 0, kFitClass);
  if (window == 0) {
    tell(kNoFitWindow);
    return;
  }
  const bool accepted = automation::WindowStyleOf(ctx.platform.windows, window) == kAcceptedFitStyle;
  tell(accepted ? kAlreadyAccepted : kPleaseAccept);
}

}  // namespace workflow

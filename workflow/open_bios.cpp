#include "workflow/open_bios.h"

#include <string>

#include "automation/file_access.h"
#include "automation/file_dialogs.h"
#include "platform/api_values.h"
#include "workflow/image_check.h"
#include "workflow/patcher_process.h"
#include "workflow/path_checks.h"
#include "workflow/status_log.h"
#include "workflow/tool_paths.h"

namespace workflow {

namespace {

constexpr std::string_view kToolFolderMissing =
    "请与  [orvellanQZ]  文件夹和本工具放在一同目录(与文件夹并列,并非放将本工具放到  [orvellanQZ)]  )使用";
constexpr std::string_view kPathNotGbk =
    "BIOS文件的路径中有系统无法识别的文字,请把文件移到只含中文、英文字母和数字的路径下,再点击\"打开\"";
constexpr std::string_view kPathTooLong =
    "BIOS文件的路径太长,请把文件移到较短的路径下(如D:\\bios),再点击\"打开\"";
constexpr std::string_view kFileMissing = "找不到所选的BIOS文件,请重新点击\"打开\"选择原版BIOS";
constexpr std::string_view kDialogFailed = "无法打开文件选择窗口,请重新点击\"打开\"";

std::string_view VendorPathMessage(PathProblem problem) {
  switch (problem) {
    case PathProblem::kNotGbk: return kPathNotGbk;
    case PathProblem::kTooLong: return kPathTooLong;
    default: return kFileMissing;
  }
}

// The open dialog's answer as a path the patcher can take; empty (after telling the user why)
// when there is none.
std::string ChosenVendorPath(StepContext& ctx, platform::Hwnd mainWindow) {
  platform::SystemApi& system = ctx.platform.system;
  const automation::DialogAnswer answer = automation::AskOpenFile(
      ctx.platform,
      {.owner = mainWindow, .initialDir = system.ProgramDirectory(), .title = "请选择未魔改bios文件"});
  std::string_view refusal;
  switch (answer.end) {
    case automation::DialogEnd::kChosen:
      if (const PathProblem problem = CheckVendorPath(system, answer.path);
          problem != PathProblem::kNone) {
        refusal = VendorPathMessage(problem);
      }
      break;
    case automation::DialogEnd::kCancelled: return {};
    case automation::DialogEnd::kNameTooLong: refusal = kPathTooLong; break;
    case automation::DialogEnd::kFailed: refusal = kDialogFailed; break;
  }
  if (refusal.empty()) return answer.path;
  ShowMessage(ctx, refusal, platform::kMbIconInformation, kDefaultCaption, mainWindow);
  return {};
}

}  // namespace

void OpenBios(StepContext& ctx) {
  platform::SystemApi& system = ctx.platform.system;
  const platform::Hwnd mainWindow = ctx.form.NativeHandle(controls::kMainWindow);
  if (!automation::FileExists(system, CoffeeTimePath(system))) {
    ShowMessage(ctx, kToolFolderMissing, platform::kMbIconInformation, kDefaultCaption, mainWindow);
    return;
  }
  ctx.state.biosPath = ChosenVendorPath(ctx, mainWindow);
  ctx.form.SetText(controls::kPathBox, ctx.state.biosPath);
  if (ctx.form.GetText(controls::kPathBox).empty()) {
    ctx.form.SetDisabled(controls::kReadButton, true);
    return;
  }
  StartPatcher(ctx);
  ctx.form.SetDisabled(controls::kReadButton, false);
  ctx.form.SetDisabled(controls::kOpenButton, true);
  AppendStatus(ctx, TimeStamp(system.GetLocalTime()) + "  已加入原版BIOS" +
                        ctx.form.GetText(controls::kPathBox) + "\r\n");
  ReportVendorImage(ctx);
}

}  // namespace workflow

#include "workflow/fit_and_save.h"

#include <optional>
#include <string>

#include "automation/file_access.h"
#include "automation/file_dialogs.h"
#include "automation/input_injector.h"
#include "automation/pumping_wait.h"
#include "automation/window_finder.h"
#include "platform/messages.h"
#include "workflow/coffee_time_driver.h"
#include "workflow/image_check.h"
#include "workflow/run_program.h"
#include "workflow/status_log.h"
#include "workflow/waits.h"

namespace workflow {

namespace {

using automation::LocateWindow;
using automation::PumpingWait;

constexpr std::string_view kFitClass = "Qt5QWindowIcon";
constexpr std::string_view kLicenceCaption = "ORVELLANQZ温馨提醒您";
constexpr std::string_view kAlreadyAccepted =
    "您已同意英特尔不知道什么协议，无需再次同意,关掉协议窗口方可";
constexpr std::string_view kPleaseAccept =
    "选择 I accept the license agreement便为同意英特尔不知道什么协议，否之无法进行制作bios";
constexpr std::string_view kNoPathChosen = "拜托，好歹选个地方啦";
constexpr platform::Point kSaveButton{520, 560};

// The file-name box of CoffeeTime's save dialog, one level at a time below the dialog.
constexpr std::string_view kFileNameChain[] = {"DUIViewWndClassName", "DirectUIHWND",
                                               "FloatNotifySink", "ComboBox", "Edit"};

struct SaveDialog {
  platform::Hwnd fileNameBox = 0;
  platform::Hwnd saveButton = 0;
};

SaveDialog FindSaveDialogOnce(platform::WindowApi& windows) {
  SaveDialog found;
  const platform::Hwnd dialog = LocateWindow(windows, 0, 0, "#32770", "Save image");
  if (dialog == 0) return found;
  platform::Hwnd level = dialog;
  for (std::string_view cls : kFileNameChain) {
    level = LocateWindow(windows, level, 0, cls);
    if (level == 0) return found;
  }
  found.fileNameBox = level;
  found.saveButton = LocateWindow(windows, dialog, 0, "Button", "保存(&S)");
  return found;
}

// Looks for the dialog until it is complete or the bound has passed.
std::optional<SaveDialog> AwaitSaveDialog(StepContext& ctx) {
  const uint64_t deadline = ctx.platform.system.GetTickCount64() + waits::kSaveDialogLimitMs;
  for (;;) {
    const SaveDialog dialog = FindSaveDialogOnce(ctx.platform.windows);
    if (dialog.fileNameBox != 0 && dialog.saveButton != 0) return dialog;
    if (ctx.platform.system.GetTickCount64() >= deadline) return std::nullopt;
    PumpingWait(ctx.platform, waits::kPollPauseMs);
  }
}

// True once a file at `path` is there that was not there (or not in this state) before.
bool AwaitWrittenFile(StepContext& ctx, const std::string& path,
                      std::optional<uint64_t> stampBefore, uint64_t deadline) {
  for (;;) {
    const std::optional<uint64_t> stamp = automation::FileWriteStamp(ctx.platform.system, path);
    if (stamp && stamp != stampBefore) return true;
    if (ctx.platform.system.GetTickCount64() >= deadline) return false;
    PumpingWait(ctx.platform, waits::kPollPauseMs);
  }
}

}  // namespace

void OpenLicence(StepContext& ctx) {
  RunProgram(ctx.platform.system, QuotedPath(FitPath(ctx.platform.system)), false,
             platform::kSwShowNormal);
  PumpingWait(ctx.platform, 4000);
  const platform::Hwnd fit = LocateWindow(ctx.platform.windows, 0, 0, kFitClass);
  const bool accepted = automation::WindowStyleOf(ctx.platform.windows, fit) == kAcceptedFitStyle;
  ShowMessage(ctx, accepted ? kAlreadyAccepted : kPleaseAccept, platform::kMbIconExclamation,
              kLicenceCaption, ctx.form.NativeHandle(controls::kMainWindow));
}

void SaveImage(StepContext& ctx) {
  auto& windows = ctx.platform.windows;
  const platform::Hwnd mainWindow = ctx.form.NativeHandle(controls::kMainWindow);
  PumpingWait(ctx.platform, 800);
  const std::string chosen = automation::ShowSaveFileDialog(
      ctx.platform, {.owner = mainWindow,
                     .initialDir = ctx.platform.system.ProgramDirectory(),
                     .title = "请选择需要保存路径和名称",
                     .defaultName = "ORVELLAN",
                     .filter = "*BIN"});
  if (chosen.empty()) {
    ShowMessage(ctx, kNoPathChosen, platform::kMbIconExclamation, kDefaultCaption, mainWindow);
    return;
  }
  const std::string stamp = TimeStamp(ctx.platform.system.GetLocalTime(), '_');
  const std::string target = chosen + stamp;
  const std::optional<uint64_t> stampBefore = automation::FileWriteStamp(ctx.platform.system, target);

  automation::PostClick(windows, ctx.state.coffeeTimeWindow, kSaveButton.x, kSaveButton.y);
  PumpingWait(ctx.platform, 1000);
  const std::optional<SaveDialog> dialog = AwaitSaveDialog(ctx);
  if (!dialog) {
    LogStatus(ctx, "没有找到CoffeeTime的保存窗口,魔改BIOS未保存\r\n");
    return;
  }
  automation::TypeText(ctx.platform, dialog->fileNameBox, target);
  automation::PostClick(windows, dialog->saveButton);
  const uint64_t deadline = ctx.platform.system.GetTickCount64() + waits::kSavedFileLimitMs;
  if (AwaitWrittenFile(ctx, target, stampBefore, deadline)) {
    AppendStatus(ctx, stamp + "魔改BIOS已保存到" + target + "\r\n");
    CheckMadeImage(ctx, target, deadline);
  } else {
    LogStatus(ctx, "未能确认魔改BIOS已保存,请检查" + target + "\r\n");
  }
}

}  // namespace workflow

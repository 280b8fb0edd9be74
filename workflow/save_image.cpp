#include "workflow/save_image.h"

#include <optional>
#include <string>
#include <vector>

#include "automation/file_access.h"
#include "automation/file_dialogs.h"
#include "automation/input_injector.h"
#include "automation/window_finder.h"
#include "platform/api_values.h"
#include "workflow/coffee_time_ui.h"
#include "workflow/image_check.h"
#include "workflow/path_checks.h"
#include "workflow/status_log.h"
#include "workflow/step_guards.h"
#include "workflow/microcode_slots.h"
#include "workflow/waits.h"

namespace workflow {

namespace {

using automation::LocateWindow;

constexpr std::string_view kNoPathChosen = "拜托，好歹选个地方啦";
constexpr std::string_view kTicksUnconfirmed =
    "勾选的微码还没有确认,请先点击\"选完点击此处\",再点击\"执行制作\"";
constexpr std::string_view kSavePathTooLong = "保存路径太长,魔改BIOS未保存,请选择较短的路径\r\n";
constexpr std::string_view kSaveDialogFailed = "无法打开保存窗口,魔改BIOS未保存\r\n";

struct SaveDialog {
  platform::Hwnd fileNameBox = 0;
  platform::Hwnd saveButton = 0;
};

SaveDialog FindSaveDialogOnce(platform::WindowApi& windows) {
  SaveDialog found;
  const platform::Hwnd dialog =
      LocateWindow(windows, 0, 0, coffee_time::kSaveDialogClass, coffee_time::kSaveDialogTitle);
  if (dialog == 0) return found;
  platform::Hwnd level = dialog;
  for (std::string_view cls : coffee_time::kFileNameChain) {
    level = LocateWindow(windows, level, 0, cls);
    if (level == 0) return found;
  }
  found.fileNameBox = level;
  found.saveButton = LocateWindow(windows, dialog, 0, coffee_time::kSaveConfirmClass,
                                  coffee_time::kSaveConfirmTitle);
  return found;
}

// Looks for the dialog until it is complete or the bound has passed (or the tool closes).
std::optional<SaveDialog> AwaitSaveDialog(StepContext& ctx) {
  const uint64_t deadline = ctx.platform.system.GetTickCount64() + waits::kSaveDialogLimitMs;
  for (;;) {
    const SaveDialog dialog = FindSaveDialogOnce(ctx.platform.windows);
    if (dialog.fileNameBox != 0 && dialog.saveButton != 0) return dialog;
    if (ctx.platform.system.GetTickCount64() >= deadline) return std::nullopt;
    if (!Pause(ctx, waits::kPollPauseMs)) return std::nullopt;
  }
}

// True once a file at `path` is there that was not there (or not in this state) before.
bool AwaitWrittenFile(StepContext& ctx, const std::string& path,
                      std::optional<uint64_t> stampBefore, uint64_t deadline) {
  for (;;) {
    const std::optional<uint64_t> stamp = automation::FileWriteStamp(ctx.platform.system, path);
    if (stamp && stamp != stampBefore) return true;
    if (ctx.platform.system.GetTickCount64() >= deadline) return false;
    if (!Pause(ctx, waits::kPollPauseMs)) return false;
  }
}

// Why the made image cannot go to `target`, as a status line; empty when it can.
std::string SaveTargetRefusal(StepContext& ctx, const std::string& target) {
  const std::string folder = FolderOfPath(target);
  switch (CheckSaveTarget(ctx.platform.system, target)) {
    case PathProblem::kNone: return {};
    case PathProblem::kNotGbk:
      return "保存路径中有系统无法识别的文字,魔改BIOS未保存,请选择只含中文、英文字母和数字的路径\r\n";
    case PathProblem::kTooLong:
      return std::string(kSavePathTooLong);
    case PathProblem::kTargetIsFolder:
      return "已有同名文件夹" + target + ",魔改BIOS未保存,请换一个名称\r\n";
    case PathProblem::kTargetIsFile:
      return "已有文件" + target + ",为免覆盖,魔改BIOS未保存,请换一个名称或稍后再试\r\n";
    case PathProblem::kFolderMissing:
      return "文件夹" + folder + "不存在,魔改BIOS未保存\r\n";
    case PathProblem::kFolderNotWritable:
    case PathProblem::kMissing:
      break;
  }
  return "文件夹" + folder + "无法写入,魔改BIOS未保存,请换一个文件夹\r\n";
}

// After the save dialog's name was confirmed: the wait for the made image and its check.
void AwaitAndCheck(StepContext& ctx, const std::string& target, const std::string& stamp,
                   std::optional<uint64_t> stampBefore, const std::vector<uint32_t>& wanted) {
  const uint64_t deadline = ctx.platform.system.GetTickCount64() + waits::kSavedFileLimitMs;
  const bool written = AwaitWrittenFile(ctx, target, stampBefore, deadline);
  if (Closing(ctx)) return;
  if (written) {
    AppendStatus(ctx, stamp + "魔改BIOS已保存到" + target + "\r\n");
    CheckMadeImage(ctx, target, deadline, wanted);
  } else if (LoadedWindowThere(ctx)) {
    LogStatus(ctx, "魔改BIOS未保存：CoffeeTime没有写出" + target + "\r\n");
  }
}

}  // namespace

void SaveImage(StepContext& ctx) {
  auto& windows = ctx.platform.windows;
  const platform::Hwnd mainWindow = ctx.form.NativeHandle(controls::kMainWindow);
  if (!ReadFinished(ctx)) return;
  if (ctx.state.microcodeEditUnlocked != 0) {
    ShowMessage(ctx, kTicksUnconfirmed, platform::kMbIconExclamation, kDefaultCaption, mainWindow);
    return;
  }
  // What the made image must hold: what was applied, and whatever is ticked now.
  const std::vector<uint32_t> wanted = WantedMicrocodes(ctx);
  if (!Pause(ctx, 800)) return;
  const automation::DialogAnswer answer = automation::AskSaveFile(
      ctx.platform, {.owner = mainWindow,
                     .initialDir = ctx.platform.system.ProgramDirectory(),
                     .title = "请选择需要保存路径和名称",
                     .defaultName = "ORVELLAN",
                     .filter = "*BIN"});
  switch (answer.end) {
    case automation::DialogEnd::kChosen: break;
    case automation::DialogEnd::kCancelled:
      ShowMessage(ctx, kNoPathChosen, platform::kMbIconExclamation, kDefaultCaption, mainWindow);
      return;
    case automation::DialogEnd::kNameTooLong:
      LogStatus(ctx, kSavePathTooLong);
      return;
    case automation::DialogEnd::kFailed:
      LogStatus(ctx, kSaveDialogFailed);
      return;
  }
  const std::string stamp = TimeStamp(ctx.platform.system.GetLocalTime(), '_');
  const std::string target = answer.path + stamp;
  if (const std::string refusal = SaveTargetRefusal(ctx, target); !refusal.empty()) {
    LogStatus(ctx, refusal);
    return;
  }
  const std::optional<uint64_t> stampBefore = automation::FileWriteStamp(ctx.platform.system, target);
  if (!LoadedWindowThere(ctx)) return;

  automation::PostClick(windows, ctx.state.coffeeTimeWindow, coffee_time::kSaveButton.x,
                        coffee_time::kSaveButton.y);
  if (!Pause(ctx, 1000)) return;
  const std::optional<SaveDialog> dialog = AwaitSaveDialog(ctx);
  if (Closing(ctx)) return;
  if (!dialog) {
    if (LoadedWindowThere(ctx)) LogStatus(ctx, "没有找到CoffeeTime的保存窗口,魔改BIOS未保存\r\n");
    return;
  }
  automation::TypeText(ctx.platform, dialog->fileNameBox, target);
  ctx.state.madeImageUnchecked = true;
  automation::PostClick(windows, dialog->saveButton);
  AwaitAndCheck(ctx, target, stamp, stampBefore, wanted);
  ctx.state.madeImageUnchecked = false;
}

}  // namespace workflow

#include "workflow/me_replacement.h"

#include "automation/input_injector.h"
#include "automation/pumping_wait.h"
#include "automation/window_finder.h"
#include "platform/messages.h"
#include "workflow/image_check.h"
#include "workflow/main_window_layout.h"
#include "workflow/me_switch.h"
#include "workflow/microcode_selection.h"
#include "workflow/status_log.h"
#include "workflow/step_guards.h"
#include "workflow/waits.h"
#include "workflow/window_picture_file.h"

namespace workflow {

namespace {

using automation::PostClick;

constexpr platform::Point kMeClicks[] = {{176, 135}, {399, 451}, {380, 502}, {100, 502}};

constexpr std::string_view kFlashUnfinished =
    "CoffeeTime长时间未完成ME刷入,读取已停止,请重新点击\"打开\"选择原版BIOS";
constexpr std::string_view kFlashExited =
    "CoffeeTime在刷入ME时退出了,读取已停止,请重新点击\"打开\"选择原版BIOS";

enum class FlashOutcome { kDone, kTimedOut, kWindowGone, kClosing };

// CoffeeTime does not answer while it writes the firmware. Probe it, pumping and pausing
// between probes so the tool repaints and a hung CoffeeTime costs no processor time.
FlashOutcome AwaitFlashEnd(StepContext& ctx, platform::Hwnd window) {
  auto& windows = ctx.platform.windows;
  const uint64_t deadline = ctx.platform.system.GetTickCount64() + waits::kFlashLimitMs;
  while (!automation::IsWindowResponding(windows, window)) {
    if (!automation::IsLiveWindow(windows, window)) return FlashOutcome::kWindowGone;
    if (ctx.platform.system.GetTickCount64() >= deadline) return FlashOutcome::kTimedOut;
    if (!Pause(ctx, waits::kFlashProbePauseMs)) return FlashOutcome::kClosing;
  }
  return FlashOutcome::kDone;
}

}  // namespace

void ReplaceAndDisableMe(StepContext& ctx) {
  auto& windows = ctx.platform.windows;
  const platform::Hwnd window = ctx.state.coffeeTimeWindow;

  automation::SetWindowShowState(windows, window, platform::kSwHide);
  if (!Pause(ctx, 800)) return;
  automation::SetWindowShowState(windows, window, platform::kSwHide);

  PostClick(windows, window, kMeClicks[0].x, kMeClicks[0].y);
  if (!Pause(ctx, 900)) return;
  PostClick(windows, window, kMeClicks[1].x, kMeClicks[1].y);
  LogStatus(ctx, "正在编辑ME版本...\r\n");
  if (!Pause(ctx, 600)) return;
  PostClick(windows, window, kMeClicks[2].x, kMeClicks[2].y);
  if (!Pause(ctx, 600)) return;
  PostClick(windows, window, kMeClicks[3].x, kMeClicks[3].y);
  if (!Pause(ctx, 800)) return;
  LogStatus(ctx, "正在刷入11.8.77.3664的ME版本...\r\n");

  const FlashOutcome flash = AwaitFlashEnd(ctx, window);
  if (flash == FlashOutcome::kClosing) return;
  if (flash != FlashOutcome::kDone) {
    LogStatus(ctx, "ME刷入未完成,读取已停止\r\n");
    ShowMessage(ctx, flash == FlashOutcome::kWindowGone ? kFlashExited : kFlashUnfinished,
                platform::kMbIconInformation, kDefaultCaption,
                ctx.form.NativeHandle(controls::kMainWindow));
    ReturnToBeforeRead(ctx);
    return;
  }
  if (!Pause(ctx, 300)) return;
  LogStatus(ctx, "正在关闭ME...\r\n");
  if (!SwitchMeOff(ctx)) return;
  LogStatus(ctx, "正在读取BIOS原有代码...\r\n");
  if (!Pause(ctx, 600)) return;
  LogStatus(ctx, "已完成BIOS读取,可以编辑BIOS微码...");
  AppendStatus(ctx, "\r\n");
  ctx.state.readComplete = true;

  ctx.form.SetHeight(kEnlargedHeight);
  if (!Pause(ctx, 300)) return;
  ctx.form.SetPicture(controls::kBannerPicture, ctx.bannerPicture);
  const DetectionResult detected = DetectMicrocodeList(ctx);
  if (Closing(ctx)) return;
  if (!detected.windowUnseen && ReportUnrecognisedMicrocodes(ctx, detected.rows)) {
    SaveWindowPictureForLabels(ctx);
  }
  CentreMainWindow(ctx);
}

}  // namespace workflow

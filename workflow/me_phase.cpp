#include "workflow/me_phase.h"

#include <cstdint>

#include "automation/input_injector.h"
#include "automation/pumping_wait.h"
#include "automation/window_finder.h"
#include "platform/api_values.h"
#include "workflow/coffee_time_ui.h"
#include "workflow/status_log.h"
#include "workflow/step_guards.h"
#include "workflow/vendor_facts.h"
#include "workflow/waits.h"
#include "workflow/window_picture_file.h"
#include "workflow/window_reading.h"

namespace workflow {

namespace {

using automation::PostClick;
using coffee_time::kMeReplacementClicks;

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

constexpr uint8_t kSearchOpacity = 2;
constexpr int64_t kSettleMs = 1200;          // after the look (and the click), before going on
constexpr uint64_t kConfirmLimitMs = 5000;   // from the click to the last look
constexpr int64_t kConfirmPauseMs = 300;     // between looks after the click

constexpr std::string_view kAlreadyOff = "ME版本已经关闭，无需更改，下一步...\r\n";
constexpr std::string_view kUnrecognised =
    "未能识别CoffeeTime窗口中的ME状态,ME开关未点击(画面与本工具的标签图片不符,请确认Windows显示缩放为100%)\r\n";
constexpr std::string_view kUnseen =
    "无法读取CoffeeTime窗口画面,未能确认ME是否已关闭,请在CoffeeTime中检查ME状态\r\n";
constexpr std::string_view kStillEnabled = "点击ME开关后CoffeeTime仍显示ME已开启,ME可能未关闭\r\n";
constexpr std::string_view kEnabledButHapSet =
    "CoffeeTime窗口显示ME已开启,但原版BIOS的ME关闭位(HAP)已设置,ME开关未点击\r\n";
constexpr std::string_view kOffButHapClear =
    "CoffeeTime窗口中没有看到ME已开启,但原版BIOS的ME关闭位(HAP)未设置,ME开关未点击,labels文件夹中的ME图片可能不对\r\n";
constexpr std::string_view kSwitchUnconfirmed =
    "点击ME开关后未能读取CoffeeTime窗口中的ME状态,未能确认ME已关闭\r\n";

void ShowForCapture(StepContext& ctx, platform::Hwnd window) {
  auto& windows = ctx.platform.windows;
  automation::SetWindowTransparency(windows, window, kSearchOpacity);
  automation::SetWindowShowState(windows, window, platform::kSwShowNormal);
  automation::SetWindowTransparency(windows, window, kSearchOpacity);
  automation::StripWindowIcon(windows, window);
  automation::StripWindowIcon(windows, window);
}

// The switch toggles: it is clicked once, then only looked at. The last look decides.
MeOnScreen AwaitSwitchedOff(StepContext& ctx, uint64_t clickedAt) {
  MeOnScreen seen = MeOnScreen::kEnabled;
  do {
    if (!Pause(ctx, kConfirmPauseMs)) return seen;
    seen = ReadMeOnScreen(ctx);
    if (seen == MeOnScreen::kOff) return seen;
  } while (ctx.platform.system.GetTickCount64() - clickedAt < kConfirmLimitMs);
  return seen;
}

// Shows the loaded window for capture and switches the ME off when its field shows "Enabled",
// then looks again until the field no longer shows it. Sets `meShownOff` only on evidence from
// the screen, and says in the status box what it could not tell. When the vendor file's HAP bit
// contradicts what the window seems to show, the file is believed: nothing is clicked (the
// switch toggles) and the made image's own bit decides later. Ends at least 1200 ms after it
// looked, as CoffeeTime needs; false when the tool is closing.
bool SwitchMeOff(StepContext& ctx) {
  const platform::Hwnd window = ctx.state.coffeeTimeWindow;
  ctx.state.meShownOff = false;
  ShowForCapture(ctx, window);
  const uint64_t lookedAt = ctx.platform.system.GetTickCount64();
  switch (ReadMeOnScreen(ctx)) {
    case MeOnScreen::kEnabled: {
      if (VendorHapBit(ctx.state) == true) {
        LogStatus(ctx, kEnabledButHapSet);
        break;
      }
      automation::PostClick(ctx.platform.windows, window, coffee_time::kMeSwitch.x,
                            coffee_time::kMeSwitch.y);
      const MeOnScreen after = AwaitSwitchedOff(ctx, ctx.platform.system.GetTickCount64());
      if (Closing(ctx)) return false;
      if (after == MeOnScreen::kOff) {
        ctx.state.meShownOff = true;
      } else {
        LogStatus(ctx, after == MeOnScreen::kEnabled ? kStillEnabled : kSwitchUnconfirmed);
        if (after == MeOnScreen::kUnreadable) SaveWindowPictureForLabels(ctx);
      }
      break;
    }
    case MeOnScreen::kOff:
      if (VendorHapBit(ctx.state) == false) {
        LogStatus(ctx, kOffButHapClear);
        break;
      }
      ctx.state.meShownOff = true;
      LogStatus(ctx, kAlreadyOff);
      break;
    case MeOnScreen::kUnreadable:
      LogStatus(ctx, kUnrecognised);
      SaveWindowPictureForLabels(ctx);
      break;
    case MeOnScreen::kUnseen: LogStatus(ctx, kUnseen); break;
  }
  const int64_t spent = static_cast<int64_t>(ctx.platform.system.GetTickCount64() - lookedAt);
  return Pause(ctx, spent < kSettleMs ? kSettleMs - spent : 0);
}

}  // namespace

bool ReplaceAndDisableMe(StepContext& ctx) {
  auto& windows = ctx.platform.windows;
  const platform::Hwnd window = ctx.state.coffeeTimeWindow;

  automation::SetWindowShowState(windows, window, platform::kSwHide);
  if (!Pause(ctx, 800)) return false;
  automation::SetWindowShowState(windows, window, platform::kSwHide);

  PostClick(windows, window, kMeReplacementClicks[0].x, kMeReplacementClicks[0].y);
  if (!Pause(ctx, 900)) return false;
  PostClick(windows, window, kMeReplacementClicks[1].x, kMeReplacementClicks[1].y);
  LogStatus(ctx, "正在编辑ME版本...\r\n");
  if (!Pause(ctx, 600)) return false;
  PostClick(windows, window, kMeReplacementClicks[2].x, kMeReplacementClicks[2].y);
  if (!Pause(ctx, 600)) return false;
  PostClick(windows, window, kMeReplacementClicks[3].x, kMeReplacementClicks[3].y);
  if (!Pause(ctx, 800)) return false;
  LogStatus(ctx, "正在刷入11.8.77.3664的ME版本...\r\n");

  const FlashOutcome flash = AwaitFlashEnd(ctx, window);
  if (flash == FlashOutcome::kClosing) return false;
  if (flash != FlashOutcome::kDone) {
    LogStatus(ctx, "ME刷入未完成,读取已停止\r\n");
    ShowMessage(ctx, flash == FlashOutcome::kWindowGone ? kFlashExited : kFlashUnfinished,
                platform::kMbIconInformation, kDefaultCaption,
                ctx.form.NativeHandle(controls::kMainWindow));
    ReturnToBeforeRead(ctx);
    return false;
  }
  if (!Pause(ctx, 300)) return false;
  LogStatus(ctx, "正在关闭ME...\r\n");
  return SwitchMeOff(ctx);
}

}  // namespace workflow

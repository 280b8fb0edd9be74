#include "workflow/me_switch.h"

#include <cstdint>

#include "automation/input_injector.h"
#include "platform/messages.h"
#include "workflow/status_log.h"
#include "workflow/step_guards.h"
#include "workflow/window_picture_file.h"
#include "workflow/window_reading.h"

namespace workflow {

namespace {

constexpr platform::Point kMeSwitch{175, 161};
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

}  // namespace

bool SwitchMeOff(StepContext& ctx) {
  const platform::Hwnd window = ctx.state.coffeeTimeWindow;
  ctx.state.meShownOff = false;
  ShowForCapture(ctx, window);
  const uint64_t lookedAt = ctx.platform.system.GetTickCount64();
  switch (ReadMeOnScreen(ctx)) {
    case MeOnScreen::kEnabled: {
      automation::PostClick(ctx.platform.windows, window, kMeSwitch.x, kMeSwitch.y);
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

}  // namespace workflow

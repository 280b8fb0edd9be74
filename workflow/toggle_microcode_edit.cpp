#include "workflow/toggle_microcode_edit.h"

#include <algorithm>
#include <string>
#include <vector>

#include "automation/input_injector.h"
#include "platform/api_values.h"
#include "workflow/coffee_time_ui.h"
#include "workflow/detect_microcodes.h"
#include "workflow/microcode_slots.h"
#include "workflow/status_log.h"
#include "workflow/step_guards.h"

namespace workflow {

namespace {

using automation::PostClick;

// The order in which a confirm applies the ticked boxes.
constexpr std::array<std::string_view, 9> kConfirmOrder = {
    "W506E0", "W506E1", "W506E3", "W506E8", "W906ED", "W906EC", "W906EB", "W906EA", "W906E9"};

constexpr int64_t kSecondClickPauseMs = 4000;

constexpr std::string_view kUnlockCaption = "解锁微码编辑区";
constexpr std::string_view kConfirmCaption = "选完点击此处";
constexpr std::string_view kRefreshed = "已刷新右边BIOS源码区，请确认一下\r\n";

void Unlock(StepContext& ctx) {
  auto& windows = ctx.platform.windows;
  const platform::Hwnd window = ctx.state.coffeeTimeWindow;
  ctx.state.microcodeEditUnlocked = 1;
  LogStatus(ctx, "已解锁微码编辑区，请选择微码...\r\n");
  ctx.form.SetCaption(controls::kMicrocodeButton, std::string(kConfirmCaption));
  PostClick(windows, window, coffee_time::kUnlockClicks[0].x, coffee_time::kUnlockClicks[0].y);
  if (!Pause(ctx, 200) || !LoadedWindowThere(ctx)) return;
  PostClick(windows, window, coffee_time::kUnlockClicks[1].x, coffee_time::kUnlockClicks[1].y);
  if (!Pause(ctx, 600)) return;
  SetCheckBoxesDisabled(ctx, false);
  LogStatus(ctx, kRefreshed);
}

void Confirm(StepContext& ctx) {
  auto& windows = ctx.platform.windows;
  const platform::Hwnd window = ctx.state.coffeeTimeWindow;
  std::vector<uint32_t> ticked;
  for (std::string_view box : kConfirmOrder) {
    if (!ctx.form.IsChecked(box)) continue;
    const MicrocodeSlot& slot = SlotOfCheckBox(box);
    ticked.push_back(slot.value);
    PostClick(windows, window, slot.cell.click.x, slot.cell.click.y);
    if (slot.cell.secondClick) {
      PostClick(windows, window, slot.cell.secondClick->x, slot.cell.secondClick->y);
      if (!Pause(ctx, kSecondClickPauseMs) || !LoadedWindowThere(ctx)) return;
    }
  }
  LogStatus(ctx, "已确认微码...\r\n");
  if (ticked.empty()) {
    LogStatus(ctx, "起码选择一个微码吧，不然主板怎么亮唷！\r\n");
    ctx.form.SetCaption(controls::kMicrocodeButton, std::string(kConfirmCaption));
  } else {
    PostClick(windows, window, coffee_time::kApply.x, coffee_time::kApply.y);
    ctx.state.appliedMicrocodes = std::move(ticked);
    if (!Pause(ctx, 2000)) return;
    SetCheckBoxesDisabled(ctx, true);
    ctx.form.SetCaption(controls::kMicrocodeButton, std::string(kUnlockCaption));
    ctx.state.microcodeEditUnlocked = 0;
    if (!Pause(ctx, 1500) || !LoadedWindowThere(ctx)) return;
    DetectMicrocodeList(ctx);
    if (Closing(ctx)) return;
  }
  LogStatus(ctx, kRefreshed);
}

}  // namespace

void ToggleMicrocodeEdit(StepContext& ctx) {
  if (!ReadFinished(ctx) || !LoadedWindowThere(ctx)) return;
  if (ctx.state.microcodeEditUnlocked == 0) {
    Unlock(ctx);
  } else {
    Confirm(ctx);
  }
}

}  // namespace workflow

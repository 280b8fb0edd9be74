#include "workflow/microcode_selection.h"

#include <algorithm>
#include <string>
#include <vector>

#include "automation/input_injector.h"
#include "automation/pumping_wait.h"
#include "imaging/label_templates.h"
#include "platform/messages.h"
#include "workflow/status_log.h"
#include "workflow/step_guards.h"
#include "workflow/window_reading.h"

namespace workflow {

namespace {

using automation::PostClick;

constexpr std::array<MicrocodeSlot, 9> kSlots = {{
    {"506E1", "W506E1", {479, 465}, std::nullopt},
    {"506E3", "W506E3", {349, 464}, std::nullopt},
    {"506E8", "W506E8", {479, 440}, std::nullopt},
    {"906E9", "W906E9", {350, 441}, std::nullopt},
    {"906EA", "W906EA", {219, 439}, platform::Point{356, 235}},
    {"906EB", "W906EB", {219, 464}, std::nullopt},
    {"906EC", "W906EC", {219, 487}, std::nullopt},
    {"906ED", "W906ED", {219, 512}, std::nullopt},
    {"506E0", "W506E0", {478, 487}, std::nullopt},
}};

constexpr std::array<std::string_view, 9> kToggleOrder = {
    "W506E0", "W506E8", "W506E3", "W506E1", "W906ED", "W906EC", "W906EB", "W906EA", "W906E9"};

// The order in which a confirm applies the ticked boxes.
constexpr std::array<std::string_view, 9> kConfirmOrder = {
    "W506E0", "W506E1", "W506E3", "W506E8", "W906ED", "W906EC", "W906EB", "W906EA", "W906E9"};

constexpr platform::Point kUnlockClicks[] = {{487, 313}, {390, 521}};
constexpr platform::Point kApply{102, 500};
constexpr uint8_t kSearchOpacity = 10;
constexpr int64_t kSecondClickPauseMs = 4000;

constexpr std::string_view kUnlockCaption = "解锁微码编辑区";
constexpr std::string_view kConfirmCaption = "选完点击此处";
constexpr std::string_view kRefreshed = "已刷新右边BIOS源码区，请确认一下\r\n";

const MicrocodeSlot& SlotOfCheckBox(std::string_view checkBox) {
  for (const MicrocodeSlot& slot : kSlots) {
    if (slot.checkBox == checkBox) return slot;
  }
  return kSlots[0];  // every name of the confirm order is in the table
}

void Unlock(StepContext& ctx) {
  auto& windows = ctx.platform.windows;
  const platform::Hwnd window = ctx.state.coffeeTimeWindow;
  ctx.state.microcodeEditUnlocked = 1;
  LogStatus(ctx, "已解锁微码编辑区，请选择微码...\r\n");
  ctx.form.SetCaption(controls::kMicrocodeButton, std::string(kConfirmCaption));
  PostClick(windows, window, kUnlockClicks[0].x, kUnlockClicks[0].y);
  if (!Pause(ctx, 200) || !LoadedWindowThere(ctx)) return;
  PostClick(windows, window, kUnlockClicks[1].x, kUnlockClicks[1].y);
  if (!Pause(ctx, 600)) return;
  SetCheckBoxesDisabled(ctx, false);
  LogStatus(ctx, kRefreshed);
}

void Confirm(StepContext& ctx) {
  auto& windows = ctx.platform.windows;
  const platform::Hwnd window = ctx.state.coffeeTimeWindow;
  std::vector<std::string> ticked;
  for (std::string_view box : kConfirmOrder) {
    if (!ctx.form.IsChecked(box)) continue;
    const MicrocodeSlot& slot = SlotOfCheckBox(box);
    ticked.emplace_back(slot.cpuid);
    PostClick(windows, window, slot.click.x, slot.click.y);
    if (slot.secondClick) {
      PostClick(windows, window, slot.secondClick->x, slot.secondClick->y);
      if (!Pause(ctx, kSecondClickPauseMs) || !LoadedWindowThere(ctx)) return;
    }
  }
  LogStatus(ctx, "已确认微码...\r\n");
  if (ticked.empty()) {
    LogStatus(ctx, "起码选择一个微码吧，不然主板怎么亮唷！\r\n");
    ctx.form.SetCaption(controls::kMicrocodeButton, std::string(kConfirmCaption));
  } else {
    PostClick(windows, window, kApply.x, kApply.y);
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

const std::array<MicrocodeSlot, 9>& MicrocodeSlots() { return kSlots; }

const std::array<std::string_view, 9>& CheckBoxToggleOrder() { return kToggleOrder; }

void SetCheckBoxesDisabled(StepContext& ctx, bool disabled) {
  for (std::string_view box : kToggleOrder) ctx.form.SetDisabled(box, disabled);
}

std::vector<std::string> WantedMicrocodes(StepContext& ctx) {
  const std::vector<std::string>& applied = ctx.state.appliedMicrocodes;
  std::vector<std::string> wanted;
  for (const MicrocodeSlot& slot : kSlots) {
    const bool wasApplied = std::find(applied.begin(), applied.end(), slot.cpuid) != applied.end();
    if (wasApplied || ctx.form.IsChecked(slot.checkBox)) wanted.emplace_back(slot.cpuid);
  }
  return wanted;
}

void DetectMicrocodes(StepContext& ctx) {
  if (!ReadFinished(ctx) || !LoadedWindowThere(ctx)) return;
  LoadFolderLabels(ctx, false);
  DetectMicrocodeList(ctx);
}

DetectionResult DetectMicrocodeList(StepContext& ctx) {
  auto& windows = ctx.platform.windows;
  const platform::Hwnd window = ctx.state.coffeeTimeWindow;
  automation::SetWindowTransparency(windows, window, kSearchOpacity);
  automation::SetWindowShowState(windows, window, platform::kSwShowNormal);
  automation::StripWindowIcon(windows, window);
  automation::StripWindowIcon(windows, window);

  ctx.form.ClearRows(controls::kMicrocodeList);
  int counter = 0;
  if (!Pause(ctx, 300)) return {};

  bool windowUnseen = false;
  const auto& labels = imaging::MicrocodeLabels();
  for (size_t i = 0; i < kSlots.size() && !windowUnseen; ++i) {
    // Each search captures the window anew; a close that came meanwhile is taken first.
    if (!Pause(ctx, 0)) return {};
    const imaging::FindStatus status = SearchLabel(ctx, labels[i]);
    if (status == imaging::FindStatus::kWindowUnseen) {
      windowUnseen = true;
    } else if (status == imaging::FindStatus::kFound) {
      const int row = ctx.form.AppendRow(controls::kMicrocodeList);
      ctx.form.SetCell(controls::kMicrocodeList, row, 1, std::string(kSlots[i].cpuid));
      ctx.form.SetCell(controls::kMicrocodeList, row, 0, std::to_string(counter + 1));
      ++counter;
    }
  }
  if (Closing(ctx)) return {};
  automation::SetWindowShowState(windows, window, platform::kSwHide);
  if (windowUnseen) {
    LogStatus(ctx, "无法读取CoffeeTime窗口画面,未能识别BIOS原有微码,请点击刷新图标重试\r\n");
  }
  return {counter, windowUnseen};
}

void ToggleMicrocodeEdit(StepContext& ctx) {
  if (!ReadFinished(ctx) || !LoadedWindowThere(ctx)) return;
  if (ctx.state.microcodeEditUnlocked == 0) {
    Unlock(ctx);
  } else {
    Confirm(ctx);
  }
}

}  // namespace workflow

#pragma once
// Which of the nine known microcodes CoffeeTime shows, and the unlock / tick / confirm cycle.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "workflow/step_context.h"

namespace workflow {

struct MicrocodeSlot {
  std::string_view cpuid;
  std::string_view checkBox;
  platform::Point click;                       // where a tick is applied in CoffeeTime
  std::optional<platform::Point> secondClick;  // 906EA needs a second click and a pause
};

// In the order the detection tries them.
const std::array<MicrocodeSlot, 9>& MicrocodeSlots();

// Check boxes in the order the unlock enables them (and start-up and confirm disable them).
const std::array<std::string_view, 9>& CheckBoxToggleOrder();

// Fills the list from the labels found in CoffeeTime's loaded window.
void DetectMicrocodes(StepContext& ctx);

struct DetectionResult {
  int rows = 0;               // microcodes listed
  bool windowUnseen = false;  // the window could not be captured at all
};
DetectionResult DetectMicrocodeList(StepContext& ctx);

// 按钮1: unlock when locked, otherwise apply the ticked microcodes and relock.
void ToggleMicrocodeEdit(StepContext& ctx);

void SetCheckBoxesDisabled(StepContext& ctx, bool disabled);

// The CPUIDs a made image must hold: those the last confirm applied and those ticked now, in
// table order.
std::vector<std::string> WantedMicrocodes(StepContext& ctx);

}  // namespace workflow

#pragma once
// 按钮1: unlocking CoffeeTime's microcode table, ticking, and applying what was ticked.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "workflow/step_context.h"

namespace workflow {

// Check boxes in the order the unlock enables them (and start-up and confirm disable them).
const std::array<std::string_view, 9>& CheckBoxToggleOrder();

void SetCheckBoxesDisabled(StepContext& ctx, bool disabled);

// 按钮1: unlock when locked, otherwise apply the ticked microcodes and relock.
void ToggleMicrocodeEdit(StepContext& ctx);

// The CPUIDs a made image must hold: those the last confirm applied and those ticked now, in
// table order.
std::vector<std::string> WantedMicrocodes(StepContext& ctx);

}  // namespace workflow

#pragma once
// 按钮1: unlocking CoffeeTime's microcode table, ticking, and applying what was ticked.
#include "workflow/step_context.h"

namespace workflow {

// 按钮1: unlock when locked, otherwise apply the ticked microcodes and relock.
void ToggleMicrocodeEdit(StepContext& ctx);

}  // namespace workflow

#pragma once
// 按钮4 "打开": the vendor BIOS chosen, CoffeeTime started hidden, the file's content reported.
#include "workflow/step_context.h"

namespace workflow {

// Checks the tool folder, lets the user pick the file, starts CoffeeTime hidden.
void OpenBios(StepContext& ctx);

}  // namespace workflow

#pragma once
// 按钮5 "读取": CoffeeTime loads the file, the ME phase runs, and the read ends with the
// enlarged main window listing the microcodes CoffeeTime shows.
#include "workflow/step_context.h"

namespace workflow {

void ReadBios(StepContext& ctx);

}  // namespace workflow

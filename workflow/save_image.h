#pragma once
// 按钮2 "执行制作": asks where to save, has CoffeeTime write the image there, and checks it.
#include "workflow/step_context.h"

namespace workflow {

void SaveImage(StepContext& ctx);

}  // namespace workflow

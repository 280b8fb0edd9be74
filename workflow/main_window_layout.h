#pragma once
#include "workflow/step_context.h"

namespace workflow {

inline constexpr int kEnlargedHeight = 764;

// Top first, then left, from the window's size at this moment and the primary screen's.
void CentreMainWindow(StepContext& ctx);

}  // namespace workflow

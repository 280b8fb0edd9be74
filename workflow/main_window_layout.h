#pragma once
#include "workflow/step_context.h"

namespace workflow {

inline constexpr int kEnlargedHeight = 764;

// (screen - window) / 2, truncated toward zero.
int CentredCoordinate(int screenSize, int windowSize);

// Top first, then left, from the window's size at this moment and the primary screen's.
void CentreMainWindow(StepContext& ctx);

}  // namespace workflow

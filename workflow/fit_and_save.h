#pragma once
// FIT's licence, and having CoffeeTime save the finished image.
#include "workflow/step_context.h"

namespace workflow {

inline constexpr uint32_t kAcceptedFitStyle = 0x96CF0000;

// 按钮3 "许可协议": starts FIT and tells the user whether its licence still needs accepting;
// or that FIT is not in the tool folder (nothing started), or that it showed no window.
void OpenLicence(StepContext& ctx);

// 按钮2 "执行制作": asks where to save and has CoffeeTime write the image there.
void SaveImage(StepContext& ctx);

}  // namespace workflow

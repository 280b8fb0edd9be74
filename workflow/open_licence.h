#pragma once
// 按钮3 "许可协议": FIT started, and whether its licence still needs accepting.
#include <cstdint>

#include "workflow/step_context.h"

namespace workflow {

// The style of FIT's main window once its licence has been accepted.
inline constexpr uint32_t kAcceptedFitStyle = 0x96CF0000;

// Starts FIT and tells the user whether its licence still needs accepting; or that FIT is not
// in the tool folder (nothing started), or that it showed no window.
void OpenLicence(StepContext& ctx);

}  // namespace workflow

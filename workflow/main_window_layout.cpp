#include "workflow/main_window_layout.h"

#include "platform/api_values.h"

namespace workflow {

void CentreMainWindow(StepContext& ctx) {
  auto& windows = ctx.platform.windows;
  ctx.form.SetTop(CentredCoordinate(windows.GetSystemMetrics(platform::kSmCyScreen), ctx.form.Height()));
  ctx.form.SetLeft(CentredCoordinate(windows.GetSystemMetrics(platform::kSmCxScreen), ctx.form.Width()));
}

}  // namespace workflow

#include "workflow/status_log.h"

#include "platform/api_values.h"

namespace workflow {

std::string TimeStamp(const platform::LocalTime& time, char separator) {
  return std::to_string(time.hour) + separator + std::to_string(time.minute);
}

void AppendStatus(StepContext& ctx, std::string_view text) {
  if (ctx.state.closing) return;  // the status box is gone
  ctx.form.AppendText(controls::kStatusBox, std::string(text));
}

void LogStatus(StepContext& ctx, std::string_view message) {
  AppendStatus(ctx, TimeStamp(ctx.platform.system.GetLocalTime()) + std::string(message));
}

void ShowMessage(StepContext& ctx, std::string_view text, uint32_t icon, std::string_view caption,
                 platform::Hwnd owner) {
  if (ctx.state.closing) return;  // no box may outlive the window it speaks for
  uint32_t style = icon;
  if ((style & platform::kMbSystemModal) == 0) style |= platform::kMbTaskModal;
  ctx.platform.windows.MessageBoxA(owner, std::string(text).c_str(), std::string(caption).c_str(),
                                   style);
}

}  // namespace workflow

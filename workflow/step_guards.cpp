#include "workflow/step_guards.h"

#include "automation/pumping_wait.h"
#include "workflow/status_log.h"

namespace workflow {

bool Pause(StepContext& ctx, int64_t ms) {
  if (ctx.state.closing) return false;
  if (!automation::PumpingWait(ctx.platform, ms)) ctx.state.closing = true;
  return !ctx.state.closing;
}

bool ReadFinished(StepContext& ctx) {
  if (ctx.state.readComplete) return true;
  LogStatus(ctx, "还没有读取BIOS,请先点击\"打开\"选择原版BIOS,再点击\"读取\"\r\n");
  return false;
}

}  // namespace workflow

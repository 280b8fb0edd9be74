#include "workflow/step_guards.h"

#include "automation/pumping_wait.h"
#include "automation/window_finder.h"
#include "workflow/microcode_slots.h"
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

bool LoadedWindowThere(StepContext& ctx) {
  if (automation::IsLiveWindow(ctx.platform.windows, ctx.state.coffeeTimeWindow)) return true;
  LogStatus(ctx, "CoffeeTime已经退出,请重新点击\"打开\"选择原版BIOS\r\n");
  ReturnToBeforeRead(ctx);
  return false;
}

void ReturnToBeforeRead(StepContext& ctx) {
  WorkflowState& s = ctx.state;
  s.readComplete = false;
  s.meShownOff = false;
  s.microcodeEditUnlocked = 0;
  s.appliedMicrocodes.clear();
  ctx.form.SetDisabled(controls::kOpenButton, false);
  ctx.form.SetDisabled(controls::kReadButton, true);
  ctx.form.ClearRows(controls::kMicrocodeList);
  SetCheckBoxesDisabled(ctx, true);
  ctx.form.SetCaption(controls::kMicrocodeButton, "解锁微码编辑区");
}

}  // namespace workflow

#include "workflow/patcher_process.h"

#include <vector>

#include "automation/input_injector.h"
#include "automation/window_finder.h"
#include "platform/api_values.h"
#include "workflow/coffee_time_ui.h"
#include "workflow/tool_paths.h"
#include "workflow/run_program.h"
#include "workflow/waits.h"

namespace workflow {

namespace {

constexpr uint32_t kTerminatedExitCode = 1;

std::vector<platform::Hwnd> TopLevelWindowsOf(platform::WindowApi& windows, uint32_t processId) {
  std::vector<platform::Hwnd> found;
  for (platform::Hwnd w = automation::LocateWindow(windows, 0, 0, coffee_time::kWindowClass); w != 0;
       w = automation::LocateWindow(windows, 0, w, coffee_time::kWindowClass)) {
    if (windows.GetWindowProcessId(w) == processId) found.push_back(w);
  }
  return found;
}

}  // namespace

bool StartPatcher(StepContext& ctx) {
  CloseStartedPatcher(ctx);
  platform::SystemApi& system = ctx.platform.system;
  const std::optional<platform::ProcessInfo> started =
      StartProgram(system, QuotedPath(CoffeeTimePath(system)), platform::kSwHide);
  if (!started) return false;
  ctx.state.patcher = {started->process, started->processId};
  return true;
}

void CloseStartedPatcher(StepContext& ctx) {
  PatcherProcess& patcher = ctx.state.patcher;
  if (patcher.process == 0) return;
  platform::SystemApi& system = ctx.platform.system;
  for (platform::Hwnd w : TopLevelWindowsOf(ctx.platform.windows, patcher.processId)) {
    automation::PostClose(ctx.platform.windows, w);
  }
  if (!ctx.state.readComplete &&
      system.WaitForSingleObject(patcher.process, waits::kPatcherCloseGraceMs) != platform::kWaitObject0) {
    system.TerminateProcess(patcher.process, kTerminatedExitCode);
  }
  system.CloseHandle(patcher.process);
  patcher = {};
}

}  // namespace workflow

#include "workflow/run_program.h"

namespace workflow {

namespace {
constexpr uint32_t kInputIdleLimitMs = 1000;
}

bool RunProgram(platform::SystemApi& system, const std::string& commandLine, bool waitForExit,
                int showMode, uint32_t waitLimitMs) {
  platform::ProcessInfo info;
  if (!system.CreateProcessA(commandLine.c_str(), showMode, &info)) return false;
  if (waitForExit) {
    system.WaitForSingleObject(info.process, waitLimitMs);
  } else {
    system.WaitForInputIdle(info.process, kInputIdleLimitMs);
  }
  system.CloseHandle(info.thread);
  system.CloseHandle(info.process);
  return true;
}

std::string QuotedPath(const std::string& path) { return "\"" + path + "\""; }

}  // namespace workflow

#include "workflow/run_program.h"

namespace workflow {

namespace {
constexpr uint32_t kInputIdleLimitMs = 1000;
}

std::optional<platform::ProcessInfo> StartProgram(platform::SystemApi& system,
                                                  const std::string& commandLine, int showMode) {
  platform::ProcessInfo info;
  if (!system.CreateProcessA(commandLine.c_str(), showMode, &info)) return std::nullopt;
  system.WaitForInputIdle(info.process, kInputIdleLimitMs);
  system.CloseHandle(info.thread);
  info.thread = 0;
  return info;
}

bool RunProgram(platform::SystemApi& system, const std::string& commandLine, bool waitForExit,
                int showMode, uint32_t waitLimitMs) {
  platform::ProcessInfo info;
  if (!waitForExit) {
    const std::optional<platform::ProcessInfo> started = StartProgram(system, commandLine, showMode);
    if (started) system.CloseHandle(started->process);
    return started.has_value();
  }
  if (!system.CreateProcessA(commandLine.c_str(), showMode, &info)) return false;
  system.WaitForSingleObject(info.process, waitLimitMs);
  system.CloseHandle(info.thread);
  system.CloseHandle(info.process);
  return true;
}

std::string QuotedPath(const std::string& path) { return "\"" + path + "\""; }

}  // namespace workflow

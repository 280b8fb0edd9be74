#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/system_api.h"

namespace workflow {

// Starts a process from the whole command line with the given show mode. Without waitForExit
// it waits at most 1000 ms for the process to become idle for input; with it, at most
// waitLimitMs for the process to end. Both handles are closed before it returns.
bool RunProgram(platform::SystemApi& system, const std::string& commandLine, bool waitForExit,
                int showMode, uint32_t waitLimitMs = 60000);

// Starts a process from the whole command line with the given show mode and waits at most
// 1000 ms for it to become idle for input. The thread handle is closed; the process handle is
// the caller's to close. nullopt when the process could not be created.
std::optional<platform::ProcessInfo> StartProgram(platform::SystemApi& system,
                                                  const std::string& commandLine, int showMode);

// A path as one command-line argument: quoted, so that a folder name with blanks can never
// start another program.
std::string QuotedPath(const std::string& path);

}  // namespace workflow

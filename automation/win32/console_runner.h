#pragma once
// Runs one command line through the system's command interpreter with no visible console and
// collects what it writes to standard output and standard error.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace automation {

// Sees each piece of output as it arrives: the chunk's bytes followed by a NUL byte, then 0
// and 0. A non-zero result stops the collection; the command keeps running on its own.
using OutputCallback = std::function<int(const char* chunk, intptr_t, intptr_t)>;

// command: GBK text. Returns the output bytes as they came (up to the first NUL), empty when
// nothing was written or the command could not be started. Blocks until the command has
// ended or the callback stopped the collection; window messages are not dispatched meanwhile.
// The command reads an empty standard input.
std::string RunConsoleCommand(std::string_view command, const OutputCallback& callback = {});

// "cmd.exe /c " on the NT family, "command.com /c " elsewhere.
std::string_view CommandInterpreterPrefix();

// True when the system has a 32-bit-on-64-bit system directory.
bool IsWow64System();

}  // namespace automation

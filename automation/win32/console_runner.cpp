#include "automation/win32/console_runner.h"

#include <windows.h>

#include <vector>

#include "platform/win32/gbk_conversion.h"
#include "platform/win32/scoped_handles.h"

namespace automation {
namespace {

constexpr DWORD kInputIdleWaitMs = 1000;
constexpr DWORD kPollSleepMs = 1;

using platform::WideOfGbk;

DWORD BytesWaiting(HANDLE pipe) {
  DWORD available = 0;
  if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) return 0;
  return available;
}

// Reads what is waiting in the pipe, adds it to `collected` and shows it to the callback.
// Returns false when the callback asks to stop.
bool TakeChunk(HANDLE pipe, DWORD available, std::string& collected,
               const OutputCallback& callback) {
  std::vector<char> chunk(static_cast<size_t>(available) + 1, '\0');
  DWORD got = 0;
  if (!ReadFile(pipe, chunk.data(), available, &got, nullptr) || got == 0) return true;
  collected.append(chunk.data(), got);
  chunk[got] = '\0';
  return !callback || callback(chunk.data(), 0, 0) == 0;
}

bool ProcessHasEnded(HANDLE process) {
  DWORD code = 0;
  return !GetExitCodeProcess(process, &code) || code != STILL_ACTIVE;
}

}  // namespace

std::string_view CommandInterpreterPrefix() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool known = GetVersionExA(&version) != 0;
#pragma GCC diagnostic pop
  if (known && version.dwPlatformId != VER_PLATFORM_WIN32_NT) return "command.com /c ";
  return "cmd.exe /c ";
}

std::string RunConsoleCommand(std::string_view command, const OutputCallback& callback) {
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  platform::UniqueHandle readEnd;
  platform::UniqueHandle writeEnd;
  if (!CreatePipe(readEnd.Out(), writeEnd.Out(), &inheritable, 0)) return {};
  // Only the write end goes to the command: a child holding the read end could swallow its
  // own output.
  SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
  // Standard input is the null device: a command that reads input sees its end at once
  // instead of reading its own output or waiting forever.
  platform::UniqueHandle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                           nullptr));

  std::wstring commandLine = WideOfGbk(CommandInterpreterPrefix()) + WideOfGbk(command);
  commandLine.push_back(L'\0');  // CreateProcessW may write into the line

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = input ? input.Get() : nullptr;
  startup.hStdOutput = writeEnd.Get();
  startup.hStdError = writeEnd.Get();
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessW(nullptr, commandLine.data(), &inheritable, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  // Our copy of the write end must go, or the pipe never reports the command's end.
  writeEnd.Reset();
  input.Reset();
  if (!started) return {};
  const platform::UniqueHandle thread(process.hThread);
  const platform::UniqueHandle child(process.hProcess);
  WaitForInputIdle(child.Get(), kInputIdleWaitMs);

  std::string collected;
  bool stopped = false;
  while (!stopped) {
    const DWORD available = BytesWaiting(readEnd.Get());
    if (available == 0) {
      if (ProcessHasEnded(child.Get())) break;
    } else if (!TakeChunk(readEnd.Get(), available, collected, callback)) {
      stopped = true;
      break;
    }
    Sleep(kPollSleepMs);
  }
  // What the command wrote between the last look at the pipe and its end is still waiting.
  while (!stopped) {
    const DWORD available = BytesWaiting(readEnd.Get());
    if (available == 0) break;
    stopped = !TakeChunk(readEnd.Get(), available, collected, callback);
  }
  const size_t nul = collected.find('\0');
  if (nul != std::string::npos) collected.resize(nul);
  return collected;
}

bool IsWow64System() {
  using GetWow64DirectoryFn = UINT(WINAPI*)(LPSTR, UINT);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return false;
  auto getDirectory = reinterpret_cast<GetWow64DirectoryFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetSystemWow64DirectoryA")));
  if (getDirectory == nullptr) return false;
  char buffer[256];
  for (int i = 0; i < 255; ++i) buffer[i] = ' ';
  buffer[255] = '\0';
  return getDirectory(buffer, 255) > 0;
}

}  // namespace automation

#include "program_under_test.h"

#include <cstdlib>

namespace apptest {
namespace {

std::string ToWindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && ClassOf(window) == kMainWindowClass) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::string ProgramPath() { return ToWindowsPath(BMT_BIOS_MAKER_PATH); }

std::string OutputFolder() {
  const char* out = std::getenv("BMT_OUT_DIR");
  std::string folder = ToWindowsPath(out ? out : ".");
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string TextOf(HWND window) {
  char buffer[4096] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, 5000, &length)) {
    return {};
  }
  return std::string(buffer, length);
}

std::string ClassOf(HWND window) {
  char buffer[256] = {};
  int length = GetClassNameA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

ProgramUnderTest::~ProgramUnderTest() { Stop(); }

bool ProgramUnderTest::Start() {
  std::string path = ProgramPath();
  std::string folder = path.substr(0, path.find_last_of('\\'));
  std::string commandLine = "\"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info_) != FALSE;
}

HWND ProgramUnderTest::WaitForWindow(DWORD timeoutMs) {
  WaitFor(timeoutMs, [this] {
    WindowSearch search{info_.dwProcessId, nullptr};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    window_ = search.found;
    return window_ != nullptr;
  });
  return window_;
}

bool ProgramUnderTest::WaitUntilVisible(DWORD timeoutMs) {
  return WaitFor(timeoutMs, [this] { return window_ && IsWindowVisible(window_); });
}

bool ProgramUnderTest::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    return false;
  }
  return GetExitCodeProcess(info_.hProcess, exitCode) != FALSE;
}

void ProgramUnderTest::Stop() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info_.hProcess, 10000) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, 5000);
    }
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
  info_ = {};
  window_ = nullptr;
}

}  // namespace apptest

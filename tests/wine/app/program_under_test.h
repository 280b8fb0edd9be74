#pragma once
// Starts BiosMaker.exe as a separate process and finds its main window, with bounded waits.
#include <windows.h>

#include <string>

namespace apptest {

constexpr char kMainWindowClass[] = "BiosMakerMainWindow";

class ProgramUnderTest {
 public:
  ProgramUnderTest() = default;
  ~ProgramUnderTest();  // closes the program if it still runs
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

  bool Start();
  // Waits up to timeoutMs for the main window of this process to exist (shown or not).
  HWND WaitForWindow(DWORD timeoutMs);
  // Waits up to timeoutMs for it to be visible.
  bool WaitUntilVisible(DWORD timeoutMs);
  // Waits up to timeoutMs for the process to end; true with its exit code when it did.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
  void Stop();

  HWND window() const { return window_; }
  DWORD processId() const { return info_.dwProcessId; }
  HANDLE process() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_{};
  HWND window_ = nullptr;
};

// The program's path as Wine sees it (the build passes a Unix path).
std::string ProgramPath();
// The folder screenshots go to ($BMT_OUT_DIR as a Windows path), created if missing.
std::string OutputFolder();
// Text of a window of any process (WM_GETTEXT), GBK.
std::string TextOf(HWND window);
std::string ClassOf(HWND window);
// Sleeps in small steps until the predicate holds or the time is up.
template <typename Predicate>
bool WaitFor(DWORD timeoutMs, Predicate holds) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!holds()) {
    if (GetTickCount64() >= end) return false;
    Sleep(10);
  }
  return true;
}

}  // namespace apptest

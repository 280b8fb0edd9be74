#pragma once
// Programs a test starts, and everything they start in turn: all of it is ended when the
// group is destroyed (a job object that kills on close, and an explicit sweep of the
// descendants, in case the job cannot hold them).
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace e2e {

using EnvironmentVariables = std::vector<std::pair<std::wstring, std::wstring>>;

class ProcessGroup {
 public:
  ProcessGroup();
  ~ProcessGroup();
  ProcessGroup(const ProcessGroup&) = delete;
  ProcessGroup& operator=(const ProcessGroup&) = delete;

  // Starts `exe` (with the test's environment plus `extra`) in its own folder, with the show
  // mode given through STARTUPINFO. Returns the process id, 0 on failure.
  DWORD Start(const std::wstring& exe, int showCommand, const EnvironmentVariables& extra = {});

  // Ends every process of the group and their descendants; waits at most 5 s for them.
  void KillAll();

  // Whether the process `id` started here is still running.
  bool IsRunning(DWORD id) const;
  // Waits at most timeoutMs for the process to end; its exit code, or STILL_ACTIVE.
  DWORD WaitForExit(DWORD id, DWORD timeoutMs) const;

 private:
  HANDLE job_ = nullptr;
  std::vector<std::pair<DWORD, HANDLE>> processes_;  // id, process handle
};

// Ids of all running processes descended from `root` (not including it).
std::vector<DWORD> DescendantsOf(DWORD root);

}  // namespace e2e

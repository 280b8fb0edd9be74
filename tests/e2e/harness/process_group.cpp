#include "tests/e2e/harness/process_group.h"

#include <tlhelp32.h>

#include <map>

namespace e2e {

namespace {

// The current environment block with `extra` set on top (same names replaced).
std::vector<wchar_t> EnvironmentBlock(const EnvironmentVariables& extra) {
  std::map<std::wstring, std::wstring> variables;
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* entry = block; entry && *entry; entry += wcslen(entry) + 1) {
    const std::wstring text(entry);
    const size_t equals = text.find(L'=', 1);  // names like "=C:" start with '='
    if (equals != std::wstring::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  if (block) FreeEnvironmentStringsW(block);
  for (const auto& [name, value] : extra) variables[name] = value;
  std::vector<wchar_t> result;
  for (const auto& [name, value] : variables) {
    const std::wstring entry = name + L"=" + value;
    result.insert(result.end(), entry.begin(), entry.end());
    result.push_back(L'\0');
  }
  result.push_back(L'\0');
  return result;
}

}  // namespace

ProcessGroup::ProcessGroup() {
  job_ = CreateJobObjectW(nullptr, nullptr);
  if (job_) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }
}

ProcessGroup::~ProcessGroup() {
  KillAll();
  if (job_) CloseHandle(job_);
}

DWORD ProcessGroup::Start(const std::wstring& exe, int showCommand,
                          const EnvironmentVariables& extra) {
  std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  std::wstring commandLine = L"\"" + exe + L"\"";
  std::vector<wchar_t> environment = EnvironmentBlock(extra);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = WORD(showCommand);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED, environment.data(),
                      folder.c_str(), &startup, &info)) {
    return 0;
  }
  if (job_) AssignProcessToJobObject(job_, info.hProcess);
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  processes_.push_back({info.dwProcessId, info.hProcess});
  return info.dwProcessId;
}

void ProcessGroup::KillAll() {
  for (const auto& [id, handle] : processes_) {
    for (DWORD child : DescendantsOf(id)) {
      if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, child)) {
        TerminateProcess(h, 9);
        WaitForSingleObject(h, 5000);
        CloseHandle(h);
      }
    }
    TerminateProcess(handle, 9);
    WaitForSingleObject(handle, 5000);
    CloseHandle(handle);
  }
  processes_.clear();
}

bool ProcessGroup::IsRunning(DWORD id) const { return WaitForExit(id, 0) == STILL_ACTIVE; }

DWORD ProcessGroup::WaitForExit(DWORD id, DWORD timeoutMs) const {
  for (const auto& [known, handle] : processes_) {
    if (known != id) continue;
    if (WaitForSingleObject(handle, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(handle, &code);
    return code;
  }
  return 0;
}

std::vector<DWORD> DescendantsOf(DWORD root) {
  std::multimap<DWORD, DWORD> children;  // parent -> child
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return {};
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ProcessID != entry.th32ParentProcessID) {
      children.emplace(entry.th32ParentProcessID, entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  std::vector<DWORD> result;
  std::vector<DWORD> pending{root};
  while (!pending.empty() && result.size() < 1024) {
    const DWORD parent = pending.back();
    pending.pop_back();
    auto [first, last] = children.equal_range(parent);
    for (auto it = first; it != last; ++it) {
      result.push_back(it->second);
      pending.push_back(it->second);
    }
  }
  return result;
}

}  // namespace e2e

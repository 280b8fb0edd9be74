#include "tests/e2e/harness/harness_paths.h"

#include <windows.h>

namespace e2e {

std::wstring ToWindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring result = L"Z:" + path;
  for (wchar_t& c : result) {
    if (c == L'/') c = L'\\';
  }
  return result;
}

std::wstring PathFromEnvironment(const wchar_t* name) {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(name, buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return ToWindowsPath(std::wstring(buffer, length));
}

std::wstring RunFolder() { return PathFromEnvironment(L"BMT_RUN_DIR"); }

std::wstring OutFolder() {
  std::wstring folder = PathFromEnvironment(L"BMT_OUT_DIR");
  if (folder.empty()) folder = L".\\out";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::wstring ScratchFolder(const std::wstring& name) {
  const std::wstring folder = OutFolder() + L"\\" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW((folder + L"\\" + entry.cFileName).c_str());
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  return folder;
}

}  // namespace e2e

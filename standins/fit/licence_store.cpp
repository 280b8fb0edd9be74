#include "standins/fit/licence_store.h"

#include <windows.h>

namespace standin {

namespace {

std::wstring Variable(const wchar_t* name) {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(name, buffer, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(buffer, length);
}

std::wstring StateFolder() {
  std::wstring folder = Variable(L"BMT_STANDIN_STATE_DIR");
  if (!folder.empty()) return folder;
  folder = Variable(L"APPDATA");
  return folder.empty() ? std::wstring() : folder + L"\\orvellan-standins";
}

}  // namespace

std::wstring LicenceMarkerPath() {
  const std::wstring folder = StateFolder();
  return folder.empty() ? std::wstring() : folder + L"\\fit-licence-accepted";
}

bool LicenceAccepted() {
  const std::wstring path = LicenceMarkerPath();
  return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RememberLicenceAccepted() {
  const std::wstring path = LicenceMarkerPath();
  if (path.empty()) return false;
  CreateDirectoryW(StateFolder().c_str(), nullptr);  // may exist already
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace standin

#include <windows.h>

#include <string>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"

namespace platform {

Handle Win32SystemApi::CreateWaitableTimerA() {
  return FromHandle(::CreateWaitableTimerA(nullptr, FALSE, nullptr));
}

bool Win32SystemApi::SetWaitableTimer(Handle timer, int64_t dueTime) {
  LARGE_INTEGER due;
  due.QuadPart = dueTime;
  return ::SetWaitableTimer(ToHandle(timer), &due, 0, nullptr, nullptr, FALSE) != 0;
}

bool Win32SystemApi::CloseHandle(Handle handle) { return ::CloseHandle(ToHandle(handle)) != 0; }
uint64_t Win32SystemApi::GetTickCount64() { return ::GetTickCount64(); }
void Win32SystemApi::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

LocalTime Win32SystemApi::GetLocalTime() {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return {t.wHour, t.wMinute, t.wSecond, t.wYear, t.wMonth, t.wDay};
}

int Win32SystemApi::MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* text,
                                        int length, char16_t* buffer, int bufferUnits) {
  return ::MultiByteToWideChar(codePage, flags, text, length,
                               reinterpret_cast<wchar_t*>(buffer), bufferUnits);
}

namespace {

void CopyFound(const WIN32_FIND_DATAW& found, FindData* data) {
  data->attributes = found.dwFileAttributes;
  data->lastWriteTime = (static_cast<uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                        found.ftLastWriteTime.dwLowDateTime;
  data->size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  data->fileName.assign(reinterpret_cast<const char16_t*>(found.cFileName));
}

}  // namespace

int Win32SystemApi::WideCharToMultiByte(uint32_t codePage, const char16_t* text, int length,
                                        char* buffer, int bufferBytes) {
  return ::WideCharToMultiByte(codePage, 0, reinterpret_cast<const wchar_t*>(text), length,
                               buffer, bufferBytes, nullptr, nullptr);
}

Handle Win32SystemApi::FindFirstFileW(const char16_t* path, FindData* data) {
  WIN32_FIND_DATAW found{};
  HANDLE h = ::FindFirstFileW(reinterpret_cast<const wchar_t*>(path), &found);
  if (h == INVALID_HANDLE_VALUE) return kInvalidHandle;
  CopyFound(found, data);
  return FromHandle(h);
}

bool Win32SystemApi::FindNextFileW(Handle search, FindData* data) {
  WIN32_FIND_DATAW found{};
  if (!::FindNextFileW(ToHandle(search), &found)) return false;
  CopyFound(found, data);
  return true;
}

bool Win32SystemApi::CreateDirectoryW(const char16_t* path) {
  return ::CreateDirectoryW(reinterpret_cast<const wchar_t*>(path), nullptr) != FALSE;
}

bool Win32SystemApi::FindClose(Handle search) { return ::FindClose(ToHandle(search)) != 0; }

Handle Win32SystemApi::CreateFileW(const char16_t* path, uint32_t shareMode) {
  HANDLE h = ::CreateFileW(reinterpret_cast<const wchar_t*>(path), GENERIC_READ, shareMode, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? kInvalidHandle : FromHandle(h);
}

uint32_t Win32SystemApi::GetFileAttributesW(const char16_t* path) {
  return ::GetFileAttributesW(reinterpret_cast<const wchar_t*>(path));
}

Handle Win32SystemApi::CreateTemporaryFileW(const char16_t* path) {
  HANDLE h = ::CreateFileW(reinterpret_cast<const wchar_t*>(path), GENERIC_WRITE, 0, nullptr,
                           CREATE_NEW,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                           nullptr);
  return h == INVALID_HANDLE_VALUE ? kInvalidHandle : FromHandle(h);
}

Handle Win32SystemApi::CreateNewFileW(const char16_t* path) {
  HANDLE h = ::CreateFileW(reinterpret_cast<const wchar_t*>(path), GENERIC_WRITE, 0, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? kInvalidHandle : FromHandle(h);
}

bool Win32SystemApi::WriteFile(Handle file, const void* buffer, uint32_t bytesToWrite,
                               uint32_t* bytesWritten) {
  DWORD written = 0;
  const bool ok = ::WriteFile(ToHandle(file), buffer, bytesToWrite, &written, nullptr) != FALSE;
  *bytesWritten = written;
  return ok;
}

bool Win32SystemApi::GetFileSizeEx(Handle file, uint64_t* size) {
  LARGE_INTEGER value{};
  if (!::GetFileSizeEx(ToHandle(file), &value)) return false;
  *size = static_cast<uint64_t>(value.QuadPart);
  return true;
}

bool Win32SystemApi::ReadFile(Handle file, void* buffer, uint32_t bytesToRead,
                              uint32_t* bytesRead) {
  DWORD read = 0;
  const bool ok = ::ReadFile(ToHandle(file), buffer, bytesToRead, &read, nullptr) != 0;
  *bytesRead = read;
  return ok;
}

uint32_t Win32SystemApi::GetLastError() { return ::GetLastError(); }

uint32_t Win32SystemApi::GetCurrentDirectoryA(uint32_t size, char* buffer) {
  return ::GetCurrentDirectoryA(size, buffer);
}

bool Win32SystemApi::SetCurrentDirectoryA(const char* path) {
  return ::SetCurrentDirectoryA(path) != 0;
}

std::string Win32SystemApi::ProgramDirectory() {
  char path[MAX_PATH * 2] = {};
  DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof(path) - 1);
  std::string full(path, n);
  // Cut at the last real backslash; the ANSI path is GBK, so step over double-byte characters.
  size_t cut = std::string::npos;
  for (size_t i = 0; i < full.size(); ++i) {
    if (::IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(full[i])) && i + 1 < full.size()) {
      ++i;
      continue;
    }
    if (full[i] == '\\') cut = i;
  }
  return cut == std::string::npos ? std::string() : full.substr(0, cut);
}

bool Win32SystemApi::CreateProcessA(const char* commandLine, int showMode, ProcessInfo* info) {
  std::string writable(commandLine ? commandLine : "");
  writable.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showMode);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &pi)) {
    return false;
  }
  info->process = FromHandle(pi.hProcess);
  info->thread = FromHandle(pi.hThread);
  info->processId = pi.dwProcessId;
  return true;
}

uint32_t Win32SystemApi::WaitForInputIdle(Handle process, uint32_t milliseconds) {
  return ::WaitForInputIdle(ToHandle(process), milliseconds);
}

uint32_t Win32SystemApi::WaitForSingleObject(Handle handle, uint32_t milliseconds) {
  return ::WaitForSingleObject(ToHandle(handle), milliseconds);
}

bool Win32SystemApi::TerminateProcess(Handle process, uint32_t exitCode) {
  return ::TerminateProcess(ToHandle(process), exitCode) != 0;
}

}  // namespace platform

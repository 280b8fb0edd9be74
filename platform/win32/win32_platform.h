#pragma once
// The real seams: each method is the platform call of the same name.
#include <functional>
#include <utility>

#include "platform/platform.h"

namespace platform {

class Win32WindowApi final : public WindowApi {
 public:
  Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const char* className,
                     const char* title) override;
  bool GetWindowInfo(Hwnd window, WindowInfo* info) override;
  bool GetWindowRect(Hwnd window, Rect* rect) override;
  bool GetClientRect(Hwnd window, Rect* rect) override;
  bool ClientToScreen(Hwnd window, Point* point) override;
  int GetClassNameA(Hwnd window, char* buffer, int maxCount) override;
  bool IsWindow(Hwnd window) override;
  bool IsIconic(Hwnd window) override;
  bool IsWindowVisible(Hwnd window) override;
  Hwnd GetDesktopWindow() override;
  bool PostMessageA(Hwnd window, uint32_t message, uint32_t wParam, uint32_t lParam) override;
  bool PostMessageW(Hwnd window, uint32_t message, uint32_t wParam, uint32_t lParam) override;
  int32_t SendMessageA(Hwnd window, uint32_t message, uint32_t wParam, uint32_t lParam) override;
  uint32_t SendMessageTimeoutA(Hwnd window, uint32_t message, uint32_t wParam, uint32_t lParam,
                               uint32_t flags, uint32_t timeoutMs, uint32_t* result) override;
  uint32_t MapVirtualKeyA(uint32_t code, uint32_t mapType) override;
  int32_t GetWindowLongA(Hwnd window, int index) override;
  int32_t SetWindowLongA(Hwnd window, int index, int32_t value) override;
  bool SetLayeredWindowAttributes(Hwnd window, uint32_t colorKey, uint8_t alpha,
                                  uint32_t flags) override;
  bool ShowWindowAsync(Hwnd window, int command) override;
  uint32_t RegisterWindowMessageA(const char* name) override;
  int GetSystemMetrics(int index) override;
  uint32_t GetDpiForWindow(Hwnd window) override;
  int MessageBoxA(Hwnd owner, const char* text, const char* caption, uint32_t style) override;
  uint32_t MsgWaitForMultipleObjects(uint32_t count, const Handle* handles, bool waitAll,
                                     uint32_t timeoutMs, uint32_t wakeMask) override;
  bool ProcessPendingMessages() override;
  bool QuitPending() override;
  uint32_t GetWindowProcessId(Hwnd window) override;

  // The program's own keyboard handling (Tab, Esc) for messages pumped inside waits, so that a
  // wait behaves like the main message loop. The hook gets a MSG* and returns true when it
  // consumed the message; an empty hook lets every message through.
  using PreTranslate = std::function<bool(void* msg)>;
  void SetPreTranslate(PreTranslate hook) { preTranslate_ = std::move(hook); }

 private:
  PreTranslate preTranslate_;
};

class Win32SystemApi final : public SystemApi {
 public:
  Handle CreateWaitableTimerA() override;
  bool SetWaitableTimer(Handle timer, int64_t dueTime) override;
  bool CloseHandle(Handle handle) override;
  uint64_t GetTickCount64() override;
  void Sleep(uint32_t milliseconds) override;
  LocalTime GetLocalTime() override;
  int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* text, int length,
                          char16_t* buffer, int bufferUnits) override;
  int WideCharToMultiByte(uint32_t codePage, const char16_t* text, int length, char* buffer,
                          int bufferBytes) override;
  Handle FindFirstFileW(const char16_t* path, FindData* data) override;
  bool FindNextFileW(Handle search, FindData* data) override;
  bool FindClose(Handle search) override;
  bool CreateDirectoryW(const char16_t* path) override;
  Handle CreateFileW(const char16_t* path, uint32_t shareMode) override;
  bool GetFileSizeEx(Handle file, uint64_t* size) override;
  uint32_t GetFileAttributesW(const char16_t* path) override;
  Handle CreateTemporaryFileW(const char16_t* path) override;
  bool ReadFile(Handle file, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead) override;
  Handle CreateNewFileW(const char16_t* path) override;
  bool WriteFile(Handle file, const void* buffer, uint32_t bytesToWrite,
                 uint32_t* bytesWritten) override;
  uint32_t GetLastError() override;
  uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer) override;
  bool SetCurrentDirectoryA(const char* path) override;
  std::string ProgramDirectory() override;
  bool CreateProcessA(const char* commandLine, int showMode, ProcessInfo* info) override;
  uint32_t WaitForInputIdle(Handle process, uint32_t milliseconds) override;
  uint32_t WaitForSingleObject(Handle handle, uint32_t milliseconds) override;
  bool TerminateProcess(Handle process, uint32_t exitCode) override;
};

class Win32DialogApi final : public DialogApi {
 public:
  bool GetOpenFileNameA(OpenFileRecord* record) override;
  bool GetSaveFileNameA(OpenFileRecord* record) override;
  uint32_t CommDlgExtendedError() override;
};

// One process-wide instance of each, for the program's own use; Win32Windows() is the window
// part of Win32Platform(), for the one who wires the program.
Platform& Win32Platform();
Win32WindowApi& Win32Windows();

}  // namespace platform

#pragma once
// user32 as the toolkit uses it: one virtual per platform call, same arguments and results.
// The Win32 build forwards each to the real call; native tests use the fake desktop.
#include <cstdint>

#include "platform/types.h"

namespace platform {

class WindowApi {
 public:
  virtual ~WindowApi() = default;

  virtual Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const char* className,
                             const char* title) = 0;
  virtual bool GetWindowInfo(Hwnd window, WindowInfo* info) = 0;
  virtual bool GetWindowRect(Hwnd window, Rect* rect) = 0;
  virtual bool GetClientRect(Hwnd window, Rect* rect) = 0;
  virtual bool ClientToScreen(Hwnd window, Point* point) = 0;
  virtual int GetClassNameA(Hwnd window, char* buffer, int maxCount) = 0;
  virtual bool IsWindow(Hwnd window) = 0;
  virtual bool IsIconic(Hwnd window) = 0;
  virtual bool IsWindowVisible(Hwnd window) = 0;
  virtual Hwnd GetDesktopWindow() = 0;

  virtual bool PostMessageA(Hwnd window, uint32_t message, uint32_t wParam, uint32_t lParam) = 0;
  virtual bool PostMessageW(Hwnd window, uint32_t message, uint32_t wParam, uint32_t lParam) = 0;
  virtual int32_t SendMessageA(Hwnd window, uint32_t message, uint32_t wParam, uint32_t lParam) = 0;
  // Returns non-zero when the message was processed within the timeout.
  virtual uint32_t SendMessageTimeoutA(Hwnd window, uint32_t message, uint32_t wParam,
                                       uint32_t lParam, uint32_t flags, uint32_t timeoutMs,
                                       uint32_t* result) = 0;

  virtual uint32_t MapVirtualKeyA(uint32_t code, uint32_t mapType) = 0;
  virtual int32_t GetWindowLongA(Hwnd window, int index) = 0;
  virtual int32_t SetWindowLongA(Hwnd window, int index, int32_t value) = 0;
  virtual bool SetLayeredWindowAttributes(Hwnd window, uint32_t colorKey, uint8_t alpha,
                                          uint32_t flags) = 0;
  virtual bool ShowWindowAsync(Hwnd window, int command) = 0;
  virtual uint32_t RegisterWindowMessageA(const char* name) = 0;
  virtual int GetSystemMetrics(int index) = 0;
  // The window's DPI; where the platform has no per-window DPI, the screen's. 0 when unknown.
  virtual uint32_t GetDpiForWindow(Hwnd window) = 0;
  virtual int MessageBoxA(Hwnd owner, const char* text, const char* caption, uint32_t style) = 0;

  // Waits for one of the handles or for input to the calling thread (user32).
  virtual uint32_t MsgWaitForMultipleObjects(uint32_t count, const Handle* handles, bool waitAll,
                                             uint32_t timeoutMs, uint32_t wakeMask) = 0;
  // Dispatches every message pending for the calling thread (PeekMessage/Translate/Dispatch).
  // Stops at the thread's quit message, which stays pending for the main loop, and returns
  // false then; true when everything pending was dispatched.
  virtual bool ProcessPendingMessages() = 0;
  // Whether the thread's quit message is pending (PeekMessage for WM_QUIT, not removed).
  virtual bool QuitPending() = 0;
  // The id of the process that created the window (GetWindowThreadProcessId); 0 for none.
  virtual uint32_t GetWindowProcessId(Hwnd window) = 0;
};

}  // namespace platform

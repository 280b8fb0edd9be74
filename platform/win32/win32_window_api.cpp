#include <windows.h>

#include "platform/win32/scoped_handles.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"

namespace platform {

Hwnd Win32WindowApi::FindWindowExA(Hwnd parent, Hwnd childAfter, const char* className,
                                   const char* title) {
  return FromHwnd(::FindWindowExA(ToHwnd(parent), ToHwnd(childAfter), className, title));
}

bool Win32WindowApi::GetWindowInfo(Hwnd window, WindowInfo* info) {
  WINDOWINFO native{};
  native.cbSize = info->cbSize;
  if (!::GetWindowInfo(ToHwnd(window), &native)) return false;
  info->window = {native.rcWindow.left, native.rcWindow.top, native.rcWindow.right,
                  native.rcWindow.bottom};
  info->client = {native.rcClient.left, native.rcClient.top, native.rcClient.right,
                  native.rcClient.bottom};
  info->style = native.dwStyle;
  info->exStyle = native.dwExStyle;
  info->windowStatus = native.dwWindowStatus;
  info->cxWindowBorders = native.cxWindowBorders;
  info->cyWindowBorders = native.cyWindowBorders;
  info->atomWindowType = native.atomWindowType;
  info->creatorVersion = native.wCreatorVersion;
  return true;
}

static bool ReadRect(BOOL ok, const RECT& r, Rect* out) {
  if (!ok) return false;
  *out = {r.left, r.top, r.right, r.bottom};
  return true;
}

bool Win32WindowApi::GetWindowRect(Hwnd window, Rect* rect) {
  RECT r{};
  return ReadRect(::GetWindowRect(ToHwnd(window), &r), r, rect);
}

bool Win32WindowApi::GetClientRect(Hwnd window, Rect* rect) {
  RECT r{};
  return ReadRect(::GetClientRect(ToHwnd(window), &r), r, rect);
}

bool Win32WindowApi::ClientToScreen(Hwnd window, Point* point) {
  POINT p{point->x, point->y};
  if (!::ClientToScreen(ToHwnd(window), &p)) return false;
  *point = {p.x, p.y};
  return true;
}

int Win32WindowApi::GetClassNameA(Hwnd window, char* buffer, int maxCount) {
  return ::GetClassNameA(ToHwnd(window), buffer, maxCount);
}

bool Win32WindowApi::IsWindow(Hwnd window) { return ::IsWindow(ToHwnd(window)) != 0; }
bool Win32WindowApi::IsIconic(Hwnd window) { return ::IsIconic(ToHwnd(window)) != 0; }
bool Win32WindowApi::IsWindowVisible(Hwnd window) {
  return ::IsWindowVisible(ToHwnd(window)) != 0;
}
Hwnd Win32WindowApi::GetDesktopWindow() { return FromHwnd(::GetDesktopWindow()); }

bool Win32WindowApi::PostMessageA(Hwnd window, uint32_t message, uint32_t wParam,
                                  uint32_t lParam) {
  return ::PostMessageA(ToHwnd(window), message, wParam, static_cast<LPARAM>(lParam)) != 0;
}

bool Win32WindowApi::PostMessageW(Hwnd window, uint32_t message, uint32_t wParam,
                                  uint32_t lParam) {
  return ::PostMessageW(ToHwnd(window), message, wParam, static_cast<LPARAM>(lParam)) != 0;
}

int32_t Win32WindowApi::SendMessageA(Hwnd window, uint32_t message, uint32_t wParam,
                                     uint32_t lParam) {
  return static_cast<int32_t>(
      ::SendMessageA(ToHwnd(window), message, wParam, static_cast<LPARAM>(lParam)));
}

uint32_t Win32WindowApi::SendMessageTimeoutA(Hwnd window, uint32_t message, uint32_t wParam,
                                             uint32_t lParam, uint32_t flags,
                                             uint32_t timeoutMs, uint32_t* result) {
  DWORD_PTR answer = 0;
  LRESULT ok = ::SendMessageTimeoutA(ToHwnd(window), message, wParam,
                                     static_cast<LPARAM>(lParam), flags, timeoutMs, &answer);
  if (result) *result = static_cast<uint32_t>(answer);
  return static_cast<uint32_t>(ok);
}

uint32_t Win32WindowApi::MapVirtualKeyA(uint32_t code, uint32_t mapType) {
  return ::MapVirtualKeyA(code, mapType);
}

int32_t Win32WindowApi::GetWindowLongA(Hwnd window, int index) {
  return ::GetWindowLongA(ToHwnd(window), index);
}

int32_t Win32WindowApi::SetWindowLongA(Hwnd window, int index, int32_t value) {
  return ::SetWindowLongA(ToHwnd(window), index, value);
}

bool Win32WindowApi::SetLayeredWindowAttributes(Hwnd window, uint32_t colorKey, uint8_t alpha,
                                                uint32_t flags) {
  return ::SetLayeredWindowAttributes(ToHwnd(window), colorKey, alpha, flags) != 0;
}

bool Win32WindowApi::ShowWindowAsync(Hwnd window, int command) {
  return ::ShowWindowAsync(ToHwnd(window), command) != 0;
}

uint32_t Win32WindowApi::RegisterWindowMessageA(const char* name) {
  return ::RegisterWindowMessageA(name);
}

int Win32WindowApi::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

uint32_t Win32WindowApi::GetDpiForWindow(Hwnd window) {
  // Per-window DPI came with Windows 10 (1607); earlier systems have one DPI for the screen.
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (dpiForWindow != nullptr) return dpiForWindow(ToHwnd(window));
  const WindowDc screen(nullptr);
  return screen ? static_cast<uint32_t>(::GetDeviceCaps(screen.Get(), LOGPIXELSX)) : 0;
}

int Win32WindowApi::MessageBoxA(Hwnd owner, const char* text, const char* caption,
                                uint32_t style) {
  return ::MessageBoxA(ToHwnd(owner), text, caption, style);
}

uint32_t Win32WindowApi::MsgWaitForMultipleObjects(uint32_t count, const Handle* handles,
                                                   bool waitAll, uint32_t timeoutMs,
                                                   uint32_t wakeMask) {
  HANDLE native[MAXIMUM_WAIT_OBJECTS] = {};
  if (count > MAXIMUM_WAIT_OBJECTS) return WAIT_FAILED;
  for (uint32_t i = 0; i < count; ++i) native[i] = ToHandle(handles[i]);
  return ::MsgWaitForMultipleObjects(count, count ? native : nullptr, waitAll, timeoutMs,
                                     wakeMask);
}

bool Win32WindowApi::ProcessPendingMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave the quit for the message loop that owns it.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (preTranslate_ && preTranslate_(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return true;
}

bool Win32WindowApi::QuitPending() {
  MSG msg;
  return ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

uint32_t Win32WindowApi::GetWindowProcessId(Hwnd window) {
  DWORD id = 0;
  if (!::GetWindowThreadProcessId(ToHwnd(window), &id)) return 0;
  return id;
}

}  // namespace platform

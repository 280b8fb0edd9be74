#pragma once
// Real windows for the toolkit tests: created on the test's thread (or a thread of its own
// when the test needs a blocked window thread) and destroyed by the test fixture.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/win32_handles.h"

namespace testwin {

inline const char* RegisterAnsiClass(const char* name) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
  return name;
}

inline HWND MakeWindow(const char* className, const char* title, HWND parent = nullptr) {
  RegisterAnsiClass(className);
  DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW;
  return CreateWindowExA(0, className, title, style, 10, 10, 200, 100, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

}  // namespace testwin

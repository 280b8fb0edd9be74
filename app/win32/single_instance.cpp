#include "app/win32/single_instance.h"

#include "app/win32/main_window.h"

namespace app {
namespace {

constexpr wchar_t kInstanceName[] = L"Local\\ORVELLANQZ-1151-BiosMaker";
constexpr char kAlreadyRunning[] = "本工具已经在运行,请使用已经打开的窗口";
constexpr char kCaption[] = "信息：";

}  // namespace

InstanceClaim ClaimInstance() {
  InstanceClaim claim;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceName);
  claim.otherRunning = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  claim.mutex.Reset(mutex);
  return claim;
}

void PointToRunningInstance() {
  // Top-most like the running tool's window, which would otherwise cover the box.
  MessageBoxA(nullptr, kAlreadyRunning, kCaption, MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST);
  // The running tool may still be starting: its window is made hidden and shown afterwards.
  HWND running = FindWindowA(kMainWindowClass, nullptr);
  if (running == nullptr || !IsWindowVisible(running)) return;
  if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
  SetForegroundWindow(running);
}

}  // namespace app

// Shows the label canvas in a process of its own, so that the test's captures of it cross a
// process boundary. Ends on WM_CLOSE, or by itself after a minute.
#include "label_canvas.h"

int main() {
  HWND window = canvas::CreateCanvasWindow(700, 120, canvas::kHostTitle);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  const DWORD start = GetTickCount();
  while (IsWindow(window) && GetTickCount() - start < 60000) {
    canvas::PumpFor(50);
    MSG msg;
    if (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) break;
  }
  if (IsWindow(window)) DestroyWindow(window);
  return 0;
}

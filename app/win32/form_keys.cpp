#include "app/win32/form_keys.h"

namespace app {

bool HandleFormKey(HWND form, MSG* message) {
  if (!form || !message || message->message != WM_KEYDOWN) return false;
  if (message->hwnd != form && !IsChild(form, message->hwnd)) return false;
  const WPARAM key = message->wParam;
  if (key != VK_TAB && key != VK_ESCAPE) return false;

  LRESULT wants = 0;
  if (message->hwnd != form) {
    wants = SendMessageA(message->hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(message));
  }
  if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;

  if (key == VK_ESCAPE) {
    SendMessageA(form, WM_CLOSE, 0, 0);
    return true;
  }
  if (wants & DLGC_WANTTAB) return false;
  const bool backwards = GetKeyState(VK_SHIFT) < 0;
  HWND focus = GetFocus();
  HWND next = GetNextDlgTabItem(form, (focus && IsChild(form, focus)) ? focus : nullptr, backwards);
  if (next) SetFocus(next);
  return true;
}

}  // namespace app

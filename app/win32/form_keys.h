#pragma once
// The form's own keyboard handling, run on every message before it is dispatched: Tab and
// Shift+Tab move the focus through the Tab stops; Esc closes the window. The focused control
// is asked first (WM_GETDLGCODE) and keeps the keys it wants. Enter means nothing here.
#include <windows.h>

namespace app {

// True when the message was consumed.
bool HandleFormKey(HWND form, MSG* message);

}  // namespace app

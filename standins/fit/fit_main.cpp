// The stand-in flash image tool: a main window that a modal licence dialog disables until the
// user accepts the licence once; after that the main window opens usable straight away.
#include <windows.h>

#include <vector>

#include "standins/fit/licence_store.h"

namespace {

constexpr const wchar_t* kMainClass = L"Qt5QWindowIcon";
constexpr const wchar_t* kMainTitle = L"Flash Image Tool";
// With WS_VISIBLE added by ShowWindow this reads 0x96CF0000, the style of a usable window.
constexpr DWORD kMainStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION |
                             WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr int kAcceptBox = 100;

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

INT_PTR CALLBACK LicenceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
      CreateWindowExW(0, L"Static", L"Intel Flash Image Tool licence agreement",
                      WS_CHILD | WS_VISIBLE, 10, 10, 380, 20, dialog, nullptr, instance, nullptr);
      CreateWindowExW(0, L"Button", L"I accept the license agreement",
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 10, 40, 300, 22,
                      dialog, reinterpret_cast<HMENU>(kAcceptBox), instance, nullptr);
      HWND ok = CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON,
                                220, 80, 80, 26, dialog, reinterpret_cast<HMENU>(IDOK), instance,
                                nullptr);
      CreateWindowExW(0, L"Button", L"Cancel", WS_CHILD | WS_VISIBLE, 310, 80, 80, 26, dialog,
                      reinterpret_cast<HMENU>(IDCANCEL), instance, nullptr);
      EnableWindow(ok, FALSE);  // only once the box is ticked
      SetWindowPos(dialog, nullptr, 60, 800, 420, 160, SWP_NOZORDER);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kAcceptBox) {
        const bool ticked = IsDlgButtonChecked(dialog, kAcceptBox) == BST_CHECKED;
        EnableWindow(GetDlgItem(dialog, IDOK), ticked);
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK && IsDlgButtonChecked(dialog, kAcceptBox) == BST_CHECKED) {
        // Kept before the main window becomes usable, so whoever sees it usable can rely on it.
        standin::RememberLicenceAccepted();
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

std::vector<WORD> LicenceTemplate() {
  std::vector<WORD> t;
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.push_back(LOWORD(style));
  t.push_back(HIWORD(style));
  t.push_back(0);
  t.push_back(0);
  t.push_back(0);  // controls are created in WM_INITDIALOG
  for (int i = 0; i < 4; ++i) t.push_back(0);
  t.push_back(0);  // no menu
  t.push_back(0);  // standard dialog class
  for (const wchar_t* c = L"License Agreement"; *c; ++c) t.push_back(WORD(*c));
  t.push_back(0);
  return t;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = MainProc;
  cls.hInstance = instance;
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  cls.lpszClassName = kMainClass;
  if (!RegisterClassW(&cls)) return 1;
  HWND main = CreateWindowExW(0, kMainClass, kMainTitle, kMainStyle, 0, 760, 800, 500, nullptr,
                              nullptr, instance, nullptr);
  if (!main) return 1;
  ShowWindow(main, showCommand);
  if (!standin::LicenceAccepted()) {
    // The dialog manager disables the owner while the licence dialog is open.
    const std::vector<WORD> dialogTemplate = LicenceTemplate();
    const INT_PTR answer = DialogBoxIndirectParamW(
        instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), main,
        LicenceProc, 0);
    if (answer != IDOK) {
      DestroyWindow(main);
      return 0;
    }
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

#include "standins/coffeetime/save_dialog.h"

#include <vector>

#include "standins/coffeetime/wide_text.h"

namespace standin {

namespace {

// The levels between the dialog and the combo box, each the only child of the one above.
constexpr const char16_t* kChainClasses[] = {u"DUIViewWndClassName", u"DirectUIHWND",
                                             u"FloatNotifySink"};

struct DialogData {
  SaveHandler onSave;
  HWND fileNameBox = nullptr;
};

void RegisterChainClasses(HINSTANCE instance) {
  for (const char16_t* name : kChainClasses) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = instance;
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = Wide(name);
    RegisterClassW(&cls);  // a second registration fails harmlessly
  }
}

HWND BuildChildren(HWND dialog) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
  RegisterChainClasses(instance);
  HWND parent = dialog;
  int width = 420;
  for (const char16_t* name : kChainClasses) {
    parent = CreateWindowExW(0, Wide(name), L"", WS_CHILD | WS_VISIBLE, parent == dialog ? 10 : 0,
                             parent == dialog ? 10 : 0, width, 40, parent, nullptr, instance,
                             nullptr);
    if (!parent) return nullptr;
  }
  HWND combo = CreateWindowExW(0, L"ComboBox", L"",
                               WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0,
                               width, 200, parent, nullptr, instance, nullptr);
  CreateWindowExW(0, L"Button", Wide(u"保存(&S)"), WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 230,
                  70, 90, 26, dialog, reinterpret_cast<HMENU>(IDOK), instance, nullptr);
  CreateWindowExW(0, L"Button", Wide(u"取消"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 330, 70, 90,
                  26, dialog, reinterpret_cast<HMENU>(IDCANCEL), instance, nullptr);
  return combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
}

std::u16string TextOf(HWND window) {
  if (!window) return {};
  const int length = GetWindowTextLengthW(window);
  std::u16string text(size_t(length) + 1, u'\0');
  const int got = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(size_t(got > 0 ? got : 0));
  return text;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* data = reinterpret_cast<DialogData*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      data = reinterpret_cast<DialogData*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(data));
      data->fileNameBox = BuildChildren(dialog);
      if (data->fileNameBox) {
        // Through the combo box, which owns its edit box's text and selection.
        HWND combo = GetParent(data->fileNameBox);
        SetWindowTextW(combo, Wide(kDefaultSaveName));
        SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
      }
      // Below the patcher window and left of where the tool's window sits on the test screen.
      SetWindowPos(dialog, nullptr, 0, 720, 460, 150, SWP_NOZORDER | SWP_NOACTIVATE);
      return FALSE;
    }
    case WM_COMMAND:
      if (!data) break;
      if (LOWORD(wParam) == IDOK) {
        const std::u16string path = TextOf(data->fileNameBox);
        SaveHandler onSave = data->onSave;
        DestroyWindow(dialog);
        if (!path.empty()) onSave(path);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        DestroyWindow(dialog);
        return TRUE;
      }
      break;
    case WM_CLOSE:
      DestroyWindow(dialog);
      return TRUE;
    case WM_NCDESTROY:
      delete data;
      SetWindowLongPtrW(dialog, DWLP_USER, 0);
      return FALSE;
  }
  return FALSE;
}

// An in-memory dialog template: no controls (they are created in WM_INITDIALOG), a title.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> t;
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
  t.push_back(LOWORD(style));
  t.push_back(HIWORD(style));
  t.push_back(0);  // extended style
  t.push_back(0);
  t.push_back(0);  // no controls
  for (int i = 0; i < 4; ++i) t.push_back(0);  // x, y, cx, cy: set in WM_INITDIALOG
  t.push_back(0);  // no menu
  t.push_back(0);  // the standard dialog class
  for (const char16_t* c = u"Save image"; *c; ++c) t.push_back(WORD(*c));
  t.push_back(0);
  return t;
}

}  // namespace

void RunSaveDialog(HINSTANCE instance, HWND owner, SaveHandler onSave,
                   const MessageObserver& observe) {
  const std::vector<WORD> dialogTemplate = DialogTemplate();
  auto* data = new DialogData{std::move(onSave), nullptr};
  HWND dialog = CreateDialogIndirectParamW(
      instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner, DialogProc,
      reinterpret_cast<LPARAM>(data));
  if (!dialog) {
    delete data;  // WM_NCDESTROY never came
    return;
  }
  EnableWindow(owner, FALSE);
  MSG message;
  while (IsWindow(dialog)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(int(message.wParam));  // for the main loop
      break;
    }
    if (observe) observe(message);
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (IsWindow(owner)) EnableWindow(owner, TRUE);
}

}  // namespace standin

#include "tests/e2e/harness/tool_session.h"

#include <algorithm>
#include <vector>

#include "app/control_table.h"
#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"

namespace e2e {

namespace {

constexpr const wchar_t* kMainTitle = L"ORVELLANQZ-1151主板魔改BIOS制作器";
constexpr const char* kStatusBox = "编辑框2";
// The text of a message box: Windows gives it the id 0xFFFF, Wine 100.
constexpr int kMessageTextIds[] = {0xFFFF, 100};
constexpr int kFileNameCombo = 0x47C;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1

bool IsFileDialog(HWND dialog) {
  return GetDlgItem(dialog, kFileNameCombo) != nullptr ||
         GetDlgItem(dialog, kFileNameEdit) != nullptr;
}

HWND MessageTextOf(HWND dialog) {
  if (IsFileDialog(dialog)) return nullptr;
  for (int id : kMessageTextIds) {
    HWND text = GetDlgItem(dialog, id);
    if (text && ClassOf(text) == L"Static") return text;
  }
  return nullptr;
}

bool IsMessageBox(HWND dialog) { return MessageTextOf(dialog) != nullptr; }

// Which standard icon a message box shows, judged by the colours of its icon on screen: the
// exclamation sign is yellow, the information sign blue.
BoxIcon IconOf(HWND box) {
  for (HWND child : Descendants(box, L"Static")) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    RECT r;
    if (!GetWindowRect(child, &r)) continue;
    HDC screen = GetDC(nullptr);
    int yellow = 0, blue = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        const COLORREF c = GetPixel(screen, x, y);
        const int red = GetRValue(c), green = GetGValue(c), bl = GetBValue(c);
        if (red > 180 && green > 150 && bl < 110) ++yellow;
        if (bl > 150 && red < 110) ++blue;
      }
    }
    ReleaseDC(nullptr, screen);
    if (yellow > 20 && yellow > blue) return BoxIcon::kExclamation;
    if (blue > 20) return BoxIcon::kInformation;
  }
  return BoxIcon::kNone;
}

}  // namespace

bool ToolSession::Start(const EnvironmentVariables& extra, DWORD timeoutMs) {
  return Launch(extra) && WaitForMainWindow(timeoutMs);
}

bool ToolSession::Launch(const EnvironmentVariables& extra, const std::wstring& exe) {
  processId_ = group_.Start(exe.empty() ? RunFolder() + L"\\BiosMaker.exe" : exe, SW_SHOWNORMAL,
                            extra);
  return processId_ != 0;
}

bool ToolSession::WaitForMainWindow(DWORD timeoutMs) {
  return WaitUntil([&] {
    main_ = FirstTopLevel(L"", kMainTitle, processId_);
    return main_ != nullptr && IsWindowVisible(main_);
  }, timeoutMs, 100);
}

HWND ToolSession::Control(const char* gbkName) const {
  const int id = app::ControlId(gbkName);
  if (id < 0 || !main_) return nullptr;
  // Controls inside group boxes are their children, so search the whole tree.
  for (HWND child : Descendants(main_, L"")) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

bool ToolSession::IsEnabled(const char* gbkName) const {
  HWND control = Control(gbkName);
  return control && IsWindowEnabled(control);
}

bool ToolSession::IsChecked(const char* gbkName) const {
  HWND box = Control(gbkName);
  DWORD_PTR state = 0;
  return box && SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state) &&
         state == BST_CHECKED;
}

std::wstring ToolSession::Caption(const char* gbkName) const {
  HWND control = Control(gbkName);
  return control ? TextOf(control) : std::wstring();
}

RECT ToolSession::Bounds() const {
  RECT r{};
  GetWindowRect(main_, &r);
  return r;
}

bool ToolSession::PressButton(const std::wstring& caption) {
  HWND button = DescendantWithText(main_, L"Button", caption);
  return button && PostMessageW(button, BM_CLICK, 0, 0);
}

bool ToolSession::SetCheckBox(const std::wstring& caption, bool ticked) {
  HWND box = DescendantWithText(main_, L"Button", caption);
  if (!box) return false;
  DWORD_PTR state = 0;
  if (!SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state)) return false;
  if ((state == BST_CHECKED) == ticked) return true;
  PostMessageW(box, BM_CLICK, 0, 0);
  return WaitUntil([&] {
    return SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 500, &state) &&
           (state == BST_CHECKED) == ticked;
  }, 3000);
}

// The status box and the notice box start with the same heading, so the box is taken by its
// control id rather than by its text.
std::wstring ToolSession::StatusText() {
  HWND box = Control(kStatusBox);
  return box ? FromGbk(GbkTextOf(box)) : std::wstring();
}

bool ToolSession::WaitForStatus(const std::wstring& fragment, DWORD timeoutMs) {
  return WaitUntil([&] { return StatusText().find(fragment) != std::wstring::npos; }, timeoutMs,
                   200);
}

HWND ToolSession::WaitForFileDialog(DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND dialog : TopLevelWindows(L"#32770", L"", processId_)) {
      if (!IsMessageBox(dialog) && IsWindowVisible(dialog)) {
        found = dialog;
        return true;
      }
    }
    return false;
  }, timeoutMs, 100);
  return found;
}

namespace {

// The file name box of a standard file dialog: the edit inside its name combo box, or the
// plain name edit of the older layout.
HWND FileNameBoxOf(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, kFileNameCombo)) {
    if (ClassOf(combo) == L"Edit") return combo;
    for (HWND edit : Descendants(combo, L"Edit")) return edit;
  }
  HWND edit = GetDlgItem(dialog, kFileNameEdit);
  return edit && IsWindowVisible(edit) ? edit : nullptr;
}

}  // namespace

bool ToolSession::FillFileDialog(const std::wstring& path, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  HWND dialog = WaitForFileDialog(timeoutMs);
  if (!dialog) return false;
  // The dialog is shown before all its controls are made.
  HWND nameBox = nullptr;
  const DWORD left = DWORD(std::max<LONGLONG>(LONGLONG(end) - LONGLONG(GetTickCount64()), 0));
  if (!WaitUntil([&] { return (nameBox = FileNameBoxOf(dialog)) != nullptr; }, left)) {
    return false;
  }
  Pause(300);  // let the dialog finish filling its list before the name is set
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                           SMTO_ABORTIFHUNG, 2000, &result)) {
    return false;
  }
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  return WaitUntil([&] { return !IsWindow(dialog); }, 5000);
}

bool ToolSession::CancelFileDialog(DWORD timeoutMs) {
  HWND dialog = WaitForFileDialog(timeoutMs);
  if (!dialog) return false;
  Pause(300);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  return WaitUntil([&] { return !IsWindow(dialog); }, 5000);
}

std::optional<MessageBoxInfo> ToolSession::WaitForMessageBox(DWORD timeoutMs) {
  HWND box = nullptr;
  WaitUntil([&] {
    for (HWND dialog : TopLevelWindows(L"#32770", L"", processId_)) {
      if (IsMessageBox(dialog) && IsWindowVisible(dialog)) {
        box = dialog;
        return true;
      }
    }
    return false;
  }, timeoutMs, 100);
  if (!box) return std::nullopt;
  Pause(300);  // let it paint before its icon is looked at
  MessageBoxInfo info;
  info.window = box;
  info.text = TextOf(MessageTextOf(box));
  info.caption = TextOf(box);
  info.icon = IconOf(box);
  return info;
}

bool ToolSession::DismissMessageBox(const MessageBoxInfo& box) { return AnswerMessageBox(box, IDOK); }

bool ToolSession::AnswerMessageBox(const MessageBoxInfo& box, int id) {
  PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.window, id)));
  return WaitUntil([&] { return !IsWindow(box.window); }, 3000);
}

}  // namespace e2e

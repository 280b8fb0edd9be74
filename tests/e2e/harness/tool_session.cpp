#include "tests/e2e/harness/tool_session.h"

#include <vector>

#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"

namespace e2e {

namespace {

constexpr const wchar_t* kMainTitle = L"ORVELLANQZ-1151主板魔改BIOS制作器";
constexpr const wchar_t* kStatusHeading = L"工作状态";
constexpr int kMessageTextId = 0xFFFF;
constexpr int kFileNameCombo = 0x47C;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1

bool IsMessageBox(HWND dialog) { return GetDlgItem(dialog, kMessageTextId) != nullptr; }

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
  processId_ = group_.Start(RunFolder() + L"\\BiosMaker.exe", SW_SHOWNORMAL, extra);
  if (processId_ == 0) return false;
  return WaitUntil([&] {
    main_ = FirstTopLevel(L"", kMainTitle, processId_);
    return main_ != nullptr && IsWindowVisible(main_);
  }, timeoutMs, 100);
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

std::wstring ToolSession::StatusText() {
  for (HWND edit : Descendants(main_, L"Edit")) {
    if (!(GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE)) continue;
    const std::wstring text = FromGbk(GbkTextOf(edit));
    if (text.rfind(kStatusHeading, 0) == 0) return text;
  }
  return {};
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

bool ToolSession::FillFileDialog(const std::wstring& path, DWORD timeoutMs) {
  HWND dialog = WaitForFileDialog(timeoutMs);
  if (!dialog) return false;
  HWND nameBox = nullptr;
  if (HWND combo = GetDlgItem(dialog, kFileNameCombo)) {
    nameBox = ClassOf(combo) == L"Edit" ? combo : FindWindowExW(combo, nullptr, L"Edit", nullptr);
  }
  if (!nameBox) nameBox = GetDlgItem(dialog, kFileNameEdit);
  if (!nameBox) return false;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                           SMTO_ABORTIFHUNG, 2000, &result)) {
    return false;
  }
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
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
  info.text = TextOf(GetDlgItem(box, kMessageTextId));
  info.caption = TextOf(box);
  info.icon = IconOf(box);
  return info;
}

bool ToolSession::DismissMessageBox(const MessageBoxInfo& box) {
  PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.window, IDOK)));
  return WaitUntil([&] { return !IsWindow(box.window); }, 3000);
}

}  // namespace e2e

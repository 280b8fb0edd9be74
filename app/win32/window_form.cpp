#include "app/win32/window_form.h"

#include <commctrl.h>

#include "app/notice/win32/page_viewer.h"
#include "app/picture_decoding.h"
#include "platform/win32/win32_handles.h"

namespace app {
namespace {

bool IsLabel(std::string_view control) {
  const ControlSpec* spec = FindControl(control);
  return spec && (spec->kind == ControlKind::kLabel || spec->kind == ControlKind::kWrapLabel);
}

}  // namespace

void WindowForm::SetDisabled(std::string_view control, bool disabled) {
  if (HWND handle = window_.ControlHandle(control)) EnableWindow(handle, disabled ? FALSE : TRUE);
}

bool WindowForm::IsChecked(std::string_view control) {
  HWND handle = window_.ControlHandle(control);
  return handle && SendMessageA(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WindowForm::SetCaption(std::string_view control, const std::string& text) {
  if (HWND handle = window_.ControlHandle(control)) SetWindowTextA(handle, text.c_str());
}

std::string WindowForm::GetText(std::string_view control) {
  HWND handle = window_.ControlHandle(control);
  if (!handle) return {};
  std::string text(static_cast<size_t>(GetWindowTextLengthA(handle)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(handle, text.data(), static_cast<int>(text.size()))));
  return text;
}

void WindowForm::SetText(std::string_view control, const std::string& text) {
  HWND handle = window_.ControlHandle(control);
  if (!handle) return;
  SetWindowTextA(handle, text.c_str());
  // A transparent label has no background of its own: repaint it over its parent.
  if (IsLabel(control)) InvalidateRect(handle, nullptr, TRUE);
}

void WindowForm::AppendText(std::string_view control, const std::string& text) {
  HWND handle = window_.ControlHandle(control);
  if (!handle) return;
  // The length counts bytes; past the last character the edit control clamps it to the end,
  // so the caret lands there whatever the user had selected. A disabled box takes it too.
  const WPARAM end = static_cast<WPARAM>(GetWindowTextLengthA(handle));
  SendMessageA(handle, EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessageA(handle, EM_SCROLLCARET, 0, 0);
  SendMessageA(handle, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void WindowForm::SetPicture(std::string_view control, std::string_view imageFile) {
  DecodedPicture decoded = DecodePicture(imageFile);
  if (decoded.ok) window_.SetPicture(control, decoded.picture);
}

void WindowForm::SetInterval(std::string_view control, int milliseconds) {
  window_.SetTimerInterval(control, milliseconds);
}

void WindowForm::Navigate(std::string_view control, const std::string& url) {
  if (HWND handle = window_.ControlHandle(control)) NavigatePageViewer(handle, url);
}

platform::Hwnd WindowForm::NativeHandle(std::string_view control) {
  if (control.empty()) return platform::FromHwnd(window_.Handle());
  return platform::FromHwnd(window_.ControlHandle(control));
}

void WindowForm::ClearRows(std::string_view control) {
  if (HWND handle = window_.ControlHandle(control)) SendMessageA(handle, LVM_DELETEALLITEMS, 0, 0);
}

int WindowForm::AppendRow(std::string_view control, const std::string& text) {
  HWND handle = window_.ControlHandle(control);
  if (!handle) return -1;
  std::string copy = text;
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(SendMessageA(handle, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = copy.data();
  return static_cast<int>(SendMessageA(handle, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void WindowForm::SetCell(std::string_view control, int row, int column, const std::string& text) {
  HWND handle = window_.ControlHandle(control);
  if (!handle) return;
  std::string copy = text;
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = copy.data();
  SendMessageA(handle, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void WindowForm::SetTitle(const std::string& text) {
  if (HWND handle = window_.Handle()) SetWindowTextA(handle, text.c_str());
}

RECT WindowForm::OuterRect() {
  RECT rect{};
  if (HWND handle = window_.Handle()) GetWindowRect(handle, &rect);
  return rect;
}

void WindowForm::MoveOuterRect(const RECT& rect) {
  if (HWND handle = window_.Handle()) {
    SetWindowPos(handle, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

int WindowForm::Left() { return OuterRect().left; }
int WindowForm::Top() { return OuterRect().top; }
int WindowForm::Width() {
  const RECT rect = OuterRect();
  return rect.right - rect.left;
}
int WindowForm::Height() {
  const RECT rect = OuterRect();
  return rect.bottom - rect.top;
}

void WindowForm::SetLeft(int value) {
  RECT rect = OuterRect();
  OffsetRect(&rect, value - rect.left, 0);
  MoveOuterRect(rect);
}

void WindowForm::SetTop(int value) {
  RECT rect = OuterRect();
  OffsetRect(&rect, 0, value - rect.top);
  MoveOuterRect(rect);
}

void WindowForm::SetWidth(int value) {
  RECT rect = OuterRect();
  rect.right = rect.left + value;
  MoveOuterRect(rect);
}

void WindowForm::SetHeight(int value) {
  RECT rect = OuterRect();
  rect.bottom = rect.top + value;
  MoveOuterRect(rect);
}

}  // namespace app

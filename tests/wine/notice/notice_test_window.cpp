#include "notice_test_window.h"

#include "app/notice/win32/page_viewer.h"
#include "platform/win32/win32_handles.h"

namespace notice_test {
namespace {

constexpr wchar_t kHostClass[] = L"BmtNoticeTestHost";
constexpr UINT_PTR kTimerId = 2;
constexpr int kViewerId = 120;

}  // namespace

std::wstring WideOfGbk(std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string GbkOfWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() >= deadline) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

LRESULT CALLBACK NoticeTestWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<NoticeTestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_TIMER && wParam == kTimerId && self != nullptr) {
    ++self->ticks_;
    if (self->onTick) self->onTick();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void NoticeTestWindow::Create() {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &NoticeTestWindow::Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kHostClass;
  RegisterClassExW(&windowClass);  // a second registration fails harmlessly
  main_ = CreateWindowExW(0, kHostClass, L"notice test", WS_OVERLAPPEDWINDOW, 0, 0, 600, 200,
                          nullptr, nullptr, GetModuleHandleW(nullptr), this);
  label_ = CreateWindowExW(0, L"STATIC", WideOfGbk("实时在线人数：").c_str(), WS_CHILD | WS_VISIBLE,
                           288, 104, 136, 24, main_, nullptr, nullptr, nullptr);
  noticeBox_ = CreateWindowExW(0, L"EDIT", WideOfGbk("工作状态：\r\n").c_str(),
                               WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_DISABLED, 10, 10, 272, 96,
                               main_, nullptr, nullptr, nullptr);
  viewer_ = app::CreatePageViewer(main_, 176, 120, 0, 0, kViewerId);
}

NoticeTestWindow::~NoticeTestWindow() {
  if (main_ != nullptr) {
    KillTimer(main_, kTimerId);
    DestroyWindow(main_);
  }
}

HWND NoticeTestWindow::ControlWindow(std::string_view control) {
  if (control == workflow::controls::kOnlineCountLabel) return label_;
  if (control == workflow::controls::kNoticeBox) return noticeBox_;
  if (control == workflow::controls::kPageViewer) return viewer_;
  if (control == workflow::controls::kMainWindow) return main_;
  return nullptr;
}

std::string NoticeTestWindow::TextOf(std::string_view control) {
  HWND window = ControlWindow(control);
  if (window == nullptr) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return GbkOfWide(text);
}

void NoticeTestWindow::SetText(std::string_view control, const std::string& text) {
  if (HWND window = ControlWindow(control)) SetWindowTextW(window, WideOfGbk(text).c_str());
}

void NoticeTestWindow::SetInterval(std::string_view control, int milliseconds) {
  if (control != workflow::controls::kNoticeTimer) return;
  if (milliseconds < 0) milliseconds = 0;
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  KillTimer(main_, kTimerId);
  if (milliseconds > 0) SetTimer(main_, kTimerId, static_cast<UINT>(milliseconds), nullptr);
}

void NoticeTestWindow::Navigate(std::string_view control, const std::string& url) {
  if (control == workflow::controls::kPageViewer) app::NavigatePageViewer(viewer_, url);
}

platform::Hwnd NoticeTestWindow::NativeHandle(std::string_view control) {
  return platform::FromHwnd(ControlWindow(control));
}

}  // namespace notice_test

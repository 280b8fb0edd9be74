#include "tests/e2e/harness/window_probe.h"

namespace e2e {

namespace {

constexpr UINT kTextTimeoutMs = 2000;

struct TopLevelQuery {
  const std::wstring* className;
  const std::wstring* title;
  DWORD processId;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto* q = reinterpret_cast<TopLevelQuery*>(param);
  if (!q->className->empty() && ClassOf(window) != *q->className) return TRUE;
  if (q->processId != 0 && ProcessOf(window) != q->processId) return TRUE;
  if (!q->title->empty()) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);  // top-level titles are kept by the system
    if (*q->title != buffer) return TRUE;
  }
  q->found->push_back(window);
  return TRUE;
}

struct ChildQuery {
  const std::wstring* className;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  auto* q = reinterpret_cast<ChildQuery*>(param);
  if (q->className->empty() || ClassOf(window) == *q->className) q->found->push_back(window);
  return TRUE;
}

}  // namespace

DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
}

std::vector<HWND> TopLevelWindows(const std::wstring& className, const std::wstring& title,
                                  DWORD processId) {
  std::vector<HWND> found;
  TopLevelQuery query{&className, &title, processId, &found};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&query));
  return found;
}

HWND FirstTopLevel(const std::wstring& className, const std::wstring& title, DWORD processId) {
  const std::vector<HWND> found = TopLevelWindows(className, title, processId);
  return found.empty() ? nullptr : found.front();
}

std::vector<HWND> Descendants(HWND parent, const std::wstring& className) {
  std::vector<HWND> found;
  ChildQuery query{&className, &found};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&query));
  return found;
}

HWND DescendantWithText(HWND parent, const std::wstring& className, const std::wstring& text) {
  for (HWND child : Descendants(parent, className)) {
    if (TextOf(child) == text) return child;
  }
  return nullptr;
}

std::wstring ClassOf(HWND window) {
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  return buffer;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs,
                           &length)) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

std::string GbkTextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs,
                           &length)) {
    return {};
  }
  std::string text(length * 2 + 2, '\0');  // ANSI length may exceed the wide count
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied)) {
    return {};
  }
  text.resize(strnlen(text.c_str(), text.size()));
  return text;
}

std::wstring FromGbk(const std::string& gbk) {
  if (gbk.empty()) return {};
  const int units = MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), nullptr, 0);
  std::wstring text(size_t(units), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), text.data(), units);
  return text;
}

std::string ToGbk(const std::wstring& text) {
  if (text.empty()) return {};
  const int bytes =
      WideCharToMultiByte(936, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string gbk(size_t(bytes), '\0');
  WideCharToMultiByte(936, 0, text.data(), int(text.size()), gbk.data(), bytes, nullptr, nullptr);
  return gbk;
}

bool Answers(HWND window, DWORD timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

}  // namespace e2e

#include "automation/window_finder.h"

#include "platform/api_values.h"

namespace automation {

namespace {

constexpr uint32_t kRespondTimeoutMs = 128;

// An empty text means "any" and goes to the platform as a null pointer.
const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

Hwnd LocateWindow(platform::WindowApi& api, Hwnd parent, Hwnd after, std::string_view className,
                  std::string_view title) {
  const std::string cls(className);
  const std::string caption(title);
  return api.FindWindowExA(parent, after, OrNull(cls), OrNull(caption));
}

uint32_t WindowStyleOf(platform::WindowApi& api, Hwnd window) {
  platform::WindowInfo info;
  info.cbSize = 60;
  if (!api.GetWindowInfo(window, &info)) return 0;
  return info.style;
}

WindowBounds WindowBoundsOf(platform::WindowApi& api, Hwnd window) {
  platform::Rect r;
  if (!api.GetWindowRect(window, &r)) return {};
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool IsWindowResponding(platform::WindowApi& api, Hwnd window) {
  uint32_t answer = 0;
  return api.SendMessageTimeoutA(window, platform::kWmNull, 0, 0, platform::kSmtoAbortIfHung,
                                 kRespondTimeoutMs, &answer) != 0;
}

std::string ClassNameOf(platform::WindowApi& api, Hwnd window) {
  std::string buffer(261, ' ');
  // A window that is not there has no class name (not the 261 blanks the buffer starts with).
  if (api.GetClassNameA(window, buffer.data(), 260) <= 0) return {};
  size_t end = buffer.find('\0');
  return end == std::string::npos ? buffer : buffer.substr(0, end);
}

bool IsLiveWindow(platform::WindowApi& api, Hwnd window) { return api.IsWindow(window); }

}  // namespace automation

#include "imaging/template_matcher.h"

#include "imaging/template_search.h"
#include "imaging/win32/pixel_buffer.h"
#include "platform/win32/win32_handles.h"

namespace imaging {
namespace {

IndexedImage TakeIndexed(const PixelBuffer& buffer) {
  return IndexedImage{buffer.width(), buffer.height(), buffer.PixelBytes()};
}

}  // namespace

FindResult TemplateMatcher::FindImage(platform::Hwnd window, std::string_view bmpTemplate,
                                      SearchRect& rect, bool useWindowCapture) {
  constexpr int kIndexedDepth = 8;
  PixelBuffer buffer;
  POINT origin{0, 0};
  bool captured = false;
  const HWND target = platform::ToHwnd(window);
  if (useWindowCapture) {
    captured = buffer.CaptureWindow(target, rect.left, rect.top, rect.width, rect.height,
                                    kIndexedDepth);
  } else if (target != nullptr) {
    RECT client{};
    if (ClientToScreen(target, &origin) && GetClientRect(target, &client)) {
      const int32_t maxWidth = client.right - rect.left, maxHeight = client.bottom - rect.top;
      if (rect.width == 0 || rect.width > maxWidth) rect.width = maxWidth;
      if (rect.height == 0 || rect.height > maxHeight) rect.height = maxHeight;
      captured = buffer.CaptureScreen(origin.x + rect.left, origin.y + rect.top, rect.width,
                                      rect.height, kIndexedDepth);
    }
  } else {
    captured = buffer.CaptureScreen(rect.left, rect.top, rect.width, rect.height, kIndexedDepth);
  }
  if (!captured) return FindResult{MatchPoint{}, FindStatus::kWindowUnseen};
  const IndexedImage capture = TakeIndexed(buffer);

  if (!buffer.LoadFromBytes(bmpTemplate) || !buffer.ConvertDepth(kIndexedDepth)) {
    return FindResult{MatchPoint{}, FindStatus::kNotFound};
  }
  const MatchPoint point =
      SearchTemplate(capture, TakeIndexed(buffer), rect.left + origin.x, rect.top + origin.y);
  return FindResult{point, point.found() ? FindStatus::kFound : FindStatus::kNotFound};
}

}  // namespace imaging

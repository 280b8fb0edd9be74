#include "imaging/template_matcher.h"

#include "imaging/colour_search.h"
#include "imaging/win32/pixel_buffer.h"
#include "platform/win32/win32_handles.h"

namespace imaging {
namespace {

IndexedImage TakeIndexed(const PixelBuffer& buffer) {
  return IndexedImage{buffer.width(), buffer.height(), buffer.PixelBytes()};
}

// The held 32-bit picture, read in place.
ColourView ViewOfHeld(const PixelBuffer& buffer) {
  constexpr int kDepth = 32;
  return ColourView{buffer.Packed().data() + PixelAreaOffset(kDepth), buffer.width(),
                    buffer.height(), RowStride(buffer.width(), kDepth), kDepth / 8};
}

}  // namespace

FindResult TemplateMatcher::FindImage(platform::Hwnd window, std::string_view bmpTemplate,
                                      SearchRect& rect, bool useWindowCapture) {
  // The capture stays in colour: the search reduces only the pixels it reads, by the same rule
  // as the template, which is reduced whole in a buffer of its own.
  constexpr int kCaptureDepth = 32;
  constexpr int kIndexedDepth = 8;
  PixelBuffer buffer;
  POINT origin{0, 0};
  bool captured = false;
  const HWND target = platform::ToHwnd(window);
  if (useWindowCapture) {
    captured = buffer.CaptureWindow(target, rect.left, rect.top, rect.width, rect.height,
                                    kCaptureDepth);
  } else if (target != nullptr) {
    RECT client{};
    if (ClientToScreen(target, &origin) && GetClientRect(target, &client)) {
      const int32_t maxWidth = client.right - rect.left, maxHeight = client.bottom - rect.top;
      if (rect.width == 0 || rect.width > maxWidth) rect.width = maxWidth;
      if (rect.height == 0 || rect.height > maxHeight) rect.height = maxHeight;
      captured = buffer.CaptureScreen(origin.x + rect.left, origin.y + rect.top, rect.width,
                                      rect.height, kCaptureDepth);
    }
  } else {
    captured = buffer.CaptureScreen(rect.left, rect.top, rect.width, rect.height, kCaptureDepth);
  }
  capturePacked_.clear();
  if (!captured) return FindResult{MatchPoint{}, FindStatus::kWindowUnseen};

  PixelBuffer pattern;
  MatchPoint point;
  if (pattern.LoadFromBytes(bmpTemplate) && pattern.ConvertDepth(kIndexedDepth)) {
    point = SearchTemplate(ViewOfHeld(buffer), TakeIndexed(pattern), rect.left + origin.x,
                           rect.top + origin.y);
  }
  if (useWindowCapture) {
    // Kept for whoever asks what was searched; moved out of the buffer, not copied.
    captureWidth_ = buffer.width();
    captureHeight_ = buffer.height();
    capturePacked_ = buffer.TakePacked();
  }
  return FindResult{point, point.found() ? FindStatus::kFound : FindStatus::kNotFound};
}

std::optional<ColourImage> TemplateMatcher::LastWindowCapture() const {
  if (capturePacked_.empty()) return std::nullopt;
  ColourImage image{captureWidth_, captureHeight_, {}};
  image.pixels.assign(static_cast<size_t>(image.stride() * image.height), 0);
  const int64_t sourceStride = RowStride(captureWidth_, 32);
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* from = capturePacked_.data() + PixelAreaOffset(32) + y * sourceStride;
    uint8_t* to = image.pixels.data() + y * image.stride();
    for (int32_t x = 0; x < image.width; ++x) {
      to[3 * x + 0] = from[4 * x + 0];
      to[3 * x + 1] = from[4 * x + 1];
      to[3 * x + 2] = from[4 * x + 2];
    }
  }
  return image;
}

}  // namespace imaging

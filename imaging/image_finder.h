#pragma once
// The question the workflow asks of the imaging subsystem: is this label picture shown in that
// window, and where. TemplateMatcher answers it on Win32; native tests use a fake.
#include <cstdint>
#include <optional>
#include <string_view>

#include "imaging/images.h"
#include "platform/types.h"

namespace imaging {

struct SearchRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
};

struct MatchPoint {
  int32_t x = -1, y = -1;  // (-1, -1): not found
  bool found() const { return x != -1; }
};

enum class FindStatus {
  kFound,
  kNotFound,     // the window was seen and the picture is not in it
  kWindowUnseen  // no picture of the window could be had (hidden, minimised, blank capture)
};

struct FindResult {
  MatchPoint point;
  FindStatus status = FindStatus::kNotFound;
};

class ImageFinder {
 public:
  virtual ~ImageFinder() = default;
  // template: a complete BMP file. With useWindowCapture false and a window, the screen path
  // cuts rect's width and height to the client area and writes them back.
  virtual FindResult FindImage(platform::Hwnd window, std::string_view bmpTemplate,
                               SearchRect& rect, bool useWindowCapture) = 0;
  // The picture the last window capture searched (useWindowCapture), in colour; nothing when
  // the last search took no such picture.
  virtual std::optional<ColourImage> LastWindowCapture() const = 0;
};

}  // namespace imaging

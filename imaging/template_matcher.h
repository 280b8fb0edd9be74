#pragma once
// The Win32 ImageFinder: captures the window (or the screen), reduces capture and template
// to Palette256 entries by the shared colour rule and searches by exact rows. Keeps the last
// window capture's pixels (plain memory) between calls; every platform object of a search is
// released before it returns.
#include <cstdint>
#include <vector>

#include "imaging/image_finder.h"

namespace imaging {

class TemplateMatcher : public ImageFinder {
 public:
  FindResult FindImage(platform::Hwnd window, std::string_view bmpTemplate, SearchRect& rect,
                       bool useWindowCapture) override;
  std::optional<ColourImage> LastWindowCapture() const override;

 private:
  std::vector<uint8_t> capturePacked_;  // the last window capture: 32-bit packed DIB
  int32_t captureWidth_ = 0;
  int32_t captureHeight_ = 0;
};

}  // namespace imaging

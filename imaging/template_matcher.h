#pragma once
// The Win32 ImageFinder: captures the window (or the screen), reduces capture and template
// to Palette256 entries by the shared colour rule and searches by exact rows. Keeps nothing
// between calls; every platform object of a search is released before it returns.
#include "imaging/image_finder.h"

namespace imaging {

class TemplateMatcher : public ImageFinder {
 public:
  FindResult FindImage(platform::Hwnd window, std::string_view bmpTemplate, SearchRect& rect,
                       bool useWindowCapture) override;
};

}  // namespace imaging

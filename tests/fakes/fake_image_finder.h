#pragma once
// Image search on the fake desktop: a window "shows" the labels named in its shownLabels
// ("506E3" for both renderings, "506E3/primary" or "506E3/fallback" for one, "MeEnabled").
// A hidden, minimised or non-capturable window cannot be seen.
#include <string>
#include <vector>

#include "imaging/image_finder.h"
#include "tests/fakes/fake_desktop.h"

namespace fake {

class FakeImageFinder final : public imaging::ImageFinder {
 public:
  explicit FakeImageFinder(FakeDesktop& desktop) : desktop_(desktop) {}

  struct Search {
    platform::Hwnd window;
    std::string label;  // "506E3/primary", "MeEnabled", or "?" for unknown bytes
    int64_t atMs;
  };
  std::vector<Search> searches;

  imaging::FindResult FindImage(platform::Hwnd window, std::string_view bmpTemplate,
                                imaging::SearchRect& rect, bool useWindowCapture) override;

 private:
  FakeDesktop& desktop_;
};

}  // namespace fake

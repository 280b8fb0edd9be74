#pragma once
// Image search on the fake desktop: a window "shows" the labels named in its shownLabels
// ("506E3" for every picture of that label, "506E3/primary" or "506E3/fallback" for one,
// "MeEnabled").
// A hidden, minimised or non-capturable window cannot be seen.
#include <map>
#include <optional>
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
  // Further pictures by their bytes, e.g. a picture of the labels folder named "506E3/folder";
  // shown as shownLabels say, like the stored ones.
  std::map<std::string, std::string, std::less<>> namedPictures;

  imaging::FindResult FindImage(platform::Hwnd window, std::string_view bmpTemplate,
                                imaging::SearchRect& rect, bool useWindowCapture) override;
  // After a search that saw its window: a 2 x 1 picture, its first pixel's blue byte the
  // window's handle's low byte.
  std::optional<imaging::ColourImage> LastWindowCapture() const override { return lastCapture_; }

 private:
  FakeDesktop& desktop_;
  std::optional<imaging::ColourImage> lastCapture_;
};

}  // namespace fake

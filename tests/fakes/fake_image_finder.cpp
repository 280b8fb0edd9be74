#include "tests/fakes/fake_image_finder.h"

#include "imaging/label_templates.h"

namespace fake {

namespace {

// "506E3/primary" for a stored label picture, "MeEnabled" for the ME field, "?" otherwise.
std::string NameOfPicture(std::string_view bytes) {
  for (const auto& label : imaging::MicrocodeLabels()) {
    if (bytes.data() == label.primary.data()) return std::string(label.cpuid) + "/primary";
    if (bytes.data() == label.fallback.data()) return std::string(label.cpuid) + "/fallback";
  }
  if (bytes.data() == imaging::MeEnabledLabel().data()) return "MeEnabled";
  return "?";
}

}  // namespace

imaging::FindResult FakeImageFinder::FindImage(platform::Hwnd window, std::string_view bmpTemplate,
                                               imaging::SearchRect& rect, bool useWindowCapture) {
  (void)rect;
  (void)useWindowCapture;
  const auto named = namedPictures.find(bmpTemplate);
  const std::string name = named != namedPictures.end() ? named->second : NameOfPicture(bmpTemplate);
  searches.push_back({window, name, desktop_.NowMs()});
  imaging::FindResult result;
  lastCapture_.reset();
  if (!desktop_.Exists(window)) {
    result.status = imaging::FindStatus::kWindowUnseen;
    return result;
  }
  const FakeWindow& w = desktop_.Window(window);
  if (!w.visible() || w.iconic || !w.capturable || desktop_.NowMs() < w.blankUntilMs) {
    result.status = imaging::FindStatus::kWindowUnseen;
    return result;
  }
  lastCapture_ = imaging::ColourImage{2, 1, std::vector<uint8_t>(8, 0)};
  lastCapture_->pixels[0] = static_cast<uint8_t>(window & 0xFF);
  const std::string whole = name.substr(0, name.find('/'));
  if (w.shownLabels.count(name) || w.shownLabels.count(whole)) {
    result.status = imaging::FindStatus::kFound;
    result.point = {100, 100};
  }
  return result;
}

}  // namespace fake

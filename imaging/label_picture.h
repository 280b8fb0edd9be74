#pragma once
// A label picture cut by a user from their own patcher's window, as Paint saves it: an
// uncompressed 24-bit BMP of at most 400 x 200 pixels, showing more than one colour.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/images.h"

namespace imaging {

constexpr int32_t kMaxLabelPictureWidth = 400;
constexpr int32_t kMaxLabelPictureHeight = 200;

enum class LabelPictureProblem {
  kNone,
  kNotAPicture,  // other depths, compressed, too large, malformed or cut short
  kOneColour,    // one colour covers more than 95 % of it: found in any window
};

struct LabelPictureRead {
  // The picture as a bottom-up 24-bit BMP file with the plain 40-byte header, the form the
  // stored pictures have; nothing when it cannot be used.
  std::optional<std::string> picture;
  LabelPictureProblem problem = LabelPictureProblem::kNone;
};

LabelPictureRead ReadLabelPicture(std::string_view fileBytes);

// True when one colour covers more than 95 % of the pixels: such a picture tells nothing apart.
bool IsNearlyOneColour(const ColourImage& image);

}  // namespace imaging

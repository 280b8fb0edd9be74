#include "imaging/label_picture.h"

#include <algorithm>
#include <vector>

#include "imaging/bmp_decoder.h"
#include "imaging/bmp_encoder.h"
#include "imaging/dib_layout.h"

namespace imaging {

bool IsNearlyOneColour(const ColourImage& image) {
  std::vector<uint32_t> colours;
  colours.reserve(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.pixels.data() + y * image.stride();
    for (int32_t x = 0; x < image.width; ++x) {
      const uint8_t* p = row + 3 * x;
      colours.push_back(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16);
    }
  }
  std::sort(colours.begin(), colours.end());
  size_t longest = 0;
  for (size_t start = 0; start < colours.size();) {
    size_t end = start;
    while (end < colours.size() && colours[end] == colours[start]) ++end;
    longest = std::max(longest, end - start);
    start = end;
  }
  return longest * 100 > colours.size() * 95;
}

LabelPictureRead ReadLabelPicture(std::string_view fileBytes) {
  const std::optional<ColourImage> image = DecodeBmp(fileBytes);
  if (!image) return {std::nullopt, LabelPictureProblem::kNotAPicture};  // the header's length is checked
  constexpr size_t kBitsPerPixelOffset = 28;
  const auto* header = reinterpret_cast<const uint8_t*>(fileBytes.data());
  if (ReadU16(header + kBitsPerPixelOffset) != 24 || image->width > kMaxLabelPictureWidth ||
      image->height > kMaxLabelPictureHeight) {
    return {std::nullopt, LabelPictureProblem::kNotAPicture};
  }
  if (IsNearlyOneColour(*image)) return {std::nullopt, LabelPictureProblem::kOneColour};
  return {EncodeBmp24(*image), LabelPictureProblem::kNone};
}

}  // namespace imaging

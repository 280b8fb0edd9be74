#include "imaging/label_picture.h"

#include "imaging/bmp_decoder.h"
#include "imaging/bmp_encoder.h"
#include "imaging/dib_layout.h"

namespace imaging {

std::optional<std::string> UsableLabelPicture(std::string_view fileBytes) {
  const std::optional<ColourImage> image = DecodeBmp(fileBytes);
  if (!image) return std::nullopt;  // the decoder has checked the header's length
  constexpr size_t kBitsPerPixelOffset = 28;
  const auto* header = reinterpret_cast<const uint8_t*>(fileBytes.data());
  if (ReadU16(header + kBitsPerPixelOffset) != 24) return std::nullopt;
  if (image->width > kMaxLabelPictureWidth || image->height > kMaxLabelPictureHeight) {
    return std::nullopt;
  }
  return EncodeBmp24(*image);
}

}  // namespace imaging

#pragma once
// Decodes the bytes of a BMP file without the platform: uncompressed pictures of 1, 4, 8, 16,
// 24 or 32 bits per pixel, bottom-up or top-down. The header's sizes decide what is read, so
// bytes after the pixel rows are ignored; anything malformed or truncated is refused.
#include <optional>
#include <string_view>

#include "imaging/images.h"

namespace imaging {

// Largest width or height accepted; keeps every size computation far from overflow.
constexpr int32_t kMaxBmpSide = 1 << 15;

std::optional<ColourImage> DecodeBmp(std::string_view fileBytes);

}  // namespace imaging

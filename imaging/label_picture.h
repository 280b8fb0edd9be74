#pragma once
// A label picture cut by a user from their own patcher's window, as Paint saves it: an
// uncompressed 24-bit BMP of at most 400 x 200 pixels.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace imaging {

constexpr int32_t kMaxLabelPictureWidth = 400;
constexpr int32_t kMaxLabelPictureHeight = 200;

// The picture as a bottom-up 24-bit BMP file with the plain 40-byte header, the form the
// stored pictures have; nothing when the file is not such a picture (other depths, compressed,
// too large, malformed or cut short).
std::optional<std::string> UsableLabelPicture(std::string_view fileBytes);

}  // namespace imaging

#pragma once
// Decoding of the PNG and JPEG picture files the form shows, from memory, into plain RGBA.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace app {

struct RgbaPicture {
  int width = 0;
  int height = 0;
  int sourceChannels = 0;       // channels stored in the file (1 grey ... 4 RGBA)
  std::vector<uint8_t> pixels;  // top-down rows, 4 bytes R, G, B, A per pixel
};

struct DecodedPicture {
  bool ok = false;
  std::string error;  // why it failed, when !ok
  RgbaPicture picture;
};

// Pictures larger than this on either side are refused rather than allocated.
constexpr int kMaxPictureSide = 8192;

// Detects the format from the file's signature.
DecodedPicture DecodePicture(std::string_view fileBytes);
DecodedPicture DecodePng(std::string_view fileBytes);
DecodedPicture DecodeJpeg(std::string_view fileBytes);

}  // namespace app

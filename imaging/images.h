#pragma once
// Plain pixel records of the portable imaging code, both in the bottom-up DIB row layout
// (row 0 of `pixels` is the bottom row of the picture, rows padded to 4 bytes).
#include <cstdint>
#include <vector>

#include "imaging/dib_layout.h"

namespace imaging {

// 24 bits per pixel: blue, green, red.
struct ColourImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;
  int64_t stride() const { return RowStride(width, 24); }
};

// 8 bits per pixel: one Palette256 entry per byte.
struct IndexedImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;
  int64_t stride() const { return RowStride(width, 8); }
};

// A borrowed picture of 3 (blue, green, red) or 4 bytes per pixel (the fourth byte is no
// colour), bottom row first, rows `stride` bytes apart.
struct ColourView {
  const uint8_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int64_t stride = 0;
  int bytesPerPixel = 3;
};

inline ColourView ViewOf(const ColourImage& image) {
  return ColourView{image.pixels.data(), image.width, image.height, image.stride(), 3};
}

}  // namespace imaging

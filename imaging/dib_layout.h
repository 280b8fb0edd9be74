#pragma once
// The packed bottom-up DIB layout the pixel buffer holds: a 40-byte info header, the colour
// table of the depth, then the pixel rows from the bottom row of the image upward.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace imaging {

constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kFileHeaderSize = 14;

// Bytes per pixel row, padded to a multiple of 4. Width and depth must be non-negative.
constexpr int64_t RowStride(int64_t width, int64_t bitsPerPixel) {
  return ((width * bitsPerPixel + 31) / 32) * 4;
}

bool IsSupportedDepth(int bitsPerPixel);  // 1, 4, 8, 16, 24 or 32

// 2 at depth 1, 16 at depth 4, 256 at depth 8, none otherwise.
int ColourTableEntries(int bitsPerPixel);

// Where the pixel area starts in a packed image of that depth.
size_t PixelAreaOffset(int bitsPerPixel);

// Header with the fixed colour table of the depth and a zero pixel area. Empty for an
// unsupported depth or a non-positive size.
std::vector<uint8_t> CreateBlankPacked(int32_t width, int32_t height, int bitsPerPixel);

// Little-endian field access used by the layout and the decoder.
inline uint32_t ReadU32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
inline uint16_t ReadU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline void WriteU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void WriteU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace imaging

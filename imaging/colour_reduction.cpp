#include "imaging/colour_reduction.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "imaging/colour_cells.h"

namespace imaging {
namespace {

uint8_t ClampToCell(int value, uint8_t base) {
  const int low = base & ~(kCellSize - 1);
  return static_cast<uint8_t>(std::clamp(value, low, low + kCellSize - 1));
}

}  // namespace

uint8_t NearestEntry(Rgb colour) { return CellEntries()[CellIndex(colour.red, colour.green, colour.blue)]; }

ColourCell CellOf(Rgb colour) {
  constexpr uint8_t kLowMask = static_cast<uint8_t>(~(kCellSize - 1));
  const Rgb low{static_cast<uint8_t>(colour.red & kLowMask),
                static_cast<uint8_t>(colour.green & kLowMask),
                static_cast<uint8_t>(colour.blue & kLowMask)};
  const Rgb high{static_cast<uint8_t>(low.red + kCellSize - 1),
                 static_cast<uint8_t>(low.green + kCellSize - 1),
                 static_cast<uint8_t>(low.blue + kCellSize - 1)};
  return {low, high};
}

bool JitterKeepsEntry(Rgb original, Rgb jittered) {
  return NearestEntry(original) == NearestEntry(jittered);
}

Rgb JitterWithinCell(Rgb colour, int redDelta, int greenDelta, int blueDelta) {
  return Rgb{ClampToCell(colour.red + redDelta, colour.red),
             ClampToCell(colour.green + greenDelta, colour.green),
             ClampToCell(colour.blue + blueDelta, colour.blue)};
}

void ReduceRows(const uint8_t* source, int64_t sourceStride, int sourceBitsPerPixel,
                int32_t width, int32_t height, uint8_t* destination, int64_t destinationStride) {
  const auto& cells = CellEntries();
  const int step = sourceBitsPerPixel / 8;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* src = source + sourceStride * y;
    uint8_t* dst = destination + destinationStride * y;
    // Four bytes are read per pixel (blue, green, red and one more) as one little-endian word;
    // at 24 bits the last pixel of a row is read byte by byte so no read passes the row.
    const int32_t wordPixels = step == 4 ? width : width - 1;
    int32_t x = 0;
    if (step == 3) {
      // Four pixels from three words: b0 g0 r0 b1 | g1 r1 b2 g2 | r2 b3 g3 r3.
      for (; x + 4 <= wordPixels; x += 4, src += 12) {
        uint32_t w[3];
        std::memcpy(w, src, 12);
        dst[x] = cells[((w[0] >> 9) & 0x7C00u) | ((w[0] >> 6) & 0x03E0u) | ((w[0] >> 3) & 0x001Fu)];
        dst[x + 1] = cells[((w[1] >> 1) & 0x7C00u) | ((w[1] << 2) & 0x03E0u) | (w[0] >> 27)];
        dst[x + 2] = cells[((w[2] << 7) & 0x7C00u) | ((w[1] >> 22) & 0x03E0u) | ((w[1] >> 19) & 0x001Fu)];
        dst[x + 3] = cells[((w[2] >> 17) & 0x7C00u) | ((w[2] >> 14) & 0x03E0u) | ((w[2] >> 11) & 0x001Fu)];
      }
    }
    for (; x < wordPixels; ++x, src += step) {
      uint32_t v;
      std::memcpy(&v, src, 4);
      dst[x] = cells[((v >> 9) & 0x7C00u) | ((v >> 6) & 0x03E0u) | ((v >> 3) & 0x001Fu)];
    }
    for (; x < width; ++x, src += step) dst[x] = cells[CellIndex(src[2], src[1], src[0])];
  }
}

IndexedImage ReduceToIndexed(const ColourImage& image) {
  IndexedImage out;
  out.width = image.width;
  out.height = image.height;
  out.pixels.assign(static_cast<size_t>(out.stride() * out.height), 0);
  ReduceRows(image.pixels.data(), image.stride(), 24, image.width, image.height,
             out.pixels.data(), out.stride());
  return out;
}

}  // namespace imaging

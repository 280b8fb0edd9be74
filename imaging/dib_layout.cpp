#include "imaging/dib_layout.h"

#include <algorithm>

#include "imaging/palettes.h"

namespace imaging {

bool IsSupportedDepth(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: case 4: case 8: case 16: case 24: case 32: return true;
    default: return false;
  }
}

int ColourTableEntries(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

size_t PixelAreaOffset(int bitsPerPixel) {
  return kInfoHeaderSize + static_cast<size_t>(ColourTableEntries(bitsPerPixel)) * 4;
}

std::vector<uint8_t> CreateBlankPacked(int32_t width, int32_t height, int bitsPerPixel) {
  if (!IsSupportedDepth(bitsPerPixel) || width <= 0 || height <= 0) return {};
  const size_t pixelBytes = static_cast<size_t>(RowStride(width, bitsPerPixel)) * height;
  std::vector<uint8_t> packed(PixelAreaOffset(bitsPerPixel) + pixelBytes, 0);
  WriteU32(&packed[0], kInfoHeaderSize);
  WriteU32(&packed[4], static_cast<uint32_t>(width));
  WriteU32(&packed[8], static_cast<uint32_t>(height));
  WriteU16(&packed[12], 1);
  WriteU16(&packed[14], static_cast<uint16_t>(bitsPerPixel));
  uint8_t* table = packed.data() + kInfoHeaderSize;
  switch (bitsPerPixel) {
    case 1: std::copy(Palette2().begin(), Palette2().end(), table); break;
    case 4: std::copy(Palette16().begin(), Palette16().end(), table); break;
    case 8: std::copy(Palette256().begin(), Palette256().end(), table); break;
    default: break;
  }
  return packed;
}

}  // namespace imaging

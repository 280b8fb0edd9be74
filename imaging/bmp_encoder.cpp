#include "imaging/bmp_encoder.h"

#include <cstring>

namespace imaging {

std::string EncodeBmp24(const ColourImage& image) {
  const size_t pixelBytes = static_cast<size_t>(image.stride() * image.height);
  const size_t headers = kFileHeaderSize + kInfoHeaderSize;
  std::string file(headers + pixelBytes, '\0');
  auto* p = reinterpret_cast<uint8_t*>(file.data());
  p[0] = 'B';
  p[1] = 'M';
  WriteU32(p + 2, static_cast<uint32_t>(file.size()));
  WriteU32(p + 10, static_cast<uint32_t>(headers));
  WriteU32(p + 14, kInfoHeaderSize);
  WriteU32(p + 18, static_cast<uint32_t>(image.width));
  WriteU32(p + 22, static_cast<uint32_t>(image.height));
  WriteU16(p + 26, 1);
  WriteU16(p + 28, 24);
  WriteU32(p + 34, static_cast<uint32_t>(pixelBytes));
  if (pixelBytes > 0 && image.pixels.size() >= pixelBytes) {
    std::memcpy(p + headers, image.pixels.data(), pixelBytes);
  }
  return file;
}

}  // namespace imaging

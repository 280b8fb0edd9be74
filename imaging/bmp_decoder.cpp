#include "imaging/bmp_decoder.h"

#include <array>

namespace imaging {
namespace {

constexpr uint32_t kBiRgb = 0;

struct BmpHeader {
  uint32_t pixelOffset = 0;
  uint32_t infoSize = 0;
  int32_t width = 0;
  int32_t height = 0;  // negative: rows stored top-down
  int bitsPerPixel = 0;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
};

std::optional<BmpHeader> ReadHeader(const uint8_t* p, size_t size) {
  if (size < kFileHeaderSize + kInfoHeaderSize || p[0] != 'B' || p[1] != 'M') return std::nullopt;
  BmpHeader h;
  h.pixelOffset = ReadU32(p + 10);
  h.infoSize = ReadU32(p + 14);
  h.width = static_cast<int32_t>(ReadU32(p + 18));
  h.height = static_cast<int32_t>(ReadU32(p + 22));
  const uint16_t planes = ReadU16(p + 26);
  h.bitsPerPixel = ReadU16(p + 28);
  h.compression = ReadU32(p + 30);
  h.coloursUsed = ReadU32(p + 46);
  // The info header may be one of the later, longer versions; its first 40 bytes are the same.
  if (h.infoSize < kInfoHeaderSize || h.infoSize > size - kFileHeaderSize) return std::nullopt;
  if (planes != 1 || h.compression != kBiRgb) return std::nullopt;
  if (h.width <= 0 || h.width > kMaxBmpSide) return std::nullopt;
  if (h.height == 0 || h.height < -kMaxBmpSide || h.height > kMaxBmpSide) return std::nullopt;
  if (!IsSupportedDepth(h.bitsPerPixel)) return std::nullopt;
  return h;
}

// Colour table of a depth of 8 or less as blue, green, red triples. Indices past the stored
// table read black.
std::optional<std::array<uint8_t, 256 * 3>> ReadColourTable(const uint8_t* p, size_t size,
                                                           const BmpHeader& h) {
  const uint32_t capacity = 1u << h.bitsPerPixel;
  const uint32_t count = h.coloursUsed == 0 ? capacity : h.coloursUsed;
  if (count > capacity) return std::nullopt;
  const uint64_t tableStart = kFileHeaderSize + uint64_t{h.infoSize};
  if (tableStart + uint64_t{count} * 4 > size) return std::nullopt;
  std::array<uint8_t, 256 * 3> table{};
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* entry = p + tableStart + i * 4;
    table[i * 3 + 0] = entry[0];
    table[i * 3 + 1] = entry[1];
    table[i * 3 + 2] = entry[2];
  }
  return table;
}

void DecodeRow(const uint8_t* src, const BmpHeader& h, const std::array<uint8_t, 256 * 3>& table,
               uint8_t* dst) {
  const int32_t w = h.width;
  switch (h.bitsPerPixel) {
    case 24:
      for (int32_t x = 0; x < w * 3; ++x) dst[x] = src[x];
      break;
    case 32:
      for (int32_t x = 0; x < w; ++x) {
        dst[x * 3 + 0] = src[x * 4 + 0];
        dst[x * 3 + 1] = src[x * 4 + 1];
        dst[x * 3 + 2] = src[x * 4 + 2];
      }
      break;
    case 16:  // 5 bits per channel, blue lowest; widened so that 31 becomes 255
      for (int32_t x = 0; x < w; ++x) {
        const uint16_t v = ReadU16(src + x * 2);
        const uint8_t b = v & 31, g = (v >> 5) & 31, r = (v >> 10) & 31;
        dst[x * 3 + 0] = static_cast<uint8_t>((b << 3) | (b >> 2));
        dst[x * 3 + 1] = static_cast<uint8_t>((g << 3) | (g >> 2));
        dst[x * 3 + 2] = static_cast<uint8_t>((r << 3) | (r >> 2));
      }
      break;
    default: {  // 1, 4, 8: indices into the colour table, leftmost pixel in the high bits
      const int bits = h.bitsPerPixel;
      const int perByte = 8 / bits;
      const int mask = (1 << bits) - 1;
      for (int32_t x = 0; x < w; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        const int index = (src[x / perByte] >> shift) & mask;
        dst[x * 3 + 0] = table[index * 3 + 0];
        dst[x * 3 + 1] = table[index * 3 + 1];
        dst[x * 3 + 2] = table[index * 3 + 2];
      }
    }
  }
}

}  // namespace

std::optional<ColourImage> DecodeBmp(std::string_view fileBytes) {
  const auto* p = reinterpret_cast<const uint8_t*>(fileBytes.data());
  const size_t size = fileBytes.size();
  const auto header = ReadHeader(p, size);
  if (!header) return std::nullopt;
  const BmpHeader& h = *header;

  std::array<uint8_t, 256 * 3> table{};
  if (h.bitsPerPixel <= 8) {
    const auto read = ReadColourTable(p, size, h);
    if (!read) return std::nullopt;
    table = *read;
  }

  const int32_t rows = h.height < 0 ? -h.height : h.height;
  const uint64_t srcStride = static_cast<uint64_t>(RowStride(h.width, h.bitsPerPixel));
  if (h.pixelOffset < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
  if (uint64_t{h.pixelOffset} + srcStride * static_cast<uint64_t>(rows) > size) return std::nullopt;

  ColourImage image;
  image.width = h.width;
  image.height = rows;
  const size_t dstStride = static_cast<size_t>(image.stride());
  image.pixels.assign(dstStride * static_cast<size_t>(rows), 0);
  for (int32_t row = 0; row < rows; ++row) {
    // Stored row `row`; a top-down file stores the top row first.
    const int32_t bottomUpRow = h.height < 0 ? rows - 1 - row : row;
    DecodeRow(p + h.pixelOffset + srcStride * static_cast<uint64_t>(row), h, table,
              image.pixels.data() + dstStride * static_cast<size_t>(bottomUpRow));
  }
  return image;
}

}  // namespace imaging

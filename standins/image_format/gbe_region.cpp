#include "standins/image_format/gbe_region.h"

#include <algorithm>

#include "standins/image_format/flash_regions.h"
#include "standins/image_format/synthetic_bytes.h"

namespace standin {

namespace {

constexpr uint32_t kGbeSeed = 0x47624531u;
constexpr size_t kChecksumOffset = 2 * kGbeChecksumWord;

void WriteMac(std::span<uint8_t> image, size_t at, const MacAddress& mac) {
  std::copy(mac.begin(), mac.end(), image.begin() + ptrdiff_t(at));
}

// The checksum word makes words 0..kGbeChecksumWord sum to kGbeWordSum.
void WriteChecksumWord(std::span<uint8_t> image, size_t at) {
  uint16_t sum = 0;
  for (size_t word = 0; word < kGbeChecksumWord; ++word) {
    sum = uint16_t(sum + ReadU16(image, at + 2 * word));
  }
  WriteU16(image, at + kChecksumOffset, uint16_t(kGbeWordSum - sum));
}

}  // namespace

void WriteGbeRegion(std::span<uint8_t> image, size_t at, const MacAddress& mac) {
  std::fill_n(image.begin() + ptrdiff_t(at), kGbeRegionSize, uint8_t{0xFF});
  WriteMac(image, at, mac);
  FillXorshift(image.subspan(at + kMacAddressSize, kChecksumOffset - kMacAddressSize), kGbeSeed);
  WriteChecksumWord(image, at);
}

bool SetMacAddress(Bytes& image, const MacAddress& mac) {
  const std::optional<FileSpan> gbe = RegionOf(image, kGbeRegion);
  if (!gbe || gbe->size < kChecksumOffset + 2) return false;
  WriteMac(image, gbe->offset, mac);
  WriteChecksumWord(image, gbe->offset);
  return true;
}

}  // namespace standin

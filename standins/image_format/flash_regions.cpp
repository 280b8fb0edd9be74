#include "standins/image_format/flash_regions.h"

#include "standins/image_format/byte_order.h"
#include "standins/image_format/image_layout.h"

namespace standin {

std::optional<size_t> FindDescriptor(std::span<const uint8_t> image) {
  for (size_t at : {size_t{0}, kCapsuleHeaderSize}) {
    if (image.size() >= at + kDescriptorSize &&
        ReadU32(image, at + kSignatureOffset) == kDescriptorSignature) {
      return at;
    }
  }
  return std::nullopt;
}

// FRBA is at most 0xFF0, so the entries read here always lie inside the descriptor.
std::optional<FileSpan> DecodeRegion(std::span<const uint8_t> image, size_t descriptor, int n) {
  const size_t frba =
      ((ReadU32(image, descriptor + kFlmap0Offset) >> kRegionBaseField) & 0xFF) << 4;
  const uint32_t value = ReadU32(image, descriptor + frba + 4 * size_t(n));
  const size_t base = size_t(value & 0x7FFF) << 12;
  const size_t limit = size_t((value >> 16) & 0x7FFF) << 12 | 0xFFF;
  if (base > limit) return std::nullopt;
  return FileSpan{descriptor + base, limit + 1 - base};
}

std::optional<FileSpan> RegionOf(std::span<const uint8_t> image, int n) {
  const std::optional<size_t> descriptor = FindDescriptor(image);
  if (!descriptor) return std::nullopt;
  const std::optional<FileSpan> region = DecodeRegion(image, *descriptor, n);
  if (!region || !Contains({0, image.size()}, region->offset, region->size)) return std::nullopt;
  return region;
}

}  // namespace standin

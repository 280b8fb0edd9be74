#include "firmware/descriptor.h"

namespace firmware {
namespace {

constexpr uint32_t kSignature = 0x0FF0A55A;
constexpr size_t kSignatureAt = 0x10;
constexpr size_t kCapsuleStep = 0x800;
constexpr size_t kLastStart = 0x10000;  // 64 KiB
constexpr uint32_t kBiosRegion = 1;
constexpr uint32_t kMeRegion = 2;
constexpr size_t kFlmap1At = 0x18;
constexpr uint32_t kHapBit = 1u << 16;
constexpr uint32_t kUnusedBase = 0x7FFF;  // the base field of a region marked unused

// Where region `index`'s FLREG word lies, and the word.
struct RegionWord {
  uint64_t at = 0;
  uint32_t value = 0;
};
std::optional<RegionWord> ReadRegionWord(Bytes image, size_t descriptorOffset, uint32_t index) {
  const auto flmap0 = ReadU32(image, uint64_t{descriptorOffset} + kSignatureAt + 4);
  if (!flmap0) return std::nullopt;
  const uint64_t frba = uint64_t{(*flmap0 >> 16) & 0xFF} << 4;
  const uint64_t at = descriptorOffset + frba + 4ull * index;
  const auto flreg = ReadU32(image, at);
  if (!flreg) return std::nullopt;
  return RegionWord{at, *flreg};
}

uint64_t BaseOf(uint32_t flreg) { return uint64_t{flreg & 0x7FFF} << 12; }
uint64_t LimitOf(uint32_t flreg) { return (uint64_t{(flreg >> 16) & 0x7FFF} << 12) | 0xFFF; }

}  // namespace

std::optional<FlashRegion> ReadRegionBounds(Bytes image, size_t descriptorOffset, uint32_t index) {
  const std::optional<RegionWord> word = ReadRegionWord(image, descriptorOffset, index);
  if (!word) return std::nullopt;
  const uint64_t base = BaseOf(word->value), limit = LimitOf(word->value);
  if (base > limit) return std::nullopt;
  // The limit is below 2^27, so this fits a 32-bit size_t for any descriptor of a 64 MiB file.
  return FlashRegion{static_cast<size_t>(descriptorOffset + base),
                     static_cast<size_t>(descriptorOffset + limit + 1)};
}

std::optional<size_t> FlawedRegionWord(Bytes image, size_t descriptorOffset, uint32_t index) {
  const std::optional<RegionWord> word = ReadRegionWord(image, descriptorOffset, index);
  if (!word) return std::nullopt;
  const uint64_t base = BaseOf(word->value), limit = LimitOf(word->value);
  const bool flawed = base > limit ? (word->value & 0x7FFF) != kUnusedBase
                                   : descriptorOffset + limit + 1 > image.size();
  if (!flawed) return std::nullopt;
  return static_cast<size_t>(word->at);
}

std::optional<FlashRegion> ReadRegion(Bytes image, size_t descriptorOffset, uint32_t index) {
  const std::optional<FlashRegion> region = ReadRegionBounds(image, descriptorOffset, index);
  if (!region || region->end > image.size()) return std::nullopt;
  return region;
}

std::optional<bool> ReadHapBit(Bytes image, size_t descriptorOffset) {
  const auto flmap1 = ReadU32(image, uint64_t{descriptorOffset} + kFlmap1At);
  if (!flmap1) return std::nullopt;
  const uint64_t fpsba = uint64_t{(*flmap1 >> 16) & 0xFF} << 4;
  const auto pchstrp0 = ReadU32(image, descriptorOffset + fpsba);
  if (!pchstrp0) return std::nullopt;
  return (*pchstrp0 & kHapBit) != 0;
}

std::optional<FlashDescriptor> FindDescriptor(Bytes image) {
  for (size_t start = 0; start <= kLastStart; start += kCapsuleStep) {
    const auto signature = ReadU32(image, uint64_t{start} + kSignatureAt);
    if (!signature) break;
    if (*signature != kSignature) continue;
    return FlashDescriptor{start, ReadRegion(image, start, kBiosRegion),
                           ReadRegion(image, start, kMeRegion), ReadHapBit(image, start)};
  }
  return std::nullopt;
}

}  // namespace firmware

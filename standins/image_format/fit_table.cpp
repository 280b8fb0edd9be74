#include "standins/image_format/fit_table.h"

#include <algorithm>
#include <cstring>

#include "standins/image_format/byte_order.h"
#include "standins/image_format/image_layout.h"

namespace standin {

namespace {

constexpr uint64_t kFourGiB = uint64_t{1} << 32;
constexpr char kFitHeader[8] = {'_', 'F', 'I', 'T', '_', ' ', ' ', ' '};
constexpr size_t kFitEntrySize = 16;
constexpr size_t kFitCountOffset = 8;  // 24 bits, in the header: entries including it
constexpr size_t kFitVersionOffset = 12;
constexpr size_t kFitTypeOffset = 14;
constexpr uint16_t kFitVersion = 0x0100;
constexpr uint32_t kFitMinEntries = 2;
static_assert(kFitCapacity * kFitEntrySize == kFitAreaSize);

void WriteEntry(std::span<uint8_t> image, size_t at, uint64_t address, uint32_t size, uint8_t type) {
  WriteU32(image, at, uint32_t(address));
  WriteU32(image, at + 4, uint32_t(address >> 32));
  WriteU32(image, at + kFitCountOffset, size);  // size in bits 0..23, byte 11 reserved
  WriteU16(image, at + kFitVersionOffset, kFitVersion);
  image[at + kFitTypeOffset] = type;
  image[at + kFitTypeOffset + 1] = 0;  // no checksum
}

}  // namespace

uint64_t FitAddress(size_t offset, size_t biosEnd) { return kFourGiB - (biosEnd - offset); }

std::vector<FitEntry> ReadFit(std::span<const uint8_t> image, size_t biosBegin, size_t biosEnd) {
  std::vector<FitEntry> entries;
  if (biosEnd > image.size() || biosEnd < biosBegin + kFitPointerBelowBiosEnd) return entries;
  const uint64_t below = kFourGiB - ReadU32(image, biosEnd - kFitPointerBelowBiosEnd);
  if (below > biosEnd - biosBegin || below < kFitEntrySize) return entries;
  const size_t fit = biosEnd - size_t(below);
  if (std::memcmp(&image[fit], kFitHeader, sizeof kFitHeader) != 0) return entries;
  const uint32_t count = ReadU32(image, fit + kFitCountOffset) & 0xFFFFFF;
  if (count < kFitMinEntries || count > kFitCapacity || count * kFitEntrySize > below) return entries;
  for (uint32_t i = 1; i < count; ++i) {
    const size_t at = fit + i * kFitEntrySize;
    entries.push_back({uint64_t(ReadU32(image, at)) | uint64_t(ReadU32(image, at + 4)) << 32,
                       uint8_t(image[at + kFitTypeOffset] & 0x7F)});
  }
  return entries;
}

void WriteFit(std::span<uint8_t> image, size_t fit, size_t biosEnd,
              std::span<const size_t> updates, std::vector<FitEntry> others) {
  std::stable_sort(others.begin(), others.end(),
                   [](const FitEntry& a, const FitEntry& b) { return a.type < b.type; });
  std::vector<FitEntry> entries;
  for (size_t offset : updates) entries.push_back({FitAddress(offset, biosEnd), kFitMicrocodeType});
  entries.insert(entries.end(), others.begin(), others.end());
  entries.resize(std::min<size_t>(entries.size(), kFitCapacity - 1));

  std::copy(kFitHeader, kFitHeader + sizeof kFitHeader, image.begin() + ptrdiff_t(fit));
  WriteU32(image, fit + kFitCountOffset, uint32_t(entries.size() + 1));
  WriteU16(image, fit + kFitVersionOffset, kFitVersion);
  image[fit + kFitTypeOffset] = 0;
  image[fit + kFitTypeOffset + 1] = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    WriteEntry(image, fit + (i + 1) * kFitEntrySize, entries[i].address, 0, entries[i].type);
  }
  // The 32-bit address, then 4 zero bytes.
  WriteU64(image, biosEnd - kFitPointerBelowBiosEnd, uint32_t(FitAddress(fit, biosEnd)));
}

}  // namespace standin

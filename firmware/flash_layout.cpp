#include "firmware/flash_layout.h"

#include <algorithm>
#include <cstring>

#include "firmware/word_sums.h"

namespace firmware {
namespace {

// Firmware volume header.
constexpr size_t kFsGuidAt = 0x10;
constexpr size_t kLengthAt = 0x20;
constexpr size_t kSignatureAt = 0x28;
constexpr size_t kHeaderLengthAt = 0x30;
constexpr size_t kExtHeaderOffsetAt = 0x34;
constexpr size_t kMinHeaderLength = 0x38;
constexpr size_t kExtHeaderSizeAt = 0x10;  // inside the extended header
constexpr size_t kExtHeaderMinSize = 0x14;

// File header.
constexpr size_t kFileTypeAt = 0x12;
constexpr size_t kFileAttributesAt = 0x13;
constexpr size_t kFileSizeAt = 0x14;
constexpr size_t kFileHeaderSize = 24;
constexpr size_t kLargeFileHeaderSize = 32;
constexpr uint8_t kLargeFileAttribute = 0x01;
constexpr uint8_t kPadFileType = 0xF0;

constexpr size_t kAlignment = 8;

constexpr Guid kFfs2{{0x78, 0xE5, 0x8C, 0x8C, 0x3D, 0x8A, 0x1C, 0x4F,
                      0x99, 0x35, 0x89, 0x61, 0x85, 0xC3, 0x2D, 0xD3}};
constexpr Guid kFfs3{{0x7A, 0xC0, 0x73, 0x54, 0xCB, 0x3D, 0xCA, 0x4D,
                      0xBD, 0x6F, 0x1E, 0x96, 0x89, 0xE7, 0x34, 0x9A}};

uint64_t LoadU64(const uint8_t* p) { return LoadU32(p) | uint64_t{LoadU32(p + 4)} << 32; }

uint64_t AlignUp(uint64_t value) { return (value + kAlignment - 1) / kAlignment * kAlignment; }

Guid GuidAt(const uint8_t* p) {
  Guid guid;
  std::memcpy(guid.bytes.data(), p, guid.bytes.size());
  return guid;
}

// The length of the volume whose header starts at `at` in `region`, when the header holds: its
// signature, a header length of at least 0x38, even and not above the length, 16-bit words
// summing to 0, and a length that fits in the region.
std::optional<uint64_t> VolumeLengthAt(Bytes region, size_t at, HalfWordSums& sums) {
  if (!Fits(region.size(), at, kMinHeaderLength) || !HasTag(region, at + kSignatureAt, "_FVH")) {
    return std::nullopt;
  }
  const uint8_t* header = region.data() + at;
  const uint64_t length = LoadU64(header + kLengthAt);
  const uint16_t headerLength = LoadU16(header + kHeaderLengthAt);
  if (headerLength < kMinHeaderLength || headerLength % 2 != 0 || headerLength > length) {
    return std::nullopt;
  }
  if (!Fits(region.size(), at, length)) return std::nullopt;
  if (sums.Sum(at, headerLength) != 0) return std::nullopt;
  return length;
}

// Where the first file of `volume` starts: after the header, or after the extended header
// when there is one; nothing when the extended header does not lie inside the volume.
std::optional<uint64_t> FirstFileAt(Bytes volume) {
  const uint16_t extOffset = LoadU16(volume.data() + kExtHeaderOffsetAt);
  if (extOffset == 0) return AlignUp(LoadU16(volume.data() + kHeaderLengthAt));
  const auto extSize = ReadU32(volume, uint64_t{extOffset} + kExtHeaderSizeAt);
  if (!extSize || *extSize < kExtHeaderMinSize || !Fits(volume.size(), extOffset, *extSize)) {
    return std::nullopt;
  }
  return AlignUp(uint64_t{extOffset} + *extSize);
}

// The files of the volume at `volumeAt` (an image offset) until the first that does not hold.
void WalkFiles(Bytes volume, size_t volumeAt, std::vector<FlashFile>& files) {
  const std::optional<uint64_t> first = FirstFileAt(volume);
  if (!first) return;
  for (uint64_t at = *first; Fits(volume.size(), at, kFileHeaderSize);) {
    const uint8_t* header = volume.data() + at;
    if (std::all_of(header, header + kFileHeaderSize, [](uint8_t b) { return b == 0xFF; })) return;
    uint64_t size = header[kFileSizeAt] | uint32_t{header[kFileSizeAt + 1]} << 8 |
                    uint32_t{header[kFileSizeAt + 2]} << 16;
    size_t headerSize = kFileHeaderSize;
    if (header[kFileAttributesAt] & kLargeFileAttribute) {
      if (!Fits(volume.size(), at, kLargeFileHeaderSize)) return;
      headerSize = kLargeFileHeaderSize;
      size = LoadU64(header + kFileHeaderSize);
    }
    if (size < headerSize || !Fits(volume.size(), at, size)) return;
    if (header[kFileTypeAt] != kPadFileType) {
      files.push_back({GuidAt(header), header[kFileTypeAt], volumeAt + static_cast<size_t>(at),
                       headerSize, static_cast<size_t>(size)});
    }
    at = AlignUp(at + size);
  }
}

// The volumes of the BIOS region at `begin` in the image. Candidates are the 8-byte-aligned
// places whose signature bytes read "_FVH"; the search goes on after each volume's end.
void WalkVolumes(Bytes region, size_t begin, FlashLayout& layout) {
  HalfWordSums sums(region);
  size_t at = 0;
  while (region.size() >= kMinHeaderLength && at <= region.size() - kMinHeaderLength) {
    // Find the next '_' quickly: most of a region is code or erased flash.
    const void* hit = std::memchr(region.data() + at + kSignatureAt, '_',
                                  region.size() - at - kSignatureAt);
    if (hit == nullptr) return;
    const size_t signature = static_cast<size_t>(static_cast<const uint8_t*>(hit) - region.data());
    at = static_cast<size_t>(AlignUp(signature - kSignatureAt));
    if (at + kSignatureAt != signature) continue;  // not 8-byte aligned: look further on
    const std::optional<uint64_t> length = VolumeLengthAt(region, at, sums);
    if (!length) {
      at += kAlignment;
      continue;
    }
    const Bytes volume = region.subspan(at, static_cast<size_t>(*length));
    const Guid fileSystem = GuidAt(volume.data() + kFsGuidAt);
    if (fileSystem == kFfs2 || fileSystem == kFfs3) {
      WalkFiles(volume, begin + at, layout.files);
    } else {
      layout.blocks.push_back({fileSystem, begin + at, volume.size()});
    }
    at = static_cast<size_t>(AlignUp(at + *length));
  }
}

}  // namespace

std::string GuidText(const Guid& guid) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  // Byte order of the text: the first three fields little-endian, the rest as stored.
  static constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  std::string text;
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    const uint8_t b = guid.bytes[kOrder[i]];
    text += kDigits[b >> 4];
    text += kDigits[b & 0xF];
  }
  return text;
}

const char* RegionName(RegionIndex index) {
  switch (index) {
    case RegionIndex::kDescriptor: return "descriptor";
    case RegionIndex::kBios: return "bios";
    case RegionIndex::kMe: return "me";
    case RegionIndex::kGbe: return "gbe";
    case RegionIndex::kPdr: return "pdr";
    case RegionIndex::kEc: return "ec";
  }
  return "unknown";
}

FlashLayout ReadFlashLayout(Bytes image) {
  FlashLayout layout;
  FlashRegion bios{0, image.size()};
  if (const auto descriptor = FindDescriptor(image)) {
    layout.prefix = descriptor->offset;
    for (RegionIndex index : kComparedRegions) {
      std::optional<FlashRegion> region =
          ReadRegionBounds(image, descriptor->offset, static_cast<uint32_t>(index));
      // One that starts past the file's end (an all-ones word, as erased flash reads) is not
      // in this file at all.
      if (!region || region->begin >= image.size()) continue;
      region->end = std::min(region->end, image.size());
      layout.regions[static_cast<size_t>(index)] = region;
    }
    const auto& found = layout.regions[static_cast<size_t>(RegionIndex::kBios)];
    if (!found) return layout;
    bios = *found;
  } else {
    layout.regions[static_cast<size_t>(RegionIndex::kBios)] = bios;
  }
  WalkVolumes(image.subspan(bios.begin, bios.end - bios.begin), bios.begin, layout);
  return layout;
}

}  // namespace firmware

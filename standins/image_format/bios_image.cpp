#include "standins/image_format/bios_image.h"

#include <algorithm>
#include <cstring>

#include "standins/image_format/image_layout.h"

namespace standin {

namespace {

uint32_t ReadU32(std::span<const uint8_t> bytes, size_t offset) {
  return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 |
         uint32_t(bytes[offset + 2]) << 16 | uint32_t(bytes[offset + 3]) << 24;
}

uint16_t ReadU16(std::span<const uint8_t> bytes, size_t offset) {
  return uint16_t(bytes[offset] | bytes[offset + 1] << 8);
}

void WriteU32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = uint8_t(value >> (8 * i));
}

void WriteU16(uint8_t* out, uint16_t value) {
  out[0] = uint8_t(value);
  out[1] = uint8_t(value >> 8);
}

struct Region {
  size_t offset = 0, size = 0;
};

struct Layout {
  Region me, microcode;
  size_t freeOffset = 0;  // first unused byte of the microcode region
};

// A region lies past the descriptor and inside the image; sizes are checked without overflow.
bool RegionFits(Region r, size_t imageSize) {
  return r.offset >= kDescriptorSize && r.offset <= imageSize && r.size <= imageSize - r.offset;
}

bool Overlap(Region a, Region b) {
  return a.offset < b.offset + b.size && b.offset < a.offset + a.size;
}

uint32_t SumWords(std::span<const uint8_t> bytes) {
  uint32_t sum = 0;
  for (size_t i = 0; i + 4 <= bytes.size(); i += 4) sum += ReadU32(bytes, i);
  return sum;
}

ImageError ReadLayout(std::span<const uint8_t> image, Layout& layout, ImageSummary& summary) {
  if (image.size() > kMaxImageSize) return ImageError::kTooLarge;
  if (image.size() < kDescriptorSize) return ImageError::kTooSmall;
  if (ReadU32(image, kSignatureOffset) != kDescriptorSignature) return ImageError::kNoSignature;
  if (ReadU32(image, kLayoutVersionOffset) != kLayoutVersion) return ImageError::kBadLayoutVersion;
  layout.me = {ReadU32(image, kMeRegionOffsetField), ReadU32(image, kMeRegionSizeField)};
  layout.microcode = {ReadU32(image, kMicrocodeRegionOffsetField),
                      ReadU32(image, kMicrocodeRegionSizeField)};
  if (!RegionFits(layout.me, image.size()) || !RegionFits(layout.microcode, image.size()) ||
      Overlap(layout.me, layout.microcode)) {
    return ImageError::kBadRegions;
  }
  if (layout.me.size < kMeHeaderSize ||
      std::memcmp(&image[layout.me.offset], kMeTag, sizeof kMeTag) != 0) {
    return ImageError::kNoMeRegion;
  }
  const size_t me = layout.me.offset;
  summary.me = {ReadU16(image, me + kMeVersionOffset), ReadU16(image, me + kMeVersionOffset + 2),
                ReadU16(image, me + kMeVersionOffset + 4),
                ReadU16(image, me + kMeVersionOffset + 6)};
  summary.meEnabled = (ReadU32(image, me + kMeFlagsOffset) & kMeEnabledFlag) != 0;

  size_t at = layout.microcode.offset;
  const size_t end = layout.microcode.offset + layout.microcode.size;
  while (end - at >= kUpdateHeaderSize && ReadU32(image, at) != kFreeSpaceWord) {
    const uint32_t total = ReadU32(image, at + kUpdateTotalSizeOffset);
    const uint32_t data = ReadU32(image, at + kUpdateDataSizeOffset);
    if (ReadU32(image, at + kUpdateHeaderVersionOffset) != 1 ||
        ReadU32(image, at + kUpdateLoaderRevisionOffset) != 1 || total == 0 ||
        total % kUpdateTotalSizeUnit != 0 || total > end - at ||
        data + kUpdateHeaderSize > total || SumWords(image.subspan(at, total)) != 0) {
      return ImageError::kBadMicrocode;
    }
    summary.cpuids.push_back(ReadU32(image, at + kUpdateSignatureOffset));
    at += total;
  }
  layout.freeOffset = at;
  return ImageError::kNone;
}

}  // namespace

ParseResult ParseImage(std::span<const uint8_t> image) {
  ParseResult result;
  Layout layout;
  result.error = ReadLayout(image, layout, result.summary);
  if (!result.ok()) result.summary = {};
  return result;
}

std::string_view DescribeError(ImageError error) {
  switch (error) {
    case ImageError::kNone: return "ok";
    case ImageError::kTooSmall: return "file too small for a flash image";
    case ImageError::kTooLarge: return "file too large for a flash image";
    case ImageError::kNoSignature: return "no flash descriptor signature";
    case ImageError::kBadLayoutVersion: return "unknown layout version";
    case ImageError::kBadRegions: return "region table points outside the image";
    case ImageError::kNoMeRegion: return "no ME region";
    case ImageError::kBadMicrocode: return "damaged microcode update";
  }
  return "unknown error";
}

bool SetMeState(Bytes& image, MeVersion version, bool enabled) {
  Layout layout;
  ImageSummary summary;
  if (ReadLayout(image, layout, summary) != ImageError::kNone) return false;
  uint8_t* me = image.data() + layout.me.offset;
  WriteU16(me + kMeVersionOffset, version.major);
  WriteU16(me + kMeVersionOffset + 2, version.minor);
  WriteU16(me + kMeVersionOffset + 4, version.hotfix);
  WriteU16(me + kMeVersionOffset + 6, version.build);
  const uint32_t flags = ReadU32(image, layout.me.offset + kMeFlagsOffset);
  WriteU32(me + kMeFlagsOffset, enabled ? (flags | kMeEnabledFlag) : (flags & ~kMeEnabledFlag));
  return true;
}

Bytes MakeMicrocodeUpdate(uint32_t cpuid, uint32_t revision, size_t totalSize) {
  Bytes update(totalSize, 0);
  uint8_t* h = update.data();
  WriteU32(h + kUpdateHeaderVersionOffset, 1);
  WriteU32(h + kUpdateRevisionOffset, revision);
  WriteU32(h + kUpdateDateOffset, 0x06152019);  // BCD mmddyyyy, as real updates carry it
  WriteU32(h + kUpdateSignatureOffset, cpuid);
  WriteU32(h + kUpdateLoaderRevisionOffset, 1);
  WriteU32(h + kUpdateFlagsOffset, 0x2A);
  WriteU32(h + kUpdateDataSizeOffset, uint32_t(totalSize - kUpdateHeaderSize));
  WriteU32(h + kUpdateTotalSizeOffset, uint32_t(totalSize));
  // Update data: a pattern that depends on the CPUID, so different updates differ.
  for (size_t i = kUpdateHeaderSize; i < totalSize; ++i) {
    update[i] = uint8_t((cpuid >> ((i % 4) * 8)) ^ (i * 31));
  }
  WriteU32(h + kUpdateChecksumOffset, 0u - SumWords(update));
  return update;
}

AddResult AddMicrocode(Bytes& image, uint32_t cpuid) {
  Layout layout;
  ImageSummary summary;
  if (ReadLayout(image, layout, summary) != ImageError::kNone) return AddResult::kBadImage;
  if (std::find(summary.cpuids.begin(), summary.cpuids.end(), cpuid) != summary.cpuids.end()) {
    return AddResult::kAlreadyPresent;
  }
  const Bytes update = MakeMicrocodeUpdate(cpuid, 0xB4, kUpdateTotalSizeUnit);
  const size_t end = layout.microcode.offset + layout.microcode.size;
  if (end - layout.freeOffset < update.size()) return AddResult::kNoRoom;
  std::copy(update.begin(), update.end(), image.begin() + layout.freeOffset);
  return AddResult::kAdded;
}

std::string CpuidText(uint32_t cpuid) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kHex[cpuid & 0xF]);
    cpuid >>= 4;
  } while (cpuid != 0);
  return text;
}

uint32_t ParseCpuid(std::string_view text) {
  if (text.empty() || text.size() > 8) return 0;
  uint32_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else return 0;
    value = value << 4 | uint32_t(digit);
  }
  return value;
}

}  // namespace standin

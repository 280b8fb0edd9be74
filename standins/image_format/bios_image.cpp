#include "standins/image_format/bios_image.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "standins/image_format/byte_order.h"
#include "standins/image_format/firmware_volume.h"
#include "standins/image_format/fit_table.h"
#include "standins/image_format/flash_regions.h"
#include "standins/image_format/image_layout.h"

namespace standin {

namespace {

// Where the parts the patcher shows and edits lie, as file offsets.
struct Layout {
  FileSpan me, bios;
  size_t manifest = 0;   // CSE manifest header of FTPR
  size_t pchStrap0 = 0;  // PCHSTRP0, which holds the HAP bit
  FfsFile microcodeFile;
  size_t fit = 0;        // the FIT area at the start of the file's data
  FileSpan area;         // where updates go: after the FIT area to the volume's end
  std::vector<size_t> updates;  // every update of the file, its checksum right or not
  size_t freeOffset = 0;        // the file's end, where the next update goes
};

bool TagAt(std::span<const uint8_t> image, size_t offset, const char (&tag)[4]) {
  return std::memcmp(&image[offset], tag, sizeof tag) == 0;
}

// A NUL-padded name of at most `size` bytes.
std::string_view NameAt(std::span<const uint8_t> image, size_t offset, size_t size) {
  const auto name = image.subspan(offset, size);
  const size_t length = size_t(std::find(name.begin(), name.end(), 0) - name.begin());
  return {reinterpret_cast<const char*>(name.data()), length};
}

ImageError ReadRegions(std::span<const uint8_t> image, size_t flash, Layout& layout) {
  const std::optional<FileSpan> bios = DecodeRegion(image, flash, kBiosRegion);
  if (!bios) return ImageError::kBadRegions;
  const std::optional<FileSpan> me = DecodeRegion(image, flash, kMeRegion);
  if (!me) return ImageError::kNoMeRegion;
  layout.bios = *bios;
  layout.me = *me;
  const FileSpan afterDescriptor{flash + kDescriptorSize, image.size() - flash - kDescriptorSize};
  const bool overlap = layout.me.offset < layout.bios.end() && layout.bios.offset < layout.me.end();
  if (!Contains(afterDescriptor, layout.me.offset, layout.me.size) ||
      !Contains(afterDescriptor, layout.bios.offset, layout.bios.size) || overlap) {
    return ImageError::kBadRegions;
  }
  return ImageError::kNone;
}

// PCHSTRP0, when FLMAP1 puts at least one strap there and the whole table inside the
// descriptor. HAP set means the ME is switched off.
ImageError ReadStraps(std::span<const uint8_t> image, size_t flash, Layout& layout,
                      ImageSummary& summary) {
  const uint32_t flmap1 = ReadU32(image, flash + kFlmap1Offset);
  const size_t fpsba = ((flmap1 >> kStrapBaseField) & 0xFF) << 4;
  const size_t psl = (flmap1 >> kStrapLengthField) & 0xFF;
  if (psl == 0 || fpsba + 4 * psl > kDescriptorSize) return ImageError::kBadStraps;
  layout.pchStrap0 = flash + fpsba;
  summary.meEnabled = (ReadU32(image, layout.pchStrap0) & kHapBit) == 0;
  return ImageError::kNone;
}

// The $FPT entry named `name`, as a span of the file.
std::optional<FileSpan> FindPartition(std::span<const uint8_t> image, FileSpan me,
                                      const char (&name)[4]) {
  const uint32_t count = ReadU32(image, me.offset + kFptCountOffset);
  const size_t first = me.offset + image[me.offset + kFptHeaderLengthOffset];
  for (uint32_t i = 0; i < count; ++i) {
    const size_t entry = first + kFptEntrySize * i;
    if (!Contains(me, entry, kFptEntrySize)) return std::nullopt;
    if (!TagAt(image, entry, name)) continue;
    const uint32_t offset = ReadU32(image, entry + kFptEntryOffsetField);
    const uint32_t length = ReadU32(image, entry + kFptEntryLengthField);
    if (offset > me.size || length > me.size - offset) return std::nullopt;
    return FileSpan{me.offset + offset, length};
  }
  return std::nullopt;
}

// The manifest header that FTPR's $CPD entry "FTPR.man" points at, when it carries "$MN2"
// and Intel's vendor word.
std::optional<size_t> FindManifest(std::span<const uint8_t> image, FileSpan ftpr) {
  if (ftpr.size < kCpdHeaderLength || !TagAt(image, ftpr.offset, kCpdTag)) return std::nullopt;
  const uint32_t count = ReadU32(image, ftpr.offset + kCpdCountOffset);
  const size_t first = ftpr.offset + image[ftpr.offset + kCpdHeaderLengthOffset];
  for (uint32_t i = 0; i < count; ++i) {
    const size_t entry = first + kCpdEntrySize * i;
    if (!Contains(ftpr, entry, kCpdEntrySize)) return std::nullopt;
    if (NameAt(image, entry, kCpdEntryNameSize) != kManifestEntry) continue;
    const size_t manifest =
        ftpr.offset + (ReadU32(image, entry + kCpdEntryOffsetField) & kCpdOffsetMask);
    if (!Contains(ftpr, manifest, kManifestVersionOffset + 8) ||
        !TagAt(image, manifest + kManifestTagOffset, kManifestTag) ||
        ReadU32(image, manifest + kManifestVendorOffset) != kIntelVendor) {
      return std::nullopt;
    }
    return manifest;
  }
  return std::nullopt;
}

ImageError ReadMeRegion(std::span<const uint8_t> image, Layout& layout, ImageSummary& summary) {
  if (layout.me.size < kFptHeaderLength || !TagAt(image, layout.me.offset, kFptTag)) {
    return ImageError::kNoMeRegion;
  }
  const std::optional<FileSpan> code = FindPartition(image, layout.me, kCodePartition);
  const std::optional<size_t> manifest = code ? FindManifest(image, *code) : std::nullopt;
  if (!manifest) return ImageError::kBadMeRegion;
  layout.manifest = *manifest;
  const size_t v = *manifest + kManifestVersionOffset;
  summary.me = {ReadU16(image, v), ReadU16(image, v + 2), ReadU16(image, v + 4),
                ReadU16(image, v + 6)};
  return ImageError::kNone;
}

struct MicrocodeFile {
  Volume volume;
  FfsFile file;
};

// The microcode volume at the BIOS region's start and its raw file named kMicrocodeFile.
std::optional<MicrocodeFile> FindMicrocodeFile(std::span<const uint8_t> image, FileSpan bios) {
  const std::optional<Volume> volume = ReadVolume(image, bios.offset, bios.end());
  if (!volume) return std::nullopt;
  for (const FfsFile& file : ListFiles(image, *volume)) {
    if (file.name == kMicrocodeFile && file.type == kRawFileType) {
      return MicrocodeFile{*volume, file};
    }
  }
  return std::nullopt;
}

ImageError ReadMicrocodeArea(std::span<const uint8_t> image, Layout& layout,
                             ImageSummary& summary) {
  const std::optional<MicrocodeFile> found = FindMicrocodeFile(image, layout.bios);
  if (!found || found->file.size - found->file.headerSize < kFitAreaSize) {
    return ImageError::kNoMicrocodeArea;
  }
  const FfsFile& file = found->file;
  layout.microcodeFile = file;
  layout.fit = file.dataOffset();
  const size_t first = layout.fit + kFitAreaSize;
  layout.area = {first, found->volume.end() - first};
  size_t at = first;
  while (at < file.end()) {
    const UpdateRead update = ReadUpdate(image.subspan(at, file.end() - at));
    if (update.status == UpdateStatus::kMalformed) return ImageError::kBadMicrocode;
    layout.updates.push_back(at);
    for (uint32_t cpuid : update.cpuids) {
      if (std::find(summary.cpuids.begin(), summary.cpuids.end(), cpuid) == summary.cpuids.end())
        summary.cpuids.push_back(cpuid);
    }
    at += update.totalSize;
  }
  layout.freeOffset = at;
  return ImageError::kNone;
}

ImageError ReadLayout(std::span<const uint8_t> image, Layout& layout, ImageSummary& summary) {
  if (image.size() > kMaxImageSize) return ImageError::kTooLarge;
  if (image.size() < kDescriptorSize) return ImageError::kTooSmall;
  const std::optional<size_t> flash = FindDescriptor(image);
  if (!flash) return ImageError::kNoSignature;
  summary.descriptorOffset = *flash;
  ImageError error = ReadRegions(image, *flash, layout);
  if (error == ImageError::kNone) error = ReadStraps(image, *flash, layout, summary);
  if (error == ImageError::kNone) error = ReadMeRegion(image, layout, summary);
  if (error == ImageError::kNone) error = ReadMicrocodeArea(image, layout, summary);
  return error;
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
    case ImageError::kBadRegions: return "region table points outside the image";
    case ImageError::kBadStraps: return "PCH strap table missing or outside the descriptor";
    case ImageError::kNoMeRegion: return "no ME region";
    case ImageError::kBadMeRegion: return "ME partition table or manifest damaged";
    case ImageError::kNoMicrocodeArea: return "no microcode area in the BIOS region";
    case ImageError::kBadMicrocode: return "damaged microcode update";
  }
  return "unknown error";
}

bool SetMeState(Bytes& image, MeVersion version, bool enabled) {
  Layout layout;
  ImageSummary summary;
  if (ReadLayout(image, layout, summary) != ImageError::kNone) return false;
  const size_t v = layout.manifest + kManifestVersionOffset;
  WriteU16(image, v, version.major);
  WriteU16(image, v + 2, version.minor);
  WriteU16(image, v + 4, version.hotfix);
  WriteU16(image, v + 6, version.build);
  const uint32_t strap = ReadU32(image, layout.pchStrap0);
  WriteU32(image, layout.pchStrap0, enabled ? strap & ~kHapBit : strap | kHapBit);
  return true;
}

AddResult AddMicrocode(Bytes& image, uint32_t cpuid, FitListing fit) {
  Layout layout;
  ImageSummary summary;
  if (ReadLayout(image, layout, summary) != ImageError::kNone) return AddResult::kBadImage;
  if (std::find(summary.cpuids.begin(), summary.cpuids.end(), cpuid) != summary.cpuids.end()) {
    return AddResult::kAlreadyPresent;
  }
  const Bytes update = MakeMicrocodeUpdate(cpuid);
  if (layout.area.end() - layout.freeOffset < update.size()) return AddResult::kNoRoom;
  std::copy(update.begin(), update.end(), image.begin() + ptrdiff_t(layout.freeOffset));
  const FfsFile& file = layout.microcodeFile;
  SetFileSize(image, file.offset, file.size + update.size());
  if (fit == FitListing::kRelist) {
    layout.updates.push_back(layout.freeOffset);
    std::vector<FitEntry> others = ReadFit(image, layout.bios.offset, layout.bios.end());
    std::erase_if(others, [](const FitEntry& e) { return e.type == kFitMicrocodeType; });
    WriteFit(image, layout.fit, layout.bios.end(), layout.updates, std::move(others));
  }
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

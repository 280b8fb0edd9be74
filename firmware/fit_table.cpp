#include "firmware/fit_table.h"

#include <algorithm>
#include <cstring>

namespace firmware {
namespace {

constexpr uint64_t kFourGiB = uint64_t{1} << 32;
constexpr uint64_t kWindowStart = kFourGiB - (uint64_t{16} << 20);
constexpr uint32_t kErasedWord = 0xFFFFFFFF;
constexpr size_t kPointerBelowTop = 0x40;
constexpr size_t kEntrySize = 16;
constexpr uint32_t kMinEntries = 2;
constexpr uint32_t kMaxEntries = 1024;
constexpr char kHeaderAddress[8] = {'_', 'F', 'I', 'T', '_', ' ', ' ', ' '};

// Bytes inside an entry.
constexpr size_t kSizeAt = 8;   // 24 bits
constexpr size_t kTypeAt = 14;  // bits 0..6; bit 7 is the checksum-valid flag
constexpr uint8_t kTypeMask = 0x7F;

enum EntryType : uint8_t {
  kHeaderType = 0x00,
  kMicrocodeType = 0x01,
  kStartupAcmType = 0x02,
  kKeyManifestType = 0x0B,
  kBootPolicyType = 0x0C,
};

uint64_t LoadU64(const uint8_t* p) { return LoadU32(p) | uint64_t{LoadU32(p + 4)} << 32; }
uint32_t LoadU24(const uint8_t* p) { return p[0] | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16; }

// The index of the update whose header is at `offset`.
std::optional<size_t> UpdateAt(const std::vector<MicrocodeUpdate>& updates, size_t offset) {
  const auto it = std::lower_bound(updates.begin(), updates.end(), offset,
                                   [](const MicrocodeUpdate& u, size_t at) { return u.offset < at; });
  if (it == updates.end() || it->offset != offset) return std::nullopt;
  return static_cast<size_t>(it - updates.begin());
}

// Where the table the pointer leads to starts and how many entries it has, when its header
// holds and the whole table lies inside the region.
std::optional<FitTable> ReadHeader(Bytes image, FlashRegion bios, uint32_t pointer) {
  const auto at = MapFitAddress(pointer, bios.end);
  if (!at || *at < bios.begin || !Fits(bios.end, *at, kEntrySize)) return std::nullopt;
  const uint8_t* header = image.data() + *at;
  if (std::memcmp(header, kHeaderAddress, sizeof kHeaderAddress) != 0) return std::nullopt;
  if ((header[kTypeAt] & kTypeMask) != kHeaderType) return std::nullopt;
  const uint32_t count = LoadU24(header + kSizeAt);
  if (count < kMinEntries || count > kMaxEntries) return std::nullopt;
  if (!Fits(bios.end, *at, uint64_t{count} * kEntrySize)) return std::nullopt;
  FitTable table;
  table.offset = *at;
  table.entries = count;
  return table;
}

}  // namespace

std::optional<size_t> MapFitAddress(uint64_t address, size_t top) {
  if (address >= kFourGiB) return std::nullopt;
  const uint64_t below = kFourGiB - address;
  if (below > top) return std::nullopt;
  return static_cast<size_t>(top - below);
}

std::optional<FitTable> ReadFit(Bytes image, FlashRegion bios, const std::vector<MicrocodeUpdate>& updates,
                                std::vector<Finding>& findings) {
  if (bios.begin > bios.end || bios.end > image.size() || bios.end - bios.begin < kPointerBelowTop) {
    return std::nullopt;
  }
  const size_t pointerAt = bios.end - kPointerBelowTop;
  const uint32_t pointer = LoadU32(image.data() + pointerAt);
  if (pointer < kWindowStart || pointer == kErasedWord) return std::nullopt;
  std::optional<FitTable> table = ReadHeader(image, bios, pointer);
  if (!table) {
    findings.push_back({pointerAt, FindingKind::kFitTable, std::nullopt});
    return std::nullopt;
  }
  size_t outside = 0;
  for (uint32_t i = 1; i < table->entries; ++i) {
    const size_t entryAt = table->offset + size_t{i} * kEntrySize;
    const uint8_t* entry = image.data() + entryAt;
    switch (entry[kTypeAt] & kTypeMask) {
      case kMicrocodeType: {
        FitMicrocodeEntry microcode;
        microcode.offset = MapFitAddress(LoadU64(entry), bios.end);
        if (microcode.offset) {
          microcode.update = UpdateAt(updates, *microcode.offset);
        } else if (outside++ < kMaxFindingsOfAKind) {
          findings.push_back({entryAt, FindingKind::kFitEntry, std::nullopt});
        }
        table->microcodes.push_back(microcode);
        break;
      }
      case kStartupAcmType: table->acm = true; break;
      case kKeyManifestType: table->km = true; break;
      case kBootPolicyType: table->bpm = true; break;
      default: break;
    }
  }
  return table;
}

}  // namespace firmware

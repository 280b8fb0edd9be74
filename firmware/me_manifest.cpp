#include "firmware/me_manifest.h"

#include <algorithm>

namespace firmware {
namespace {

constexpr size_t kVendorBefore = 12;   // the vendor word lies 12 bytes before the tag
constexpr size_t kVersionAfter = 8;    // major, minor, hotfix, build start 8 bytes after it
constexpr size_t kVersionSize = 8;
constexpr uint16_t kIntelVendor = 0x8086;

constexpr size_t kTableMarkerPlaces[] = {0, 16};
constexpr size_t kEntryCountAt = 4;    // from the "$FPT" marker
constexpr size_t kHeaderLengthAt = 0xA;
constexpr size_t kEntrySize = 32;
constexpr size_t kEntryOffsetAt = 8;   // from the region's start
constexpr size_t kEntryLengthAt = 12;
constexpr uint32_t kErasedWord = 0xFFFFFFFF;

// The first position at or after `at` where "$MN2" starts, or `size`. Blocks without a '$'
// are passed over with one branch (vector compares); only blocks with one are looked at byte
// by byte, so an area full of '$' costs a few cycles a byte, not a library call per byte.
size_t NextTag(const uint8_t* p, size_t at, size_t size) {
  constexpr size_t kBlock = 64;
  constexpr uint32_t kTag = 0x324E4D24;  // "$MN2" read little-endian
  while (size - at >= 4) {
    if (size - at >= kBlock + 3) {
      uint8_t hit = 0;
      for (size_t k = 0; k < kBlock; ++k) hit |= static_cast<uint8_t>(0u - (p[at + k] == '$'));
      if (!hit) {
        at += kBlock;
        continue;
      }
    }
    for (const size_t stop = std::min(size - 3, at + kBlock); at < stop; ++at) {
      if (LoadU32(p + at) == kTag) return at;
    }
  }
  return size;
}

// The first "$MN2" at or after `from` with Intel's vendor word before it; `area.size()` when
// there is none. A tag closer to the start than the vendor word has no room for it.
size_t NextIntelTag(Bytes area, size_t from) {
  const size_t size = area.size();
  if (size < kVendorBefore + 4) return size;
  for (size_t tag = std::max(from, kVendorBefore); (tag = NextTag(area.data(), tag, size)) < size; ++tag) {
    if (LoadU16(area.data() + tag - kVendorBefore) == kIntelVendor) return tag;
  }
  return size;
}

bool VersionFits(Bytes area, size_t tag) { return Fits(area.size(), uint64_t{tag} + kVersionAfter, kVersionSize); }

}  // namespace

std::optional<MeVersion> FirstManifestVersion(Bytes area) {
  for (size_t tag = NextIntelTag(area, 0); tag < area.size(); tag = NextIntelTag(area, tag + 1)) {
    if (!VersionFits(area, tag)) continue;
    const uint8_t* v = area.data() + tag + kVersionAfter;
    return MeVersion{LoadU16(v), LoadU16(v + 2), LoadU16(v + 4), LoadU16(v + 6)};
  }
  return std::nullopt;
}

namespace {

// Where the entries of the region's partition table lie: from `first`, `count` of them, as
// many as the region holds. Nothing without a "$FPT" marker at either place.
struct EntryRange {
  uint64_t first = 0;
  uint64_t count = 0;
};
std::optional<EntryRange> PartitionEntries(Bytes region) {
  for (size_t marker : kTableMarkerPlaces) {
    if (!HasTag(region, marker, "$FPT")) continue;
    const auto count = ReadU32(region, marker + kEntryCountAt);
    const auto headerLength = ReadU8(region, marker + kHeaderLengthAt);
    if (!count || !headerLength) return std::nullopt;
    const uint64_t first = uint64_t{marker} + *headerLength;
    if (first > region.size()) return std::nullopt;
    return EntryRange{first, std::min<uint64_t>(*count, (region.size() - first) / kEntrySize)};
  }
  return std::nullopt;
}

}  // namespace

std::optional<Bytes> FtprPartition(Bytes region) {
  const auto range = PartitionEntries(region);
  if (!range) return std::nullopt;
  for (uint64_t i = 0; i < range->count; ++i) {
    const uint64_t entry = range->first + i * kEntrySize;
    if (!HasTag(region, entry, "FTPR")) continue;
    const uint32_t offset = LoadU32(region.data() + entry + kEntryOffsetAt);
    const uint32_t length = LoadU32(region.data() + entry + kEntryLengthAt);
    if (auto partition = Slice(region, offset, length)) return partition;
  }
  return std::nullopt;
}

std::vector<size_t> EntriesOutsideRegion(Bytes region) {
  std::vector<size_t> outside;
  const auto range = PartitionEntries(region);
  if (!range) return outside;
  for (uint64_t i = 0; i < range->count && outside.size() < kMaxFindingsOfAKind; ++i) {
    const uint64_t entry = range->first + i * kEntrySize;
    const uint32_t offset = LoadU32(region.data() + entry + kEntryOffsetAt);
    const uint32_t length = LoadU32(region.data() + entry + kEntryLengthAt);
    if (length == 0 || offset == kErasedWord) continue;
    if (!Fits(region.size(), offset, length)) outside.push_back(static_cast<size_t>(entry));
  }
  return outside;
}

namespace {

constexpr size_t kMinHeaderLength = 0x20;

std::optional<size_t> TableMarker(Bytes region) {
  for (size_t marker : kTableMarkerPlaces) {
    if (HasTag(region, marker, "$FPT")) return marker;
  }
  return std::nullopt;
}

// True when the header at `marker` holds: its length, its entries and its byte sum.
bool HeaderHolds(Bytes region, size_t marker) {
  const auto count = ReadU32(region, marker + kEntryCountAt);
  const auto length = ReadU8(region, marker + kHeaderLengthAt);
  if (!count || !length || *length < kMinHeaderLength) return false;
  const auto header = Slice(region, marker, *length);
  if (!header || !Fits(region.size(), uint64_t{marker} + *length, uint64_t{*count} * kEntrySize)) return false;
  uint8_t sum = 0;
  for (uint8_t b : *header) sum = static_cast<uint8_t>(sum + b);
  return sum == 0;
}

}  // namespace

std::vector<Finding> PartitionTableFindings(Bytes region) {
  std::vector<Finding> findings;
  const std::optional<size_t> marker = TableMarker(region);
  if (!marker) return findings;
  if (!HeaderHolds(region, *marker)) findings.push_back({*marker, FindingKind::kFptHeader, std::nullopt});
  const auto range = PartitionEntries(region);
  std::optional<uint64_t> ftprEntry;
  for (uint64_t i = 0; range && i < range->count && !ftprEntry; ++i) {
    if (HasTag(region, range->first + i * kEntrySize, "FTPR")) ftprEntry = range->first + i * kEntrySize;
  }
  if (!ftprEntry) {
    findings.push_back({*marker, FindingKind::kMeManifest, std::nullopt});
    return findings;
  }
  const uint32_t offset = LoadU32(region.data() + *ftprEntry + kEntryOffsetAt);
  const uint32_t length = LoadU32(region.data() + *ftprEntry + kEntryLengthAt);
  const std::optional<Bytes> ftpr = Slice(region, offset, length);
  if (!ftpr) {
    findings.push_back({static_cast<size_t>(*ftprEntry), FindingKind::kMeManifest, std::nullopt});
    return findings;
  }
  const size_t tag = NextIntelTag(*ftpr, 0);
  if (tag == ftpr->size()) {
    findings.push_back({offset, FindingKind::kMeManifest, std::nullopt});
  } else if (!VersionFits(*ftpr, tag)) {
    findings.push_back({offset + tag, FindingKind::kMeManifest, std::nullopt});
  }
  return findings;
}

std::optional<MeVersion> ReadMeVersion(Bytes region) {
  if (const auto ftpr = FtprPartition(region)) {
    if (auto version = FirstManifestVersion(*ftpr)) return version;
  }
  return FirstManifestVersion(region);
}

}  // namespace firmware

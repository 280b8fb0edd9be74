#include "firmware/microcode_scan.h"

#include <algorithm>
#include <optional>

#include "firmware/word_sums.h"

namespace firmware {
namespace {

constexpr size_t kHeaderSize = 48;
constexpr uint32_t kDefaultDataSize = 2000;
constexpr uint32_t kDefaultTotalSize = 2048;
constexpr uint32_t kSizeGranule = 1024;
constexpr size_t kExtendedHeaderSize = 20;  // count, checksum, 12 reserved bytes
constexpr size_t kExtendedEntrySize = 12;   // signature, processor flags, checksum

// Byte offsets inside the update header.
constexpr size_t kHeaderVersionAt = 0;
constexpr size_t kRevisionAt = 4;
constexpr size_t kDateAt = 8;
constexpr size_t kSignatureAt = 12;
constexpr size_t kLoaderRevisionAt = 20;
constexpr size_t kDataSizeAt = 28;
constexpr size_t kTotalSizeAt = 32;

// The first 4-byte-aligned offset in [at, end) whose header version and loader revision
// words are both 1, or `end`; `end` leaves room for a header. Blocks without any word 1 are
// passed over with one branch, which the compiler turns into vector compares; only blocks
// with one are looked at word by word.
size_t NextCandidate(const uint8_t* p, size_t at, size_t end) {
  constexpr size_t kBlock = 128;
  while (at < end) {
    if (end - at >= kBlock) {
      uint32_t hit = 0;
      for (size_t k = 0; k < kBlock; k += 4) hit |= 0u - static_cast<uint32_t>(LoadU32(p + at + k) == 1);
      if (!hit) {
        at += kBlock;
        continue;
      }
    }
    for (const size_t stop = std::min(end, at + kBlock); at < stop; at += 4) {
      if (LoadU32(p + at + kHeaderVersionAt) == 1 && LoadU32(p + at + kLoaderRevisionAt) == 1) return at;
    }
  }
  return end;
}

// The signatures of the extended table at [begin, begin + room), appended to `cpuids`; a
// table that does not fit in the room adds nothing.
void AddExtendedSignatures(Bytes image, size_t begin, uint64_t room, std::vector<uint32_t>& cpuids) {
  if (room < kExtendedHeaderSize) return;
  const uint64_t count = LoadU32(image.data() + begin);
  if (count * kExtendedEntrySize > room - kExtendedHeaderSize) return;
  const uint8_t* entry = image.data() + begin + kExtendedHeaderSize;
  for (uint64_t i = 0; i < count; ++i, entry += kExtendedEntrySize) cpuids.push_back(LoadU32(entry));
}

// An update header that is not valid but looks meant as one: beside header version and
// loader revision 1 and a valid date (tested before), a family 6 processor signature. Its
// sizes or checksum are what failed.
bool LooksMeant(const uint8_t* header) {
  return ((LoadU32(header + kSignatureAt) >> 8) & 0xF) == 6;
}

struct Candidate {
  std::optional<MicrocodeUpdate> update;  // when valid
  std::optional<FindingKind> damage;      // when not valid but meant
};

// The update whose header is at `at` (4-byte aligned, header inside the image) if it is a
// valid one. The cheap header tests come first; the checksum only for what passes them all.
Candidate ReadUpdate(Bytes image, size_t at, WordSums& sums) {
  const uint8_t* h = image.data() + at;
  if (LoadU32(h + kHeaderVersionAt) != 1 || LoadU32(h + kLoaderRevisionAt) != 1) return {};
  const uint32_t date = LoadU32(h + kDateAt);
  if (!IsValidBcdDate(date)) return {};
  const uint32_t storedData = LoadU32(h + kDataSizeAt);
  const uint32_t storedTotal = LoadU32(h + kTotalSizeAt);
  const uint64_t dataSize = storedData == 0 ? kDefaultDataSize : storedData;
  const uint64_t totalSize = storedTotal == 0 ? kDefaultTotalSize : storedTotal;
  if (totalSize % kSizeGranule != 0 || totalSize < dataSize + kHeaderSize ||
      !Fits(image.size(), at, totalSize)) {
    return {std::nullopt, LooksMeant(h) ? std::optional(FindingKind::kMicrocodeSize) : std::nullopt};
  }
  if (sums.Sum(at, static_cast<size_t>(totalSize)) != 0) {
    return {std::nullopt, LooksMeant(h) ? std::optional(FindingKind::kMicrocodeChecksum) : std::nullopt};
  }

  MicrocodeUpdate update;
  update.offset = at;
  update.totalSize = static_cast<uint32_t>(totalSize);
  update.revision = LoadU32(h + kRevisionAt);
  update.date = date;
  update.cpuids.push_back(LoadU32(h + kSignatureAt));
  const uint64_t used = kHeaderSize + dataSize;
  if (totalSize > used) {
    AddExtendedSignatures(image, static_cast<size_t>(at + used), totalSize - used, update.cpuids);
  }
  return {std::move(update), std::nullopt};
}

}  // namespace

bool IsValidBcdDate(uint32_t date) {
  // Adding 6 to a nibble carries out of it exactly when it is above 9; the lowest such nibble
  // shows as a carry into the next one (or out of the word).
  const uint64_t sum = uint64_t{date} + 0x66666666u;
  const uint64_t carries = sum ^ date ^ 0x66666666u;
  if ((carries & 0x111111110u) != 0) return false;
  const uint32_t month = date >> 24;
  const uint32_t day = (date >> 16) & 0xFF;
  return month >= 0x01 && month <= 0x12 && day >= 0x01 && day <= 0x31;
}

MicrocodeScan ScanMicrocodes(Bytes image) {
  MicrocodeScan scan;
  if (image.size() < kHeaderSize) return scan;
  // Aligned header offsets with a whole header inside the image: 0, 4, ... <= size - 48.
  const size_t end = image.size() - kHeaderSize + 1;
  WordSums sums(image);
  size_t damagedSize = 0, damagedChecksum = 0;
  size_t at = 0;
  while ((at = NextCandidate(image.data(), at, end)) < end) {
    Candidate candidate = ReadUpdate(image, at, sums);
    if (candidate.update) {
      at += candidate.update->totalSize;
      scan.updates.push_back(std::move(*candidate.update));
      continue;
    }
    if (candidate.damage) {
      size_t& kept = *candidate.damage == FindingKind::kMicrocodeSize ? damagedSize : damagedChecksum;
      if (kept < kMaxFindingsOfAKind) {
        ++kept;
        scan.findings.push_back({at, *candidate.damage, LoadU32(image.data() + at + kSignatureAt)});
      }
    }
    at += 4;
  }
  return scan;
}

}  // namespace firmware

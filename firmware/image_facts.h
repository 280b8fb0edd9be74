#pragma once
// What a firmware image holds, read from its bytes alone: the flash descriptor, the ME
// firmware version, the processor microcode updates and the Firmware Interface Table (FIT),
// and what looks meant but is damaged. Public layouts only. Every offset and
// size taken from the image is checked against its length; a malformed structure is skipped.
// Nothing here writes the image.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace firmware {

struct MeVersion {
  uint16_t major = 0, minor = 0, hotfix = 0, build = 0;
  bool operator==(const MeVersion&) const = default;
};

// One valid microcode update, as found in the image.
struct MicrocodeUpdate {
  size_t offset = 0;              // of its 48-byte header in the image
  uint32_t totalSize = 0;         // header + data + extended table (0 in the header = 2048)
  uint32_t revision = 0;          // update revision
  uint32_t date = 0;              // as stored: BCD mmddyyyy
  std::vector<uint32_t> cpuids;   // primary processor signature, then the extended ones
};

// A microcode entry (type 1) of the FIT.
struct FitMicrocodeEntry {
  std::optional<size_t> offset;  // where its address maps in the file; none above 4 GiB or outside
  std::optional<size_t> update;  // index in ImageFacts::microcodes of the valid update starting there
};

// The Firmware Interface Table the pointer at the BIOS region's end - 0x40 leads to.
struct FitTable {
  size_t offset = 0;    // of its header entry
  uint32_t entries = 0; // the header's count, itself included
  std::vector<FitMicrocodeEntry> microcodes;  // in table order
  bool acm = false;     // a startup ACM entry (type 2): Boot Guard
  bool km = false;      // a key manifest entry (type 0x0B)
  bool bpm = false;     // a boot policy manifest entry (type 0x0C)
};

// Something that looks meant but does not hold.
enum class FindingKind {
  kMicrocodeSize,      // an update header that looks meant, whose sizes fail or run out of the file
  kMicrocodeChecksum,  // an update header that looks meant, whose words do not sum to 0
  kFptEntry,           // a partition table entry pointing outside its ME region
  kFitTable,           // a FIT pointer inside the 16 MiB below 4 GiB whose table does not hold
  kFitEntry,           // a FIT microcode entry whose address maps outside the file
  kDescriptorRegion,   // the BIOS or ME region's FLREG word: base above limit (not the unused
                       // marker), or a region that runs past the file
  kFptHeader,          // an ME partition table whose header length, entry count or checksum fails
  kMeManifest,         // the ME region's FTPR entry or its "$MN2" manifest: missing, or running out
                       // of the region
};

struct Finding {
  size_t offset = 0;  // the update's header, the table entry, the FIT pointer, the FLREG word,
                      // the "$FPT" marker, the FTPR entry or partition, or the "$MN2" tag
  FindingKind kind = FindingKind::kMicrocodeSize;
  std::optional<uint32_t> cpuid;  // microcode findings: the header's processor signature
  bool operator==(const Finding&) const = default;
};

// Each producer keeps at most this many findings of a kind (the first in file order), so that
// a crafted image cannot grow the list with its size.
constexpr size_t kMaxFindingsOfAKind = 64;

struct ImageFacts {
  std::optional<size_t> descriptorOffset;  // start of the flash descriptor (signature at +0x10)
  std::optional<bool> hapSet;              // the descriptor's ME-disable strap, when known
  std::optional<MeVersion> me;             // from the CSE manifest of the ME region
  std::vector<MicrocodeUpdate> microcodes; // in file order
  std::optional<FitTable> fit;
  std::vector<Finding> findings;           // by offset
};

ImageFacts InspectImage(std::span<const uint8_t> image);

// A CPUID once, with the highest revision any update gives it; in order of first appearance.
struct MicrocodeEntry {
  uint32_t cpuid = 0;
  uint32_t revision = 0;
  bool operator==(const MicrocodeEntry&) const = default;
};
std::vector<MicrocodeEntry> DistinctMicrocodes(const ImageFacts& facts);
// The same CPUIDs without their revisions.
std::vector<uint32_t> DistinctCpuids(const ImageFacts& facts);

// The CPUIDs the FIT's microcode entries serve (each update its own and those of its extended
// signature table), each once, in table order; empty without a FIT.
std::vector<uint32_t> FitCpuids(const ImageFacts& facts);

// "microcode-size", "microcode-checksum", "fpt-entry", "fit-table", "fit-entry",
// "descriptor-region", "fpt-header", "me-manifest".
std::string_view FindingName(FindingKind kind);

// Upper-case hex without leading zeros: 0x906EA -> "906EA", 0 -> "0".
std::string HexText(uint64_t value);
// "11.8.77.3664"
std::string VersionText(const MeVersion& version);
// BCD mmddyyyy 0x02282019 -> "2019-02-28".
std::string DateText(uint32_t bcdDate);

}  // namespace firmware

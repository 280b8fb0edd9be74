#pragma once
// What a firmware image holds, read from its bytes alone: the flash descriptor, the ME
// firmware version and the processor microcode updates. Public layouts only. Every offset and
// size taken from the image is checked against its length; a malformed structure is skipped.
// Nothing here writes the image.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
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

struct ImageFacts {
  std::optional<size_t> descriptorOffset;  // start of the flash descriptor (signature at +0x10)
  std::optional<bool> hapSet;              // the descriptor's ME-disable strap, when known
  std::optional<MeVersion> me;             // from the CSE manifest of the ME region
  std::vector<MicrocodeUpdate> microcodes; // in file order
};

ImageFacts InspectImage(std::span<const uint8_t> image);

// A CPUID once, with the highest revision any update gives it; in order of first appearance.
struct MicrocodeEntry {
  uint32_t cpuid = 0;
  uint32_t revision = 0;
  bool operator==(const MicrocodeEntry&) const = default;
};
std::vector<MicrocodeEntry> DistinctMicrocodes(const ImageFacts& facts);

// Upper-case hex without leading zeros: 0x906EA -> "906EA", 0 -> "0".
std::string HexText(uint64_t value);
// "11.8.77.3664"
std::string VersionText(const MeVersion& version);
// BCD mmddyyyy 0x02282019 -> "2019-02-28".
std::string DateText(uint32_t bcdDate);

}  // namespace firmware

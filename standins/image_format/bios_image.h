#pragma once
// Reading and editing the stand-in patcher's images in memory: a flash descriptor with its PCH
// straps, an ME region with its partition table and CSE manifest, and a BIOS region of firmware
// volumes whose first holds the microcode file: a Firmware Interface Table, then the updates.
// Every edit works on the bytes in place and keeps everything it does not touch; an image that
// does not parse is never edited.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "standins/image_format/microcode_update.h"

namespace standin {

struct MeVersion {
  uint16_t major = 0, minor = 0, hotfix = 0, build = 0;
  bool operator==(const MeVersion&) const = default;
};

// The firmware the stand-in "flashes".
constexpr MeVersion kReplacementMe{11, 8, 77, 3664};

enum class ImageError {
  kNone,
  kTooSmall,
  kTooLarge,
  kNoSignature,
  kBadRegions,
  kBadStraps,
  kNoMeRegion,
  kBadMeRegion,
  kNoMicrocodeArea,
  kBadMicrocode,
};

struct ImageSummary {
  size_t descriptorOffset = 0;  // 0, or the capsule header's size
  MeVersion me;
  bool meEnabled = false;  // the descriptor's HAP strap is clear
  // Each CPUID once, in the order the valid updates are stored (extended signatures after
  // their update's own); updates with a wrong checksum are left out.
  std::vector<uint32_t> cpuids;
};

struct ParseResult {
  ImageError error = ImageError::kNone;
  ImageSummary summary;
  bool ok() const { return error == ImageError::kNone; }
};

ParseResult ParseImage(std::span<const uint8_t> image);
std::string_view DescribeError(ImageError error);

// Writes the ME version (into the manifest) and state (the HAP strap). False (image unchanged) when the image
// does not parse.
bool SetMeState(Bytes& image, MeVersion version, bool enabled);

enum class AddResult { kAdded, kAlreadyPresent, kNoRoom, kBadImage };

// Whether adding an update rewrites the FIT so that it lists every update of the area (its
// other entries kept), or leaves it as it was.
enum class FitListing { kRelist, kKeep };

// Writes an update for `cpuid` at the microcode file's end and grows the file over it, into
// its volume's free space.
AddResult AddMicrocode(Bytes& image, uint32_t cpuid, FitListing fit = FitListing::kRelist);

// "506E3" for 0x506E3; ParseCpuid gives 0 for text that is not 1 to 8 hex digits.
std::string CpuidText(uint32_t cpuid);
uint32_t ParseCpuid(std::string_view text);

}  // namespace standin

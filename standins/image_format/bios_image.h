#pragma once
// Reading and editing the stand-in patcher's images in memory. Every edit works on the bytes in
// place and keeps everything it does not touch; an image that does not parse is never edited.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

using Bytes = std::vector<uint8_t>;

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
  kBadLayoutVersion,
  kBadRegions,
  kNoMeRegion,
  kBadMicrocode,
};

struct ImageSummary {
  MeVersion me;
  bool meEnabled = false;
  std::vector<uint32_t> cpuids;  // in the order the updates are stored
};

struct ParseResult {
  ImageError error = ImageError::kNone;
  ImageSummary summary;
  bool ok() const { return error == ImageError::kNone; }
};

ParseResult ParseImage(std::span<const uint8_t> image);
std::string_view DescribeError(ImageError error);

// Writes the ME version and state. False (image unchanged) when the image does not parse.
bool SetMeState(Bytes& image, MeVersion version, bool enabled);

enum class AddResult { kAdded, kAlreadyPresent, kNoRoom, kBadImage };

// Appends an update for `cpuid` in the microcode region's free space.
AddResult AddMicrocode(Bytes& image, uint32_t cpuid);

// One update of the given total size (a multiple of 1024), checksum filled in.
Bytes MakeMicrocodeUpdate(uint32_t cpuid, uint32_t revision, size_t totalSize);

// "506E3" for 0x506E3; ParseCpuid gives 0 for text that is not 1 to 8 hex digits.
std::string CpuidText(uint32_t cpuid);
uint32_t ParseCpuid(std::string_view text);

}  // namespace standin

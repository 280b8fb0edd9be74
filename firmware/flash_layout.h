#pragma once
// Where the parts of a flash image lie: the bytes before the flash descriptor (a capsule
// header), the regions its FLREG words give, and in the BIOS region the firmware volumes
// (UEFI PI layout) with the files of those that hold a file system. Only the top level is
// walked: a file is a whole, volumes nested inside files are not looked into. Every offset and
// size taken from the image is checked against its length.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "firmware/byte_reader.h"
#include "firmware/descriptor.h"

namespace firmware {

struct Guid {
  std::array<uint8_t, 16> bytes{};  // as stored: the first three fields little-endian
  auto operator<=>(const Guid&) const = default;
};

// "8C8CE578-8A3D-4F1C-9935-896185C32DD3": the registry format, upper case.
std::string GuidText(const Guid& guid);

// The regions the comparison looks at, by their FLREG index, in the order they are told.
enum class RegionIndex : uint8_t { kDescriptor = 0, kBios = 1, kMe = 2, kGbe = 3, kPdr = 4, kEc = 8 };
inline constexpr std::array<RegionIndex, 6> kComparedRegions{
    RegionIndex::kDescriptor, RegionIndex::kBios, RegionIndex::kMe,
    RegionIndex::kGbe,        RegionIndex::kPdr,  RegionIndex::kEc};
// "descriptor", "bios", "me", "gbe", "pdr", "ec".
const char* RegionName(RegionIndex index);

// A file of a volume with a file system (pad files are not kept).
struct FlashFile {
  Guid name;
  uint8_t type = 0;
  size_t offset = 0;      // of its header in the image
  size_t headerSize = 0;  // 24, or 32 for a large file
  size_t size = 0;        // header included
};

// A volume whose file system is not one of files (a settings store, for example): one block.
struct FlashBlock {
  Guid fileSystem;
  size_t offset = 0;  // in the image
  size_t size = 0;
};

struct FlashLayout {
  // Where the descriptor starts, which is the length of what comes before it; none without a
  // descriptor (then the whole image is the BIOS region and there are no other regions).
  std::optional<size_t> prefix;
  // The regions present (base not above limit, start inside the image), as image offsets cut
  // at the image's end, indexed by FLREG number.
  std::array<std::optional<FlashRegion>, 9> regions{};
  std::vector<FlashFile> files;    // in the BIOS region, in offset order
  std::vector<FlashBlock> blocks;  // likewise
};

FlashLayout ReadFlashLayout(Bytes image);

}  // namespace firmware

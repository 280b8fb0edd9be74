#pragma once
// The flash descriptor: where it starts and the regions its FLREG words give.
#include <cstddef>
#include <optional>

#include "firmware/byte_reader.h"

namespace firmware {

// A region as image offsets, [begin, end).
struct FlashRegion {
  size_t begin = 0;
  size_t end = 0;
};

struct FlashDescriptor {
  size_t offset = 0;                // the descriptor's start; its signature is 0x10 further
  std::optional<FlashRegion> bios;  // FLREG1, when used and inside the image
  std::optional<FlashRegion> me;    // FLREG2, likewise
};

// Looks at offset 0 and, for images with a capsule header in front, at every 0x800-byte
// boundary up to 64 KiB; the first signature found wins.
std::optional<FlashDescriptor> FindDescriptor(Bytes image);

// Region `index` of the descriptor at `descriptorOffset`, or nothing when its FLREG word is
// missing, marks it unused (base above limit) or reaches past the image's end.
std::optional<FlashRegion> ReadRegion(Bytes image, size_t descriptorOffset, uint32_t index);

}  // namespace firmware

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
  // The ME-disable strap (HAP, bit 16 of PCHSTRP0): set means the ME is switched off. Unknown
  // when the strap word lies past the image's end.
  std::optional<bool> hapSet;
};

// Looks at offset 0 and, for images with a capsule header in front, at every 0x800-byte
// boundary up to 64 KiB; the first signature found wins.
std::optional<FlashDescriptor> FindDescriptor(Bytes image);

// Region `index` of the descriptor at `descriptorOffset` as its FLREG word gives it, whether or
// not it lies inside the image; nothing when the word is missing or marks the region unused
// (base above limit).
std::optional<FlashRegion> ReadRegionBounds(Bytes image, size_t descriptorOffset, uint32_t index);

// The same, or nothing when the region reaches past the image's end.
std::optional<FlashRegion> ReadRegion(Bytes image, size_t descriptorOffset, uint32_t index);

// The image offset of region `index`'s FLREG word when the word does not hold: its base is
// above its limit but it is not marked unused (base 0x7FFF), or the region runs past the
// image's end. Nothing for a sound or unused region, or a word that is not in the image.
std::optional<size_t> FlawedRegionWord(Bytes image, size_t descriptorOffset, uint32_t index);

// The HAP bit of the descriptor at `descriptorOffset`: FLMAP1 (at +0x18) gives the PCH strap
// base FPSBA in bits 16..23, in units of 16 bytes; PCHSTRP0 is the word there.
std::optional<bool> ReadHapBit(Bytes image, size_t descriptorOffset);

}  // namespace firmware

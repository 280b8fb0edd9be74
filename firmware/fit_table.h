#pragma once
// The Firmware Interface Table (FIT): 16-byte entries in the BIOS region, found through the
// 32-bit pointer 0x40 below the region's end. The region's end sits at 4 GiB in the processor's
// address space, so a physical address P lies 2^32 - P bytes below it in the file.
#include <cstdint>
#include <optional>
#include <vector>

#include "firmware/byte_reader.h"
#include "firmware/descriptor.h"
#include "firmware/image_facts.h"

namespace firmware {

// The file offset of physical address `address` when the BIOS region ends at file offset
// `top`; none for an address of 4 GiB or above, or one more than `top` bytes below 4 GiB.
std::optional<size_t> MapFitAddress(uint64_t address, size_t top);

// The FIT of an image whose BIOS region is `bios` (the whole file when it has no descriptor).
// The pointer counts when it lies in the 16 MiB below 4 GiB (all ones, as erased flash reads,
// does not); its table must then start with the "_FIT_   " header of type 0 whose count (2 to
// 1024) of entries lies inside the region, or the table is a fit-table finding at the pointer.
// Microcode entries name the update of `updates` (valid ones, in file order) starting where
// their address maps; one that maps outside the file is a fit-entry finding at the entry.
// Findings are appended to `findings`.
std::optional<FitTable> ReadFit(Bytes image, FlashRegion bios, const std::vector<MicrocodeUpdate>& updates,
                                std::vector<Finding>& findings);

}  // namespace firmware

#pragma once
// The stand-in's Firmware Interface Table: a "_FIT_   " header and 16-byte entries in the
// microcode file's FIT area, found through the 32-bit pointer 0x40 below the BIOS region's end.
// The region's end sits at 4 GiB, so file offset o of a region ending at e is address
// 2^32 - (e - o).
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace standin {

constexpr uint8_t kFitMicrocodeType = 0x01;
constexpr uint8_t kFitStartupAcmType = 0x02;
constexpr uint8_t kFitKeyManifestType = 0x0B;
constexpr uint8_t kFitBootPolicyType = 0x0C;

struct FitEntry {
  uint64_t address = 0;
  uint8_t type = 0;  // bits 0..6 of byte 14
  bool operator==(const FitEntry&) const = default;
};

// The address of file offset `offset` in a BIOS region ending at file offset `biosEnd`.
uint64_t FitAddress(size_t offset, size_t biosEnd);

// The entries after the header of the FIT in the region [biosBegin, biosEnd); empty when the
// pointer leads to no "_FIT_   " header of 2 to kFitCapacity entries lying inside the region.
std::vector<FitEntry> ReadFit(std::span<const uint8_t> image, size_t biosBegin, size_t biosEnd);

// Writes the FIT at file offset `fit` and the pointer to it: one microcode entry per offset of
// `updates`, in that order, then `others` by type. Entries that would make the table longer
// than kFitCapacity are left out.
void WriteFit(std::span<uint8_t> image, size_t fit, size_t biosEnd,
              std::span<const size_t> updates, std::vector<FitEntry> others);

}  // namespace standin

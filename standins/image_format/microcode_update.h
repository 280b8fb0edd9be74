#pragma once
// Intel microcode updates as the stand-in writes and reads them: the 48-byte header, synthetic
// data (never real microcode) and an optional extended signature table.
#include <cstdint>
#include <span>
#include <vector>

#include "standins/image_format/byte_order.h"

namespace standin {

// What the stand-in puts into the header of an update for one CPUID (synthetic values).
struct UpdateFacts {
  uint32_t cpuid = 0;
  uint32_t revision = 0;
  uint32_t date = 0;  // BCD mmddyyyy
  uint32_t platformFlags = 0;
  uint32_t totalSize = 0;  // a multiple of 1024
};

// The table's entry for `cpuid`; a CPUID outside the table gets revision 1 and 2 KiB.
UpdateFacts FactsFor(uint32_t cpuid);

// A complete update for `cpuid` with the table's facts, checksums filled in. `extended`
// signatures, if any, go into an extended signature table at its end.
Bytes MakeMicrocodeUpdate(uint32_t cpuid, std::span<const uint32_t> extended = {});

enum class UpdateStatus {
  kValid,
  kBadChecksum,  // well-formed, but its words do not sum to zero: skipped, not listed
  kMalformed,    // header or sizes do not hold: the area cannot be walked past it
};

struct UpdateRead {
  UpdateStatus status = UpdateStatus::kMalformed;
  uint32_t totalSize = 0;
  std::vector<uint32_t> cpuids;  // with kValid: the primary signature, then the extended ones
};

// The update at the start of `bytes`, which end where the microcode area ends.
UpdateRead ReadUpdate(std::span<const uint8_t> bytes);

}  // namespace standin

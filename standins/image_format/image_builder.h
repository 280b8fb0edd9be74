#pragma once
// Builds well-formed images for tests and the sample files from a short recipe: descriptor,
// ME region first, GbE region, BIOS region after them (firmware volumes, the FIT listing every
// update), as real 8 and 16 MiB flash images are laid out.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "standins/image_format/bios_image.h"

namespace standin {

constexpr size_t kMiB = 1024 * 1024;

struct ImageRecipe {
  MeVersion me{11, 6, 0, 1126};
  bool meEnabled = true;  // HAP clear; false sets it
  std::vector<uint32_t> cpuids{};    // one update each, in this order
  std::vector<Bytes> moreUpdates{};  // written as they are after those
  size_t flashSize = 8 * kMiB;
  size_t meRegionSize = 0x1FD000;  // from 0x1000; the GbE region after it ends at 2 MiB
  size_t microcodeAreaSize = 0x40000;  // room for updates in the microcode volume
  bool capsuleHeader = false;               // a 2 KiB capsule header before the descriptor
  std::optional<MeVersion> decoyManifest{};  // a second "$MN2" manifest in the BIOS region
  bool bootGuard = false;  // the FIT also has startup ACM, key manifest and boot policy entries
};

// Where BuildImage puts each part, as file offsets.
struct ImagePlan {
  size_t descriptor = 0;
  size_t meRegion = 0, meRegionSize = 0;
  size_t gbeRegion = 0;  // kGbeRegionSize bytes
  size_t biosRegion = 0, biosRegionSize = 0;
  size_t pchStrap0 = 0;  // PCHSTRP0, whose bit 16 (HAP) is the ME state
  size_t manifest = 0;   // FTPR's manifest header
  size_t microcodeFile = 0;  // its header, in the volume at the BIOS region's start
  size_t fit = 0;            // the FIT's header, the file's first data byte; its pointer is 0x40
                             // below the BIOS region's end
  size_t microcodeArea = 0;  // the first update
  size_t decoyManifest = 0;  // where the decoy goes when the recipe has one
  size_t settingsStore = 0;
  size_t codeVolume = 0;  // the BIOS region's last kCodeVolumeSize bytes
};

ImagePlan PlanImage(const ImageRecipe& recipe);

// Recipe sizes are trusted: the generator's own callers choose them (4 KiB multiples, room
// for the partitions and the updates).
Bytes BuildImage(const ImageRecipe& recipe);

}  // namespace standin

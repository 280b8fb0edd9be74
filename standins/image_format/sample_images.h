#pragma once
// Vendor images for tests and the demo run folder, built from a short recipe.
#include <cstdint>
#include <string_view>
#include <vector>

#include "standins/image_format/bios_image.h"

namespace standin {

struct ImageRecipe {
  MeVersion me{11, 6, 0, 1126};
  bool meEnabled = true;
  std::vector<uint32_t> cpuids;
  size_t imageSize = 0x10000;
  size_t meRegionSize = 0x2000;
  size_t microcodeRegionSize = 0x4000;  // room for sixteen 1 KiB updates
};

// A well-formed image; recipe sizes are trusted (the generator's own callers choose them).
Bytes BuildImage(const ImageRecipe& recipe);

struct SampleFile {
  std::string_view fileName;
  Bytes bytes;
};

// vendor_me_on.bin (ME enabled, 506E3 and 906E9), vendor_me_off.bin (ME disabled, 506E3),
// broken.bin (an image whose descriptor signature is damaged: the patcher rejects it).
std::vector<SampleFile> SampleFiles();

}  // namespace standin

#include "standins/image_format/sample_images.h"

#include <algorithm>

#include "standins/image_format/image_layout.h"

namespace standin {

namespace {

void PutU32(Bytes& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = uint8_t(value >> (8 * i));
}

}  // namespace

Bytes BuildImage(const ImageRecipe& recipe) {
  Bytes image(recipe.imageSize, 0xFF);
  const size_t meOffset = kDescriptorSize;
  const size_t microcodeOffset = meOffset + recipe.meRegionSize;
  PutU32(image, kSignatureOffset, kDescriptorSignature);
  PutU32(image, kLayoutVersionOffset, kLayoutVersion);
  PutU32(image, kMeRegionOffsetField, uint32_t(meOffset));
  PutU32(image, kMeRegionSizeField, uint32_t(recipe.meRegionSize));
  PutU32(image, kMicrocodeRegionOffsetField, uint32_t(microcodeOffset));
  PutU32(image, kMicrocodeRegionSizeField, uint32_t(recipe.microcodeRegionSize));
  std::copy(std::begin(kMeTag), std::end(kMeTag), image.begin() + meOffset);
  PutU32(image, meOffset + kMeFlagsOffset, 0);
  size_t at = microcodeOffset;
  for (uint32_t cpuid : recipe.cpuids) {
    const Bytes update = MakeMicrocodeUpdate(cpuid, 0xAE, kUpdateTotalSizeUnit);
    std::copy(update.begin(), update.end(), image.begin() + at);
    at += update.size();
  }
  SetMeState(image, recipe.me, recipe.meEnabled);
  return image;
}

std::vector<SampleFile> SampleFiles() {
  std::vector<SampleFile> files;
  files.push_back({"vendor_me_on.bin", BuildImage({.meEnabled = true, .cpuids = {0x506E3, 0x906E9}})});
  files.push_back({"vendor_me_off.bin", BuildImage({.meEnabled = false, .cpuids = {0x506E3}})});
  Bytes broken = BuildImage({.cpuids = {0x506E3}});
  PutU32(broken, kSignatureOffset, 0x5AA5F00Fu);
  files.push_back({"broken.bin", std::move(broken)});
  return files;
}

}  // namespace standin

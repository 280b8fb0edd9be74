#include "standins/image_format/sample_images.h"

#include <string_view>

#include "standins/image_format/byte_order.h"
#include "standins/image_format/image_layout.h"

namespace standin {

namespace {

constexpr uint32_t kDamagedSignature = 0x5AA5F00Fu;
constexpr size_t kNotAnImageSize = 64 * 1024;

Bytes DamagedUpdate(uint32_t cpuid) {
  Bytes update = MakeMicrocodeUpdate(cpuid);
  update[kUpdateChecksumOffset] ^= 0x01;
  return update;
}

Bytes WithDamagedSignature(Bytes image) {
  WriteU32(image, kSignatureOffset, kDamagedSignature);
  return image;
}

Bytes BiosRegionOf(const ImageRecipe& recipe) {
  const Bytes image = BuildImage(recipe);
  const ImagePlan plan = PlanImage(recipe);
  const auto start = image.begin() + ptrdiff_t(plan.biosRegion);
  return Bytes(start, start + ptrdiff_t(plan.biosRegionSize));
}

Bytes RepeatedText(std::string_view text, size_t size) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = uint8_t(text[i % text.size()]);
  return bytes;
}

}  // namespace

std::vector<SampleFile> SampleFiles() {
  const uint32_t extended[] = {0x906EA, 0x906EB};
  std::vector<SampleFile> files;
  files.push_back({"vendor_me_on.bin",
                   BuildImage({.cpuids = {0x506E3, 0x906E9}, .flashSize = 16 * kMiB})});
  files.push_back({"vendor_me_off.bin", BuildImage({.meEnabled = false, .cpuids = {0x506E3}})});
  files.push_back({"broken.bin", WithDamagedSignature(BuildImage({.cpuids = {0x506E3}}))});
  files.push_back({"capsule_vendor.bin", BuildImage({.me = {11, 7, 0, 1229},
                                                     .cpuids = {0x506E3, 0x906EA},
                                                     .capsuleHeader = true})});
  files.push_back({"bios_region_only.bin", BiosRegionOf({.cpuids = {0x506E3, 0x906E9}})});
  files.push_back({"extended_signatures.bin",
                   BuildImage({.cpuids = {0x506E3},
                               .moreUpdates = {MakeMicrocodeUpdate(0x906E9, extended)}})});
  files.push_back({"bad_checksum_update.bin",
                   BuildImage({.cpuids = {0x506E3, 0x906E9},
                               .moreUpdates = {DamagedUpdate(0x906EC)}})});
  files.push_back({"decoy_manifest.bin",
                   BuildImage({.cpuids = {0x506E3}, .decoyManifest = MeVersion{12, 0, 35, 1427}})});
  files.push_back({"not_an_image.bin",
                   RepeatedText("This file is not a flash image. ", kNotAnImageSize)});
  files.push_back({"vendor_bootguard.bin", BuildImage({.cpuids = {0x506E3, 0x906EA}, .bootGuard = true})});
  return files;
}

}  // namespace standin

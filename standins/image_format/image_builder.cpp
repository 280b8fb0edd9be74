#include "standins/image_format/image_builder.h"

#include <algorithm>
#include <span>

#include "standins/image_format/bios_volumes.h"
#include "standins/image_format/byte_order.h"
#include "standins/image_format/firmware_volume.h"
#include "standins/image_format/fit_table.h"
#include "standins/image_format/gbe_region.h"
#include "standins/image_format/image_layout.h"

namespace standin {

namespace {

// Inside the ME region: FTPR a page after the partition table; inside FTPR the manifest
// follows the $CPD directory.
constexpr size_t kCodePartitionOffset = 0x2000;
constexpr size_t kCodePartitionSize = 0x10000;
constexpr size_t kManifestInPartition = 0x40;
constexpr uint32_t kManifestDate = 0x20180312;  // BCD yyyymmdd
// The decoy manifest lies a page after the microcode volume.
constexpr size_t kDecoyAfterMicrocodeVolume = 0x1000;

constexpr Guid kCapsuleGuid = StandInGuid(0x40);
constexpr uint32_t kCapsuleFlags = 0x00050000;  // persist across reset, initiate reset

uint32_t RegionValue(size_t base, size_t size) {
  return uint32_t((base + size - 1) >> 12) << 16 | uint32_t(base >> 12);
}

void Put(Bytes& image, size_t offset, std::span<const uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), image.begin() + ptrdiff_t(offset));
}

void PutTag(Bytes& image, size_t offset, const char (&tag)[4]) {
  std::copy(tag, tag + 4, image.begin() + ptrdiff_t(offset));
}

void Zero(Bytes& image, size_t offset, size_t size) {
  std::fill_n(image.begin() + ptrdiff_t(offset), size, uint8_t{0});
}

// The byte at `checksum` makes the `size` bytes from `offset` sum to zero (mod 256).
void ByteChecksum(Bytes& image, size_t offset, size_t size, size_t checksum) {
  image[checksum] = 0;
  uint8_t sum = 0;
  for (size_t i = 0; i < size; ++i) sum = uint8_t(sum + image[offset + i]);
  image[checksum] = uint8_t(0 - sum);
}

void WriteCapsuleHeader(Bytes& image) {
  Zero(image, 0, kCapsuleHeaderSize);
  WriteGuid(image, 0, kCapsuleGuid);
  WriteU32(image, 16, uint32_t(kCapsuleHeaderSize));
  WriteU32(image, 20, kCapsuleFlags);
  WriteU32(image, 24, uint32_t(image.size()));
}

void WriteDescriptor(Bytes& image, const ImagePlan& plan) {
  const size_t d = plan.descriptor;
  WriteU32(image, d + kSignatureOffset, kDescriptorSignature);
  WriteU32(image, d + kFlmap0Offset, kFlmap0);
  const size_t flreg = d + (((kFlmap0 >> kRegionBaseField) & 0xFF) << 4);
  for (int n = 0; n < kWrittenRegions; ++n) WriteU32(image, flreg + 4 * n, kUnusedRegion);
  WriteU32(image, flreg + 4 * kDescriptorRegion, RegionValue(0, kDescriptorSize));
  WriteU32(image, flreg + 4 * kBiosRegion, RegionValue(plan.biosRegion - d, plan.biosRegionSize));
  WriteU32(image, flreg + 4 * kMeRegion, RegionValue(plan.meRegion - d, plan.meRegionSize));
  WriteU32(image, flreg + 4 * kGbeRegion, RegionValue(plan.gbeRegion - d, kGbeRegionSize));
}

// The strap table is all zero but for HAP, set when the ME is to be off.
void WriteStraps(Bytes& image, const ImagePlan& plan, bool meEnabled) {
  WriteU32(image, plan.descriptor + kFlmap1Offset, kFlmap1);
  Zero(image, plan.pchStrap0, 4 * ((kFlmap1 >> kStrapLengthField) & 0xFF));
  if (!meEnabled) WriteU32(image, plan.pchStrap0, kHapBit);
}

void WriteManifest(Bytes& image, size_t at, MeVersion version) {
  Zero(image, at, kManifestHeaderSize);
  WriteU32(image, at, 4);  // header type
  WriteU32(image, at + 4, uint32_t(kManifestHeaderSize / 4));
  WriteU32(image, at + 8, 0x10000);  // header version
  WriteU32(image, at + kManifestVendorOffset, kIntelVendor);
  WriteU32(image, at + 0x14, kManifestDate);
  WriteU32(image, at + 0x18, uint32_t(kManifestHeaderSize / 4));
  PutTag(image, at + kManifestTagOffset, kManifestTag);
  const size_t v = at + kManifestVersionOffset;
  WriteU16(image, v, version.major);
  WriteU16(image, v + 2, version.minor);
  WriteU16(image, v + 4, version.hotfix);
  WriteU16(image, v + 6, version.build);
}

void WriteFptEntry(Bytes& image, size_t entry, const char (&name)[4], size_t offset,
                   size_t length) {
  PutTag(image, entry, name);
  WriteU32(image, entry + kFptEntryOffsetField, uint32_t(offset));
  WriteU32(image, entry + kFptEntryLengthField, uint32_t(length));
}

void WriteMeRegion(Bytes& image, const ImagePlan& plan, const ImageRecipe& recipe) {
  const size_t me = plan.meRegion;
  Zero(image, me, kFptHeaderLength + kFptEntrySize);
  PutTag(image, me, kFptTag);
  WriteU32(image, me + kFptCountOffset, 1);
  image[me + kFptHeaderVersionOffset] = 0x20;
  image[me + kFptEntryVersionOffset] = 0x10;
  image[me + kFptHeaderLengthOffset] = kFptHeaderLength;
  WriteFptEntry(image, me + kFptHeaderLength, kCodePartition, kCodePartitionOffset,
                kCodePartitionSize);
  ByteChecksum(image, me, kFptHeaderLength, me + kFptChecksumOffset);

  const size_t cpd = me + kCodePartitionOffset;
  Zero(image, cpd, kCpdHeaderLength + kCpdEntrySize);
  PutTag(image, cpd, kCpdTag);
  WriteU32(image, cpd + kCpdCountOffset, 1);
  image[cpd + 8] = 1;  // header version
  image[cpd + 9] = 1;  // entry version
  image[cpd + kCpdHeaderLengthOffset] = kCpdHeaderLength;
  PutTag(image, cpd + kCpdNameOffset, kCodePartition);
  const size_t entry = cpd + kCpdHeaderLength;
  std::copy_n(kManifestEntry, sizeof kManifestEntry - 1, image.begin() + ptrdiff_t(entry));
  WriteU32(image, entry + kCpdEntryOffsetField, uint32_t(kManifestInPartition));
  WriteU32(image, entry + kCpdEntryLengthField, uint32_t(kManifestHeaderSize));
  ByteChecksum(image, cpd, kCpdHeaderLength + kCpdEntrySize, cpd + kCpdChecksumOffset);
  WriteManifest(image, plan.manifest, recipe.me);
}

// The microcode volume: its one file holds the FIT area (0xFF until the FIT is written) and
// the updates. Gives the updates' offsets.
std::vector<size_t> WriteMicrocodeVolume(Bytes& image, const ImagePlan& plan,
                                         const ImageRecipe& recipe) {
  const size_t volumeLength = plan.microcodeArea - plan.biosRegion + recipe.microcodeAreaSize;
  WriteVolumeHeader(image, plan.biosRegion, kFfs2FileSystem, volumeLength);
  Bytes data(kFitAreaSize, 0xFF);
  std::vector<size_t> updates;
  const auto append = [&](const Bytes& update) {
    updates.push_back(plan.microcodeArea + data.size() - kFitAreaSize);
    data.insert(data.end(), update.begin(), update.end());
  };
  for (uint32_t cpuid : recipe.cpuids) append(MakeMicrocodeUpdate(cpuid));
  for (const Bytes& update : recipe.moreUpdates) append(update);
  Put(image, plan.microcodeFile, MakeFile(kMicrocodeFile, kRawFileType, data));
  return updates;
}

void WriteBiosRegion(Bytes& image, const ImagePlan& plan, const ImageRecipe& recipe) {
  const std::vector<size_t> updates = WriteMicrocodeVolume(image, plan, recipe);
  if (recipe.decoyManifest) WriteManifest(image, plan.decoyManifest, *recipe.decoyManifest);
  WriteSettingsStore(image, plan.settingsStore);
  WriteCodeVolume(image, plan.codeVolume);
  const size_t end = plan.biosRegion + plan.biosRegionSize;
  std::vector<FitEntry> bootGuard;
  if (recipe.bootGuard) {
    bootGuard = {{FitAddress(end - kStartupAcmBelowBiosEnd, end), kFitStartupAcmType},
                 {FitAddress(end - kKeyManifestBelowBiosEnd, end), kFitKeyManifestType},
                 {FitAddress(end - kBootPolicyBelowBiosEnd, end), kFitBootPolicyType}};
  }
  WriteFit(image, plan.fit, end, updates, std::move(bootGuard));
}

}  // namespace

ImagePlan PlanImage(const ImageRecipe& recipe) {
  ImagePlan plan;
  plan.descriptor = recipe.capsuleHeader ? kCapsuleHeaderSize : 0;
  plan.meRegion = plan.descriptor + kDescriptorSize;
  plan.meRegionSize = recipe.meRegionSize;
  plan.gbeRegion = plan.meRegion + recipe.meRegionSize;
  plan.biosRegion = plan.gbeRegion + kGbeRegionSize;
  plan.biosRegionSize = recipe.flashSize - kDescriptorSize - recipe.meRegionSize - kGbeRegionSize;
  plan.pchStrap0 = plan.descriptor + (((kFlmap1 >> kStrapBaseField) & 0xFF) << 4);
  plan.manifest = plan.meRegion + kCodePartitionOffset + kManifestInPartition;
  plan.microcodeFile = plan.biosRegion + kVolumeHeaderSize;
  plan.fit = plan.microcodeFile + kFileHeaderSize;
  plan.microcodeArea = plan.fit + kFitAreaSize;
  plan.decoyManifest = plan.microcodeArea + recipe.microcodeAreaSize + kDecoyAfterMicrocodeVolume;
  plan.settingsStore = plan.biosRegion + kSettingsStoreInBios;
  plan.codeVolume = plan.biosRegion + plan.biosRegionSize - kCodeVolumeSize;
  return plan;
}

Bytes BuildImage(const ImageRecipe& recipe) {
  const ImagePlan plan = PlanImage(recipe);
  Bytes image(plan.descriptor + recipe.flashSize, 0xFF);
  if (recipe.capsuleHeader) WriteCapsuleHeader(image);
  WriteDescriptor(image, plan);
  WriteStraps(image, plan, recipe.meEnabled);
  WriteMeRegion(image, plan, recipe);
  WriteGbeRegion(image, plan.gbeRegion, kStandInMac);
  WriteBiosRegion(image, plan, recipe);
  return image;
}

}  // namespace standin

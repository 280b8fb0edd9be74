#include "standins/image_format/image_builder.h"

#include <algorithm>
#include <span>

#include "standins/image_format/byte_order.h"
#include "standins/image_format/fit_table.h"
#include "standins/image_format/image_layout.h"

namespace standin {

namespace {

// Inside the ME region: FTPR a page after the partition table; inside FTPR the manifest
// follows the $CPD directory.
constexpr size_t kCodePartitionOffset = 0x2000;
constexpr size_t kCodePartitionSize = 0x10000;
constexpr size_t kManifestInPartition = 0x40;
constexpr uint32_t kManifestDate = 0x20180312;  // BCD yyyymmdd
// Inside the BIOS region: the area record, the microcode area a page later.
constexpr size_t kAreaInBios = 0x1000;

// Synthetic capsule GUID: no vendor's.
constexpr uint8_t kCapsuleGuid[16] = {0x53, 0x54, 0x41, 0x4E, 0x44, 0x2D, 0x49, 0x4E,
                                      0x91, 0x2C, 0x0E, 0x7A, 0x36, 0x4B, 0xC8, 0x15};
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
  Put(image, 0, kCapsuleGuid);
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

void WriteBiosRegion(Bytes& image, const ImagePlan& plan, const ImageRecipe& recipe) {
  PutTag(image, plan.biosRegion, kAreaTag);
  WriteU32(image, plan.biosRegion + kAreaOffsetField, uint32_t(kAreaInBios));
  WriteU32(image, plan.biosRegion + kAreaSizeField, uint32_t(recipe.microcodeAreaSize));
  std::vector<size_t> updates;
  size_t at = plan.microcodeArea;
  for (uint32_t cpuid : recipe.cpuids) {
    const Bytes update = MakeMicrocodeUpdate(cpuid);
    Put(image, at, update);
    updates.push_back(at);
    at += update.size();
  }
  for (const Bytes& update : recipe.moreUpdates) {
    Put(image, at, update);
    updates.push_back(at);
    at += update.size();
  }
  if (recipe.decoyManifest) WriteManifest(image, plan.decoyManifest, *recipe.decoyManifest);
  const size_t end = plan.biosRegion + plan.biosRegionSize;
  std::vector<FitEntry> bootGuard;
  if (recipe.bootGuard) {
    bootGuard = {{FitAddress(end - kStartupAcmBelowBiosEnd, end), kFitStartupAcmType},
                 {FitAddress(end - kKeyManifestBelowBiosEnd, end), kFitKeyManifestType},
                 {FitAddress(end - kBootPolicyBelowBiosEnd, end), kFitBootPolicyType}};
  }
  WriteFit(image, end, updates, std::move(bootGuard));
}

}  // namespace

ImagePlan PlanImage(const ImageRecipe& recipe) {
  ImagePlan plan;
  plan.descriptor = recipe.capsuleHeader ? kCapsuleHeaderSize : 0;
  plan.meRegion = plan.descriptor + kDescriptorSize;
  plan.meRegionSize = recipe.meRegionSize;
  plan.biosRegion = plan.meRegion + recipe.meRegionSize;
  plan.biosRegionSize = recipe.flashSize - kDescriptorSize - recipe.meRegionSize;
  plan.pchStrap0 = plan.descriptor + (((kFlmap1 >> kStrapBaseField) & 0xFF) << 4);
  plan.manifest = plan.meRegion + kCodePartitionOffset + kManifestInPartition;
  plan.microcodeArea = plan.biosRegion + kAreaInBios;
  const size_t areaEnd = plan.microcodeArea + recipe.microcodeAreaSize;
  plan.decoyManifest = (areaEnd + 2 * kRegionUnit - 1) / kRegionUnit * kRegionUnit;
  plan.fit = plan.biosRegion + plan.biosRegionSize - kFitBelowBiosEnd;
  return plan;
}

Bytes BuildImage(const ImageRecipe& recipe) {
  const ImagePlan plan = PlanImage(recipe);
  Bytes image(plan.descriptor + recipe.flashSize, 0xFF);
  if (recipe.capsuleHeader) WriteCapsuleHeader(image);
  WriteDescriptor(image, plan);
  WriteStraps(image, plan, recipe.meEnabled);
  WriteMeRegion(image, plan, recipe);
  WriteBiosRegion(image, plan, recipe);
  return image;
}

}  // namespace standin

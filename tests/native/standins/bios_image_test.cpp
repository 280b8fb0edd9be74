#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "standins/image_format/bios_image.h"
#include "standins/image_format/byte_order.h"
#include "standins/image_format/firmware_volume.h"
#include "standins/image_format/image_builder.h"
#include "standins/image_format/image_layout.h"
#include "standins/image_format/sample_images.h"

namespace standin {
namespace {

const Bytes& Sample(std::string_view name) {
  static const std::vector<SampleFile> files = SampleFiles();
  auto it = std::find_if(files.begin(), files.end(),
                         [&](const SampleFile& f) { return f.fileName == name; });
  if (it == files.end()) ADD_FAILURE() << "no sample " << name;
  static const Bytes kNone;
  return it == files.end() ? kNone : it->bytes;
}

// FLREGn of the descriptor at `descriptor`, decoded the way the descriptor defines it.
struct Region {
  size_t base = 0, limit = 0;
  bool operator==(const Region&) const = default;
};
Region DecodeFlreg(const Bytes& image, size_t descriptor, int n) {
  const size_t frba = ((ReadU32(image, descriptor + kFlmap0Offset) >> 16) & 0xFF) << 4;
  const uint32_t v = ReadU32(image, descriptor + frba + 4 * n);
  return {size_t(v & 0x7FFF) << 12, (size_t((v >> 16) & 0x7FFF) << 12) | 0xFFF};
}

// The updates of the microcode file (its header 0x48 into the BIOS region, the updates from
// 0x1000 to its end), walked by their total size.
struct StoredUpdate {
  uint32_t cpuid = 0;
  bool sumsToZero = false;
  std::vector<uint32_t> extended;  // signatures of a table whose words sum to zero
};
std::vector<StoredUpdate> StoredUpdates(const Bytes& image, size_t descriptor) {
  const size_t bios = descriptor + DecodeFlreg(image, descriptor, kBiosRegion).base;
  const size_t fileEnd = bios + 0x48 + (ReadU32(image, bios + 0x48 + 0x14) & 0xFFFFFF);
  size_t at = bios + 0x1000;
  std::vector<StoredUpdate> updates;
  while (at < fileEnd) {
    const std::span<const uint8_t> update(&image[at], ReadU32(image, at + kUpdateTotalSizeOffset));
    StoredUpdate stored{ReadU32(update, kUpdateSignatureOffset), SumWords(update) == 0, {}};
    const auto table = update.subspan(kUpdateHeaderSize + ReadU32(update, kUpdateDataSizeOffset));
    if (!table.empty() && SumWords(table) == 0) {
      for (uint32_t i = 0; i < ReadU32(table, 0); ++i) {
        const size_t entry = kExtendedHeaderSize + kExtendedEntrySize * i;
        stored.extended.push_back(ReadU32(table, entry));
        // An entry's checksum is the header's as if the header carried its signature.
        EXPECT_EQ(ReadU32(table, entry) + ReadU32(table, entry + 4) + ReadU32(table, entry + 8),
                  ReadU32(update, 12) + ReadU32(update, 16) + ReadU32(update, 24));
      }
    }
    updates.push_back(stored);
    at += update.size();
  }
  return updates;
}

struct SampleFacts {
  std::string_view name;
  size_t size;
  ImageError error;
  size_t descriptor = 0;
  MeVersion me{};
  bool meEnabled = false;
  std::vector<uint32_t> cpuids{};
};

TEST(SampleImages, EachParsesToWhatItsDescriptionSays) {
  constexpr MeVersion kVendorMe{11, 6, 0, 1126};
  const SampleFacts kFacts[] = {
      {"vendor_me_on.bin", 16 * kMiB, ImageError::kNone, 0, kVendorMe, true, {0x506E3, 0x906E9}},
      {"vendor_me_off.bin", 8 * kMiB, ImageError::kNone, 0, kVendorMe, false, {0x506E3}},
      {"broken.bin", 8 * kMiB, ImageError::kNoSignature},
      {"capsule_vendor.bin", 8 * kMiB + kCapsuleHeaderSize, ImageError::kNone, 0x800,
       {11, 7, 0, 1229}, true, {0x506E3, 0x906EA}},
      {"bios_region_only.bin", 6 * kMiB, ImageError::kNoSignature},
      {"extended_signatures.bin", 8 * kMiB, ImageError::kNone, 0, kVendorMe, true,
       {0x506E3, 0x906E9, 0x906EA, 0x906EB}},
      {"bad_checksum_update.bin", 8 * kMiB, ImageError::kNone, 0, kVendorMe, true,
       {0x506E3, 0x906E9}},
      {"decoy_manifest.bin", 8 * kMiB, ImageError::kNone, 0, kVendorMe, true, {0x506E3}},
      {"not_an_image.bin", 64 * 1024, ImageError::kNoSignature},
      {"vendor_bootguard.bin", 8 * kMiB, ImageError::kNone, 0, kVendorMe, true, {0x506E3, 0x906EA}},
  };
  ASSERT_EQ(SampleFiles().size(), std::size(kFacts));
  for (const SampleFacts& facts : kFacts) {
    SCOPED_TRACE(facts.name);
    const Bytes& bytes = Sample(facts.name);
    EXPECT_EQ(bytes.size(), facts.size);
    const ParseResult parsed = ParseImage(bytes);
    ASSERT_EQ(parsed.error, facts.error) << DescribeError(parsed.error);
    EXPECT_EQ(parsed.summary.descriptorOffset, facts.descriptor);
    EXPECT_EQ(parsed.summary.me, facts.me);
    EXPECT_EQ(parsed.summary.meEnabled, facts.meEnabled);
    EXPECT_EQ(parsed.summary.cpuids, facts.cpuids);
  }
}

TEST(SampleImages, OddUpdatesAndTheDecoyAreReallyThere) {
  const std::vector<StoredUpdate> damaged = StoredUpdates(Sample("bad_checksum_update.bin"), 0);
  ASSERT_EQ(damaged.size(), 3u);
  EXPECT_TRUE(damaged[0].sumsToZero && damaged[1].sumsToZero);
  EXPECT_EQ(damaged[2].cpuid, 0x906ECu);
  EXPECT_FALSE(damaged[2].sumsToZero);

  const std::vector<StoredUpdate> extended = StoredUpdates(Sample("extended_signatures.bin"), 0);
  ASSERT_EQ(extended.size(), 2u);
  EXPECT_TRUE(extended[1].sumsToZero);
  EXPECT_EQ(extended[1].cpuid, 0x906E9u);
  EXPECT_EQ(extended[1].extended, (std::vector<uint32_t>{0x906EA, 0x906EB}));

  // The BIOS region-only file is the BIOS region of an image: the microcode volume, its updates.
  const Bytes& biosOnly = Sample("bios_region_only.bin");
  EXPECT_EQ(std::memcmp(&biosOnly[0x28], "_FVH", 4), 0);
  EXPECT_EQ(ReadU32(biosOnly, 0x1000 + kUpdateSignatureOffset), 0x506E3u);

  // Two manifests with Intel's vendor word: FTPR's in the ME region, the decoy in the BIOS one.
  const Bytes& decoy = Sample("decoy_manifest.bin");
  const size_t biosBase = DecodeFlreg(decoy, 0, kBiosRegion).base;
  std::vector<std::pair<size_t, uint16_t>> manifests;  // tag offset, major version
  for (size_t at = kManifestTagOffset; at + 16 <= decoy.size(); at += 4) {
    if (std::memcmp(&decoy[at], kManifestTag, 4) != 0) continue;
    EXPECT_EQ(ReadU32(decoy, at - 12), kIntelVendor);
    manifests.push_back({at, ReadU16(decoy, at + 8)});
  }
  ASSERT_EQ(manifests.size(), 2u);
  EXPECT_LT(manifests[0].first, biosBase);
  EXPECT_EQ(manifests[0].second, 11);
  EXPECT_GT(manifests[1].first, biosBase);
  EXPECT_EQ(manifests[1].second, 12);
}

TEST(BuiltImages, RegionTableDecodesToThePlannedRegions) {
  for (bool capsule : {false, true}) {
    const ImageRecipe recipe{.cpuids = {0x506E3}, .flashSize = 16 * kMiB, .capsuleHeader = capsule};
    const ImagePlan plan = PlanImage(recipe);
    const Bytes image = BuildImage(recipe);
    const size_t d = plan.descriptor;
    EXPECT_EQ(ReadU32(image, d + kSignatureOffset), kDescriptorSignature);
    EXPECT_EQ(DecodeFlreg(image, d, kDescriptorRegion), (Region{0, 0xFFF}));
    EXPECT_EQ(DecodeFlreg(image, d, kMeRegion), (Region{0x1000, 0x1FDFFF}));
    EXPECT_EQ(DecodeFlreg(image, d, kGbeRegion), (Region{0x1FE000, 0x1FFFFF}));
    EXPECT_EQ(DecodeFlreg(image, d, kBiosRegion), (Region{0x200000, 16 * kMiB - 1}));
    EXPECT_EQ(d + 0x1000, plan.meRegion);
    EXPECT_EQ(d + 0x1FE000, plan.gbeRegion);
    EXPECT_EQ(d + 0x200000, plan.biosRegion);
    for (int n = 4; n < kWrittenRegions; ++n) {
      const Region unused = DecodeFlreg(image, d, n);
      EXPECT_GT(unused.base, unused.limit) << n;
    }
    // The GbE region: the stand-in's MAC address, words 0..0x3F summing to 0xBABA.
    const size_t gbe = d + 0x1FE000;
    EXPECT_EQ(Bytes(image.begin() + ptrdiff_t(gbe), image.begin() + ptrdiff_t(gbe + 6)),
              (Bytes{0x02, 0x53, 0x54, 0x4E, 0x44, 0x01}));
    uint16_t sum = 0;
    for (size_t word = 0; word <= 0x3F; ++word) {
      sum = uint16_t(sum + ReadU16(image, gbe + 2 * word));
    }
    EXPECT_EQ(sum, 0xBABA);
  }
}

// A UEFI PI volume walked by hand: the header's 16-bit words sum to 0; each file header's
// bytes, its state and data checksum taken as 0, sum to 0; files follow at 8-byte steps from
// the (extended) header's end to the free space.
struct WalkedFile {
  size_t offset = 0, size = 0;
  uint8_t type = 0, attributes = 0;
};
std::vector<WalkedFile> WalkVolume(const Bytes& image, size_t volume) {
  EXPECT_EQ(std::memcmp(&image[volume + 0x28], "_FVH", 4), 0);
  const size_t length = ReadU32(image, volume + 0x20);
  const size_t headerLength = ReadU16(image, volume + 0x30);
  uint16_t headerSum = 0;
  for (size_t i = 0; i < headerLength; i += 2) {
    headerSum = uint16_t(headerSum + ReadU16(image, volume + i));
  }
  EXPECT_EQ(headerSum, 0) << std::hex << volume;
  const size_t ext = ReadU16(image, volume + 0x34);
  size_t at = ext != 0 ? ext + ReadU32(image, volume + ext + 16) : headerLength;
  std::vector<WalkedFile> files;
  for (at = (at + 7) / 8 * 8; at + 24 <= length; at = (at + 7) / 8 * 8) {
    const size_t f = volume + at;
    if (std::all_of(&image[f], &image[f + 24], [](uint8_t b) { return b == 0xFF; })) break;
    const bool large = (image[f + 0x13] & 0x01) != 0;
    const size_t size = large ? ReadU32(image, f + 0x18) : ReadU32(image, f + 0x14) & 0xFFFFFF;
    uint8_t sum = 0;
    for (size_t i = 0; i < (large ? 32u : 24u); ++i) {
      if (i != 0x11 && i != 0x17) sum = uint8_t(sum + image[f + i]);
    }
    EXPECT_EQ(sum, 0) << std::hex << f;
    EXPECT_EQ(image[f + 0x11], 0xAA) << std::hex << f;
    EXPECT_EQ(image[f + 0x17], 0xF8) << std::hex << f;
    if (size < 24) {
      ADD_FAILURE() << "file at " << std::hex << f << " of size " << size;
      break;
    }
    files.push_back({f, size, image[f + 0x12], image[f + 0x13]});
    at += size;
  }
  EXPECT_LE(at, length) << std::hex << volume;
  return files;
}

TEST(BuiltImages, BiosRegionIsFirmwareVolumesAReaderCanWalk) {
  const Bytes image = BuildImage({.cpuids = {0x506E3, 0x906E9}, .flashSize = 16 * kMiB});
  const size_t b = 0x200000, e = 16 * kMiB;
  const struct {
    size_t at;
    uint32_t fileSystem;  // the GUID's first field
    size_t length;
  } kVolumes[] = {{b, 0x8C8CE578, 0x41000}, {b + 0x60000, 0xFFF12B8D, 0x20000},
                  {e - 0x100000, 0x5473C07A, 0x100000}};
  for (const auto& volume : kVolumes) {
    EXPECT_EQ(ReadU32(image, volume.at + 0x10), volume.fileSystem);
    EXPECT_EQ(ReadU32(image, volume.at + 0x20), volume.length);
  }

  // One raw file: the FIT area, then the updates from b + 0x1000 to its end.
  const std::vector<WalkedFile> microcode = WalkVolume(image, b);
  ASSERT_EQ(microcode.size(), 1u);
  EXPECT_EQ(microcode[0].offset, b + 0x48);
  EXPECT_EQ(microcode[0].type, 0x01);
  EXPECT_EQ(microcode[0].size, 0x18 + 0xFA0 + 0x1400 + 0x1800u);
  EXPECT_EQ(std::memcmp(&image[b + 0x60], "_FIT_   ", 8), 0);
  EXPECT_EQ(ReadU32(image, e - 0x40), 0x100000000 - (e - (b + 0x60)));
  EXPECT_EQ(ReadU32(image, e - 0x3C), 0u);

  EXPECT_EQ(std::memcmp(&image[b + 0x60048], "$VSS", 4), 0);

  // Six code files (one with the large header), the pad file, the volume top file at the end.
  const std::vector<WalkedFile> code = WalkVolume(image, e - 0x100000);
  ASSERT_EQ(code.size(), 8u);
  EXPECT_EQ(code[0].offset, e - 0x100000 + 0x60);
  EXPECT_EQ(std::count_if(code.begin(), code.end(),
                          [](const WalkedFile& f) { return f.attributes == 0x01; }),
            1);
  EXPECT_EQ(code[6].type, 0xF0);
  EXPECT_EQ(code[6].offset + code[6].size, e - 0x1000);
  EXPECT_EQ(code[7].offset, e - 0x1000);
  EXPECT_EQ(code[7].size, 0x1000u);
  EXPECT_EQ(code[7].type, 0x03);
}

// Where a firmware reader finds the ME state, written out by hand: FLMAP1 at descriptor + 0x18,
// the strap base FPSBA = bits 16..23 << 4, PCHSTRP0 there, HAP its bit 16 (set = ME off).
TEST(BuiltImages, MeStateIsTheHapStrapWhereTheDescriptorPutsIt) {
  for (bool capsule : {false, true}) {
    for (bool meEnabled : {true, false}) {
      SCOPED_TRACE(testing::Message() << "capsule " << capsule << ", ME on " << meEnabled);
      const Bytes image = BuildImage({.meEnabled = meEnabled, .capsuleHeader = capsule});
      const size_t d = capsule ? 0x800 : 0;
      const uint32_t flmap1 = ReadU32(image, d + 0x18);
      const size_t fpsba = ((flmap1 >> 16) & 0xFF) << 4;
      const size_t strapBytes = 4 * size_t(flmap1 >> 24);
      EXPECT_GE(fpsba, 0x40u + 4 * 10) << "straps overlap FLREG0..9";
      EXPECT_GT(strapBytes, 0u);
      EXPECT_LE(fpsba + strapBytes, 0x1000u) << "straps run out of the descriptor";
      const bool hap = (ReadU32(image, d + fpsba) >> 16 & 1) != 0;
      EXPECT_EQ(hap, !meEnabled);
      EXPECT_EQ(ParseImage(image).summary.meEnabled, meEnabled);
    }
  }
}

TEST(BuiltImages, UpdatesFollowOneAnotherWithValidChecksumsAndFreeSpaceAfter) {
  const ImageRecipe recipe{.cpuids = {0x506E3, 0x906EA, 0x12345}};
  const Bytes image = BuildImage(recipe);
  const std::vector<StoredUpdate> updates = StoredUpdates(image, 0);
  ASSERT_EQ(updates.size(), 3u);
  size_t used = 0;
  for (size_t i = 0; i < updates.size(); ++i) {
    EXPECT_EQ(updates[i].cpuid, recipe.cpuids[i]);
    EXPECT_TRUE(updates[i].sumsToZero);
    used += FactsFor(recipe.cpuids[i]).totalSize;
  }
  const size_t area = PlanImage(recipe).microcodeArea;
  EXPECT_TRUE(std::all_of(image.begin() + ptrdiff_t(area + used),
                          image.begin() + ptrdiff_t(area + recipe.microcodeAreaSize),
                          [](uint8_t b) { return b == 0xFF; }));
}

class DamagedImage : public ::testing::Test {
 protected:
  const ImageRecipe recipe{.cpuids = {0x906EA}};
  const ImagePlan plan = PlanImage(recipe);
  const Bytes image = BuildImage(recipe);
  size_t Flreg(int n) const { return 0x40 + 4 * size_t(n); }
  ImageError ErrorWith(size_t offset, uint32_t value) const {
    Bytes copy = image;
    WriteU32(copy, offset, value);
    return ParseImage(copy).error;
  }
};

TEST_F(DamagedImage, ShortOrOverlongFilesAreRejected) {
  EXPECT_EQ(ParseImage(Bytes{}).error, ImageError::kTooSmall);
  EXPECT_EQ(ParseImage(Bytes(kDescriptorSize - 1, 0xFF)).error, ImageError::kTooSmall);
  EXPECT_EQ(ParseImage(Bytes(kMaxImageSize + 1, 0xFF)).error, ImageError::kTooLarge);
}

TEST_F(DamagedImage, RegionTablePointingOutsideTheFileOrOverlappingIsRejected) {
  EXPECT_EQ(ErrorWith(Flreg(kBiosRegion), 0x08000200), ImageError::kBadRegions);  // past 8 MiB
  EXPECT_EQ(ErrorWith(Flreg(kMeRegion), 0x01FF0000), ImageError::kBadRegions);  // descriptor
  EXPECT_EQ(ErrorWith(Flreg(kMeRegion), 0x02000001), ImageError::kBadRegions);  // into BIOS
  EXPECT_EQ(ErrorWith(Flreg(kBiosRegion), kUnusedRegion), ImageError::kBadRegions);
  EXPECT_EQ(ErrorWith(Flreg(kMeRegion), kUnusedRegion), ImageError::kNoMeRegion);
  EXPECT_EQ(ErrorWith(kFlmap0Offset, 0x00FF0003), ImageError::kBadRegions);  // FRBA 0xFF0
}

TEST_F(DamagedImage, StrapTableOutsideTheDescriptorOrEmptyIsRejected) {
  EXPECT_EQ(ErrorWith(kFlmap1Offset, 0x04FF0208), ImageError::kNone);  // the last 16 bytes
  EXPECT_EQ(ErrorWith(kFlmap1Offset, 0x05FF0208), ImageError::kBadStraps);  // 4 bytes past
  EXPECT_EQ(ErrorWith(kFlmap1Offset, 0x00100208), ImageError::kBadStraps);  // no straps
}

TEST_F(DamagedImage, MePartitionTableAndManifestAreChecked) {
  EXPECT_EQ(ErrorWith(plan.meRegion, 0), ImageError::kNoMeRegion);  // no "$FPT"
  EXPECT_EQ(ErrorWith(plan.meRegion + kFptCountOffset, 0), ImageError::kBadMeRegion);
  const size_t ftprEntry = plan.meRegion + kFptHeaderLength;
  EXPECT_EQ(ErrorWith(ftprEntry + kFptEntryOffsetField, 0x7FFFFFFF), ImageError::kBadMeRegion);
  EXPECT_EQ(ErrorWith(ftprEntry + kFptEntryLengthField, 0x01000000), ImageError::kBadMeRegion);
  EXPECT_EQ(ErrorWith(plan.manifest + kManifestTagOffset, 0), ImageError::kBadMeRegion);
  EXPECT_EQ(ErrorWith(plan.manifest + kManifestVendorOffset, 0x8087), ImageError::kBadMeRegion);
}

TEST_F(DamagedImage, MicrocodeFileAndMalformedUpdatesAreRejected) {
  const size_t area = plan.microcodeArea;
  EXPECT_EQ(ErrorWith(plan.biosRegion + 0x28, 0), ImageError::kNoMicrocodeArea);  // no "_FVH"
  EXPECT_EQ(ErrorWith(plan.biosRegion + 0x20, 0x7FFFF000), ImageError::kNoMicrocodeArea);
  EXPECT_EQ(ErrorWith(plan.microcodeFile, 0x12345678), ImageError::kNoMicrocodeArea);  // renamed
  Bytes cut = image;  // the file, its header checksum right, ends inside its update
  SetFileSize(cut, plan.microcodeFile, 0x18 + 0xFA0 + FactsFor(0x906EA).totalSize - 0x400);
  EXPECT_EQ(ParseImage(cut).error, ImageError::kBadMicrocode);
  EXPECT_EQ(ErrorWith(area + kUpdateTotalSizeOffset, 1000), ImageError::kBadMicrocode);
  EXPECT_EQ(ErrorWith(area + kUpdateTotalSizeOffset, 0x100000), ImageError::kBadMicrocode);
  EXPECT_EQ(ErrorWith(area + kUpdateDataSizeOffset, 0x1800), ImageError::kBadMicrocode);
  EXPECT_EQ(ErrorWith(area + kUpdateLoaderRevisionOffset, 2), ImageError::kBadMicrocode);
}

TEST_F(DamagedImage, UpdateWithAWrongChecksumIsLeftOutAndTheWalkGoesOn) {
  Bytes copy = BuildImage({.cpuids = {0x906EA, 0x506E3}});
  copy[plan.microcodeArea + 200] ^= 0x01;
  const ParseResult parsed = ParseImage(copy);
  ASSERT_TRUE(parsed.ok()) << DescribeError(parsed.error);
  EXPECT_EQ(parsed.summary.cpuids, (std::vector<uint32_t>{0x506E3}));
}

// The bytes that differ between two images of the same size.
std::vector<size_t> ChangedOffsets(const Bytes& a, const Bytes& b) {
  std::vector<size_t> changed;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) changed.push_back(i);
  }
  return changed;
}

TEST(MeEdits, WriteTheManifestVersionAndTheHapBitAndNothingElse) {
  const ImageRecipe recipe{.cpuids = {0x506E3}, .capsuleHeader = true};
  const ImagePlan plan = PlanImage(recipe);
  Bytes image = BuildImage(recipe);
  const Bytes before = image;
  ASSERT_TRUE(SetMeState(image, kReplacementMe, false));
  const ParseResult after = ParseImage(image);
  ASSERT_TRUE(after.ok());
  EXPECT_EQ(after.summary.me, kReplacementMe);
  EXPECT_FALSE(after.summary.meEnabled);
  EXPECT_EQ(after.summary.cpuids, (std::vector<uint32_t>{0x506E3}));
  const std::vector<size_t> changed = ChangedOffsets(before, image);
  ASSERT_FALSE(changed.empty());
  for (size_t i : changed) {
    const size_t version = plan.manifest + kManifestVersionOffset;
    const size_t hapByte = plan.pchStrap0 + 2;  // bit 16 of the little-endian word
    EXPECT_TRUE(i == hapByte || (i >= version && i < version + 8)) << std::hex << i;
  }
  ASSERT_TRUE(SetMeState(image, kReplacementMe, true));
  EXPECT_TRUE(ParseImage(image).summary.meEnabled);
}

TEST(MeEdits, ImageThatDoesNotParseIsLeftAlone) {
  Bytes image = Sample("broken.bin");
  const Bytes before = image;
  EXPECT_FALSE(SetMeState(image, kReplacementMe, false));
  EXPECT_EQ(image, before);
}

TEST(MicrocodeEdits, AddedUpdatesGoIntoTheFreeSpaceAfterTheExistingOnes) {
  const ImageRecipe recipe{.cpuids = {0x506E3, 0x906E9}};
  Bytes image = BuildImage(recipe);
  const Bytes before = image;
  EXPECT_EQ(AddMicrocode(image, 0x906EC), AddResult::kAdded);
  EXPECT_EQ(AddMicrocode(image, 0x506E3), AddResult::kAlreadyPresent);
  const ParseResult result = ParseImage(image);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.summary.cpuids, (std::vector<uint32_t>{0x506E3, 0x906E9, 0x906EC}));
  const ImagePlan plan = PlanImage(recipe);
  const size_t free = plan.microcodeArea + FactsFor(0x506E3).totalSize + FactsFor(0x906E9).totalSize;
  const std::vector<size_t> changed = ChangedOffsets(before, image);
  ASSERT_FALSE(changed.empty());
  for (size_t i : changed) {
    const bool inUpdate = i >= free && i < free + FactsFor(0x906EC).totalSize;
    const bool inFit = i >= plan.fit && i < plan.fit + 4 * 16;  // header and three entries
    const bool inFileHeader = i == plan.microcodeFile + 0x10 ||  // header checksum, 24-bit size
                              (i >= plan.microcodeFile + 0x14 && i < plan.microcodeFile + 0x17);
    EXPECT_TRUE(inUpdate || inFit || inFileHeader) << std::hex << i;
  }
}

TEST(MicrocodeEdits, ExtendedSignaturesCountAsPresent) {
  Bytes image = Sample("extended_signatures.bin");
  EXPECT_EQ(AddMicrocode(image, 0x906EB), AddResult::kAlreadyPresent);
}

TEST(MicrocodeEdits, FullAreaAndBadImageAreReportedAndLeaveTheBytes) {
  // 11 KiB of updates in a 12 KiB area.
  Bytes full = BuildImage({.cpuids = {0x506E3, 0x906E9}, .microcodeAreaSize = 0x3000});
  const Bytes before = full;
  EXPECT_EQ(AddMicrocode(full, 0x906EC), AddResult::kNoRoom);
  EXPECT_EQ(full, before);

  Bytes bad = Sample("broken.bin");
  EXPECT_EQ(AddMicrocode(bad, 0x906EC), AddResult::kBadImage);
}

TEST(MicrocodeUpdates, DifferentCpuidsGetDifferentDataAndTheirOwnFacts) {
  const Bytes a = MakeMicrocodeUpdate(0x506E3);
  const Bytes b = MakeMicrocodeUpdate(0x906E9);
  ASSERT_EQ(a.size(), FactsFor(0x506E3).totalSize);
  EXPECT_FALSE(std::equal(a.begin() + kUpdateHeaderSize, a.begin() + 1024,
                          b.begin() + kUpdateHeaderSize));
  const Bytes ea = MakeMicrocodeUpdate(0x906EA);  // the values the README gives for 906EA
  EXPECT_EQ(ReadU32(ea, kUpdateRevisionOffset), 0xB4u);
  EXPECT_EQ(ReadU32(ea, kUpdateDateOffset), 0x02282019u);
}

TEST(CpuidText, RoundTripsAndRefusesNonHex) {
  EXPECT_EQ(CpuidText(0x506E3), "506E3");
  EXPECT_EQ(CpuidText(0x906EA), "906EA");
  EXPECT_EQ(CpuidText(0), "0");
  EXPECT_EQ(ParseCpuid("906ea"), 0x906EAu);
  EXPECT_EQ(ParseCpuid(CpuidText(0x506E0)), 0x506E0u);
  EXPECT_EQ(ParseCpuid(""), 0u);
  EXPECT_EQ(ParseCpuid("506G3"), 0u);
  EXPECT_EQ(ParseCpuid("123456789"), 0u);
}

}  // namespace
}  // namespace standin

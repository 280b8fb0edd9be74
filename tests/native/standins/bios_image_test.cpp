#include <gtest/gtest.h>

#include <algorithm>

#include "standins/image_format/bios_image.h"
#include "standins/image_format/image_layout.h"
#include "standins/image_format/sample_images.h"

namespace standin {
namespace {

void PutU32(Bytes& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = uint8_t(value >> (8 * i));
}

const SampleFile& Sample(std::string_view name) {
  static const std::vector<SampleFile> files = SampleFiles();
  auto it = std::find_if(files.begin(), files.end(),
                         [&](const SampleFile& f) { return f.fileName == name; });
  EXPECT_NE(it, files.end()) << name;
  return *it;
}

TEST(SampleImages, VendorImagesParseWithTheirMeStateAndMicrocodes) {
  const ParseResult on = ParseImage(Sample("vendor_me_on.bin").bytes);
  ASSERT_TRUE(on.ok()) << DescribeError(on.error);
  EXPECT_TRUE(on.summary.meEnabled);
  EXPECT_EQ(on.summary.cpuids, (std::vector<uint32_t>{0x506E3, 0x906E9}));
  EXPECT_NE(on.summary.me, kReplacementMe);

  const ParseResult off = ParseImage(Sample("vendor_me_off.bin").bytes);
  ASSERT_TRUE(off.ok());
  EXPECT_FALSE(off.summary.meEnabled);
  EXPECT_EQ(off.summary.cpuids, (std::vector<uint32_t>{0x506E3}));
}

TEST(SampleImages, BrokenSampleIsRejectedForItsSignature) {
  const ParseResult broken = ParseImage(Sample("broken.bin").bytes);
  EXPECT_EQ(broken.error, ImageError::kNoSignature);
  EXPECT_TRUE(broken.summary.cpuids.empty());
}

class DamagedImage : public ::testing::Test {
 protected:
  Bytes image = BuildImage({.cpuids = {0x906EA}});
  size_t MicrocodeStart() const { return kDescriptorSize + ImageRecipe{}.meRegionSize; }
};

TEST_F(DamagedImage, ShortOrEmptyFilesAreRejected) {
  EXPECT_EQ(ParseImage(Bytes{}).error, ImageError::kTooSmall);
  EXPECT_EQ(ParseImage(Bytes(kDescriptorSize - 1, 0xFF)).error, ImageError::kTooSmall);
}

TEST_F(DamagedImage, RegionTablePointingOutsideTheFileIsRejected) {
  Bytes beyondEnd = image;
  PutU32(beyondEnd, kMeRegionOffsetField, uint32_t(image.size()) + 16);
  EXPECT_EQ(ParseImage(beyondEnd).error, ImageError::kBadRegions);

  Bytes wrapping = image;  // offset + size overflows 32 bits
  PutU32(wrapping, kMicrocodeRegionSizeField, 0xFFFFF000u);
  EXPECT_EQ(ParseImage(wrapping).error, ImageError::kBadRegions);

  Bytes insideDescriptor = image;
  PutU32(insideDescriptor, kMeRegionOffsetField, 0x20);
  EXPECT_EQ(ParseImage(insideDescriptor).error, ImageError::kBadRegions);

  Bytes overlapping = image;
  PutU32(overlapping, kMicrocodeRegionOffsetField, kDescriptorSize + 0x100);
  EXPECT_EQ(ParseImage(overlapping).error, ImageError::kBadRegions);
}

TEST_F(DamagedImage, MissingMeTagOrLayoutVersionIsRejected) {
  Bytes noTag = image;
  noTag[kDescriptorSize] = 'X';
  EXPECT_EQ(ParseImage(noTag).error, ImageError::kNoMeRegion);

  Bytes version = image;
  PutU32(version, kLayoutVersionOffset, 2);
  EXPECT_EQ(ParseImage(version).error, ImageError::kBadLayoutVersion);
}

TEST_F(DamagedImage, CorruptedMicrocodeUpdatesAreRejected) {
  Bytes flipped = image;
  flipped[MicrocodeStart() + 200] ^= 0x01;  // checksum no longer sums to zero
  EXPECT_EQ(ParseImage(flipped).error, ImageError::kBadMicrocode);

  Bytes oddSize = image;
  PutU32(oddSize, MicrocodeStart() + kUpdateTotalSizeOffset, 1000);
  EXPECT_EQ(ParseImage(oddSize).error, ImageError::kBadMicrocode);

  Bytes pastRegion = image;
  PutU32(pastRegion, MicrocodeStart() + kUpdateTotalSizeOffset, 0x100000);
  EXPECT_EQ(ParseImage(pastRegion).error, ImageError::kBadMicrocode);

  Bytes dataTooLong = image;
  PutU32(dataTooLong, MicrocodeStart() + kUpdateDataSizeOffset, 1024);
  EXPECT_EQ(ParseImage(dataTooLong).error, ImageError::kBadMicrocode);
}

TEST(MeEdits, FlashingWritesVersionAndStateAndNothingElse) {
  Bytes image = BuildImage({.meEnabled = true, .cpuids = {0x506E3}});
  const Bytes before = image;
  ASSERT_TRUE(SetMeState(image, kReplacementMe, true));
  ParseResult after = ParseImage(image);
  ASSERT_TRUE(after.ok());
  EXPECT_EQ(after.summary.me, (MeVersion{11, 8, 77, 3664}));
  EXPECT_TRUE(after.summary.meEnabled);
  ASSERT_TRUE(SetMeState(image, kReplacementMe, false));
  after = ParseImage(image);
  EXPECT_FALSE(after.summary.meEnabled);
  EXPECT_EQ(after.summary.me, kReplacementMe);
  EXPECT_EQ(after.summary.cpuids, (std::vector<uint32_t>{0x506E3}));
  size_t changed = 0;
  for (size_t i = 0; i < image.size(); ++i) {
    if (image[i] != before[i]) {
      ++changed;
      EXPECT_GE(i, kDescriptorSize + kMeVersionOffset);
      EXPECT_LT(i, kDescriptorSize + kMeHeaderSize);
    }
  }
  EXPECT_GT(changed, 0u);
}

TEST(MeEdits, ImageThatDoesNotParseIsLeftAlone) {
  Bytes image = BuildImage({});
  PutU32(image, kSignatureOffset, 0);
  const Bytes before = image;
  EXPECT_FALSE(SetMeState(image, kReplacementMe, false));
  EXPECT_EQ(image, before);
}

TEST(MicrocodeEdits, AddedUpdatesFollowTheExistingOnes) {
  Bytes image = BuildImage({.cpuids = {0x506E3, 0x906E9}});
  EXPECT_EQ(AddMicrocode(image, 0x906EC), AddResult::kAdded);
  EXPECT_EQ(AddMicrocode(image, 0x506E3), AddResult::kAlreadyPresent);
  const ParseResult result = ParseImage(image);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.summary.cpuids, (std::vector<uint32_t>{0x506E3, 0x906E9, 0x906EC}));
}

TEST(MicrocodeEdits, FullRegionAndBadImageAreReportedAndLeaveTheBytes) {
  Bytes full = BuildImage({.cpuids = {0x506E3, 0x906E9}, .microcodeRegionSize = 0x800});
  const Bytes before = full;
  EXPECT_EQ(AddMicrocode(full, 0x906EC), AddResult::kNoRoom);
  EXPECT_EQ(full, before);

  Bytes bad = BuildImage({});
  bad[kDescriptorSize] = 0;
  EXPECT_EQ(AddMicrocode(bad, 0x906EC), AddResult::kBadImage);
}

TEST(MicrocodeEdits, UpdatesForDifferentCpuidsDiffer) {
  const Bytes a = MakeMicrocodeUpdate(0x506E3, 1, 1024);
  const Bytes b = MakeMicrocodeUpdate(0x906E9, 1, 1024);
  ASSERT_EQ(a.size(), 1024u);
  EXPECT_FALSE(std::equal(a.begin() + kUpdateHeaderSize, a.end(), b.begin() + kUpdateHeaderSize));
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

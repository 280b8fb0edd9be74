// The flash descriptor's regions and the ME version read from the ME region.
#include <gtest/gtest.h>

#include <optional>

#include "firmware/descriptor.h"
#include "firmware/image_facts.h"
#include "tests/fakes/firmware_image_builder.h"

namespace firmware {
namespace {

using firmware_test::Flreg;
using firmware_test::ImageBuilder;
using firmware_test::kUnusedFlreg;
using firmware_test::Partition;
using firmware_test::PutDescriptor;
using firmware_test::PutManifest;
using firmware_test::PutPartitionTable;

constexpr MeVersion kStored{11, 8, 77, 3664};
constexpr MeVersion kOther{11, 0, 18, 1002};

TEST(FlashDescriptor, DecodesFlregWordsAndLeavesUnusedOrOversizedRegionsOut) {
  ImageBuilder image(0x10000);
  PutDescriptor(image, 0, {Flreg(0, 0xFFF), kUnusedFlreg, Flreg(0x3000, 0x7FFF), 0x7FFF7FFF});
  const auto descriptor = FindDescriptor(image.bytes());
  ASSERT_TRUE(descriptor);
  EXPECT_EQ(descriptor->offset, 0u);
  EXPECT_FALSE(descriptor->bios);
  ASSERT_TRUE(descriptor->me);
  EXPECT_EQ(descriptor->me->begin, 0x3000u);
  EXPECT_EQ(descriptor->me->end, 0x8000u);
  // Base 0x7FFF000, limit 0x7FFFFFF: far past this image's end.
  EXPECT_FALSE(ReadRegion(image.bytes(), 0, 3));
}

TEST(FlashDescriptor, IsFoundBehindACapsuleHeaderWithRegionsCountedFromItsStart) {
  ImageBuilder image(0x8000);
  PutDescriptor(image, 0x800, {Flreg(0, 0xFFF), Flreg(0x3000, 0x77FF), Flreg(0x1000, 0x2FFF)});
  PutManifest(image, 0x800 + 0x1000 + 0x100, kStored);
  const ImageFacts facts = InspectImage(image.bytes());
  EXPECT_EQ(facts.descriptorOffset, 0x800u);
  EXPECT_EQ(facts.me, kStored);
}

TEST(HapBit, IsReadFromPchstrp0AtTheStrapBaseOfFlmap1) {
  struct Case {
    const char* name;
    uint32_t flmap1;       // at the descriptor's start + 0x18
    uint32_t strapWord;    // written at the descriptor's start + 0x200
    std::optional<bool> hap;
  };
  const Case cases[] = {
      {"set", 0x00200000, 0x00010000, true},
      {"clear, other straps set", 0x00200000, 0xFFFEFFFF, false},
      {"strap base past the end", 0x00FF0000, 0x00010000, std::nullopt},
  };
  for (const Case& c : cases) {
    ImageBuilder image(0xF00);  // FPSBA 0xFF0 would put PCHSTRP0 past the end
    PutDescriptor(image, 0, {Flreg(0, 0xFFF)});
    image.U32(0x18, c.flmap1).U32(0x200, c.strapWord);
    EXPECT_EQ(InspectImage(image.bytes()).hapSet, c.hap) << c.name;
  }
  // Without a descriptor there is no strap to read, whatever the bytes hold.
  EXPECT_EQ(InspectImage(ImageBuilder(0x1000, 0x00).bytes()).hapSet, std::nullopt);
}

TEST(MeVersion, ComesOnlyFromAManifestWithTheVendorWordInsideTheMeRegion) {
  ImageBuilder image(0x10000);
  PutDescriptor(image, 0, {Flreg(0, 0xFFF), Flreg(0x8000, 0xFFFF), Flreg(0x3000, 0x7FFF)});
  PutManifest(image, 0x1100, kOther);                // before the ME region
  PutManifest(image, 0x3100, kOther, 0x1022);        // another vendor
  PutManifest(image, 0x4100, kStored);
  EXPECT_EQ(InspectImage(image.bytes()).me, kStored);
}

TEST(MeVersion, IsUnknownWhenTheDescriptorHasNoUsableMeRegion) {
  ImageBuilder image(0x10000);
  PutDescriptor(image, 0, {Flreg(0, 0xFFF), Flreg(0x3000, 0xFFFF), Flreg(0x3000, 0x1FFFF)});
  PutManifest(image, 0x4100, kStored);
  const ImageFacts facts = InspectImage(image.bytes());
  EXPECT_TRUE(facts.descriptorOffset);
  EXPECT_FALSE(facts.me);
}

TEST(MeVersion, PrefersTheFtprPartitionOverAnEarlierManifest) {
  ImageBuilder image(0x10000);
  PutDescriptor(image, 0, {Flreg(0, 0xFFF), Flreg(0x8000, 0xFFFF), Flreg(0x1000, 0x7FFF)});
  const size_t region = 0x1000;
  PutPartitionTable(image, region + 16, {{"MFS ", 0x800, 0x800}, {"FTPR", 0x2000, 0x1000}});
  PutManifest(image, region + 0x900, kOther);
  PutManifest(image, region + 0x2100, kStored);
  EXPECT_EQ(InspectImage(image.bytes()).me, kStored);
}

TEST(MeVersion, SkipsAnFtprEntryWhoseEndWrapsAndCapsTheEntryCount) {
  // Without a descriptor the whole file is the ME region. Offset 0xFFFFF000 + length 0x2000
  // wraps to 0x1000 in 32 bits.
  ImageBuilder image(0x4000);
  PutPartitionTable(image, 0, {{"FTPR", 0xFFFFF000, 0x2000}, {"FTPR", 0x2000, 0x1000}});
  image.U32(4, 0xFFFFFFFF);
  PutManifest(image, 0x1100, kOther);
  PutManifest(image, 0x2100, kStored);
  EXPECT_EQ(InspectImage(image.bytes()).me, kStored);
}

}  // namespace
}  // namespace firmware

// The text imageinfo prints for an image.
#include <gtest/gtest.h>

#include "firmware/facts_report.h"
#include "tests/fakes/firmware_image_builder.h"

namespace firmware {
namespace {

using namespace firmware_test;

TEST(FactsReport, ListsDescriptorMeAndEachUpdateInFileOrder) {
  ImageBuilder image(0x40000);
  PutDescriptor(image, 0x800, {Flreg(0, 0xFFF), Flreg(0x20000, 0x3E7FF), Flreg(0x1000, 0x1FFFF)});
  PutManifest(image, 0x800 + 0x1000 + 0x40, MeVersion{11, 8, 77, 3664});
  PutMicrocode(image, 0x23000, Update{.revision = 0xB4, .date = 0x02282019, .cpuid = 0x906EA,
                                      .dataSize = 0x18000, .totalSize = 0x19000,
                                      .extended = {0x906EB}});
  PutMicrocode(image, 0x3C000, Update{.revision = 0xCC, .date = 0x12312018, .cpuid = 0x506E3,
                                      .dataSize = 0, .totalSize = 0});
  EXPECT_EQ(FactsReport(InspectImage(image.bytes())),
            "descriptor at 0x800\n"
            "hap clear\n"
            "me 11.8.77.3664\n"
            "microcode at 0x23000 size 0x19000 rev B4 date 2019-02-28 cpuid 906EA,906EB\n"
            "microcode at 0x3C000 size 0x800 rev CC date 2018-12-31 cpuid 506E3\n");
}

TEST(FactsReport, SaysNoneAndUnknownForAnImageWithoutThem) {
  ImageBuilder image(0x1000);
  EXPECT_EQ(FactsReport(InspectImage(image.bytes())), "descriptor none\nme unknown\n");
}

TEST(FactsText, HexHasNoLeadingZeros) {
  EXPECT_EQ(HexText(0), "0");
  EXPECT_EQ(HexText(0xFFFFFFFFFFFFFFFFull), "FFFFFFFFFFFFFFFF");
}

}  // namespace
}  // namespace firmware

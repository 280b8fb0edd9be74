// The text imageinfo prints for an image.
#include <gtest/gtest.h>

#include "firmware/facts_report.h"
#include "tests/fakes/firmware_image_builder.h"

namespace firmware {
namespace {

using namespace firmware_test;

TEST(FactsReport, ListsDescriptorMeUpdatesFitAndWarningsInFileOrder) {
  ImageBuilder image(0x40000);
  PutDescriptor(image, 0x800, {Flreg(0, 0xFFF), Flreg(0x20000, 0x3E7FF), Flreg(0x1000, 0x1FFFF)});
  PutManifest(image, 0x800 + 0x1000 + 0x40, MeVersion{11, 8, 77, 3664});
  PutMicrocode(image, 0x23000, Update{.revision = 0xB4, .date = 0x02282019, .cpuid = 0x906EA,
                                      .dataSize = 0x18000, .totalSize = 0x19000,
                                      .extended = {0x906EB}});
  PutMicrocode(image, 0x3C000, Update{.revision = 0xCC, .date = 0x12312018, .cpuid = 0x506E3,
                                      .dataSize = 0, .totalSize = 0});
  PutMicrocode(image, 0x21000, Update{.cpuid = 0x906EC});
  image.U32(0x21000 + 0x100, 1);
  constexpr size_t kTop = 0x800 + 0x3F000;  // the BIOS region's end: its limit 0x3E7FF ends a 4 KiB block
  PutFit(image, kTop, 0x3E000, {{FitAddress(kTop, 0x23000)}, {FitAddress(kTop, 0x3C000)},
                                {0x100000000}, {FitAddress(kTop, 0x2000), 0x02},
                                {FitAddress(kTop, 0x3000), 0x0B}, {FitAddress(kTop, 0x4000), 0x0C}});
  EXPECT_EQ(FactsReport(InspectImage(image.bytes())),
            "descriptor at 0x800\n"
            "hap clear\n"
            "me 11.8.77.3664\n"
            "microcode at 0x23000 size 0x19000 rev B4 date 2019-02-28 cpuid 906EA,906EB\n"
            "microcode at 0x3C000 size 0x800 rev CC date 2018-12-31 cpuid 506E3\n"
            "fit at 0x3E000 entries 7\n"
            "fit microcode at 0x23000 cpuid 906EA,906EB\n"
            "fit microcode at 0x3C000 cpuid 506E3\n"
            "fit microcode at none cpuid none\n"
            "bootguard acm km bpm\n"
            "warning at 0x21000 microcode-checksum\n"
            "warning at 0x3E030 fit-entry\n");
}

TEST(FactsReport, SaysNoneAndUnknownForAnImageWithoutThem) {
  ImageBuilder image(0x1000);
  EXPECT_EQ(FactsReport(InspectImage(image.bytes())), "descriptor none\nme unknown\nfit none\n");
}

TEST(FactsText, HexHasNoLeadingZeros) {
  EXPECT_EQ(HexText(0), "0");
  EXPECT_EQ(HexText(0xFFFFFFFFFFFFFFFFull), "FFFFFFFFFFFFFFFF");
}

}  // namespace
}  // namespace firmware

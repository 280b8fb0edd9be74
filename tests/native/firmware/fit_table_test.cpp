// The Firmware Interface Table: the pointer below the BIOS region's end, the header's rules,
// the microcode entries and the updates they name, the Boot Guard entries, and the lines
// imageinfo prints for them.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "firmware/facts_report.h"
#include "tests/fakes/firmware_image_builder.h"

namespace firmware {
namespace {

using namespace firmware_test;

// The report's lines about the FIT and the warnings, the rest left out.
std::string FitReport(ImageBuilder& image) {
  std::istringstream lines(FactsReport(InspectImage(image.bytes())));
  std::string kept, line;
  while (std::getline(lines, line)) {
    if (line.rfind("fit", 0) == 0 || line.rfind("bootguard", 0) == 0 || line.rfind("warning", 0) == 0) {
      kept += line + "\n";
    }
  }
  return kept;
}

// No descriptor: the file is the BIOS region and its end sits at 4 GiB. Two updates, the second
// with an extended signature table, and a FIT at 0x1B000 listing both.
constexpr size_t kTop = 0x20000;
constexpr size_t kFitAt = 0x1B000;  // room for 1024 entries before the pointer
constexpr size_t kPointerAt = kTop - 0x40;

ImageBuilder BaseImage() {
  ImageBuilder image(kTop);
  PutMicrocode(image, 0x1000, Update{.cpuid = 0x906EA});
  PutMicrocode(image, 0x2000, Update{.cpuid = 0x906E9, .dataSize = 976, .totalSize = 2048,
                                     .extended = {0x906EB, 0x906EC}});
  PutFit(image, kTop, kFitAt, {{FitAddress(kTop, 0x1000)}, {FitAddress(kTop, 0x2000)}});
  return image;
}

TEST(FitTable, HeaderPointerAndEntriesDecideWhatIsListed) {
  struct Case {
    const char* name;
    std::function<void(ImageBuilder&)> change;
    std::string expected;
  };
  const std::string kNoTable = "fit none\nwarning at 0x1FFC0 fit-table\n";
  const Case cases[] = {
      {"as built", [](ImageBuilder&) {},
       "fit at 0x1B000 entries 3\nfit microcode at 0x1000 cpuid 906EA\n"
       "fit microcode at 0x2000 cpuid 906E9,906EB,906EC\n"},
      {"erased pointer", [](ImageBuilder& i) { i.U32(kPointerAt, 0xFFFFFFFF); }, "fit none\n"},
      {"pointer below the window", [](ImageBuilder& i) { i.U32(kPointerAt, 0xFEFFF000); }, "fit none\n"},
      {"pointer before the file", [](ImageBuilder& i) { i.U32(kPointerAt, 0xFF000000); }, kNoTable},
      {"wrong signature", [](ImageBuilder& i) { i.Text(kFitAt, "_FIT_  X"); }, kNoTable},
      {"header of another type", [](ImageBuilder& i) { i.bytes()[kFitAt + 14] = 1; }, kNoTable},
      {"count 0", [](ImageBuilder& i) { i.U32(kFitAt + 8, 0); }, kNoTable},
      {"count 1", [](ImageBuilder& i) { i.U32(kFitAt + 8, 1); }, kNoTable},
      {"count 1025", [](ImageBuilder& i) { i.U32(kFitAt + 8, 1025); }, kNoTable},
      {"count 1024", [](ImageBuilder& i) { i.U32(kFitAt + 8, 1024); },
       "fit at 0x1B000 entries 1024\nfit microcode at 0x1000 cpuid 906EA\n"
       "fit microcode at 0x2000 cpuid 906E9,906EB,906EC\n"},
      {"table running past the region", [](ImageBuilder& i) {
         PutFit(i, kTop, kTop - 0x20, {{FitAddress(kTop, 0x1000)}}, 3);
       }, "fit none\nwarning at 0x1FFC0 fit-table\n"},
      {"entries above 4 GiB and before the file", [](ImageBuilder& i) {
         PutFit(i, kTop, kFitAt, {{0x100001000}, {0xFF000000}, {FitAddress(kTop, 0x1000)}});
       }, "fit at 0x1B000 entries 4\nfit microcode at none cpuid none\nfit microcode at none cpuid none\n"
          "fit microcode at 0x1000 cpuid 906EA\nwarning at 0x1B010 fit-entry\nwarning at 0x1B020 fit-entry\n"},
      {"entries into an empty slot and an update's middle", [](ImageBuilder& i) {
         PutFit(i, kTop, kFitAt, {{FitAddress(kTop, 0x3000)}, {FitAddress(kTop, 0x1200)}});
       }, "fit at 0x1B000 entries 3\nfit microcode at 0x3000 cpuid none\nfit microcode at 0x1200 cpuid none\n"},
      {"boot guard entries, the checksum-valid bit set on one", [](ImageBuilder& i) {
         PutFit(i, kTop, kFitAt, {{FitAddress(kTop, 0x1000), 0x81}, {FitAddress(kTop, 0x4000), 0x02},
                                  {FitAddress(kTop, 0x5000), 0x0C}, {FitAddress(kTop, 0x6000), 0x07}});
       }, "fit at 0x1B000 entries 5\nfit microcode at 0x1000 cpuid 906EA\nbootguard acm bpm\n"},
  };
  for (const Case& c : cases) {
    ImageBuilder image = BaseImage();
    c.change(image);
    EXPECT_EQ(FitReport(image), c.expected) << c.name;
  }
}

TEST(FitTable, WindowIsThe16MiBBelow4GiB) {
  // A file of 16 MiB + 64 KiB: a table at 0x10000 is exactly 16 MiB below 4 GiB, one at
  // 0xF000 is 4 KiB more and is not looked at.
  constexpr size_t kBigTop = (16u << 20) + 0x10000;
  for (const auto& [at, expected] : {std::pair<size_t, std::string>{0x10000, "fit at 0x10000 entries 2\n"},
                                     std::pair<size_t, std::string>{0xF000, "fit none\n"}}) {
    ImageBuilder image(kBigTop);
    PutFit(image, kBigTop, at, {{FitAddress(kBigTop, 0x20000), 0x0B}});
    const std::string report = FitReport(image);
    EXPECT_EQ(report.substr(0, report.find('\n') + 1), expected) << at;
  }
}

TEST(FitTable, FollowsTheBiosRegionsEndBehindACapsuleHeader) {
  // Descriptor at 0x800; BIOS region 0x10800..0x307FF; 0xF800 bytes after it in the file.
  constexpr size_t kRegionTop = 0x30800;
  const struct {
    const char* name;
    size_t at;
    uint32_t count;
    std::string expected;
  } cases[] = {
      {"inside the region", 0x30000, 0, "fit at 0x30000 entries 2\nfit microcode at 0x11000 cpuid 506E3\n"},
      {"past the region, inside the file", 0x30000, 0x90, "fit none\nwarning at 0x307C0 fit-table\n"},
      {"before the region, inside the file", 0x10000, 0, "fit none\nwarning at 0x307C0 fit-table\n"},
  };
  for (const auto& c : cases) {
    ImageBuilder image(0x40000);
    PutDescriptor(image, 0x800, {Flreg(0, 0xFFF), Flreg(0x10000, 0x2FFFF), kUnusedFlreg});
    PutMicrocode(image, 0x11000, Update{.cpuid = 0x506E3});
    PutFit(image, kRegionTop, c.at, {{FitAddress(kRegionTop, 0x11000)}}, c.count);
    EXPECT_EQ(FitReport(image), c.expected) << c.name;
  }
}

TEST(FitCpuids, AreTheListedUpdatesOwnAndExtendedSignaturesOnce) {
  ImageBuilder image = BaseImage();
  PutMicrocode(image, 0x3000, Update{.cpuid = 0x506E3});  // stored, not listed
  PutFit(image, kTop, kFitAt, {{FitAddress(kTop, 0x2000)}, {FitAddress(kTop, 0x1000)},
                               {FitAddress(kTop, 0x2000)}, {FitAddress(kTop, 0x7000)}});
  EXPECT_EQ(FitCpuids(InspectImage(image.bytes())),
            (std::vector<uint32_t>{0x906E9, 0x906EB, 0x906EC, 0x906EA}));
  EXPECT_TRUE(FitCpuids(InspectImage(ImageBuilder(0x1000).bytes())).empty());
}

}  // namespace
}  // namespace firmware

// The walk of the BIOS region's volumes and files, and the made image compared with its
// original part by part, as imageinfo --compare prints it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "firmware/flash_layout.h"
#include "firmware/image_comparison.h"
#include "tests/fakes/firmware_image_builder.h"

namespace firmware {
namespace {

using namespace firmware_test;

std::array<uint8_t, 16> Name(uint32_t first) { return GuidBytes(first, 0x2222, 0x3333, 0x4444555555555555); }

// "AAAAAAAA BBBBBBBB | FFF12B8D": the first field of each file's name, then each block's.
std::string Parts(const FlashLayout& layout) {
  std::string text;
  for (const FlashFile& f : layout.files) text += GuidText(f.name).substr(0, 8) + " ";
  text += "|";
  for (const FlashBlock& b : layout.blocks) text += " " + GuidText(b.fileSystem).substr(0, 8);
  return text;
}

// No descriptor, so the whole file is the BIOS region: a settings block at 0x1000 and a
// volume at 0x8000 of four files, a pad file among them.
constexpr size_t kWalkSize = 0x20000;
constexpr size_t kVolumeAt = 0x8000;

ImageBuilder WalkImage(uint16_t extHeaderOffset = 0) {
  ImageBuilder image(kWalkSize);
  PutVolume(image, 0x1000, {.fileSystem = kNvDataGuid, .length = 0x4000});
  PutVolume(image, kVolumeAt, {.length = 0x10000, .extHeaderOffset = extHeaderOffset});
  size_t at = extHeaderOffset != 0 ? kVolumeAt + 0x60 : kVolumeAt + 0x48;
  at = PutFile(image, at, {.name = Name(0xAAAAAAAA), .size = 0x123});
  at = PutFile(image, at, {.name = Name(0xBBBBBBBB), .size = 0x200, .large = true});
  at = PutFile(image, at, {.name = Name(0xFFFFFFFF), .type = 0xF0, .size = 0x100, .fill = 0xFF});
  PutFile(image, at, {.name = Name(0xCCCCCCCC), .size = 0x80});
  return image;
}

TEST(FlashLayout, WalksVolumesAndFilesUntilAPartDoesNotHold) {
  const size_t second = kVolumeAt + 0x48 + 0x128;  // the large file, after the first's 8-byte alignment
  struct Case {
    const char* name;
    std::function<void(ImageBuilder&)> change;
    std::string expected;
  };
  const Case cases[] = {
      {"as built: the pad file left out", [](ImageBuilder&) {}, "AAAAAAAA BBBBBBBB CCCCCCCC | FFF12B8D"},
      {"a header checksum that fails", [](ImageBuilder& i) { i.bytes()[kVolumeAt + 0x3A] ^= 1; }, "| FFF12B8D"},
      {"a length past the region", [](ImageBuilder& i) { PutVolume(i, kVolumeAt, {.length = 0x18008}); },
       "| FFF12B8D"},
      {"free space in the middle", [&](ImageBuilder& i) { std::fill_n(i.bytes().begin() + second, 32, 0xFF); },
       "AAAAAAAA | FFF12B8D"},
      {"a file running past its volume", [&](ImageBuilder& i) { i.U32(second + 24, 0x10000); },
       "AAAAAAAA | FFF12B8D"},
      {"a size smaller than its header", [&](ImageBuilder& i) { i.U32(second + 24, 0x1F); }, "AAAAAAAA | FFF12B8D"},
      {"an extended header", [](ImageBuilder& i) { i = WalkImage(0x48); }, "AAAAAAAA BBBBBBBB CCCCCCCC | FFF12B8D"},
  };
  for (const Case& c : cases) {
    ImageBuilder image = WalkImage();
    c.change(image);
    EXPECT_EQ(Parts(ReadFlashLayout(image.bytes())), c.expected) << c.name;
  }
  const FlashLayout layout = ReadFlashLayout(WalkImage(0x48).bytes());
  ASSERT_EQ(layout.files.size(), 3u);
  EXPECT_EQ(layout.files[0].offset, kVolumeAt + 0x60);  // 8-byte aligned after the 0x14-byte extended header
  EXPECT_EQ(layout.files[1].headerSize, 32u);
  EXPECT_EQ(layout.files[1].size, 0x200u);
  EXPECT_EQ(GuidText(layout.blocks[0].fileSystem), "FFF12B8D-7696-4C8B-A985-2747075B4F50");
}

// A flash image of 0x40000 bytes behind `prefix` bytes: descriptor, ME, GbE, and a BIOS region
// at 0x10000 holding a settings block and, ending at the region's end, a volume of files: A,
// B twice, a pad file, M (a microcode update and the FIT) and V (the FIT pointer's place).
struct Recipe {
  size_t prefix = 0;
  bool hap = false;
  bool gbe = true;
  bool movedFiles = false;  // A after the second B
  bool dropB = false;       // the second B left out
  uint8_t padFill = 0xFF;
  uint8_t secondBFill = 0xB1;
  uint8_t settingsFill = 0x33;
  uint32_t microcodeRevision = 0xB4;
  bool biosRegionOnly = false;  // the BIOS region alone, no descriptor
};

constexpr size_t kFlash = 0x40000;
constexpr size_t kBios = 0x10000;

std::vector<uint8_t> Build(const Recipe& r) {
  ImageBuilder image(r.prefix + kFlash);
  const size_t d = r.prefix;
  if (r.prefix != 0) std::fill_n(image.bytes().begin(), r.prefix, 0);
  PutDescriptor(image, d, {Flreg(0, 0xFFF), Flreg(kBios, kFlash - 1), Flreg(0x1000, 0x7FFF),
                           r.gbe ? Flreg(0x8000, 0x9FFF) : kUnusedFlreg, kUnusedFlreg},
                r.hap);
  std::fill_n(image.bytes().begin() + d + 0x1000, 0x100, 0x11);
  std::fill_n(image.bytes().begin() + d + 0x8000, 0x100, 0x22);
  const size_t bios = d + kBios, end = d + kFlash;
  PutVolume(image, bios, {.fileSystem = kNvDataGuid, .length = 0x8000});
  std::fill_n(image.bytes().begin() + bios + 0x48, 0x100, r.settingsFill);
  const size_t volume = bios + 0x10000;
  PutVolume(image, volume, {.length = end - volume});
  size_t at = volume + 0x48;
  const File a{.name = Name(0xAAAAAAAA), .size = 0x101, .fill = 0xA0};
  if (!r.movedFiles) at = PutFile(image, at, a);
  at = PutFile(image, at, {.name = Name(0xBBBBBBBB), .size = 0x80, .fill = 0xB0});
  if (!r.dropB) at = PutFile(image, at, {.name = Name(0xBBBBBBBB), .size = 0x80, .fill = r.secondBFill});
  if (r.movedFiles) at = PutFile(image, at, a);
  // The pad file keeps M and V in their places whatever comes before.
  const size_t m = volume + 0x400;
  PutFile(image, at, {.name = Name(0xFFFFFFFF), .type = 0xF0, .size = m - at, .fill = r.padFill});
  at = PutFile(image, m, {.name = Name(0x11111111), .type = 0x01, .size = 0x818, .fill = 0});
  PutMicrocode(image, m + 0x18, Update{.revision = r.microcodeRevision});
  PutFile(image, at, {.name = Name(0x99999999), .type = 0x03, .size = end - at, .fill = 0x90});
  PutFit(image, end, m + 0x418, {{FitAddress(end, m + 0x18)}});
  if (!r.biosRegionOnly) return image.bytes();
  return std::vector<uint8_t>(image.bytes().begin() + bios, image.bytes().end());
}

std::string Compare(const Recipe& original, const Recipe& made) {
  const std::vector<uint8_t> a = Build(original), b = Build(made);
  const ImageFacts factsA = InspectImage(a), factsB = InspectImage(b);
  return ComparisonReport(CompareImages({a, factsA}, {b, factsB}));
}

TEST(ImageComparison, TellsEachPartThatDiffersAndOnlyThose) {
  const std::string kSameStart = "prefix same 0x0\nsize same 0x40000\n";
  const std::string kRegionsSame = "region descriptor same\nregion bios same\nregion me same\nregion gbe same\n";
  const std::string kBiosDiffers = "region descriptor same\nregion bios differs\nregion me same\nregion gbe same\n";
  struct Case {
    const char* name;
    Recipe original, made;
    std::string expected;
  };
  const Case cases[] = {
      {"the same image", {}, {}, kSameStart + kRegionsSame + "files 5 same 5\n"},
      {"the HAP bit alone", {}, {.hap = true},
       kSameStart + "region descriptor hap\nregion bios same\nregion me same\nregion gbe same\nfiles 5 same 5\n"},
      {"files moved, a pad file changed", {}, {.movedFiles = true, .padFill = 0x00},
       kSameStart + kBiosDiffers + "files 5 same 5\n"},
      {"the second of two files of one name changed", {}, {.secondBFill = 0xB2},
       kSameStart + kBiosDiffers + "files 5 same 4\nfile BBBBBBBB-2222-3333-4444-555555555555 changed\n"},
      {"a file dropped", {}, {.dropB = true},
       kSameStart + kBiosDiffers + "files 5 same 4\nfile BBBBBBBB-2222-3333-4444-555555555555 missing\n"},
      {"a file added", {.dropB = true}, {},
       kSameStart + kBiosDiffers + "files 4 same 4\nfile BBBBBBBB-2222-3333-4444-555555555555 added\n"},
      {"the microcode file changed", {}, {.microcodeRevision = 0xB8},
       kSameStart + kBiosDiffers + "files 5 same 4\nfile 11111111-2222-3333-4444-555555555555 changed microcode fit\n"},
      {"the settings block erased", {}, {.settingsFill = 0xFF},
       kSameStart + kBiosDiffers + "files 5 same 5\nblock FFF12B8D-7696-4C8B-A985-2747075B4F50 changed\n"},
      {"a capsule header added by the save", {}, {.prefix = 0x800},
       "prefix differs 0x0 0x800\nsize same 0x40000\n" + kRegionsSame + "files 5 same 5\n"},
      {"the GbE region gone", {}, {.gbe = false},
       kSameStart + "region descriptor differs\nregion bios same\nregion me same\nregion gbe missing\nfiles 5 same 5\n"},
      {"the GbE region added", {.gbe = false}, {},
       kSameStart + "region descriptor differs\nregion bios same\nregion me same\nregion gbe added\nfiles 5 same 5\n"},
      {"the BIOS region alone", {.prefix = 0x800}, {.biosRegionOnly = true},
       "prefix differs 0x800 none\nsize differs 0x40000 0x30000\nregion descriptor missing\nregion bios same\n"
       "region me missing\nregion gbe missing\nfiles 5 same 5\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Compare(c.original, c.made), c.expected) << c.name;
}

}  // namespace
}  // namespace firmware

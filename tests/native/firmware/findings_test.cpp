// What looks meant but does not hold: damaged microcode updates with the CPUID their header
// names, partition entries outside the ME region; and nothing for bytes that only happen to
// pass a first test.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "firmware/image_facts.h"
#include "tests/fakes/firmware_image_builder.h"

namespace firmware {
namespace {

using namespace firmware_test;

TEST(Findings, DamagedUpdatesWhoseHeaderLooksMeantAreKeptWithTheirCpuid) {
  struct Case {
    const char* name;
    Update update;
    std::vector<Finding> expected;
    bool corruptData = false;
  };
  const Case cases[] = {
      {"checksum", Update{.cpuid = 0x906EA}, {{0x1000, FindingKind::kMicrocodeChecksum, 0x906EA}}, true},
      {"total size not a multiple of 1024", Update{.cpuid = 0x506E3, .dataSize = 900, .totalSize = 1000},
       {{0x1000, FindingKind::kMicrocodeSize, 0x506E3}}},
      {"total size below data + 48", Update{.cpuid = 0x906EC, .dataSize = 1000, .totalSize = 1024},
       {{0x1000, FindingKind::kMicrocodeSize, 0x906EC}}},
      {"running past the end", Update{.cpuid = 0x906EB, .dataSize = 0x4000 - 48, .totalSize = 0x4000},
       {{0x1000, FindingKind::kMicrocodeSize, 0x906EB}}},
      {"family 15 signature", Update{.cpuid = 0xF29}, {}, true},
      {"date not BCD", Update{.date = 0x022A2019, .dataSize = 900, .totalSize = 1000}, {}},
      {"header version 2", Update{.headerVersion = 2}, {}, true},
  };
  for (const Case& c : cases) {
    ImageBuilder image(0x2000);
    PutMicrocode(image, 0x1000, c.update);
    if (c.corruptData) image.U32(0x1000 + 0x200, 0x12345678);
    const ImageFacts facts = InspectImage(image.bytes());
    EXPECT_TRUE(facts.microcodes.empty()) << c.name;
    EXPECT_EQ(facts.findings, c.expected) << c.name;
  }
}

TEST(Findings, PseudoRandomBytesGiveNone) {
  ImageBuilder image(0x100000);
  uint32_t x = 2463534242u;
  for (size_t at = 0; at < image.bytes().size(); at += 4) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    image.U32(at, (x & 0xF00) == 0 ? 1 : x);  // a word 1 about every 16 words
  }
  EXPECT_TRUE(InspectImage(image.bytes()).findings.empty());
}

TEST(Findings, PartitionEntriesOutsideTheMeRegionInFileOrderWithTheOthers) {
  ImageBuilder image(0x10000);
  PutDescriptor(image, 0, {Flreg(0, 0xFFF), Flreg(0x8000, 0xFFFF), Flreg(0x1000, 0x7FFF)});
  // Region 0x1000..0x7FFF: entries at 0x1020, 0x1040, ...
  PutPartitionTable(image, 0x1000, {{"FTPR", 0x100, 0x200},
                                    {"MFS ", 0x6000, 0x2000},       // runs 0x1000 past the end
                                    {"NFTP", 0xFFFFF000, 0x2000},   // wraps 32 bits
                                    {"EMPT", 0x9000, 0},            // empty
                                    {"ERAS", 0xFFFFFFFF, 0x1000}}); // erased
  PutMicrocode(image, 0x9000, Update{.cpuid = 0x906EA});
  image.U32(0x9000 + 0x100, 1);
  const std::vector<Finding> expected = {{0x1040, FindingKind::kFptEntry, std::nullopt},
                                         {0x1060, FindingKind::kFptEntry, std::nullopt},
                                         {0x1100, FindingKind::kMeManifest, std::nullopt},  // FTPR holds none
                                         {0x9000, FindingKind::kMicrocodeChecksum, 0x906EA}};
  EXPECT_EQ(InspectImage(image.bytes()).findings, expected);
}

// Why a region or the ME version is missing: the FLREG word, the partition table's header and
// the FTPR partition's manifest, each said at its place; sound and unused ones say nothing.
TEST(Findings, RegionWordsPartitionHeaderAndManifestSayWhy) {
  // Descriptor at 0; ME region 0x1000..0x7FFF with "$FPT" at its start, FTPR at 0x1100..0x12FF
  // holding a manifest; BIOS region 0x8000..0xFFFF. FLREG1 at 0x44, FLREG2 at 0x48.
  struct Case {
    const char* name;
    std::function<void(ImageBuilder&)> change;
    std::vector<std::string> said;  // "<kind> at 0x<offset>"
  };
  const Case cases[] = {
      {"sound", [](ImageBuilder&) {}, {}},
      {"BIOS region marked unused", [](ImageBuilder& i) { i.U32(0x44, kUnusedFlreg); }, {}},
      {"BIOS base above its limit", [](ImageBuilder& i) { i.U32(0x44, 0x00070008); }, {"descriptor-region at 0x44"}},
      {"ME region past the file", [](ImageBuilder& i) { i.U32(0x48, Flreg(0x1000, 0x1FFFF)); },
       {"descriptor-region at 0x48"}},
      {"header checksum off", [](ImageBuilder& i) { i.bytes()[0x100B] ^= 1; }, {"fpt-header at 0x1000"}},
      {"more entries than the region holds", [](ImageBuilder& i) { i.U32(0x1004, 0x400); i.bytes()[0x100B] -= 3; },
       {"fpt-header at 0x1000"}},
      {"no FTPR entry", [](ImageBuilder& i) { i.Text(0x1020, "FTPX"); }, {"me-manifest at 0x1000"}},
      {"FTPR running out of the region", [](ImageBuilder& i) { i.U32(0x102C, 0x8000); }, {"me-manifest at 0x1020"}},
      {"manifest's version cut by the partition's end", [](ImageBuilder& i) { i.U32(0x102C, 0xA0 + 8 + 4); },
       {"me-manifest at 0x11A0"}},
  };
  for (const Case& c : cases) {
    ImageBuilder image(0x10000);
    PutDescriptor(image, 0, {Flreg(0, 0xFFF), Flreg(0x8000, 0xFFFF), Flreg(0x1000, 0x7FFF)});
    PutPartitionTable(image, 0x1000, {{"FTPR", 0x100, 0x200}});
    PutManifest(image, 0x11A0, MeVersion{11, 8, 77, 3664});
    c.change(image);
    std::vector<std::string> said;
    for (const Finding& f : InspectImage(image.bytes()).findings) {
      if (f.kind == FindingKind::kFptEntry) continue;  // the table's entries have their own test
      said.push_back(std::string(FindingName(f.kind)) + " at 0x" + HexText(f.offset));
    }
    std::sort(said.begin(), said.end());
    std::vector<std::string> expected = c.said;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(said, expected) << c.name;
  }
}

}  // namespace
}  // namespace firmware

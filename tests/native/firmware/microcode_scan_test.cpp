// The microcode update scan: the validity rules, sizes, extended tables and where it resumes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "firmware/image_facts.h"
#include "tests/fakes/firmware_image_builder.h"

namespace firmware {
namespace {

using firmware_test::ImageBuilder;
using firmware_test::PutMicrocode;
using firmware_test::Update;
using ::testing::ElementsAre;

std::vector<MicrocodeUpdate> Scan(ImageBuilder& image) { return InspectImage(image.bytes()).microcodes; }

TEST(MicrocodeScan, ReportsAValidUpdateAndResumesBehindItsTotalSize) {
  ImageBuilder image(0x4000);
  // An update inside the first one's data is part of it, not one of its own.
  PutMicrocode(image, 0x1400, Update{.revision = 0x77, .cpuid = 0x506E3});
  PutMicrocode(image, 0x1000, Update{.revision = 0xB4, .date = 0x02282019, .cpuid = 0x906EA,
                                     .dataSize = 0x1000 - 48, .totalSize = 0x1000});
  PutMicrocode(image, 0x2000, Update{.revision = 0xCA, .cpuid = 0x906EB});

  const auto found = Scan(image);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].offset, 0x1000u);
  EXPECT_EQ(found[0].totalSize, 0x1000u);
  EXPECT_EQ(found[0].revision, 0xB4u);
  EXPECT_EQ(found[0].date, 0x02282019u);
  EXPECT_THAT(found[0].cpuids, ElementsAre(0x906EAu));
  EXPECT_EQ(found[1].offset, 0x2000u);
  EXPECT_EQ(found[1].revision, 0xCAu);
}

TEST(MicrocodeScan, CountsNoUpdateThatBreaksARule) {
  struct Case {
    const char* rule;
    Update update;
    size_t keepBytes = 0x2000;  // the image is cut to this length after writing
    bool corruptData = false;
  };
  const Case cases[] = {
      {"checksum", Update{}, 0x2000, true},
      {"header version", Update{.headerVersion = 2}},
      {"loader revision", Update{.loaderRevision = 0}},
      {"total size not a multiple of 1024", Update{.dataSize = 900, .totalSize = 1000}},
      {"total size below data + 48", Update{.dataSize = 1000, .totalSize = 1024}},
      {"data size + 48 wrapping 32 bits", Update{.dataSize = 0xFFFFFFD0, .totalSize = 1024}},
      {"total size near 2^32", Update{.totalSize = 0xFFFFFC00}},
      {"past the end", Update{}, 0x1000 + 1020},
      {"not BCD", Update{.date = 0x022A2019}},
      {"year not BCD", Update{.date = 0x022820A9}},
      {"month 13", Update{.date = 0x13012019}},
      {"month 00", Update{.date = 0x00152019}},
      {"day 00", Update{.date = 0x02002019}},
      {"day 32", Update{.date = 0x01322019}},
  };
  for (const Case& c : cases) {
    ImageBuilder image(0x2000);
    PutMicrocode(image, 0x1000, c.update);
    if (c.corruptData) image.U32(0x1000 + 0x200, 0x12345678);
    image.bytes().resize(c.keepBytes);
    EXPECT_TRUE(Scan(image).empty()) << c.rule;
  }
}

TEST(MicrocodeScan, ChecksumsStayRightAfterManyCandidatesFailedTheirs) {
  // Every seventh word a header that passes every test but the checksum: the candidates
  // together sum far more words than the image holds.
  ImageBuilder image(0x10000);
  const uint32_t period[7] = {1, 1024, 0x02282019, 0x906EA, 0x1234, 1, 0};
  for (size_t at = 0, i = 0; at < 0x8000; at += 4, i = (i + 1) % 7) image.U32(at, period[i]);
  PutMicrocode(image, 0xC004, Update{.cpuid = 0x506E3});
  PutMicrocode(image, 0xD008, Update{.cpuid = 0x906EC});
  image.U32(0xD008 + 0x100, 1);
  const auto found = Scan(image);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].offset, 0xC004u);
}

TEST(MicrocodeScan, StoredZeroSizesMean2000DataBytesIn2048) {
  ImageBuilder image(0x2000);
  PutMicrocode(image, 0x0, Update{.dataSize = 0, .totalSize = 0});
  // Right behind those 2048 bytes; its extended table follows 2000 data bytes.
  PutMicrocode(image, 0x800, Update{.cpuid = 0x506E3, .dataSize = 0, .totalSize = 0x1000,
                                    .extended = {0x506E8}});
  const auto found = Scan(image);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].totalSize, 2048u);
  EXPECT_EQ(found[1].offset, 0x800u);
  EXPECT_THAT(found[1].cpuids, ElementsAre(0x506E3u, 0x506E8u));
}

TEST(MicrocodeScan, ExtendedTableAddsItsSignaturesAndAnOverrunningOneAddsNothing) {
  ImageBuilder image(0x3000);
  PutMicrocode(image, 0x0, Update{.cpuid = 0x906EA, .dataSize = 976, .totalSize = 2048,
                                  .extended = {0x906EB, 0x906EC}});
  PutMicrocode(image, 0x1000, Update{.cpuid = 0x506E3, .dataSize = 976, .totalSize = 2048,
                                     .extended = {0x506E8}});
  // A count whose entries cannot fit in the total size (and whose size wraps 32 bits).
  image.U32(0x1000 + 48 + 976, 0x15555556);
  firmware_test::FixChecksum(image, 0x1000, 2048);

  const auto found = Scan(image);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_THAT(found[0].cpuids, ElementsAre(0x906EAu, 0x906EBu, 0x906ECu));
  EXPECT_THAT(found[1].cpuids, ElementsAre(0x506E3u));
}

TEST(DistinctMicrocodes, KeepsFirstAppearanceOrderAndTheHighestRevision) {
  ImageBuilder image(0x3000);
  PutMicrocode(image, 0x0, Update{.revision = 0xB4, .cpuid = 0x906EA, .dataSize = 976,
                                  .totalSize = 2048, .extended = {0x906EB}});
  PutMicrocode(image, 0x1000, Update{.revision = 0xCA, .cpuid = 0x906EB});
  PutMicrocode(image, 0x2000, Update{.revision = 0x10, .cpuid = 0x506E3, .dataSize = 976,
                                     .totalSize = 2048, .extended = {0x906EA}});
  EXPECT_THAT(DistinctMicrocodes(InspectImage(image.bytes())),
              ElementsAre(MicrocodeEntry{0x906EA, 0xB4}, MicrocodeEntry{0x906EB, 0xCA},
                          MicrocodeEntry{0x506E3, 0x10}));
}

}  // namespace
}  // namespace firmware

// The image reader against the stand-in patcher's samples: two independent programs, one
// writing the layouts and one reading them, must agree on every fact of every sample.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "firmware/facts_report.h"
#include "firmware/image_facts.h"
#include "standins/image_format/sample_images.h"

namespace {

const std::map<std::string, std::string> kExpectedReports = {
    {"vendor_me_on.bin",
     "descriptor at 0x0\nhap clear\nme 11.6.0.1126\n"
     "microcode at 0x201000 size 0x1400 rev C2 date 2018-11-05 cpuid 506E3\n"
     "microcode at 0x202400 size 0x1800 rev B1 date 2019-01-09 cpuid 906E9\n"
     "fit at 0x200060 entries 3\n"
     "fit microcode at 0x201000 cpuid 506E3\nfit microcode at 0x202400 cpuid 906E9\n"},
    {"vendor_me_off.bin",
     "descriptor at 0x0\nhap set\nme 11.6.0.1126\n"
     "microcode at 0x201000 size 0x1400 rev C2 date 2018-11-05 cpuid 506E3\n"
     "fit at 0x200060 entries 2\nfit microcode at 0x201000 cpuid 506E3\n"},
    // Without a descriptor the whole file is searched, so the manifest left in it still counts,
    // and the file's end stands for the BIOS region's.
    {"broken.bin",
     "descriptor none\nme 11.6.0.1126\n"
     "microcode at 0x201000 size 0x1400 rev C2 date 2018-11-05 cpuid 506E3\n"
     "fit at 0x200060 entries 2\nfit microcode at 0x201000 cpuid 506E3\n"},
    {"capsule_vendor.bin",
     "descriptor at 0x800\nhap clear\nme 11.7.0.1229\n"
     "microcode at 0x201800 size 0x1400 rev C2 date 2018-11-05 cpuid 506E3\n"
     "microcode at 0x202C00 size 0x1800 rev B4 date 2019-02-28 cpuid 906EA\n"
     "fit at 0x200860 entries 3\n"
     "fit microcode at 0x201800 cpuid 506E3\nfit microcode at 0x202C00 cpuid 906EA\n"},
    {"bios_region_only.bin",
     "descriptor none\nme unknown\n"
     "microcode at 0x1000 size 0x1400 rev C2 date 2018-11-05 cpuid 506E3\n"
     "microcode at 0x2400 size 0x1800 rev B1 date 2019-01-09 cpuid 906E9\n"
     "fit at 0x60 entries 3\n"
     "fit microcode at 0x1000 cpuid 506E3\nfit microcode at 0x2400 cpuid 906E9\n"},
    {"extended_signatures.bin",
     "descriptor at 0x0\nhap clear\nme 11.6.0.1126\n"
     "microcode at 0x201000 size 0x1400 rev C2 date 2018-11-05 cpuid 506E3\n"
     "microcode at 0x202400 size 0x1800 rev B1 date 2019-01-09 cpuid 906E9,906EA,906EB\n"
     "fit at 0x200060 entries 3\n"
     "fit microcode at 0x201000 cpuid 506E3\nfit microcode at 0x202400 cpuid 906E9,906EA,906EB\n"},
    // The FIT lists the damaged update too; no valid one starts there.
    {"bad_checksum_update.bin",
     "descriptor at 0x0\nhap clear\nme 11.6.0.1126\n"
     "microcode at 0x201000 size 0x1400 rev C2 date 2018-11-05 cpuid 506E3\n"
     "microcode at 0x202400 size 0x1800 rev B1 date 2019-01-09 cpuid 906E9\n"
     "fit at 0x200060 entries 4\n"
     "fit microcode at 0x201000 cpuid 506E3\nfit microcode at 0x202400 cpuid 906E9\n"
     "fit microcode at 0x203C00 cpuid none\n"
     "warning at 0x203C00 microcode-checksum\n"},
    {"decoy_manifest.bin",
     "descriptor at 0x0\nhap clear\nme 11.6.0.1126\n"
     "microcode at 0x201000 size 0x1400 rev C2 date 2018-11-05 cpuid 506E3\n"
     "fit at 0x200060 entries 2\nfit microcode at 0x201000 cpuid 506E3\n"},
    {"not_an_image.bin", "descriptor none\nme unknown\nfit none\n"},
    {"vendor_bootguard.bin",
     "descriptor at 0x0\nhap clear\nme 11.6.0.1126\n"
     "microcode at 0x201000 size 0x1400 rev C2 date 2018-11-05 cpuid 506E3\n"
     "microcode at 0x202400 size 0x1800 rev B4 date 2019-02-28 cpuid 906EA\n"
     "fit at 0x200060 entries 6\n"
     "fit microcode at 0x201000 cpuid 506E3\nfit microcode at 0x202400 cpuid 906EA\n"
     "bootguard acm km bpm\n"},
};

TEST(SampleImages, ReaderFindsWhatTheStandInWrote) {
  const std::vector<standin::SampleFile> samples = standin::SampleFiles();
  ASSERT_EQ(samples.size(), kExpectedReports.size());
  for (const standin::SampleFile& sample : samples) {
    const std::string name(sample.fileName);
    ASSERT_TRUE(kExpectedReports.count(name)) << name;
    EXPECT_EQ(firmware::FactsReport(firmware::InspectImage(sample.bytes)), kExpectedReports.at(name))
        << name;
  }
}

}  // namespace

#include <gtest/gtest.h>

#include "standins/coffeetime/patcher_edits.h"
#include "standins/image_format/image_builder.h"

namespace standin {
namespace {

TEST(PatcherEdits, FlashAndSwitchWriteTheImageAndKeepOldMeAndStuckSwitchLeaveIt) {
  const Bytes vendor = BuildImage({.me = {11, 6, 0, 1126}, .meEnabled = true, .cpuids = {0x506E3}});
  Bytes image = vendor;
  FlashReplacementMe(image, FaultMode::kNone);
  EXPECT_EQ(ParseImage(image).summary.me, kReplacementMe);
  EXPECT_TRUE(ParseImage(image).summary.meEnabled);
  EXPECT_TRUE(SwitchMeOff(image, FaultMode::kNone));
  EXPECT_FALSE(ParseImage(image).summary.meEnabled);
  EXPECT_FALSE(SwitchMeOff(image, FaultMode::kNone));

  Bytes kept = vendor;
  FlashReplacementMe(kept, FaultMode::kKeepOldMe);
  EXPECT_EQ(kept, vendor);
  EXPECT_TRUE(SwitchMeOff(kept, FaultMode::kKeepOldMe));  // the switch still works on it
  EXPECT_EQ(ParseImage(kept).summary.me, (MeVersion{11, 6, 0, 1126}));

  Bytes stuck = vendor;
  EXPECT_FALSE(SwitchMeOff(stuck, FaultMode::kStuckMeSwitch));
  EXPECT_EQ(stuck, vendor);
}

TEST(PatcherEdits, DropMicrocodeLeavesOutTheLastTickedButCountsIt) {
  const Bytes vendor = BuildImage({.cpuids = {0x506E3}});
  const std::vector<uint32_t> applied{0x906EA, 0x906EC};  // table order; 906EA ticked last

  Bytes normal = vendor;
  EXPECT_EQ(ApplyMicrocodes(normal, applied, 0x906EA, FaultMode::kNone), 2);
  EXPECT_EQ(ParseImage(normal).summary.cpuids,
            (std::vector<uint32_t>{0x506E3, 0x906EA, 0x906EC}));

  Bytes dropped = vendor;
  EXPECT_EQ(ApplyMicrocodes(dropped, applied, 0x906EA, FaultMode::kDropMicrocode), 2);
  EXPECT_EQ(ParseImage(dropped).summary.cpuids, (std::vector<uint32_t>{0x506E3, 0x906EC}));
}

}  // namespace
}  // namespace standin

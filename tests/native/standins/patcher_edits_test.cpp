#include <gtest/gtest.h>

#include <algorithm>

#include "standins/coffeetime/patcher_edits.h"
#include "standins/image_format/fit_table.h"
#include "standins/image_format/image_builder.h"
#include "standins/image_format/image_layout.h"

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

TEST(PatcherEdits, ApplyRelistsTheFitWithItsBootGuardEntriesAndStaleFitLeavesIt) {
  const ImageRecipe recipe{.cpuids = {0x506E3}, .bootGuard = true};
  const ImagePlan plan = PlanImage(recipe);
  const Bytes vendor = BuildImage(recipe);
  const size_t end = plan.biosRegion + plan.biosRegionSize;
  const auto fitOf = [&](const Bytes& image) { return ReadFit(image, plan.biosRegion, end); };
  const auto microcodeAt = [&](size_t offset) { return FitEntry{FitAddress(offset, end), kFitMicrocodeType}; };
  const std::vector<FitEntry> vendorFit = fitOf(vendor);
  ASSERT_EQ(vendorFit.size(), 4u);
  EXPECT_EQ(vendorFit[0], microcodeAt(plan.microcodeArea));
  const std::vector<FitEntry> bootGuard(vendorFit.begin() + 1, vendorFit.end());
  const std::vector<uint32_t> applied{0x906EA, 0x906EC};
  const size_t second = plan.microcodeArea + FactsFor(0x506E3).totalSize;
  const size_t third = second + FactsFor(0x906EA).totalSize;

  Bytes relisted = vendor;
  EXPECT_EQ(ApplyMicrocodes(relisted, applied, 0x906EC, FaultMode::kNone), 2);
  std::vector<FitEntry> expected{microcodeAt(plan.microcodeArea), microcodeAt(second), microcodeAt(third)};
  expected.insert(expected.end(), bootGuard.begin(), bootGuard.end());
  EXPECT_EQ(fitOf(relisted), expected);

  Bytes stale = vendor;
  EXPECT_EQ(ApplyMicrocodes(stale, applied, 0x906EC, FaultMode::kStaleFit), 2);
  EXPECT_EQ(ParseImage(stale).summary.cpuids, ParseImage(relisted).summary.cpuids);
  EXPECT_TRUE(std::equal(stale.begin() + ptrdiff_t(plan.fit), stale.begin() + ptrdiff_t(end),
                         vendor.begin() + ptrdiff_t(plan.fit)));
}

}  // namespace
}  // namespace standin

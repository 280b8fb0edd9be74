#include <gtest/gtest.h>

#include <algorithm>

#include "standins/coffeetime/patcher_edits.h"
#include "standins/image_format/firmware_volume.h"
#include "standins/image_format/fit_table.h"
#include "standins/image_format/image_builder.h"
#include "standins/image_format/image_layout.h"

namespace standin {
namespace {

TEST(PatcherEdits, FlashAndSwitchWriteTheImageAndKeepOldMeAndStuckSwitchLeaveIt) {
  const Bytes vendor = BuildImage({.me = {11, 6, 0, 1126}, .meEnabled = true, .cpuids = {0x506E3}});
  Bytes image = vendor;
  FlashReplacementMe(image, FaultModes{});
  EXPECT_EQ(ParseImage(image).summary.me, kReplacementMe);
  EXPECT_TRUE(ParseImage(image).summary.meEnabled);
  EXPECT_TRUE(SwitchMeOff(image, FaultModes{}));
  EXPECT_FALSE(ParseImage(image).summary.meEnabled);
  EXPECT_FALSE(SwitchMeOff(image, FaultModes{}));

  Bytes kept = vendor;
  FlashReplacementMe(kept, ParseFaultModes("keep-old-me"));
  EXPECT_EQ(kept, vendor);
  EXPECT_TRUE(SwitchMeOff(kept, ParseFaultModes("keep-old-me")));  // the switch still works on it
  EXPECT_EQ(ParseImage(kept).summary.me, (MeVersion{11, 6, 0, 1126}));

  Bytes stuck = vendor;
  EXPECT_FALSE(SwitchMeOff(stuck, ParseFaultModes("stuck-me-switch")));
  EXPECT_EQ(stuck, vendor);
}

TEST(PatcherEdits, DropMicrocodeLeavesOutTheLastTickedButCountsIt) {
  const Bytes vendor = BuildImage({.cpuids = {0x506E3}});
  const std::vector<uint32_t> applied{0x906EA, 0x906EC};  // table order; 906EA ticked last

  Bytes normal = vendor;
  EXPECT_EQ(ApplyMicrocodes(normal, applied, 0x906EA, FaultModes{}), 2);
  EXPECT_EQ(ParseImage(normal).summary.cpuids,
            (std::vector<uint32_t>{0x506E3, 0x906EA, 0x906EC}));

  Bytes dropped = vendor;
  EXPECT_EQ(ApplyMicrocodes(dropped, applied, 0x906EA, ParseFaultModes("drop-microcode")), 2);
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
  EXPECT_EQ(ApplyMicrocodes(relisted, applied, 0x906EC, FaultModes{}), 2);
  std::vector<FitEntry> expected{microcodeAt(plan.microcodeArea), microcodeAt(second), microcodeAt(third)};
  expected.insert(expected.end(), bootGuard.begin(), bootGuard.end());
  EXPECT_EQ(fitOf(relisted), expected);

  Bytes stale = vendor;
  EXPECT_EQ(ApplyMicrocodes(stale, applied, 0x906EC, ParseFaultModes("stale-fit")), 2);
  EXPECT_EQ(ParseImage(stale).summary.cpuids, ParseImage(relisted).summary.cpuids);
  EXPECT_TRUE(std::equal(stale.begin() + ptrdiff_t(plan.fit),
                         stale.begin() + ptrdiff_t(plan.fit + kFitAreaSize),
                         vendor.begin() + ptrdiff_t(plan.fit)));
  EXPECT_EQ(fitOf(stale), vendorFit);
}

// The code volume's files, as the volume walk finds them.
std::vector<FfsFile> CodeVolumeFiles(const Bytes& image, const ImagePlan& plan) {
  const std::optional<Volume> volume =
      ReadVolume(image, plan.codeVolume, plan.codeVolume + kCodeVolumeSize);
  return volume ? ListFiles(image, *volume) : std::vector<FfsFile>{};
}

Bytes BytesOf(const Bytes& image, size_t offset, size_t size) {
  return Bytes(image.begin() + ptrdiff_t(offset), image.begin() + ptrdiff_t(offset + size));
}

TEST(PatcherEdits, SaveFaultsChangeTheirOwnPartOfTheSavedImageAndNothingElse) {
  const ImageRecipe recipe{.cpuids = {0x506E3, 0x906E9}, .flashSize = 16 * kMiB};
  const ImagePlan plan = PlanImage(recipe);
  const Bytes loaded = BuildImage(recipe);
  const std::vector<FfsFile> loadedFiles = CodeVolumeFiles(loaded, plan);
  ASSERT_EQ(loadedFiles.size(), 8u);  // six code files, the pad file, the volume top file
  const size_t top = plan.codeVolume + kCodeVolumeSize - kVolumeTopFileSize;
  const struct {
    std::string_view faults;
    MacAddress mac;
    std::vector<size_t> codeFiles;  // the loaded image's code files, in the saved order
    bool settingsErased;
  } kCases[] = {
      {"", kStandInMac, {0, 1, 2, 3, 4, 5}, false},
      {"lose-mac", kLostMac, {0, 1, 2, 3, 4, 5}, false},
      {"drop-file", kStandInMac, {0, 1, 3, 4, 5}, false},
      {"reset-settings", kStandInMac, {0, 1, 2, 3, 4, 5}, true},
      {"move-files", kStandInMac, {5, 4, 3, 2, 1, 0}, false},
      {"lose-mac,drop-file,reset-settings,move-files", kLostMac, {5, 4, 3, 1, 0}, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.faults);
    const Bytes saved = ImageToSave(loaded, ParseFaultModes(c.faults));
    const ParseResult parsed = ParseImage(saved);
    ASSERT_TRUE(parsed.ok()) << DescribeError(parsed.error);
    EXPECT_EQ(parsed.summary.cpuids, ParseImage(loaded).summary.cpuids);

    EXPECT_EQ(BytesOf(saved, plan.gbeRegion, kMacAddressSize), Bytes(c.mac.begin(), c.mac.end()));
    uint16_t gbeSum = 0;
    for (size_t word = 0; word <= 0x3F; ++word) {
      gbeSum = uint16_t(gbeSum + ReadU16(saved, plan.gbeRegion + 2 * word));
    }
    EXPECT_EQ(gbeSum, 0xBABA);

    // Code files as they were, 8-byte aligned one after another, then the pad file up to the
    // volume top file, which stays where it was.
    const std::vector<FfsFile> files = CodeVolumeFiles(saved, plan);
    ASSERT_EQ(files.size(), c.codeFiles.size() + 2);
    for (size_t i = 0; i < c.codeFiles.size(); ++i) {
      const FfsFile& was = loadedFiles[c.codeFiles[i]];
      EXPECT_EQ(BytesOf(saved, files[i].offset, files[i].size),
                BytesOf(loaded, was.offset, was.size))
          << i;
    }
    EXPECT_EQ(files[files.size() - 2].type, kPadFileType);
    EXPECT_EQ(files[files.size() - 2].end(), top);
    EXPECT_EQ(files.back().offset, top);
    EXPECT_EQ(BytesOf(saved, top, kVolumeTopFileSize), BytesOf(loaded, top, kVolumeTopFileSize));

    const size_t store = plan.settingsStore;
    EXPECT_EQ(BytesOf(saved, store, kVolumeHeaderSize), BytesOf(loaded, store, kVolumeHeaderSize));
    const Bytes body =
        BytesOf(saved, store + kVolumeHeaderSize, kSettingsStoreSize - kVolumeHeaderSize);
    EXPECT_EQ(std::all_of(body.begin(), body.end(), [](uint8_t b) { return b == 0xFF; }),
              c.settingsErased);

    // Nothing else changes.
    const bool codeMoved = c.codeFiles != std::vector<size_t>{0, 1, 2, 3, 4, 5};
    const bool macChanged = c.mac != kStandInMac;
    for (size_t i = 0; i < saved.size(); ++i) {
      if (saved[i] == loaded[i]) continue;
      const bool inGbe = macChanged && i >= plan.gbeRegion && i < plan.gbeRegion + 0x80;
      const bool inStore = c.settingsErased && i >= store && i < store + kSettingsStoreSize;
      const bool inCode = codeMoved && i >= plan.codeVolume && i < top;
      ASSERT_TRUE(inGbe || inStore || inCode) << std::hex << i;
    }
  }
}

}  // namespace
}  // namespace standin

#include <gtest/gtest.h>

#include "standins/coffeetime/fault_mode.h"
#include "standins/coffeetime/patcher_model.h"

namespace standin {
namespace {

PatcherModel Loaded() {
  PatcherModel model;
  model.phase = PatcherPhase::kLoaded;
  return model;
}

ClickAction Click(PatcherModel& model, int x, int y) { return HandleClick(model, {x, y}).action; }

void Type(PatcherModel& model, std::u16string_view text) {
  for (char16_t unit : text) HandleChar(model, unit);
}

TEST(PathInput, TakesCharactersOnlyAfterItIsClicked) {
  PatcherModel model;
  Type(model, u"ignored");
  EXPECT_TRUE(model.path.empty());
  EXPECT_EQ(Click(model, 275, 160), ClickAction::kFocusPath);
  Type(model, u"C:\\新建\\bios.binX\b");
  EXPECT_EQ(model.path, u"C:\\新建\\bios.bin");
  EXPECT_EQ(Click(model, 444, 192), ClickAction::kLoad);
  Type(model, u"more");
  EXPECT_EQ(model.path, u"C:\\新建\\bios.bin");
}

TEST(Clicks, AreAPressThenAReleaseOnTheSameControl) {
  PatcherModel model;
  EXPECT_FALSE(HandleRelease(model, {444, 192})) << "a release alone";
  HandlePress(model, {275, 160});
  EXPECT_FALSE(HandleRelease(model, {444, 192})) << "released elsewhere";
  EXPECT_FALSE(HandleRelease(model, {444, 192})) << "the press was used up";
  HandlePress(model, {444, 192});
  EXPECT_TRUE(HandleRelease(model, {444, 192}));
}

TEST(PathInput, ClicksWhileLoadingDoNothing) {
  PatcherModel model;
  model.phase = PatcherPhase::kLoading;
  EXPECT_EQ(Click(model, 444, 192), ClickAction::kNone);
  EXPECT_EQ(Click(model, 520, 560), ClickAction::kNone);
}

TEST(MeReplacement, FlashesOnlyAfterTheFourClicksInOrder) {
  PatcherModel model = Loaded();
  EXPECT_EQ(Click(model, 100, 502), ClickAction::kNone);
  EXPECT_EQ(Click(model, 176, 135), ClickAction::kMeStep);
  EXPECT_EQ(Click(model, 380, 502), ClickAction::kNone);  // skipped (399, 451)
  EXPECT_EQ(Click(model, 399, 451), ClickAction::kMeStep);
  EXPECT_EQ(Click(model, 380, 502), ClickAction::kMeStep);
  EXPECT_EQ(Click(model, 100, 502), ClickAction::kFlashMe);
  EXPECT_EQ(Click(model, 100, 502), ClickAction::kNone);  // the sequence starts over
}

TEST(MeReplacement, ApplyPointNextToTheLastStepIsNotTakenForIt) {
  PatcherModel model = Loaded();
  Click(model, 176, 135);
  Click(model, 399, 451);
  Click(model, 380, 502);
  EXPECT_EQ(Click(model, 102, 500), ClickAction::kNone);  // locked: apply means nothing
  EXPECT_EQ(Click(model, 100, 502), ClickAction::kFlashMe);
  EXPECT_EQ(Click(model, 175, 161), ClickAction::kMeOff);
}

TEST(MicrocodeEditing, ChoicesNeedTheUnlockFirst) {
  PatcherModel model = Loaded();
  EXPECT_EQ(Click(model, 350, 441), ClickAction::kNone);
  EXPECT_EQ(Click(model, 390, 521), ClickAction::kNone);  // second unlock click alone
  EXPECT_EQ(Click(model, 487, 313), ClickAction::kUnlockStep);
  EXPECT_EQ(Click(model, 390, 521), ClickAction::kUnlocked);
  EXPECT_EQ(Click(model, 350, 441), ClickAction::kToggle);
  EXPECT_EQ(ChosenMicrocodes(model), (std::vector<uint32_t>{0x906E9}));
}

TEST(MicrocodeEditing, ApplyGivesTheChoiceInTableOrderAndRelocks) {
  PatcherModel model = Loaded();
  Click(model, 487, 313);
  Click(model, 390, 521);
  Click(model, 478, 487);  // 506E0
  Click(model, 219, 512);  // 906ED
  Click(model, 479, 465);  // 506E1
  Click(model, 219, 464);  // 906EB, then again: no longer chosen
  Click(model, 219, 464);
  const ClickOutcome outcome = HandleClick(model, {102, 500});
  EXPECT_EQ(outcome.action, ClickAction::kApply);
  EXPECT_EQ(outcome.applied, (std::vector<uint32_t>{0x506E1, 0x906ED, 0x506E0}));
  EXPECT_EQ(outcome.lastTicked, 0x506E1u);  // click order, not table order
  EXPECT_FALSE(model.unlocked);
  EXPECT_EQ(Click(model, 350, 441), ClickAction::kNone);
}

TEST(MicrocodeEditing, Cpuid906EANeedsBothOfItsClicks) {
  PatcherModel model = Loaded();
  Click(model, 487, 313);
  Click(model, 390, 521);
  Click(model, 219, 439);
  Click(model, 219, 487);  // 906EC
  EXPECT_EQ(ChosenMicrocodes(model), (std::vector<uint32_t>{0x906EC}));
  Click(model, 356, 235);  // completes 906EA: chosen after 906EC
  EXPECT_EQ(ChosenMicrocodes(model), (std::vector<uint32_t>{0x906EA, 0x906EC}));
  EXPECT_EQ(HandleClick(model, {102, 500}).lastTicked, 0x906EAu);

  PatcherModel secondOnly = Loaded();
  Click(secondOnly, 487, 313);
  Click(secondOnly, 390, 521);
  Click(secondOnly, 356, 235);
  EXPECT_TRUE(HandleClick(secondOnly, {102, 500}).applied.empty());
}

TEST(MicrocodeEditing, EveryTargetPointChoosesItsOwnCpuid) {
  for (const MicrocodeTarget& target : MicrocodeTargets()) {
    PatcherModel model = Loaded();
    Click(model, 487, 313);
    Click(model, 390, 521);
    Click(model, target.point.x, target.point.y);
    if (target.cpuid == 0x906EA) Click(model, kEaSecondPoint.x, kEaSecondPoint.y);
    EXPECT_EQ(ChosenMicrocodes(model), (std::vector<uint32_t>{target.cpuid}))
        << std::hex << target.cpuid;
  }
}

TEST(SaveButton, OpensTheDialogOnlyOnceLoaded) {
  PatcherModel start;
  EXPECT_EQ(Click(start, 520, 560), ClickAction::kNone);
  PatcherModel model = Loaded();
  EXPECT_EQ(Click(model, 520, 560), ClickAction::kOpenSave);
}

TEST(FileNames, TakeThePartAfterTheLastSeparator) {
  EXPECT_EQ(FileNameOf(u"D:\\新建\\bios.bin"), u"bios.bin");
  EXPECT_EQ(FileNameOf(u"D:/a/b.rom"), u"b.rom");
  EXPECT_EQ(FileNameOf(u"bios.bin"), u"bios.bin");
  EXPECT_EQ(FileNameOf(u"D:\\dir\\"), u"");
}

TEST(FaultModes, NamesRoundTripAndUnknownMeansNone) {
  for (FaultMode mode : {FaultMode::kRejectAll, FaultMode::kNeverFinishLoad,
                         FaultMode::kHangFlash, FaultMode::kNoSaveDialog, FaultMode::kLateWrite,
                         FaultMode::kExitAbruptly, FaultMode::kDropMicrocode,
                         FaultMode::kKeepOldMe, FaultMode::kLatePaint, FaultMode::kOwnArt,
                         FaultMode::kStuckMeSwitch, FaultMode::kStaleFit, FaultMode::kLoseMac,
                         FaultMode::kDropFile, FaultMode::kResetSettings, FaultMode::kMoveFiles}) {
    EXPECT_FALSE(FaultModeName(mode).empty());
    EXPECT_EQ(ParseFaultMode(FaultModeName(mode)), mode);
    EXPECT_TRUE(ParseFaultModes(FaultModeName(mode)).Has(mode));
  }
  EXPECT_EQ(ParseFaultMode("hang-flash"), FaultMode::kHangFlash);
  EXPECT_EQ(ParseFaultMode(""), FaultMode::kNone);
  EXPECT_EQ(ParseFaultMode("Hang-Flash"), FaultMode::kNone);
}

TEST(FaultModes, ACommaListHoldsEachKnownName) {
  const FaultModes modes = ParseFaultModes("lose-mac,no-such-mode,drop-file,,reset-settings");
  EXPECT_TRUE(modes.Has(FaultMode::kLoseMac));
  EXPECT_TRUE(modes.Has(FaultMode::kDropFile));
  EXPECT_TRUE(modes.Has(FaultMode::kResetSettings));
  EXPECT_FALSE(modes.Has(FaultMode::kMoveFiles));
  EXPECT_FALSE(modes.Has(FaultMode::kHangFlash));
  EXPECT_EQ(ParseFaultModes("").bits, 0u);
  EXPECT_EQ(ParseFaultModes("Hang-Flash, stale-fit").bits, 0u);  // names are exact
}

}  // namespace
}  // namespace standin

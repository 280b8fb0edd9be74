// Listing the microcodes CoffeeTime shows, and the unlock / tick / confirm cycle.
#include <algorithm>

#include "imaging/label_templates.h"
#include "tests/native/workflow/workflow_fixture.h"
#include "workflow/microcode_slots.h"

namespace workflow {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Row(const std::string& number, const std::string& cpuid) {
  return {number, cpuid};
}

TEST(MicrocodeSlots, HoldTheirStoredLabelsInDetectionOrder) {
  const auto& labels = imaging::MicrocodeLabels();
  const auto& slots = MicrocodeSlots();
  for (size_t i = 0; i < slots.size(); ++i) {
    EXPECT_EQ(labels[i].cpuid, slots[i].cpuid);
    EXPECT_EQ(slots[i].checkBox, "W" + std::string(slots[i].cpuid));
    EXPECT_EQ(slots[i].pictures.primary.data(), labels[i].primary.data()) << "holds its own label";
  }
}

TEST_F(WorkflowTest, RowsFollowSlotOrderWhateverTheWindowShows) {
  coffee.imageMicrocodes = {"906E9", "506E0", "506E3"};
  OpenAndRead();
  EXPECT_THAT(form.rows, ElementsAre(Row("1", "506E3"), Row("2", "906E9"), Row("3", "506E0")));
}

TEST_F(WorkflowTest, ASlotGivesOneRowWhicheverRenderingsAreVisible) {
  OpenAndRead();
  auto& labels = desktop.Window(coffee.window).shownLabels;
  labels = {"506E3/primary", "506E3/fallback", "906EB/fallback"};
  controller.OnRefreshPicturePressed();
  EXPECT_THAT(form.rows, ElementsAre(Row("1", "506E3"), Row("2", "906EB")));
}

TEST_F(WorkflowTest, DetectionShowsTheWindowWhileSearchingThenHidesIt) {
  OpenAndRead();
  desktop.sent.clear();
  finder.searches.clear();
  controller.OnRefreshPicturePressed();
  ASSERT_FALSE(finder.searches.empty());
  EXPECT_EQ(finder.searches.front().label, "506E1/primary");
  EXPECT_EQ(finder.searches.back().label, "506E0/fallback");
  EXPECT_FALSE(desktop.Window(coffee.window).visible());
  EXPECT_EQ(desktop.Window(coffee.window).exStyle, 0x10101u) << "no longer layered";
}

// One step at a time: presses of other steps while the read waits start nothing and say so.
// Before a read has finished there is no table in the patcher: the microcode button, the
// refresh picture and "执行制作" only say so (a post to window 0 would reach the desktop).
TEST_F(WorkflowTest, PressesBeforeAReadFinishedOnlySayThatABiosMustBeReadFirst) {
  form.rows = {{"1", "506E3"}};
  const std::string caption = form.captions["按钮1"];
  OpenFile("C:\\b.bin");
  coffee.neverFinishLoad = true;
  const auto pressAll = [&] {
    controller.OnMicrocodeButtonClicked();
    controller.OnRefreshPicturePressed();
    controller.OnMakeClicked();
    controller.OnOpenClicked();
    controller.OnLicenceClicked();
    controller.OnReadClicked();  // its own step: ignored without a line
  };
  desktop.After(3000, pressAll, true);
  controller.OnReadClicked();  // gives up on the load at its bound
  const auto endingWith = [](const std::vector<std::string>& lines, const std::string& text) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.ends_with(text); });
  };
  EXPECT_EQ(endingWith(StatusLines(), "请等当前步骤完成后再操作"), 5);
  EXPECT_EQ(coffee.fitStarts, 0);
  controller.OnMicrocodeButtonClicked();
  controller.OnRefreshPicturePressed();
  controller.OnMakeClicked();
  EXPECT_EQ(endingWith(StatusLines(), "还没有读取BIOS,请先点击\"打开\"选择原版BIOS,再点击\"读取\""), 3);
  EXPECT_EQ(form.rows.size(), 1u);
  EXPECT_EQ(form.captions["按钮1"], caption);
  EXPECT_EQ(desktop.dialogs.size(), 1u) << "no save dialog";
  for (const auto& m : desktop.posted) {
    EXPECT_TRUE(m.window == coffee.window && m.atMs < 3000) << m.message << " at " << m.atMs;
  }
}

TEST_F(WorkflowTest, UnlockClicksEnablesTheBoxesInOrderAndChangesTheCaption) {
  OpenAndRead();
  const size_t before = ClicksTo(coffee.window).size();
  form.log.clear();
  controller.OnMicrocodeButtonClicked();
  const auto clicks = ClicksTo(coffee.window);
  ASSERT_EQ(clicks.size(), before + 2);
  EXPECT_EQ(clicks[before].x, 487);
  EXPECT_EQ(clicks[before + 1], (Click{390, 521, clicks[before].atMs + 200}));
  std::vector<std::string> enabled;
  for (const auto& entry : form.log) {
    if (entry.starts_with("SetDisabled W") && entry.ends_with(" 0")) enabled.push_back(entry.substr(12, 6));
  }
  EXPECT_THAT(enabled, ElementsAre("W506E0", "W506E8", "W506E3", "W506E1", "W906ED", "W906EC",
                                   "W906EB", "W906EA", "W906E9"));
  EXPECT_EQ(form.captions["按钮1"], "选完点击此处");
  EXPECT_TRUE(coffee.unlocked);
}

TEST_F(WorkflowTest, ConfirmWith906EAAddsTheSecondClickAndFourSeconds) {
  OpenAndRead();
  controller.OnMicrocodeButtonClicked();
  form.checked["W906EA"] = true;
  form.checked["W906E9"] = true;
  const size_t before = ClicksTo(coffee.window).size();
  controller.OnMicrocodeButtonClicked();
  const auto clicks = ClicksTo(coffee.window);
  ASSERT_GE(clicks.size(), before + 4);
  const int64_t t = clicks[before].atMs;
  EXPECT_EQ(clicks[before], (Click{219, 439, t}));
  EXPECT_EQ(clicks[before + 1], (Click{356, 235, t}));
  EXPECT_EQ(clicks[before + 2], (Click{350, 441, t + 4000}));
  EXPECT_EQ(clicks[before + 3], (Click{102, 500, t + 4000}));
  EXPECT_TRUE(coffee.chosen.count("906EA"));
  // Applied, relocked and listed again.
  EXPECT_THAT(form.rows, ElementsAre(Row("1", "506E3"), Row("2", "906E9"), Row("3", "906EA")));
  EXPECT_EQ(form.captions["按钮1"], "解锁微码编辑区");
  EXPECT_TRUE(form.IsDisabled("W906EA"));
  EXPECT_TRUE(form.checked["W906EA"]) << "ticks belong to the user";
}

TEST_F(WorkflowTest, ConfirmOnlyAppliesTickedBoxesInConfirmOrder) {
  OpenAndRead();
  controller.OnMicrocodeButtonClicked();
  form.checked["W906E9"] = true;
  form.checked["W506E0"] = true;
  const size_t before = ClicksTo(coffee.window).size();
  controller.OnMicrocodeButtonClicked();
  const auto clicks = ClicksTo(coffee.window);
  ASSERT_GE(clicks.size(), before + 3);
  EXPECT_EQ(clicks[before].x, 478);
  EXPECT_EQ(clicks[before + 1].x, 350);
  EXPECT_EQ(clicks[before + 2].x, 102);
  EXPECT_EQ(clicks[before + 2].atMs, clicks[before].atMs) << "no pause without 906EA";
}

TEST_F(WorkflowTest, ConfirmWithNothingTickedIsRefusedAndStaysUnlocked) {
  OpenAndRead();
  controller.OnMicrocodeButtonClicked();
  const size_t before = ClicksTo(coffee.window).size();
  const size_t linesBefore = StatusLines().size();
  controller.OnMicrocodeButtonClicked();
  const auto lines = StatusLines();
  ASSERT_EQ(lines.size(), linesBefore + 3);
  EXPECT_EQ(lines[linesBefore], "14:7已确认微码...");
  EXPECT_NE(lines[linesBefore + 1].find("起码选择一个微码吧，不然主板怎么亮唷！"), std::string::npos);
  EXPECT_NE(lines[linesBefore + 2].find("已刷新右边BIOS源码区，请确认一下"), std::string::npos);
  EXPECT_EQ(ClicksTo(coffee.window).size(), before);
  EXPECT_EQ(form.captions["按钮1"], "选完点击此处");
  EXPECT_FALSE(form.IsDisabled("W506E1"));
  // The next press confirms again rather than unlocking.
  form.checked["W506E1"] = true;
  controller.OnMicrocodeButtonClicked();
  EXPECT_EQ(ClicksTo(coffee.window)[before].x, 479);
}

}  // namespace
}  // namespace workflow

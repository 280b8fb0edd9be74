// Structural checks of the layout table: a wrong row here would put a control in the wrong
// place, under the wrong parent, or leave the steps without the control they name.
#include "app/control_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "workflow/form.h"

namespace app {
namespace {

TEST(ControlTable, HoldsFortyThreeUniquelyNamedControls) {
  const auto table = ControlTable();
  EXPECT_EQ(table.size(), 43u);
  std::set<std::string_view> names;
  for (const ControlSpec& spec : table) EXPECT_TRUE(names.insert(spec.name).second) << spec.name;
}

TEST(ControlTable, ParentsAreContainersCreatedEarlier) {
  std::set<std::string_view> created;
  for (const ControlSpec& spec : ControlTable()) {
    if (!spec.parent.empty()) {
      EXPECT_TRUE(created.count(spec.parent)) << spec.name << " before its parent";
      const ControlSpec* parent = FindControl(spec.parent);
      ASSERT_NE(parent, nullptr);
      EXPECT_TRUE(parent->kind == ControlKind::kGroupBox || parent->kind == ControlKind::kFrame)
          << spec.name;
    }
    created.insert(spec.name);
  }
}

TEST(ControlTable, EveryControlLiesInsideItsParent) {
  const MainWindowSpec& window = MainWindowLayout();
  for (const ControlSpec& spec : ControlTable()) {
    if (spec.kind == ControlKind::kTimer) continue;
    int width = window.width, height = 764;  // the enlarged window's extent
    if (!spec.parent.empty()) {
      const ControlSpec* parent = FindControl(spec.parent);
      width = parent->width;
      height = parent->height;
    }
    EXPECT_GE(spec.x, 0) << spec.name;
    EXPECT_GE(spec.y, 0) << spec.name;
    EXPECT_LE(spec.x + spec.width, width) << spec.name;
    EXPECT_LE(spec.y + spec.height, height) << spec.name;
  }
}

TEST(ControlTable, NamesTheStepsUseExistWithTheRightKind) {
  using namespace workflow::controls;
  const std::pair<std::string_view, ControlKind> used[] = {
      {kPathBox, ControlKind::kEditLine},        {kStatusBox, ControlKind::kEditMulti},
      {kNoticeBox, ControlKind::kEditMulti},     {kOpenButton, ControlKind::kButton},
      {kReadButton, ControlKind::kButton},       {kMicrocodeButton, ControlKind::kButton},
      {kLicenceButton, ControlKind::kButton},    {kMakeButton, ControlKind::kButton},
      {kRefreshPicture, ControlKind::kPictureBox}, {kBannerPicture, ControlKind::kPictureBox},
      {kMicrocodeList, ControlKind::kListView},  {kNoticeTimer, ControlKind::kTimer},
      {kPageViewer, ControlKind::kPageViewer},   {kOnlineCountLabel, ControlKind::kLabel},
  };
  for (const auto& [name, kind] : used) {
    const ControlSpec* spec = FindControl(name);
    ASSERT_NE(spec, nullptr) << name;
    EXPECT_EQ(spec->kind, kind) << name;
  }
}

TEST(ControlTable, MicrocodeCheckBoxesAreNamedAfterTheirCaption) {
  int boxes = 0;
  for (const ControlSpec& spec : ControlTable()) {
    if (spec.kind != ControlKind::kCheckBox) continue;
    ++boxes;
    EXPECT_EQ(std::string(spec.name), "W" + std::string(spec.text));
  }
  EXPECT_EQ(boxes, 9);
}

TEST(ControlTable, EventsBelongToControlsThatCanRaiseThem) {
  std::set<FormEvent> seen;
  for (const ControlSpec& spec : ControlTable()) {
    if (spec.event == FormEvent::kNone) continue;
    EXPECT_TRUE(seen.insert(spec.event).second) << "two controls raise the same event";
    const bool canRaise = spec.kind == ControlKind::kButton || spec.kind == ControlKind::kTimer ||
                          spec.kind == ControlKind::kPictureBox;
    EXPECT_TRUE(canRaise) << spec.name;
  }
  EXPECT_EQ(seen.size(), 7u);
}

TEST(ControlTable, IdsMapBackToTheirRowsAndAvoidDialogIds) {
  const auto table = ControlTable();
  for (size_t i = 0; i < table.size(); ++i) {
    const int id = ControlId(table[i].name);
    EXPECT_GT(id, 2) << "IDOK / IDCANCEL would be taken for dialog keys";
    EXPECT_EQ(ControlIndexOfId(id), static_cast<int>(i));
  }
  EXPECT_EQ(ControlId("no such control"), -1);
  EXPECT_EQ(ControlIndexOfId(kFirstControlId + static_cast<int>(table.size())), -1);
  EXPECT_EQ(ControlIndexOfId(kFirstControlId - 1), -1);
}

TEST(ControlTable, StackingFixesNameSiblings) {
  for (const ControlSpec& spec : ControlTable()) {
    if (spec.stackAbove.empty()) continue;
    const ControlSpec* below = FindControl(spec.stackAbove);
    ASSERT_NE(below, nullptr) << spec.name;
    EXPECT_EQ(below->parent, spec.parent) << spec.name << " can only be stacked among siblings";
  }
}

TEST(ControlKinds, TabStopsAndInitialStates) {
  EXPECT_TRUE(TakesTabStop(ControlKind::kListView));
  EXPECT_TRUE(TakesTabStop(ControlKind::kPageViewer));
  EXPECT_FALSE(TakesTabStop(ControlKind::kLabel));
  EXPECT_FALSE(TakesTabStop(ControlKind::kFrame));
  int disabled = 0;
  for (const ControlSpec& spec : ControlTable()) disabled += DisabledAtCreation(spec.kind) ? 1 : 0;
  EXPECT_EQ(disabled, 3) << "exactly the three edit boxes start disabled";
}

}  // namespace
}  // namespace app

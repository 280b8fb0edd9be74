// A CoffeeTime that is gone is said to be gone: nothing is posted to it, and the tool goes back
// to where it was before a read, so that "打开" starts again.
#include <functional>

#include "tests/native/workflow/workflow_fixture.h"

namespace workflow {
namespace {

constexpr const char* kGone = "CoffeeTime已经退出,请重新点击\"打开\"选择原版BIOS";

void ExpectBeforeRead(const WorkflowRig& rig) {
  const fake::FakeForm& form = rig.form;
  EXPECT_FALSE(form.IsDisabled("按钮4"));
  EXPECT_TRUE(form.IsDisabled("按钮5"));
  EXPECT_TRUE(form.rows.empty());
  EXPECT_EQ(form.captions.at("按钮1"), "解锁微码编辑区");
  for (const char* box : {"W506E0", "W506E3", "W906EA", "W906ED"}) EXPECT_TRUE(form.IsDisabled(box)) << box;
}

TEST(PatcherGone, EveryStepOnTheLoadedWindowSaysSoAndPostsNothing) {
  const auto nothing = [](WorkflowRig&) {};
  const auto unlock = [](WorkflowRig& r) {
    r.controller.OnMicrocodeButtonClicked();
    r.form.checked["W906EA"] = true;
  };
  struct Case {
    const char* name;
    std::function<void(WorkflowRig&)> before;  // while CoffeeTime is still there
    std::function<void(WorkflowRig&)> press;
  };
  const Case cases[] = {
      {"unlock", nothing, [](WorkflowRig& r) { r.controller.OnMicrocodeButtonClicked(); }},
      {"confirm", unlock, [](WorkflowRig& r) { r.controller.OnMicrocodeButtonClicked(); }},
      {"refresh", nothing, [](WorkflowRig& r) { r.controller.OnRefreshPicturePressed(); }},
      {"save", nothing, [](WorkflowRig& r) {
         r.desktop.AddFile(u"D:\\out", platform::kFileAttributeDirectory);
         r.desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
         r.controller.OnMakeClicked();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorkflowRig rig;
    rig.OpenAndRead();
    c.before(rig);
    rig.desktop.RemoveWindow(rig.coffee.window);
    const size_t posted = rig.desktop.posted.size();
    c.press(rig);
    EXPECT_EQ(rig.StatusLines().back(), std::string("14:7") + kGone);
    for (size_t i = posted; i < rig.desktop.posted.size(); ++i) {
      EXPECT_NE(rig.desktop.posted[i].window, rig.coffee.window) << "posted to the gone window";
    }
    ExpectBeforeRead(rig);
    // A new "打开" and "读取" work again.
    rig.OpenAndRead("C:\\c.bin");
    EXPECT_NE(rig.StatusLines().back().find("已完成BIOS读取"), std::string::npos);
  }
}

TEST_F(WorkflowTest, PatcherExitingDuringTheFlashIsToldAsAnExit) {
  OpenFile("C:\\b.bin");
  desktop.At(9000, [&] { desktop.RemoveWindow(coffee.window); });
  controller.OnReadClicked();
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text,
            "CoffeeTime在刷入ME时退出了,读取已停止,请重新点击\"打开\"选择原版BIOS");
  EXPECT_LT(desktop.NowMs(), 15000) << "not a time-out";
  ExpectBeforeRead(*this);
}

}  // namespace
}  // namespace workflow

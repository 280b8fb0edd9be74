// Closing the tool in the middle of a step, the patchers it leaves behind, and chosen paths
// that cannot be handed on.
#include "tests/native/workflow/workflow_fixture.h"

namespace workflow {
namespace {

struct ShutdownRig : WorkflowRig {
  // The user closes the main window at `atMs`: the window's destruction runs the shut-down and
  // leaves the quit message in the queue, inside whatever wait is running then.
  void CloseAt(int64_t atMs) {
    closedAtMs = atMs;
    desktop.At(atMs, [this] {
      controller.OnDestroying();
      desktop.PostQuit();
    }, true);
  }

  // Everything posted from the close on, apart from the WM_CLOSE of the shut-down itself.
  std::vector<fake::PostedMessage> InputAfterClose() const {
    std::vector<fake::PostedMessage> late;
    for (const auto& m : desktop.posted) {
      if (m.atMs >= closedAtMs && m.message != platform::kWmClose) late.push_back(m);
    }
    return late;
  }

  bool GotClose(platform::Hwnd window) const {
    for (const auto& m : desktop.posted) {
      if (m.window == window && m.message == platform::kWmClose) return true;
    }
    return false;
  }

  int64_t closedAtMs = 0;
};

class ShutdownTest : public ::testing::Test, public ShutdownRig {};

// One case per kind of wait: the load, the ME flash (hung), the microcode confirm's pause and
// the save's wait for the written file. Each step stops at once, posts nothing more, shows no
// box, and no patcher of this run is left.
TEST_F(ShutdownTest, ClosingInAnyWaitStopsTheStepAndLeavesNoPatcher) {
  struct Moment {
    const char* name;
    std::function<void(ShutdownRig&)> run;
  };
  const Moment moments[] = {
      {"load", [](ShutdownRig& t) {
         t.coffee.neverFinishLoad = true;
         t.CloseAt(5000);
         t.OpenAndRead();
       }},
      {"hung flash", [](ShutdownRig& t) {
         t.coffee.hangFlash = true;
         t.CloseAt(20000);
         t.OpenAndRead();
       }},
      {"confirm", [](ShutdownRig& t) {
         t.OpenAndRead();
         t.controller.OnMicrocodeButtonClicked();
         t.form.checked["W906EA"] = t.form.checked["W506E0"] = true;
         t.CloseAt(t.desktop.NowMs() + 1000);  // inside 906EA's four-second pause
         t.controller.OnMicrocodeButtonClicked();
       }},
      {"save", [](ShutdownRig& t) {
         t.desktop.AddFile(u"D:\\out", platform::kFileAttributeDirectory);
         t.OpenAndRead();
         t.coffee.writeSavedImage = false;
         t.desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
         t.CloseAt(t.desktop.NowMs() + 5000);
         t.controller.OnMakeClicked();
       }},
  };
  for (const Moment& moment : moments) {
    SCOPED_TRACE(moment.name);
    ShutdownRig t;
    moment.run(t);
    EXPECT_TRUE(t.InputAfterClose().empty()) << t.InputAfterClose().size() << " posted late";
    EXPECT_TRUE(t.desktop.messageBoxes.empty());
    EXPECT_LT(t.desktop.NowMs(), t.closedAtMs + 1000) << "the step went on after the close";
    EXPECT_TRUE(t.GotClose(t.coffee.window));
    EXPECT_FALSE(t.desktop.ProcessRunning(t.coffee.processId));
    EXPECT_EQ(t.desktop.OpenHandleCount(), 0u);
  }
}

// Before a read has finished a patcher that ignores the close is ended; after it, one that
// does not answer may be writing the user's image and is left to finish.
TEST_F(ShutdownTest, HungPatcherIsEndedOnlyBeforeTheReadFinished) {
  coffee.hangFlash = true;
  CloseAt(20000);
  OpenAndRead();
  EXPECT_THAT(desktop.terminated, ::testing::ElementsAre(coffee.processId));
  EXPECT_TRUE(GotClose(coffee.window));

  ShutdownRig after;
  after.OpenAndRead();
  after.desktop.SetProcessHung(after.coffee.processId, true);
  after.controller.OnDestroying();
  EXPECT_TRUE(after.GotClose(after.coffee.window));
  EXPECT_TRUE(after.desktop.terminated.empty());
  EXPECT_EQ(after.desktop.OpenHandleCount(), 0u);
}

TEST_F(ShutdownTest, ClosingBeforeAnyReadClosesTheHiddenPatcher) {
  OpenFile("C:\\b.bin");
  controller.OnDestroying();
  EXPECT_TRUE(GotClose(coffee.window));
  EXPECT_FALSE(desktop.ProcessRunning(coffee.processId));
  EXPECT_TRUE(desktop.terminated.empty()) << "it answered the close";
}

TEST_F(WorkflowTest, OpenAgainAfterARejectedFileClosesTheEarlierPatcher) {
  coffee.rejectFiles = true;
  OpenAndRead();
  const platform::Hwnd first = coffee.window;
  const uint32_t firstProcess = coffee.processId;
  coffee.rejectFiles = false;
  OpenAndRead();
  EXPECT_FALSE(desktop.Exists(first));
  EXPECT_FALSE(desktop.ProcessRunning(firstProcess));
  EXPECT_NE(coffee.window, first);
  EXPECT_EQ(coffee.typedPath, u"C:\\b.bin") << "the second read typed into the new patcher's own box";
  EXPECT_NE(form.StatusWritten().find("已完成BIOS读取"), std::string::npos);
}

// What the user sees for a chosen vendor path that cannot be handed to the patcher: a message,
// an empty path box, "读取" disabled, and nothing started.
TEST_F(WorkflowTest, VendorPathsThatCannotBeUsedAreRefusedWithAMessage) {
  struct Case {
    const char* name;
    std::function<void(WorkflowRig&)> choose;
    const char* message;
  };
  const Case cases[] = {
      {"outside code page 936", [](WorkflowRig& t) {
         t.desktop.AddFile(u"C:\\??\\b.bin");
         t.desktop.openDialogAnswers.push_back("C:\\??\\b.bin");
       }, "BIOS文件的路径中有系统无法识别的文字,请把文件移到只含中文、英文字母和数字的路径下,再点击\"打开\""},
      {"typed name of no file", [](WorkflowRig& t) {
         t.desktop.openDialogAnswers.push_back("C:\\nothing.bin");
       }, "找不到所选的BIOS文件,请重新点击\"打开\"选择原版BIOS"},
      {"longer than the dialog's buffer", [](WorkflowRig& t) {
         t.desktop.FailNextDialog(platform::kFnErrBufferTooSmall);
       }, "BIOS文件的路径太长,请把文件移到较短的路径下(如D:\\bios),再点击\"打开\""},
      {"over the platform's path limit", [](WorkflowRig& t) {
         const std::string path = "C:\\" + std::string(260, 'a') + ".bin";
         t.desktop.AddFile(std::u16string(path.begin(), path.end()));
         t.desktop.openDialogAnswers.push_back(path);
       }, "BIOS文件的路径太长,请把文件移到较短的路径下(如D:\\bios),再点击\"打开\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorkflowRig t;
    c.choose(t);
    t.controller.OnOpenClicked();
    ASSERT_EQ(t.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(t.desktop.messageBoxes[0].text, c.message);
    EXPECT_EQ(t.desktop.messageBoxes[0].owner, t.form.mainWindow);
    EXPECT_TRUE(t.desktop.processes.empty());
    EXPECT_EQ(t.form.texts["编辑框1"], "");
    EXPECT_TRUE(t.form.IsDisabled("按钮5"));
    EXPECT_TRUE(t.StatusLines().empty());
  }
}

// Where the made image cannot go: one line, no click on the patcher's save button, no claim.
TEST_F(WorkflowTest, SaveTargetsThatCannotBeWrittenAreRefusedWithALine) {
  struct Case {
    const char* name;
    const char* chosen;
    std::function<void(fake::FakeDesktop&)> prepare;
    const char* line;
  };
  const Case cases[] = {
      {"missing folder", "D:\\gone\\ORVELLAN", [](fake::FakeDesktop&) {},
       "14:7文件夹D:\\gone不存在,魔改BIOS未保存"},
      {"a folder has the name", "D:\\out\\ORVELLAN", [](fake::FakeDesktop& d) {
         d.AddFile(u"D:\\out\\ORVELLAN14_7", platform::kFileAttributeDirectory);
       }, "14:7已有同名文件夹D:\\out\\ORVELLAN14_7,魔改BIOS未保存,请换一个名称"},
      {"folder not writable", "D:\\out\\ORVELLAN", [](fake::FakeDesktop& d) {
         d.Fail("CreateTemporaryFileW");
       }, "14:7文件夹D:\\out无法写入,魔改BIOS未保存,请换一个文件夹"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorkflowRig t;
    t.desktop.AddFile(u"D:\\out", platform::kFileAttributeDirectory);
    t.OpenAndRead();
    const size_t clicks = t.ClicksTo(t.coffee.window).size();
    c.prepare(t.desktop);
    t.desktop.saveDialogAnswers.push_back(c.chosen);
    t.controller.OnMakeClicked();
    EXPECT_EQ(t.StatusLines().back(), c.line);
    EXPECT_EQ(t.ClicksTo(t.coffee.window).size(), clicks);
    EXPECT_EQ(t.form.StatusWritten().find("已保存到"), std::string::npos);
  }
}

}  // namespace
}  // namespace workflow

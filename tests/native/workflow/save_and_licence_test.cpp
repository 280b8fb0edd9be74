// FIT's licence, making the image, start-up and shut-down.
#include <functional>
#include <optional>

#include "tests/native/workflow/workflow_fixture.h"

namespace workflow {
namespace {

using ::testing::ElementsAre;

class SaveTest : public WorkflowTest {
 protected:
  void SetUp() override {
    desktop.SetClockStart(9, 5);
    desktop.AddFile(u"D:\\out", platform::kFileAttributeDirectory);
    OpenAndRead();
    ASSERT_EQ(desktop.GetLocalTime().hour, 9);
    ASSERT_EQ(desktop.GetLocalTime().minute, 5);
  }
  std::string LastLine() const { return StatusLines().back(); }
  std::vector<std::string> LastLines(size_t count) const {
    const auto lines = StatusLines();
    return {lines.end() - std::min(count, lines.size()), lines.end()};
  }
  void ApplyTicked(std::initializer_list<const char*> boxes) {
    controller.OnMicrocodeButtonClicked();
    for (const char* box : boxes) form.checked[box] = true;
    controller.OnMicrocodeButtonClicked();
  }
};

TEST_F(SaveTest, ImageIsSavedToThePathWithTheTimeAppended) {
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  controller.OnMakeClicked();
  ASSERT_EQ(desktop.dialogs.size(), 2u);
  const auto& dialog = desktop.dialogs[1];
  EXPECT_EQ(dialog.title, "请选择需要保存路径和名称");
  EXPECT_EQ(dialog.initialFile, "ORVELLAN");
  EXPECT_EQ(dialog.filter, std::string("*BIN\0\0", 6));
  EXPECT_EQ(dialog.initialDir, "C:\\tool");
  EXPECT_EQ(coffee.typedSavePath, u"D:\\out\\ORVELLAN9_5");
  EXPECT_THAT(LastLines(6),
              ElementsAre("9_5魔改BIOS已保存到D:\\out\\ORVELLAN9_5",
                          "9:5魔改BIOS内容：ME版本11.8.77.3664，微码506E3(修订B4) 906E9(修订B4)",
                          "9:5对比原版：除ME区域、ME关闭位、微码和FIT表外,魔改BIOS与原版一致(0个文件相同)",
                          "9:5魔改BIOS中没有闪存描述符,不是完整的闪存镜像,不能用编程器整片刷入",
                          "9:5已核对：所选微码和ME版本11.8.77.3664都已写入魔改BIOS",
                          "9:5核对报告已保存到D:\\out\\ORVELLAN9_5.txt"));
  // The report beside the image: both images' facts, what was asked for, the verdict, the box.
  const std::vector<uint8_t>* report = desktop.FileContent(u"D:\\out\\ORVELLAN9_5.txt");
  ASSERT_NE(report, nullptr);
  const std::string text(report->begin(), report->end());
  EXPECT_EQ(text.rfind("ORVELLANQZ-1151主板魔改BIOS制作器 ", 0), 0u);
  EXPECT_NE(text.find(" 核对报告 2026-12-10 09:05\r\n"), std::string::npos);
  EXPECT_NE(text.find("原版BIOS：C:\\b.bin\r\ndescriptor none\r\nme 11.6.0.1126\r\nmicrocode at 0x1000 "),
            std::string::npos);
  EXPECT_NE(text.find("魔改BIOS：D:\\out\\ORVELLAN9_5\r\ndescriptor none\r\nme 11.8.77.3664\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\n与原版对比：\r\nprefix same none\r\nsize same 0x"), std::string::npos);
  EXPECT_NE(text.find("所选微码：无\r\n\r\n核对结果：\r\n对比原版："), std::string::npos);
  EXPECT_NE(text.find("\r\n已核对：所选微码和ME版本11.8.77.3664都已写入魔改BIOS\r\n\r\n状态栏："), std::string::npos);
  EXPECT_TRUE(text.ends_with("状态栏：\r\n" + form.texts["编辑框2"].substr(0, text.size())) ||
              text.find("状态栏：\r\n工作状态：") != std::string::npos);
  EXPECT_EQ(desktop.messageBoxes.size(), 0u);
  const auto clicks = ClicksTo(coffee.window);
  EXPECT_EQ(clicks.back().x, 520);
  EXPECT_EQ(clicks.back().y, 560);
}

// Closing while the made image is written and checked asks first; No lets the check finish,
// and once it has, closing asks nothing.
TEST_F(SaveTest, ClosingBeforeTheCheckEndsAsksAndNoLetsItFinish) {
  constexpr int kIdNo = 7;
  std::optional<bool> mayCloseDuringWait;
  coffee.alterSaved = [&](std::vector<uint8_t>&) {
    desktop.boxAnswers.push_back(kIdNo);
    mayCloseDuringWait = controller.MayClose();
  };
  EXPECT_TRUE(controller.MayClose()) << "nothing being checked";
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  controller.OnMakeClicked();
  EXPECT_EQ(mayCloseDuringWait, false);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text,
            "魔改BIOS还没有核对完。现在退出,这个BIOS将没有核对结果,不要刷入它。确定退出吗?");
  EXPECT_EQ(desktop.messageBoxes[0].style, 0x2034u);
  EXPECT_NE(form.StatusWritten().find("已核对"), std::string::npos);
  EXPECT_TRUE(controller.MayClose());
  EXPECT_EQ(desktop.messageBoxes.size(), 1u);
}

TEST_F(SaveTest, CancelledDialogTouchesNothing) {
  const size_t clicks = ClicksTo(coffee.window).size();
  controller.OnMakeClicked();
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "拜托，好歹选个地方啦");
  EXPECT_EQ(desktop.messageBoxes[0].style, 0x2030u);
  EXPECT_EQ(desktop.messageBoxes[0].owner, form.mainWindow);
  EXPECT_EQ(ClicksTo(coffee.window).size(), clicks);
}

TEST_F(SaveTest, MissingSaveDialogIsReportedNotClaimedSaved) {
  coffee.openSaveDialog = false;
  const int64_t start = desktop.NowMs();
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  controller.OnMakeClicked();
  EXPECT_EQ(form.StatusWritten().find("已保存到"), std::string::npos);
  EXPECT_NE(LastLine().find("魔改BIOS未保存"), std::string::npos);
  // 800 ms before the dialog, 1 s after the click, 5 s of looking for the patcher's dialog.
  EXPECT_LE(desktop.NowMs() - start, 8000);
}

// The made image's name carries the minute only: a second save within it must not replace
// the first image.
TEST_F(SaveTest, SecondSaveInTheSameMinuteLeavesTheFirstImage) {
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  controller.OnMakeClicked();
  const std::vector<uint8_t>* first = desktop.FileContent(u"D:\\out\\ORVELLAN9_5");
  ASSERT_NE(first, nullptr);
  const std::vector<uint8_t> firstBytes = *first;
  const size_t clicks = ClicksTo(coffee.window).size();
  coffee.imageMicrocodes.insert("906EA");  // what a second save would write instead

  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  controller.OnMakeClicked();
  ASSERT_EQ(desktop.GetLocalTime().minute, 5);
  EXPECT_EQ(LastLine(),
            "9:5已有文件D:\\out\\ORVELLAN9_5,为免覆盖,魔改BIOS未保存,请换一个名称或稍后再试");
  EXPECT_EQ(ClicksTo(coffee.window).size(), clicks) << "no click at the save point (520,560)";
  EXPECT_EQ(*desktop.FileContent(u"D:\\out\\ORVELLAN9_5"), firstBytes);
  const std::string status = form.StatusWritten();
  EXPECT_EQ(status.find("魔改BIOS已保存到", status.find("魔改BIOS已保存到") + 1), std::string::npos);
}

TEST_F(SaveTest, LateDialogIsStillFound) {
  coffee.saveDialogDelayMs = 3000;
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  controller.OnMakeClicked();
  EXPECT_NE(form.StatusWritten().find("9_5魔改BIOS已保存到D:\\out\\ORVELLAN9_5\r\n"),
            std::string::npos);
}

TEST_F(SaveTest, MadeImageLackingWhatWasAskedForWarnsBeforeFlashing) {
  coffee.ignoredOnApply = {"906EC"};
  coffee.meVersion = {11, 6, 0, 1126};  // the flash left the old firmware in
  ApplyTicked({"W906EA", "W906EC"});
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  controller.OnMakeClicked();
  EXPECT_THAT(LastLines(6),
              ElementsAre(::testing::HasSubstr("魔改BIOS内容：ME版本11.6.0.1126，微码"),
                          "9:5警告：魔改BIOS中没有所选微码906EC",
                          "9:5警告：魔改BIOS的ME版本是11.6.0.1126,不是11.8.77.3664",
                          ::testing::HasSubstr("对比原版："), ::testing::HasSubstr("不能用编程器整片刷入"),
                          ::testing::HasSubstr("核对报告已保存到")));
  EXPECT_EQ(form.StatusWritten().find("已核对"), std::string::npos);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "魔改BIOS没有通过核对,请看状态栏中的警告,不要刷入这个BIOS");
  EXPECT_EQ(desktop.messageBoxes[0].style, 0x2030u);
  EXPECT_EQ(desktop.messageBoxes[0].caption, "信息：");
  EXPECT_EQ(desktop.messageBoxes[0].owner, form.mainWindow);
}

// A report already beside the image is someone's: it is left as it is.
TEST_F(SaveTest, ExistingReportIsNotReplaced) {
  desktop.SetFileContent(u"D:\\out\\ORVELLAN9_5.txt", {'m', 'i', 'n', 'e'});
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  controller.OnMakeClicked();
  EXPECT_EQ(LastLine(), "9:5核对报告未保存：已有文件D:\\out\\ORVELLAN9_5.txt");
  EXPECT_EQ(*desktop.FileContent(u"D:\\out\\ORVELLAN9_5.txt"), (std::vector<uint8_t>{'m', 'i', 'n', 'e'}));
}

// Ticks not yet confirmed would not be in the image: the save is refused until they are.
TEST_F(SaveTest, SaveWithTheMicrocodeAreaUnlockedIsRefused) {
  controller.OnMicrocodeButtonClicked();
  form.checked["W906EA"] = true;
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  const size_t clicks = ClicksTo(coffee.window).size();
  controller.OnMakeClicked();
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text,
            "勾选的微码还没有确认,请先点击\"选完点击此处\",再点击\"执行制作\"");
  EXPECT_EQ(desktop.messageBoxes[0].style, 0x2030u);
  EXPECT_EQ(desktop.messageBoxes[0].owner, form.mainWindow);
  EXPECT_EQ(desktop.dialogs.size(), 1u) << "no save dialog";
  EXPECT_EQ(ClicksTo(coffee.window).size(), clicks);
}

// The check wants what is ticked when the save starts, not only what the last confirm applied.
TEST_F(SaveTest, TickedMicrocodeMissingFromTheImageIsWarnedAbout) {
  form.checked["W906EC"] = true;
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  controller.OnMakeClicked();
  EXPECT_NE(form.StatusWritten().find("警告：魔改BIOS中没有所选微码906EC"), std::string::npos);
  EXPECT_EQ(form.StatusWritten().find("已核对"), std::string::npos);
}

// A file the patcher keeps open for writing is not read half-written: past the save's bound
// it is not checked, and not passed.
TEST_F(SaveTest, MadeImageStillBeingWrittenIsNotPassed) {
  coffee.saveWriteMs = 60000;
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  controller.OnMakeClicked();
  EXPECT_EQ(LastLines(2)[0], "9:5无法读取魔改BIOS文件,未能核对其内容");
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "魔改BIOS没有通过核对,请看状态栏中的警告,不要刷入这个BIOS");
}

TEST_F(WorkflowTest, LicenceAlreadyAcceptedOrNot) {
  controller.OnLicenceClicked();
  coffee.fitStyle = 0x96CF0000 | platform::kWsDisabled;
  for (auto w = desktop.FindWindowExA(0, 0, "Qt5QWindowIcon", nullptr); w;
       w = desktop.FindWindowExA(0, 0, "Qt5QWindowIcon", nullptr)) {
    desktop.RemoveWindow(w);
  }
  controller.OnLicenceClicked();
  ASSERT_EQ(desktop.messageBoxes.size(), 2u);
  EXPECT_EQ(desktop.messageBoxes[0].text,
            "您已同意英特尔不知道什么协议，无需再次同意,关掉协议窗口方可");
  EXPECT_EQ(desktop.messageBoxes[1].text,
            "选择 I accept the license agreement便为同意英特尔不知道什么协议，否之无法进行制作bios");
  for (const auto& box : desktop.messageBoxes) {
    EXPECT_EQ(box.caption, "ORVELLANQZ温馨提醒您");
    EXPECT_EQ(box.style, 0x2030u);
    EXPECT_EQ(box.owner, form.mainWindow);
  }
  ASSERT_EQ(desktop.processes.size(), 2u) << "each press starts FIT";
  EXPECT_EQ(desktop.processes[0].commandLine, "\"C:\\tool\\orvellanQZ\\bin\\fit\\fit.exe\"");
  EXPECT_EQ(desktop.processes[0].showMode, platform::kSwShowNormal);
  EXPECT_EQ(desktop.messageBoxes[0].atMs - desktop.processes[0].atMs, 4000);
}

// FIT absent from the tool folder, or not starting, or starting without a window: the user is
// told which, instead of being asked to accept a licence no window shows.
TEST(Licence, FitMissingOrWithoutAWindowIsSaid) {
  struct Case {
    const char* name;
    std::function<void(fake::FakeDesktop&)> arrange;
    size_t started;
    int64_t toldAfterMs;
    const char* message;
  };
  const char* kNoWindow = "FIT没有打开窗口,请确认orvellanQZ\\bin\\fit\\fit.exe能够运行";
  const Case cases[] = {
      {"no fit.exe", [](auto& d) { d.RemoveFile(u"C:\\tool\\orvellanQZ\\bin\\fit\\fit.exe"); }, 0, 0,
       "找不到FIT(orvellanQZ\\bin\\fit\\fit.exe),请确认orvellanQZ文件夹完整"},
      {"it cannot be started", [](auto& d) { d.Fail("CreateProcessA"); }, 0, 0, kNoWindow},
      {"started, no window", [](auto&) {}, 1, 4000, kNoWindow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorkflowRig rig;
    rig.desktop.onProcessStarted = nullptr;  // a FIT that shows nothing
    c.arrange(rig.desktop);
    rig.controller.OnLicenceClicked();
    EXPECT_EQ(rig.desktop.processes.size(), c.started);
    ASSERT_EQ(rig.desktop.messageBoxes.size(), 1u);
    const auto& box = rig.desktop.messageBoxes[0];
    EXPECT_EQ(box.text, c.message);
    EXPECT_EQ(box.caption, "ORVELLANQZ温馨提醒您");
    EXPECT_EQ(box.style, 0x2030u);
    EXPECT_EQ(box.owner, rig.form.mainWindow);
    EXPECT_EQ(box.atMs, c.toldAfterMs);
  }
}

TEST_F(WorkflowTest, StartUpOrderAroundTheNoticeBoard) {
  std::vector<std::string> order;
  fake::FakeForm f;
  Controller c{desktop.AsPlatform(), f, finder, banner,
               {[&] { order.push_back("load page; log size " + std::to_string(f.log.size())); },
                [&] { order.push_back("read board; log size " + std::to_string(f.log.size())); }}};
  c.OnCreated();
  ASSERT_EQ(order.size(), 2u);
  EXPECT_EQ(order[0], "load page; log size 0");
  EXPECT_EQ(order[1], "read board; log size 10");
  EXPECT_EQ(f.log[0], "SetTitle ORVELLANQZ-1151主板魔改BIOS制作器");
  const char* expected[] = {"W506E0", "W506E8", "W506E3", "W506E1", "W906ED",
                            "W906EC", "W906EB", "W906EA", "W906E9"};
  for (size_t i = 0; i < 9; ++i) EXPECT_EQ(f.log[i + 1], "SetDisabled " + std::string(expected[i]) + " 1");
}

TEST_F(WorkflowTest, ShutDownClosesTheLoadedWindowOnlyAfterARead) {
  controller.OnDestroying();
  EXPECT_TRUE(desktop.posted.empty()) << "no post to window 0";
  OpenAndRead();
  desktop.posted.clear();
  controller.OnDestroying();
  ASSERT_EQ(desktop.posted.size(), 1u);
  EXPECT_EQ(desktop.posted[0].window, coffee.window);
  EXPECT_EQ(desktop.posted[0].message, platform::kWmClose);
}

TEST_F(WorkflowTest, APressDuringItsOwnRunningStepIsIgnored) {
  OpenFile("C:\\b.bin");
  int nestedPresses = 0;
  desktop.onProcessMessages = [&] {
    ++nestedPresses;
    controller.OnReadClicked();
  };
  for (int64_t at : {500, 2000, 6000}) desktop.At(at, [] {}, true);
  controller.OnReadClicked();
  EXPECT_GT(nestedPresses, 0);
  // One load only: exactly one pair of load clicks.
  int loadClicks = 0;
  for (const Click& c : ClicksTo(coffee.window)) loadClicks += (c.x == 444 && c.y == 192);
  EXPECT_EQ(loadClicks, 1);
}

}  // namespace
}  // namespace workflow

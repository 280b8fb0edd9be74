// Opening the vendor BIOS, having CoffeeTime load it, and the ME phase.
#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <string_view>

#include "tests/native/workflow/workflow_fixture.h"
#include "workflow/tool_paths.h"
#include "workflow/status_log.h"

namespace workflow {
namespace {

using ::testing::ElementsAre;

TEST(StatusStamp, NoLeadingZeros) {
  EXPECT_EQ(TimeStamp({9, 5, 0}), "9:5");
  EXPECT_EQ(TimeStamp({23, 59, 0}), "23:59");
  EXPECT_EQ(TimeStamp({0, 0, 0}, '_'), "0_0");
}

TEST(BiosFileName, AfterTheLastRealBackslash) {
  EXPECT_EQ(FileNameOfPath("D:\\新建\\bios.bin"), "bios.bin");
  EXPECT_EQ(FileNameOfPath("bios.bin"), "bios.bin");
  // 乗 ends in a 0x5C trail byte; it is not a separator.
  EXPECT_EQ(FileNameOfPath("D:\\a\\\x81\x5C.bin"), "\x81\x5C.bin");
}

TEST_F(WorkflowTest, OpenStartsCoffeeTimeHiddenAndLogsThePath) {
  OpenFile("C:\\b.bin");
  ASSERT_EQ(desktop.processes.size(), 1u);
  EXPECT_EQ(desktop.processes[0].commandLine, "\"C:\\tool\\orvellanQZ\\ov.exe\"");
  EXPECT_EQ(desktop.processes[0].showMode, platform::kSwHide);
  EXPECT_EQ(desktop.OpenHandleCount(), 1u) << "the thread handle closed, the process held";
  EXPECT_EQ(form.texts["编辑框1"], "C:\\b.bin");
  EXPECT_TRUE(form.IsDisabled("按钮4"));
  EXPECT_FALSE(form.IsDisabled("按钮5"));
  EXPECT_THAT(StatusLines(),
              ElementsAre("14:7  已加入原版BIOSC:\\b.bin",
                          "14:7原版BIOS内容：ME版本11.6.0.1126，微码506E3(修订B4) 906E9(修订B4)"));
  ASSERT_EQ(desktop.dialogs.size(), 1u);
  EXPECT_EQ(desktop.dialogs[0].title, "请选择未魔改bios文件");
  EXPECT_EQ(desktop.dialogs[0].initialDir, "C:\\tool");
  EXPECT_EQ(desktop.dialogs[0].owner, form.mainWindow);
}

TEST_F(WorkflowTest, OpenWithoutToolFolderOnlyTellsTheUser) {
  fake::FakeDesktop bare;
  fake::FakeForm bareForm;
  fake::FakeImageFinder bareFinder{bare};
  Controller c{bare.AsPlatform(), bareForm, bareFinder, banner, {}};
  c.OnOpenClicked();
  ASSERT_EQ(bare.messageBoxes.size(), 1u);
  EXPECT_EQ(bare.messageBoxes[0].style, 0x2040u);
  EXPECT_EQ(bare.messageBoxes[0].caption, "信息：");
  EXPECT_EQ(bare.messageBoxes[0].owner, bareForm.mainWindow);
  EXPECT_TRUE(bare.dialogs.empty());
  EXPECT_TRUE(bare.processes.empty());
}

TEST_F(WorkflowTest, CancelledOpenEmptiesThePathAndDisablesRead) {
  OpenFile("C:\\b.bin");
  form.SetDisabled("按钮4", false);
  controller.OnOpenClicked();  // no answer queued: the user cancels
  EXPECT_EQ(form.texts["编辑框1"], "");
  EXPECT_TRUE(form.IsDisabled("按钮5"));
  EXPECT_EQ(desktop.processes.size(), 1u);
}

TEST_F(WorkflowTest, ReadWithNothingChosenWritesOneLine) {
  controller.OnReadClicked();
  EXPECT_THAT(StatusLines(), ElementsAre("14:7好歹先选个文件再读取吧..."));
  EXPECT_TRUE(desktop.posted.empty());
}

TEST_F(WorkflowTest, LoadClicksTypesAndWaitsInOrder) {
  OpenFile("C:\\b.bin");
  const int64_t start = desktop.NowMs();
  controller.OnReadClicked();
  const auto clicks = ClicksTo(coffee.window);
  ASSERT_GE(clicks.size(), 2u);
  EXPECT_EQ(clicks[0], (Click{275, 160, start}));
  EXPECT_EQ(clicks[1], (Click{444, 192, start + 900}));
  EXPECT_EQ(coffee.typedPath, u"C:\\b.bin");
  for (const auto& m : desktop.posted) {
    if (m.message == platform::kWmChar) {
      EXPECT_EQ(m.atMs, start + 800);
    }
    EXPECT_NE(m.message, platform::kWmKeyDown);
  }
}

TEST_F(WorkflowTest, ChinesePathLooksForTheLoadedTitleWithTheFileName) {
  OpenAndRead("D:\\新建\\bios.bin");
  EXPECT_EQ(coffee.typedPath, u"D:\\新建\\bios.bin");
  EXPECT_EQ(desktop.Window(coffee.window).title, "CoffeeTime 0.99  /  bios.bin");
  EXPECT_EQ(form.height, 764) << "the read completed";
}

TEST_F(WorkflowTest, FileStillAnsweredTwiceIsRejected) {
  coffee.rejectFiles = true;
  OpenAndRead();
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text,
            "BIOS文件读取错误,请在官网下载原bios进行读取(不挑后缀名、拓展名)");
  EXPECT_EQ(desktop.messageBoxes[0].style, 0x2040u);
  EXPECT_EQ(desktop.messageBoxes[0].owner, 0u);
  EXPECT_FALSE(form.IsDisabled("按钮4"));
  EXPECT_FALSE(form.IsDisabled("按钮5"));
  EXPECT_EQ(ClicksTo(coffee.window).size(), 2u) << "nothing after the load click";
  EXPECT_EQ(form.height, 180);
}

TEST_F(WorkflowTest, MissingStartWindowIsToldInsteadOfTypingIntoNothing) {
  OpenFile("C:\\b.bin");
  desktop.RemoveWindow(coffee.window);
  controller.OnReadClicked();
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_NE(desktop.messageBoxes[0].text.find("CoffeeTime"), std::string::npos);
  EXPECT_FALSE(form.IsDisabled("按钮4"));
  EXPECT_TRUE(desktop.posted.empty());
  EXPECT_LE(desktop.NowMs(), 10000);
}

TEST_F(WorkflowTest, LoadThatNeverFinishesEndsWithinItsBound) {
  coffee.neverFinishLoad = true;
  OpenAndRead();
  EXPECT_LE(desktop.NowMs(), 4 * 60 * 1000);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_FALSE(form.IsDisabled("按钮4"));
  EXPECT_EQ(form.height, 180);
  for (const auto& line : StatusLines()) EXPECT_EQ(line.find("已完成BIOS读取"), std::string::npos);
}

TEST_F(WorkflowTest, CoffeeTimeVanishingDuringTheLoadEndsTheWaitEarly) {
  OpenFile("C:\\b.bin");
  coffee.neverFinishLoad = true;
  desktop.At(10000, [&] { desktop.RemoveWindow(coffee.window); });
  controller.OnReadClicked();
  EXPECT_LE(desktop.NowMs(), 20000);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_FALSE(form.IsDisabled("按钮4"));
}

TEST_F(WorkflowTest, MeReplacementClicksAndWaits) {
  OpenAndRead();
  const auto clicks = ClicksTo(coffee.window);
  ASSERT_GE(clicks.size(), 7u);
  const int64_t t = clicks[2].atMs;
  EXPECT_EQ(clicks[2], (Click{176, 135, t}));
  EXPECT_EQ(clicks[3], (Click{399, 451, t + 900}));
  EXPECT_EQ(clicks[4], (Click{380, 502, t + 1500}));
  EXPECT_EQ(clicks[5], (Click{100, 502, t + 2100}));
  EXPECT_EQ(clicks[6].x, 175);
  EXPECT_EQ(clicks[6].y, 161);
  EXPECT_EQ(coffee.meSwitchClicks, 1);
  EXPECT_TRUE(coffee.flashed);
}

TEST_F(WorkflowTest, FullReadWritesItsLinesInOrderAndEnlargesTheWindow) {
  OpenAndRead();
  const auto lines = StatusLines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[2].substr(lines[2].find("正在")), "正在加载BIOS配置项(本次停留时间较长,请耐心等待.....");
  EXPECT_NE(lines[3].find("正在编辑ME版本..."), std::string::npos);
  EXPECT_NE(lines[4].find("正在刷入11.8.77.3664的ME版本..."), std::string::npos);
  EXPECT_NE(lines[5].find("正在关闭ME..."), std::string::npos);
  EXPECT_NE(lines[6].find("正在读取BIOS原有代码..."), std::string::npos);
  EXPECT_NE(lines[7].find("已完成BIOS读取,可以编辑BIOS微码..."), std::string::npos);
  // The last line is ended, so the box shows an empty line after it.
  EXPECT_TRUE(form.StatusWritten().ends_with("微码...\r\n"));
  EXPECT_EQ(form.height, 764);
  EXPECT_EQ(form.top, (1440 - 764) / 2);
  EXPECT_EQ(form.left, (2560 - 859) / 2);
  EXPECT_EQ(form.pictureBytes["图片框1"], banner.size());
  EXPECT_TRUE(form.IsDisabled("按钮4"));
  EXPECT_TRUE(form.IsDisabled("按钮5"));
  EXPECT_FALSE(desktop.Window(coffee.window).visible()) << "hidden after the detection";
}

// Height, 300 ms, the banner, the detection (which empties the list first), then top and left.
TEST_F(WorkflowTest, WindowIsEnlargedThenTheListReadThenTheWindowCentred) {
  OpenAndRead();
  const int64_t height = form.TimeOf("SetHeight 764");
  ASSERT_GE(height, 0);
  EXPECT_EQ(form.TimeOf("SetPicture 图片框1"), height + 300);
  const auto at = [&](const std::string& entry) {
    return std::find_if(form.log.begin(), form.log.end(),
                        [&](const std::string& e) { return e.rfind(entry, 0) == 0; }) -
           form.log.begin();
  };
  EXPECT_LT(at("SetHeight 764"), at("SetPicture 图片框1"));
  EXPECT_LT(at("SetPicture 图片框1"), at("ClearRows 超级列表框1"));
  EXPECT_LT(at("ClearRows 超级列表框1"), at("AppendRow 超级列表框1"));
  EXPECT_LT(at("AppendRow 超级列表框1"), at("SetTop"));
  EXPECT_LT(at("SetTop"), at("SetLeft"));
  EXPECT_LT(at("SetLeft"), std::ptrdiff_t(form.log.size()));
}

TEST_F(WorkflowTest, MeAlreadyOffIsNotSwitched) {
  coffee.meEnabled = false;
  OpenAndRead();
  EXPECT_EQ(coffee.meSwitchClicks, 0);
  const auto lines = StatusLines();
  auto off = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.find("ME版本已经关闭，无需更改，下一步...") != std::string::npos;
  });
  ASSERT_NE(off, lines.end());
  EXPECT_NE((off - 1)->find("正在关闭ME..."), std::string::npos);
}

// The ME phase clicks the switch only on "Enabled" and never against the vendor file's HAP
// bit, takes the ME as off only when the window shows a microcode of the vendor file, and says
// what it could not tell. The made image's check then believes the image's HAP bit where it has
// a descriptor, and the screen's word only where it has none.
TEST(MePhase, ActsOnEvidenceAndTheVerdictBelievesTheFileFirst) {
  struct Case {
    const char* name;
    std::function<void(fake::FakeCoffeeTime&)> arrange;
    int switchClicks;
    const char* lineAfterSwitch;  // the line that follows "正在关闭ME..."
    const char* warning;          // the verdict's ME warning; nullptr: the check passes
  };
  const char* kNext = "正在读取BIOS原有代码...";
  const char* kUnknown =
      "未能识别CoffeeTime窗口中的ME状态,ME开关未点击(画面与本工具的标签图片不符,请确认Windows显示缩放为100%)";
  const char* kUnconfirmed = "警告：未能确认魔改BIOS中的ME已关闭";
  const char* kHapClear = "警告：魔改BIOS的ME关闭位(HAP)未设置,ME没有关闭";
  const Case cases[] = {
      // No descriptor: the screen's word.
      {"enabled, switched and seen off", [](auto&) {}, 1, kNext, nullptr},
      {"window paints 800 ms after each show", [](auto& c) { c.paintDelayMs = 800; }, 1, kNext, nullptr},
      {"already off", [](auto& c) { c.meEnabled = false; }, 0, "ME版本已经关闭，无需更改，下一步...", nullptr},
      {"vendor holds none of the nine",
       [](auto& c) { c.imageMicrocodes = {"A0671"}; c.meEnabled = false; }, 0, kUnknown, kUnconfirmed},
      {"switch changes nothing", [](auto& c) { c.stuckMeSwitch = true; }, 1,
       "点击ME开关后CoffeeTime仍显示ME已开启,ME可能未关闭", kUnconfirmed},
      // A descriptor: the file's word, whatever the screen seemed to show.
      {"HAP clear, switched", [](auto& c) { c.descriptor = true; }, 1, kNext, nullptr},
      {"HAP clear, unread", [](auto& c) { c.ownArt = true; c.descriptor = true; }, 0, kUnknown, kHapClear},
      {"HAP set, unread",
       [](auto& c) { c.ownArt = true; c.descriptor = true; c.meEnabled = false; }, 0, kUnknown, nullptr},
      {"HAP clear, seems off", [](auto& c) { c.descriptor = true; c.meFieldSeen = false; }, 0,
       "CoffeeTime窗口中没有看到ME已开启,但原版BIOS的ME关闭位(HAP)未设置,ME开关未点击,labels文件夹中的ME图片可能不对",
       kHapClear},
      {"HAP set, seems on", [](auto& c) { c.descriptor = true; c.meEnabled = false; c.meFieldSeen = true; }, 0,
       "CoffeeTime窗口显示ME已开启,但原版BIOS的ME关闭位(HAP)已设置,ME开关未点击", nullptr},
      {"HAP clear, switch changes nothing", [](auto& c) { c.descriptor = true; c.stuckMeSwitch = true; }, 1,
       "点击ME开关后CoffeeTime仍显示ME已开启,ME可能未关闭", kHapClear},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorkflowRig rig;
    c.arrange(rig.coffee);
    rig.OpenAndRead();
    EXPECT_EQ(rig.coffee.meSwitchClicks, c.switchClicks);
    const auto lines = rig.StatusLines();
    const auto closing = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
      return l.ends_with("正在关闭ME...");
    });
    ASSERT_LT(closing + 1, lines.end());
    EXPECT_EQ((closing + 1)->substr((closing + 1)->find_first_not_of("0123456789:")),
              c.lineAfterSwitch);
    EXPECT_EQ(rig.form.StatusWritten().find("ME版本已经关闭") != std::string::npos,
              std::string_view(c.lineAfterSwitch).starts_with("ME版本已经关闭"))
        << "never claimed without evidence";

    rig.desktop.AddFile(u"D:\\out", platform::kFileAttributeDirectory);
    rig.desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
    rig.controller.OnMakeClicked();
    const std::string status = rig.form.StatusWritten();
    const bool passes = c.warning == nullptr;
    EXPECT_EQ(status.find("已核对") != std::string::npos, passes);
    EXPECT_EQ(rig.desktop.messageBoxes.size(), passes ? 0u : 1u);
    for (const char* warning : {kUnconfirmed, kHapClear}) {
      EXPECT_EQ(status.find(warning) != std::string::npos, c.warning == warning) << warning;
    }
  }
}

TEST_F(WorkflowTest, ScaledDisplayRefusesTheReadBeforeAnythingIsPosted) {
  OpenFile("C:\\b.bin");
  desktop.Window(coffee.window).dpi = 120;
  controller.OnReadClicked();
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text,
            "Windows显示缩放是125%,CoffeeTime的按钮位置和画面只适用于100%。请把显示缩放改为100%并重新登录Windows,再点击\"读取\"");
  EXPECT_EQ(desktop.messageBoxes[0].style, 0x2030u);
  EXPECT_EQ(desktop.messageBoxes[0].caption, "信息：");
  EXPECT_EQ(desktop.messageBoxes[0].owner, form.mainWindow);
  EXPECT_TRUE(desktop.posted.empty());
  EXPECT_FALSE(form.IsDisabled("按钮5"));
}

TEST_F(WorkflowTest, UnseenWindowIsNotTakenForMeOff) {
  OpenFile("C:\\b.bin");
  desktop.At(1, [&] { desktop.Window(coffee.window).capturable = false; });
  controller.OnReadClicked();
  const std::string status = form.StatusWritten();
  EXPECT_EQ(status.find("ME版本已经关闭"), std::string::npos);
  EXPECT_NE(status.find("未能确认ME是否已关闭"), std::string::npos);
  EXPECT_NE(status.find("未能识别BIOS原有微码"), std::string::npos);
  EXPECT_EQ(status.find("未能在CoffeeTime窗口中识别出微码"), std::string::npos) << "one line is enough";
  EXPECT_EQ(coffee.meSwitchClicks, 0);
  EXPECT_TRUE(form.rows.empty());
}

// A patcher window drawn at another scaling shows no label we know, though the vendor file
// holds known microcodes; CPUIDs the form does not list are left out of the hint.
TEST_F(WorkflowTest, EmptyListDespiteVendorMicrocodesPointsAtTheScaling) {
  coffee.imageMicrocodes = {"506E3", "A0671", "906E9"};
  OpenFile("C:\\b.bin");
  coffee.imageMicrocodes.clear();
  controller.OnReadClicked();
  EXPECT_TRUE(form.rows.empty());
  EXPECT_EQ(StatusLines().back(),
            "14:7未能在CoffeeTime窗口中识别出微码(原版BIOS中有506E3 906E9),请确认Windows显示缩放为100%后点击刷新图标");
}

// A listed microcode the vendor file does not hold is said (a label picture matched what it
// should not); the row stays, as the list shows what the window shows. Without updates in the
// vendor file there is nothing to hold the list against.
TEST(ListAgainstVendorFile, ListedMicrocodesTheFileDoesNotHoldAreSaid) {
  struct Case {
    std::set<std::string> vendor, window;
    std::vector<std::string> said;
  };
  const Case cases[] = {
      {{"506E3"}, {"506E3", "906E9", "906EC"}, {"906E9", "906EC"}},
      {{"506E3", "906E9"}, {"506E3", "906E9"}, {}},
      {{}, {"906E9"}, {}},
  };
  for (const Case& c : cases) {
    WorkflowRig rig;
    rig.coffee.imageMicrocodes = c.vendor;
    rig.OpenFile("C:\\b.bin");
    rig.coffee.imageMicrocodes = c.window;
    rig.controller.OnReadClicked();
    std::vector<std::string> said;
    for (const std::string& line : rig.StatusLines()) {
      const size_t at = line.find("注意：列表中的微码");
      if (at == std::string::npos) continue;
      said.push_back(line.substr(at + std::strlen("注意：列表中的微码"), 5));
      EXPECT_TRUE(line.ends_with("在原版BIOS中没有找到,可能是标签图片不对")) << line;
    }
    EXPECT_EQ(said, c.said);
    EXPECT_EQ(rig.form.rows.size(), c.window.size());
  }
}

TEST_F(WorkflowTest, UnreadableVendorFileIsSaidAndTheReadGoesOn) {
  desktop.Fail("CreateFileW");
  OpenFile("C:\\b.bin");
  desktop.Heal("CreateFileW");  // a passing lock: by "读取" the file opens again
  controller.OnReadClicked();
  const auto lines = StatusLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1], "14:7无法读取原版BIOS文件,未能核对其内容");
  EXPECT_EQ(lines[2], "14:7原版BIOS内容：ME版本11.6.0.1126，微码506E3(修订B4) 906E9(修订B4)") << "read at 读取";
  EXPECT_NE(form.StatusWritten().find("已完成BIOS读取"), std::string::npos);
}

// The vendor file changed after "打开": it is not handed to CoffeeTime (the facts told and kept
// for the check are the opened file's), and the user starts again from "打开". A file that did
// not change is CoffeeTime's to judge, whatever its size up to 64 MiB.
TEST(VendorFileAtRead, RefusedBeforeAnythingIsPosted) {
  struct Case {
    const char* name;
    std::function<void(fake::FakeDesktop&, const std::u16string&)> change;
    const char* message;  // nullptr: the read goes on
  };
  const char* kUnopenable =
      "无法打开原版BIOS文件(可能已被删除或被其他程序占用),请重新点击\"打开\"选择";
  constexpr uint64_t k64MiB = 64ull * 1024 * 1024;
  const Case cases[] = {
      {"deleted", [](auto& d, const auto& p) { d.RemoveFile(p); }, kUnopenable},
      {"opened by another program without sharing",
       [](auto& d, const auto& p) { d.SetFileOpenedExclusively(p, true); }, kUnopenable},
      {"emptied", [](auto& d, const auto& p) { d.SetFileContent(p, {}); },
       "原版BIOS文件是空的,请重新点击\"打开\"选择"},
      {"one byte over 64 MiB", [&](auto& d, const auto& p) { d.SetFileSize(p, k64MiB + 1); },
       "原版BIOS文件超过64MB,不是主板BIOS,请重新点击\"打开\"选择"},
      {"replaced by another file", [](auto& d, const auto& p) { d.SetFileContent(p, {0x42}); },
       "原版BIOS文件在打开后被改动过,请重新点击\"打开\"选择原版BIOS"},
      {"exactly 64 MiB, unchanged", [](auto&, const auto&) {}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorkflowRig rig;
    if (!c.message) rig.desktop.SetFileContent(u"C:\\b.bin", std::vector<uint8_t>(k64MiB, 0xFF));
    rig.OpenFile("C:\\b.bin");
    c.change(rig.desktop, u"C:\\b.bin");
    rig.controller.OnReadClicked();
    if (!c.message) {
      EXPECT_TRUE(rig.desktop.messageBoxes.empty());
      EXPECT_NE(rig.form.StatusWritten().find("已完成BIOS读取"), std::string::npos);
      continue;
    }
    ASSERT_EQ(rig.desktop.messageBoxes.size(), 1u);
    const auto& box = rig.desktop.messageBoxes[0];
    EXPECT_EQ(box.text, c.message);
    EXPECT_EQ(box.style, 0x2040u);
    EXPECT_EQ(box.caption, "信息：");
    EXPECT_EQ(box.owner, rig.form.mainWindow);
    EXPECT_TRUE(rig.desktop.posted.empty());
    EXPECT_FALSE(rig.form.IsDisabled("按钮4"));
    EXPECT_TRUE(rig.form.IsDisabled("按钮5"));
    EXPECT_EQ(rig.form.StatusWritten().find("正在加载"), std::string::npos);
    EXPECT_EQ(rig.form.StatusWritten().find(c.message) != std::string::npos,
              std::string_view(c.name) == "replaced by another file")
        << "only the change is also a status line";
  }
}

TEST_F(WorkflowTest, HungFlashStopsTheReadWithinItsBoundWithoutSpinning) {
  coffee.hangFlash = true;
  int dispatched = 0;
  desktop.onProcessMessages = [&] { ++dispatched; };
  desktop.At(60000, [] {}, true);  // input arriving while CoffeeTime hangs
  OpenAndRead();
  EXPECT_LE(desktop.NowMs(), 4 * 60 * 1000);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(form.StatusWritten().find("已完成BIOS读取"), std::string::npos);
  EXPECT_EQ(form.height, 180);
  EXPECT_EQ(coffee.meSwitchClicks, 0);
  EXPECT_EQ(dispatched, 1) << "the tool keeps dispatching its messages";
  // A probe of a hung window costs its 128 ms timeout; with the 200 ms pause after each there
  // are about three a second. A loop without the pause would make about eight.
  int64_t first = -1, last = 0;
  int probes = 0;
  for (const auto& m : desktop.sent) {
    if (m.window != coffee.window || m.message != platform::kWmNull || m.atMs < 10000) continue;
    if (first < 0) first = m.atMs;
    last = m.atMs;
    ++probes;
  }
  ASSERT_GT(last - first, 60000);
  EXPECT_LT(probes * 1000.0 / double(last - first), 4.0);
}

}  // namespace
}  // namespace workflow

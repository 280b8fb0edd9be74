// What the tool takes from the patcher's screen: a window that paints late is waited for, the
// ME switch is acted on only when the window is drawn as our label pictures know it, and the
// made image's check says when the ME could not be confirmed off.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"
#include "tests/e2e/scenarios/scenario_support.h"

namespace e2e {
namespace {

constexpr const wchar_t* kMadeContent = L"魔改BIOS内容：";
constexpr const wchar_t* kPassed = L"已核对：";
// The saved image has a descriptor: its HAP bit, clear, is the final word.
constexpr const wchar_t* kMeLeftOn = L"警告：魔改BIOS的ME关闭位(HAP)未设置,ME没有关闭";
constexpr const wchar_t* kNotPassed = L"魔改BIOS没有通过核对,请看状态栏中的警告,不要刷入这个BIOS";
constexpr const wchar_t* kMeAlreadyOff = L"ME版本已经关闭";
constexpr LPARAM kMeSwitchPoint = MAKELPARAM(175, 161);

class ScreenEvidence : public ::testing::Test {
 protected:
  // A window the tool cannot read is saved into the shared run folder's labels folder.
  void SetUp() override { RemoveFolder(LabelsFolder()); }
  void TearDown() override { RemoveFolder(LabelsFolder()); }

  // The tool started with the stand-in patcher misbehaving as `fault`, its input recorded.
  void Start(const std::wstring& fault) {
    folder_ = ScratchFolder(L"evidence_" + fault);
    record_ = folder_ + L"\\patcher_input.txt";
    DeleteFileW(record_.c_str());
    ASSERT_TRUE(tool_.Start({{L"BMT_STANDIN_FAULT", fault}, {L"BMT_STANDIN_RECORD", record_}}));
    ASSERT_TRUE(ChooseFile(tool_, SamplePath(L"vendor_me_on.bin")));
  }

  // Reads the vendor file and saves the made image; ends once its content line is written.
  void ReadAndSave(const std::wstring& fault) {
    ASSERT_NO_FATAL_FAILURE(Start(fault));
    ASSERT_TRUE(ReadAndAwaitDone(tool_)) << ToGbk(tool_.StatusText());
    RecordStage(L"read");
    ASSERT_TRUE(tool_.PressButton(L"执行制作"));
    ASSERT_TRUE(tool_.FillFileDialog(folder_ + L"\\ORVELLAN", kDialogLimitMs));
    ASSERT_TRUE(tool_.WaitForStatus(kMadeContent, kSaveLimitMs)) << ToGbk(tool_.StatusText());
  }

  bool Holds(const std::wstring& fragment) {
    return tool_.StatusText().find(fragment) != std::wstring::npos;
  }

  int MeSwitchClicks() const {
    int clicks = 0;
    for (const RecordedInput& input : ReadInputRecord(record_)) {
      if (input.message == WM_LBUTTONDOWN && LPARAM(input.lParam) == kMeSwitchPoint) ++clicks;
    }
    return clicks;
  }

  // Whether the saved image still has the ME on, by the stand-in's own reader.
  std::optional<bool> SavedMeEnabled() {
    const std::optional<standin::ParseResult> image = ParseImageFile(SavedImagePath(tool_.StatusText()));
    if (!image || !image->ok()) return std::nullopt;
    return image->summary.meEnabled;
  }

  void ExpectMeLeftOn() {
    EXPECT_TRUE(tool_.WaitForStatus(kMeLeftOn, kStatusLimitMs)) << ToGbk(tool_.StatusText());
    EXPECT_TRUE(ExpectMessageBox(tool_, kNotPassed, L"信息：", BoxIcon::kExclamation));
    EXPECT_FALSE(Holds(kPassed)) << ToGbk(tool_.StatusText());
  }

  ToolSession tool_;
  std::wstring folder_, record_;
};

TEST_F(ScreenEvidence, WindowThatPaintsLateIsWaitedForAndTheMeSwitchedOff) {
  ReadAndSave(L"late-paint");
  EXPECT_TRUE(tool_.WaitForStatus(kPassed, kStatusLimitMs)) << ToGbk(tool_.StatusText());
  EXPECT_EQ(MeSwitchClicks(), 1);
  EXPECT_EQ(SavedMeEnabled(), false);
  EXPECT_FALSE(Holds(L"无法读取CoffeeTime窗口画面")) << ToGbk(tool_.StatusText());
}

TEST_F(ScreenEvidence, WindowDrawnItsOwnWayIsNotTakenForMeOff) {
  ReadAndSave(L"own-art");
  EXPECT_TRUE(Holds(L"未能识别CoffeeTime窗口中的ME状态,ME开关未点击(画面与本工具的标签图片不符,请确认Windows显示缩放为100%)"))
      << ToGbk(tool_.StatusText());
  EXPECT_FALSE(Holds(kMeAlreadyOff));
  EXPECT_EQ(MeSwitchClicks(), 0);
  EXPECT_TRUE(Holds(L"已把CoffeeTime窗口画面保存到" + LabelsFolder() + L"\\截图\\CoffeeTime窗口-"))
      << ToGbk(tool_.StatusText());
  ExpectMeLeftOn();
  EXPECT_EQ(SavedMeEnabled(), true);
}

TEST_F(ScreenEvidence, SwitchThatChangesNothingIsSaid) {
  ReadAndSave(L"stuck-me-switch");
  EXPECT_TRUE(Holds(L"点击ME开关后CoffeeTime仍显示ME已开启,ME可能未关闭")) << ToGbk(tool_.StatusText());
  EXPECT_FALSE(Holds(kMeAlreadyOff));
  EXPECT_EQ(MeSwitchClicks(), 1) << "the switch toggles: it is not clicked again";
  ExpectMeLeftOn();
  EXPECT_EQ(SavedMeEnabled(), true);
}

}  // namespace
}  // namespace e2e

// What the tool says the images hold: the made image checked against what was asked for when
// the patcher silently leaves something out, and a vendor file in which nothing is found.
#include <gtest/gtest.h>

#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"
#include "tests/e2e/scenarios/scenario_support.h"

namespace e2e {
namespace {

constexpr const wchar_t* kNotPassed =
    L"魔改BIOS没有通过核对,请看状态栏中的警告,不要刷入这个BIOS";
constexpr const wchar_t* kPassed = L"已核对：";
constexpr const wchar_t* kMadeContent = L"魔改BIOS内容：";

bool Holds(ToolSession& tool, const std::wstring& fragment) {
  return tool.StatusText().find(fragment) != std::wstring::npos;
}

// "执行制作" into `folder` and the wait for the made image's content line.
bool SaveInto(ToolSession& tool, const std::wstring& folder) {
  return tool.PressButton(L"执行制作") && tool.FillFileDialog(folder + L"\\ORVELLAN", kDialogLimitMs) &&
         tool.WaitForStatus(kMadeContent, kSaveLimitMs);
}

// The patcher misbehaving as `fault`: the sample read, 906EA and 906EC confirmed, the image
// saved into `folder`.
void ConfirmAndSave(ToolSession& tool, const wchar_t* fault, const std::wstring& folder) {
  ASSERT_TRUE(tool.Start({{L"BMT_STANDIN_FAULT", fault}}));
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_on.bin")));
  ASSERT_TRUE(ReadAndAwaitDone(tool)) << ToGbk(tool.StatusText());
  ASSERT_TRUE(tool.PressButton(L"解锁微码编辑区"));
  ASSERT_TRUE(WaitForStatusCount(tool, kRefreshed, 1, kStatusLimitMs));
  ASSERT_TRUE(tool.SetCheckBox(L"906EA", true));
  ASSERT_TRUE(tool.SetCheckBox(L"906EC", true));
  ASSERT_TRUE(tool.PressButton(L"选完点击此处"));
  ASSERT_TRUE(WaitForStatusCount(tool, kRefreshed, 2, kConfirmLimitMs));
  ASSERT_TRUE(SaveInto(tool, folder)) << ToGbk(tool.StatusText());
}

void ExpectNotPassed(ToolSession& tool, const std::wstring& warning) {
  EXPECT_TRUE(tool.WaitForStatus(warning, kStatusLimitMs)) << ToGbk(tool.StatusText());
  EXPECT_TRUE(ExpectMessageBox(tool, kNotPassed, L"信息：", BoxIcon::kExclamation));
  EXPECT_FALSE(Holds(tool, kPassed)) << ToGbk(tool.StatusText());
}

TEST(MadeImageCheck, MicrocodeLeftOutByTheApplyIsWarnedAbout) {
  const std::wstring folder = ScratchFolder(L"check_drop_microcode");
  ToolSession tool;
  ASSERT_NO_FATAL_FAILURE(ConfirmAndSave(tool, L"drop-microcode", folder));
  // The tool clicks 906EA last, so that is the one the patcher drops.
  ExpectNotPassed(tool, L"警告：魔改BIOS中没有所选微码906EA");
  EXPECT_FALSE(Holds(tool, L"没有所选微码906EC"));
  EXPECT_TRUE(Holds(tool, L"魔改BIOS内容：ME版本11.8.77.3664，ME关闭位(HAP)已设置，微码506E3(修订C2) 906E9(修订B1) 906EC(修订B2)"))
      << ToGbk(tool.StatusText());
  RecordStage(L"warned");
}

TEST(MadeImageCheck, MicrocodesTheFitDoesNotListAreWarnedAbout) {
  const std::wstring folder = ScratchFolder(L"check_stale_fit");
  ToolSession tool;
  ASSERT_NO_FATAL_FAILURE(ConfirmAndSave(tool, L"stale-fit", folder));
  ExpectNotPassed(tool, L"警告：魔改BIOS的FIT表没有列出微码906EA,处理器可能无法加载它");
  const std::wstring status = tool.StatusText();
  EXPECT_EQ(CountOf(status, L"警告：魔改BIOS的FIT表没有列出微码906EC,处理器可能无法加载它"), 1u);
  EXPECT_EQ(CountOf(status, L"FIT表没有列出"), 2u) << ToGbk(status);
  EXPECT_FALSE(Holds(tool, L"没有所选微码"));
}

TEST(VendorImageContent, BootGuardManifestsAreToldOnOpen) {
  ToolSession tool;
  ASSERT_TRUE(tool.Start());
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_bootguard.bin")));
  EXPECT_TRUE(tool.WaitForStatus(
      L"原版BIOS带有Boot Guard清单,如果主板启用了Boot Guard,修改后的BIOS将无法启动", kStatusLimitMs))
      << ToGbk(tool.StatusText());
}

TEST(MadeImageCheck, OldMeVersionLeftInIsWarnedAbout) {
  const std::wstring folder = ScratchFolder(L"check_keep_old_me");
  ToolSession tool;
  ASSERT_TRUE(tool.Start({{L"BMT_STANDIN_FAULT", L"keep-old-me"}}));
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_on.bin")));
  ASSERT_TRUE(ReadAndAwaitDone(tool)) << ToGbk(tool.StatusText());
  ASSERT_TRUE(SaveInto(tool, folder)) << ToGbk(tool.StatusText());
  ExpectNotPassed(tool, L"警告：魔改BIOS的ME版本是11.6.0.1126,不是11.8.77.3664");
}

TEST(VendorImageContent, NothingFoundIsSaidAndThePatcherStillDecides) {
  ToolSession tool;
  ASSERT_TRUE(tool.Start());
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"not_an_image.bin")));
  EXPECT_TRUE(tool.WaitForStatus(L"原版BIOS内容：ME版本未知，未找到微码", kStatusLimitMs))
      << ToGbk(tool.StatusText());
  ASSERT_TRUE(tool.PressButton(L"读取"));
  EXPECT_TRUE(ExpectMessageBox(tool, L"BIOS文件读取错误,请在官网下载原bios进行读取(不挑后缀名、拓展名)",
                               L"信息：", BoxIcon::kInformation));
}

}  // namespace
}  // namespace e2e

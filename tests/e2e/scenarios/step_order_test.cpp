// One step at a time, and the check covers what the user ticked: a save pressed in the middle
// of a confirm waits for nothing and says so; ticks not yet confirmed stop the save; a CoffeeTime
// that went away after a read is said to be gone and the tool starts again from "打开".
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"
#include "tests/e2e/scenarios/scenario_support.h"

namespace e2e {
namespace {

constexpr const wchar_t* kWaitForStep = L"请等当前步骤完成后再操作";
constexpr DWORD kNoDialogMs = 3000;  // a save refused at once opens no dialog in this time

class StepOrder : public ::testing::Test {
 protected:
  void ReadVendorFile() {
    ASSERT_TRUE(tool_.Start());
    ASSERT_TRUE(ChooseFile(tool_, SamplePath(L"vendor_me_on.bin")));
    ASSERT_TRUE(ReadAndAwaitDone(tool_)) << ToGbk(tool_.StatusText());
  }
  void UnlockAndTick(std::initializer_list<const wchar_t*> cpuids) {
    ASSERT_TRUE(tool_.PressButton(L"解锁微码编辑区"));
    ASSERT_TRUE(WaitForStatusCount(tool_, kRefreshed, 1, kStatusLimitMs));
    for (const wchar_t* cpuid : cpuids) ASSERT_TRUE(tool_.SetCheckBox(cpuid, true));
  }
  bool Holds(const std::wstring& fragment) {
    return tool_.StatusText().find(fragment) != std::wstring::npos;
  }

  ToolSession tool_;
};

TEST_F(StepOrder, SavePressedDuringAConfirmWaitsForNothingThenChecksTheNewMicrocodes) {
  const std::wstring folder = ScratchFolder(L"order_save_during_confirm");
  ASSERT_NO_FATAL_FAILURE(ReadVendorFile());
  ASSERT_NO_FATAL_FAILURE(UnlockAndTick({L"906EA", L"906EC"}));
  ASSERT_TRUE(tool_.PressButton(L"选完点击此处"));
  Pause(300);
  ASSERT_TRUE(tool_.PressButton(L"执行制作"));
  EXPECT_TRUE(tool_.WaitForStatus(kWaitForStep, kStatusLimitMs)) << ToGbk(tool_.StatusText());
  EXPECT_EQ(tool_.WaitForFileDialog(kNoDialogMs), nullptr) << "a save began during the confirm";
  ASSERT_TRUE(WaitForStatusCount(tool_, kRefreshed, 2, kConfirmLimitMs));
  EXPECT_FALSE(Holds(L"魔改BIOS内容：")) << ToGbk(tool_.StatusText());

  ASSERT_TRUE(tool_.PressButton(L"执行制作"));
  ASSERT_TRUE(tool_.FillFileDialog(folder + L"\\ORVELLAN", kDialogLimitMs));
  EXPECT_TRUE(tool_.WaitForStatus(L"已核对：", kSaveLimitMs)) << ToGbk(tool_.StatusText());
  EXPECT_TRUE(Holds(L"906EA(修订B4) 906EC(修订B2)")) << ToGbk(tool_.StatusText());
  RecordStage(L"saved_after_confirm");
}

TEST_F(StepOrder, TicksNotYetConfirmedStopTheSave) {
  ASSERT_NO_FATAL_FAILURE(ReadVendorFile());
  ASSERT_NO_FATAL_FAILURE(UnlockAndTick({L"906EA"}));
  ASSERT_TRUE(tool_.PressButton(L"执行制作"));
  EXPECT_TRUE(ExpectMessageBox(
      tool_, L"勾选的微码还没有确认,请先点击\"选完点击此处\",再点击\"执行制作\"", L"信息：",
      BoxIcon::kExclamation));
  EXPECT_EQ(tool_.WaitForFileDialog(kNoDialogMs), nullptr);
  EXPECT_FALSE(Holds(kSavedTo));
  EXPECT_EQ(tool_.Caption("按钮1"), L"选完点击此处") << "still unlocked, ticks kept";
  EXPECT_TRUE(tool_.IsChecked("W906EA"));
}

TEST_F(StepOrder, PatcherGoneAfterAReadIsSaidAndANewOpenStartsAgain) {
  ASSERT_NO_FATAL_FAILURE(ReadVendorFile());
  HWND loaded = LoadedPatcherWindow(L"vendor_me_on.bin");
  ASSERT_NE(loaded, nullptr);
  DWORD patcher = 0;
  GetWindowThreadProcessId(loaded, &patcher);
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, patcher);
  ASSERT_NE(process, nullptr);
  EXPECT_TRUE(TerminateProcess(process, 9));
  EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
  CloseHandle(process);

  ASSERT_TRUE(tool_.PressButton(L"解锁微码编辑区"));
  EXPECT_TRUE(tool_.WaitForStatus(L"CoffeeTime已经退出,请重新点击\"打开\"选择原版BIOS", kStatusLimitMs))
      << ToGbk(tool_.StatusText());
  EXPECT_FALSE(Holds(L"已解锁微码编辑区"));
  EXPECT_TRUE(tool_.IsEnabled("按钮4"));
  EXPECT_FALSE(tool_.IsEnabled("按钮5"));
  EXPECT_EQ(tool_.Caption("按钮1"), L"解锁微码编辑区");
  EXPECT_EQ(MicrocodeRows(tool_), Rows({}));
  RecordStage(L"patcher_gone");

  ASSERT_TRUE(ChooseFile(tool_, SamplePath(L"vendor_me_on.bin")));
  ASSERT_TRUE(tool_.PressButton(L"读取"));
  EXPECT_TRUE(WaitForStatusCount(tool_, kReadDone, 2, kReadLimitMs)) << ToGbk(tool_.StatusText());
}

}  // namespace
}  // namespace e2e

// The patcher hanging: a load that never ends and an ME flash that never ends. The tool gives
// up on each at its own bound (minutes). One tool runs at a time, so the two run one after the
// other; the hung patcher of the flash is ended before the load's tool starts.
#include <gtest/gtest.h>

#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"
#include "tests/e2e/scenarios/scenario_support.h"

namespace e2e {
namespace {

constexpr DWORD kFlashBoundMs = 120000;  // the tool's bound on the ME flash
constexpr DWORD kLoadBoundMs = 180000;   // the tool's bound on the load passes
constexpr DWORD kFlashWaitLimitMs = kFlashBoundMs + 40000;
constexpr DWORD kLoadWaitLimitMs = 300000;

ULONGLONG Since(ULONGLONG start) { return GetTickCount64() - start; }
DWORD Left(ULONGLONG start, DWORD limit) {
  const ULONGLONG used = Since(start);
  return used >= limit ? 0 : DWORD(limit - used);
}

void ExpectStartedAgainWithoutClaims(ToolSession& tool) {
  EXPECT_TRUE(WaitUntil([&] { return tool.IsEnabled("按钮4"); }, kStatusLimitMs));
  EXPECT_EQ(tool.StatusText().find(L"已完成BIOS读取"), std::wstring::npos)
      << ToGbk(tool.StatusText());
}

TEST(PatcherHangs, EndlessFlashEndsAtItsBound) {
  const std::wstring folder = ScratchFolder(L"fault_hang_flash");
  const std::wstring hangFile = CopySample(L"vendor_me_on.bin", folder, L"hang_flash.bin");
  ASSERT_FALSE(hangFile.empty());

  ToolSession flashing;
  ASSERT_TRUE(flashing.Start({{L"BMT_STANDIN_FAULT", L"hang-flash"}}));
  ASSERT_TRUE(ChooseFile(flashing, hangFile));
  ASSERT_TRUE(flashing.PressButton(L"读取"));
  ASSERT_TRUE(flashing.WaitForStatus(L"正在刷入11.8.77.3664的ME版本...", kReadLimitMs))
      << ToGbk(flashing.StatusText());
  const ULONGLONG flashStarted = GetTickCount64();

  // A line and a message box once its bound has passed, and the read stops there.
  EXPECT_TRUE(flashing.WaitForStatus(L"ME刷入未完成,读取已停止", kFlashWaitLimitMs))
      << ToGbk(flashing.StatusText());
  EXPECT_GE(Since(flashStarted), kFlashBoundMs - 5000);
  EXPECT_TRUE(ExpectMessageBoxMentioning(flashing, L"CoffeeTime", Left(flashStarted, kFlashWaitLimitMs) + 5000));
  ExpectStartedAgainWithoutClaims(flashing);
  EXPECT_EQ(flashing.StatusText().find(L"正在关闭ME..."), std::wstring::npos);
  HWND hung = LoadedPatcherWindow(L"hang_flash.bin");
  EXPECT_TRUE(hung && !Answers(hung, 500)) << "the flash was expected to be still hung";
  flashing.Processes().KillAll();  // ends the hung patcher
}

TEST(PatcherHangs, EndlessLoadEndsAtItsBound) {
  const std::wstring folder = ScratchFolder(L"fault_never_loads");
  const std::wstring neverFile = CopySample(L"vendor_me_on.bin", folder, L"never_loads.bin");
  ASSERT_FALSE(neverFile.empty());

  ToolSession loading;
  ASSERT_TRUE(loading.Start({{L"BMT_STANDIN_FAULT", L"never-finish-load"}}));
  ASSERT_TRUE(ChooseFile(loading, neverFile));
  ASSERT_TRUE(loading.PressButton(L"读取"));
  ASSERT_TRUE(loading.WaitForStatus(L"正在加载BIOS配置项", kStatusLimitMs));
  const ULONGLONG loadStarted = GetTickCount64();
  RecordStage(L"load_waiting");

  // A message box once its bound has passed.
  EXPECT_TRUE(ExpectMessageBoxMentioning(loading, L"CoffeeTime", Left(loadStarted, kLoadWaitLimitMs)));
  EXPECT_GE(Since(loadStarted), kLoadBoundMs - 5000);
  RecordStage(L"load_given_up");
  ExpectStartedAgainWithoutClaims(loading);
}

}  // namespace
}  // namespace e2e

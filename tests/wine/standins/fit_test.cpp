#include <gtest/gtest.h>

#include "automation/window_finder.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/process_group.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"

namespace {

constexpr uint32_t kAcceptedStyle = 0x96CF0000u;

class FitStandin : public ::testing::Test {
 protected:
  void SetUp() override { stateDir_ = e2e::ScratchFolder(L"fit_state"); }
  // Starts fit.exe shown, as the tool does, and returns its main window (at most 10 s).
  HWND Start() {
    const DWORD id = group_.Start(e2e::RunFolder() + L"\\orvellanQZ\\bin\\fit\\fit.exe",
                                  SW_SHOWNORMAL, {{L"BMT_STANDIN_STATE_DIR", stateDir_}});
    EXPECT_NE(id, 0u);
    HWND main = nullptr;
    e2e::WaitUntil([&] { return (main = e2e::FirstTopLevel(L"Qt5QWindowIcon", L"", id)); },
                   10000);
    processId_ = id;
    return main;
  }
  uint32_t Style(HWND window) {
    return automation::WindowStyleOf(platform::Win32Platform().windows, platform::FromHwnd(window));
  }
  HWND LicenceDialog() {
    HWND found = nullptr;
    // The dialog's controls are made while it initialises: wait for the last one too.
    e2e::WaitUntil([&] {
      found = e2e::FirstTopLevel(L"#32770", L"", processId_);
      return found && e2e::DescendantWithText(found, L"Button", L"Cancel");
    }, 5000);
    return found;
  }

  e2e::ProcessGroup group_;
  std::wstring stateDir_;
  DWORD processId_ = 0;
};

TEST_F(FitStandin, LicenceDialogDisablesTheMainWindowUntilAccepted) {
  HWND main = Start();
  ASSERT_NE(main, nullptr);
  HWND dialog = LicenceDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(e2e::WaitUntil([&] { return (Style(main) & WS_DISABLED) != 0; }, 3000));
  EXPECT_NE(Style(main), kAcceptedStyle);

  HWND ok = e2e::DescendantWithText(dialog, L"Button", L"OK");
  HWND box = e2e::DescendantWithText(dialog, L"Button", L"I accept the license agreement");
  ASSERT_NE(box, nullptr);
  ASSERT_NE(ok, nullptr);
  PostMessageW(ok, BM_CLICK, 0, 0);  // not ticked yet: nothing happens
  e2e::Pause(500);
  EXPECT_TRUE(IsWindow(dialog));
  PostMessageW(box, BM_CLICK, 0, 0);
  e2e::Pause(300);
  PostMessageW(ok, BM_CLICK, 0, 0);
  EXPECT_TRUE(e2e::WaitUntil([&] { return Style(main) == kAcceptedStyle; }, 5000))
      << std::hex << Style(main);
}

TEST_F(FitStandin, LaterStartRemembersTheAcceptance) {
  HWND first = Start();
  ASSERT_NE(first, nullptr);
  HWND dialog = LicenceDialog();
  ASSERT_NE(dialog, nullptr);
  PostMessageW(e2e::DescendantWithText(dialog, L"Button", L"I accept the license agreement"),
               BM_CLICK, 0, 0);
  e2e::Pause(300);
  PostMessageW(e2e::DescendantWithText(dialog, L"Button", L"OK"), BM_CLICK, 0, 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return Style(first) == kAcceptedStyle; }, 5000));
  group_.KillAll();

  HWND second = Start();
  ASSERT_NE(second, nullptr);
  e2e::Pause(1000);
  EXPECT_EQ(Style(second), kAcceptedStyle) << std::hex << Style(second);
  EXPECT_EQ(e2e::FirstTopLevel(L"#32770", L"", processId_), nullptr);
}

TEST_F(FitStandin, CancellingTheLicenceEndsTheProgram) {
  HWND main = Start();
  ASSERT_NE(main, nullptr);
  HWND dialog = LicenceDialog();
  ASSERT_NE(dialog, nullptr);
  PostMessageW(e2e::DescendantWithText(dialog, L"Button", L"Cancel"), BM_CLICK, 0, 0);
  EXPECT_NE(group_.WaitForExit(processId_, 5000), DWORD(STILL_ACTIVE));
}

}  // namespace

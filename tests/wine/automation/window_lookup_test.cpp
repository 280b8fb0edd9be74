#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>

#include "automation/window_finder.h"
#include "platform/win32/win32_platform.h"
#include "tests/wine/automation/test_window.h"

namespace automation {
namespace {

using platform::FromHwnd;

class WindowLookup : public ::testing::Test {
 protected:
  platform::WindowApi& api = platform::Win32Platform().windows;
  std::vector<HWND> created;
  HWND Make(const char* cls, const char* title, HWND parent = nullptr) {
    HWND h = testwin::MakeWindow(cls, title, parent);
    created.push_back(h);
    return h;
  }
  void TearDown() override {
    for (auto it = created.rbegin(); it != created.rend(); ++it) DestroyWindow(*it);
  }
};

TEST_F(WindowLookup, WholeTitleOnlyAndNoChildrenFromTheTop) {
  HWND loaded = Make("BmtLookupTop", "CoffeeTime 0.99  /  bios.bin");
  Make("BmtLookupChild", "CoffeeTime 0.99", loaded);
  EXPECT_EQ(LocateWindow(api, 0, 0, "BmtLookupTop", "CoffeeTime 0.99"), 0u);
  EXPECT_EQ(LocateWindow(api, 0, 0, "BmtLookupTop", "CoffeeTime 0.99  /  bios.bin"),
            FromHwnd(loaded));
  EXPECT_EQ(LocateWindow(api, 0, 0, "BmtLookupChild", "CoffeeTime 0.99"), 0u);
}

TEST_F(WindowLookup, FiveLevelChainIsWalkedOneLevelAtATime) {
  const char* chain[] = {"DUIViewWndClassName", "DirectUIHWND", "FloatNotifySink", "BmtCombo",
                         "BmtEdit"};
  HWND dialog = Make("BmtDialog", "Save image");
  HWND parent = dialog;
  for (const char* cls : chain) parent = Make(cls, "", parent);
  const HWND deepest = parent;

  EXPECT_EQ(LocateWindow(api, FromHwnd(dialog), 0, "BmtEdit"), 0u);  // not a direct child
  platform::Hwnd level = LocateWindow(api, 0, 0, "BmtDialog", "Save image");
  for (const char* cls : chain) {
    level = LocateWindow(api, level, 0, cls);
    ASSERT_NE(level, 0u) << cls;
  }
  EXPECT_EQ(level, FromHwnd(deepest));
}

TEST_F(WindowLookup, BoundsStyleAndClassOfRealAndMissingWindows) {
  HWND w = Make("BmtBounds", "bounds");
  SetWindowPos(w, nullptr, 30, 40, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowBoundsOf(api, FromHwnd(w)), (WindowBounds{30, 40, 300, 200}));
  EXPECT_EQ(WindowBoundsOf(api, 0x0BADBAD0), (WindowBounds{0, 0, 0, 0}));
  EXPECT_EQ(WindowStyleOf(api, FromHwnd(w)), static_cast<uint32_t>(GetWindowLongA(w, GWL_STYLE)));
  EXPECT_EQ(WindowStyleOf(api, 0x0BADBAD0), 0u);
  EXPECT_EQ(ClassNameOf(api, FromHwnd(w)), "BmtBounds");
  EXPECT_TRUE(IsLiveWindow(api, FromHwnd(w)));
  EXPECT_FALSE(IsLiveWindow(api, 0x0BADBAD0));
}

TEST_F(WindowLookup, RespondingIdleWindowAndBlockedThread) {
  // The window lives on a thread of its own that the test can block.
  std::atomic<HWND> window{nullptr};
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE block = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread owner([&] {
    HWND h = testwin::MakeWindow("BmtBusy", "busy");
    window = h;
    for (;;) {
      DWORD r = MsgWaitForMultipleObjects(2, std::array<HANDLE, 2>{release, block}.data(), FALSE,
                                          INFINITE, QS_ALLINPUT);
      if (r == WAIT_OBJECT_0) break;
      if (r == WAIT_OBJECT_0 + 1) {
        WaitForSingleObject(release, 5000);  // blocked: no messages handled
        break;
      }
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    DestroyWindow(h);
  });
  for (int i = 0; i < 500 && !window.load(); ++i) Sleep(10);
  ASSERT_NE(window.load(), nullptr);
  EXPECT_TRUE(IsWindowResponding(api, FromHwnd(window)));

  SetEvent(block);
  Sleep(50);
  const DWORD start = GetTickCount();
  EXPECT_FALSE(IsWindowResponding(api, FromHwnd(window)));
  EXPECT_LT(GetTickCount() - start, 1000u);  // bounded by the 128 ms timeout, with slack
  SetEvent(release);
  owner.join();
  CloseHandle(release);
  CloseHandle(block);
}

}  // namespace
}  // namespace automation

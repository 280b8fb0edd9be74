#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "automation/input_injector.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"

namespace automation {
namespace {

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Received> gReceived;

LRESULT CALLBACK RecordingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CHAR || (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || m == WM_CONTEXTMENU) {
    gReceived.push_back({m, w, l});
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

class PostedInput : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BmtUnicodeTarget";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, L"BmtUnicodeTarget", L"target", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                             300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(IsWindowUnicode(window));
    gReceived.clear();
  }
  void TearDown() override { DestroyWindow(window); }
  void Drain() {
    MSG msg;
    while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  HWND window = nullptr;
  platform::Platform& p = platform::Win32Platform();
};

TEST_F(PostedInput, ClickArrivesWithExactParameters) {
  PostClick(p.windows, platform::FromHwnd(window), 520, 560);
  Drain();
  ASSERT_EQ(gReceived.size(), 3u);
  EXPECT_EQ(gReceived[0].message, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(gReceived[0].wParam, 2u);
  EXPECT_EQ(gReceived[1].message, static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_EQ(gReceived[1].wParam, 1u);
  EXPECT_EQ(gReceived[2].message, static_cast<UINT>(WM_LBUTTONUP));
  EXPECT_EQ(gReceived[2].wParam, 0u);
  for (const Received& r : gReceived) EXPECT_EQ(static_cast<uint32_t>(r.lParam), 0x02300208u);
}

TEST_F(PostedInput, TypedGbkTextArrivesAsUtf16Characters) {
  TypeText(p, platform::FromHwnd(window), "D:\\新建\\魔.bin");
  Drain();
  const std::u16string expected = u"D:\\新建\\魔.bin";
  ASSERT_EQ(gReceived.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(gReceived[i].message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(gReceived[i].wParam, static_cast<WPARAM>(expected[i])) << i;
    EXPECT_EQ(gReceived[i].lParam & 0xFFFF, 1) << "repeat count";
  }
  // The colon's scan code is that of VK_OEM_1 (186).
  EXPECT_EQ((gReceived[1].lParam >> 16) & 0xFF, static_cast<LPARAM>(MapVirtualKeyA(186, 0)));
}

}  // namespace
}  // namespace automation

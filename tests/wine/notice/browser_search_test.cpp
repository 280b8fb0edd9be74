// The rendering-window search over a tree of real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/notice/win32/page_document_source.h"
#include "automation/browser_document.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"
#include "tests/native/notice/class_query_log.h"

namespace automation {
namespace {

constexpr UINT kProbeMessage = WM_APP + 7;
bool probeDispatched = false;

LRESULT CALLBACK TreeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbeMessage) {
    probeDispatched = true;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterTreeClass(const char* name) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = TreeProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
}

class WindowTree : public ::testing::Test {
 protected:
  WindowTree() {
    RegisterTreeClass("BmtTreeNode");
    // The engine's class name, registered by the test; it answers no document requests.
    RegisterTreeClass("Internet Explorer_Server");
    root_ = CreateWindowExA(0, "BmtTreeNode", "root", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                            nullptr, nullptr, nullptr);
  }
  ~WindowTree() override { DestroyWindow(root_); }

  // Children are created in z-order: the first one created is the first child.
  HWND Child(HWND parent, const char* className) {
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr,
                           nullptr, nullptr);
  }

  HWND root_ = nullptr;
};

TEST_F(WindowTree, TheWholeFirstSubtreeIsSearchedBeforeTheSecondChild) {
  const HWND a = Child(root_, "BmtTreeNode");
  const HWND a1 = Child(a, "BmtTreeNode");
  const HWND a11 = Child(a1, "BmtTreeNode");
  const HWND a111 = Child(a11, "BmtTreeNode");
  const HWND a2 = Child(a, "BmtTreeNode");
  const HWND b = Child(root_, "BmtTreeNode");
  const HWND b1 = Child(b, "BmtTreeNode");
  const HWND server = Child(b1, "Internet Explorer_Server");
  Child(root_, "Internet Explorer_Server");  // shallower, but after the subtree holding one
  ASSERT_NE(server, nullptr);

  notice_test::ClassQueryLog windows(platform::Win32Platform().windows);
  probeDispatched = false;
  PostMessageA(a, kProbeMessage, 0, 0);
  EXPECT_EQ(FindBrowserServerWindow(windows, platform::FromHwnd(root_)), platform::FromHwnd(server));
  std::vector<platform::Hwnd> expected;
  for (HWND w : {a, a1, a11, a111, a2, b, b1, server}) expected.push_back(platform::FromHwnd(w));
  EXPECT_EQ(windows.asked, expected);
  EXPECT_TRUE(probeDispatched);  // the search kept the thread's messages moving
}

TEST_F(WindowTree, ARenderingWindowThatGivesNoDocumentMakesTheAttachFail) {
  const HWND shell = Child(root_, "BmtTreeNode");
  Child(shell, "Internet Explorer_Server");
  BrowserDocumentBinding binding(platform::Win32Platform().windows,
                                 std::make_unique<app::PageDocumentSource>());
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(binding.AttachToWindow(platform::FromHwnd(root_)));
  EXPECT_LT(GetTickCount64() - start, 3000u);  // the request is bounded
  EXPECT_EQ(binding.Window(), platform::FromHwnd(root_));
  EXPECT_EQ(binding.Document(), nullptr);
}

TEST_F(WindowTree, ADestroyedWindowIsNotAttached) {
  BrowserDocumentBinding binding(platform::Win32Platform().windows,
                                 std::make_unique<app::PageDocumentSource>());
  const HWND gone = Child(root_, "BmtTreeNode");
  DestroyWindow(gone);
  EXPECT_FALSE(binding.AttachToWindow(platform::FromHwnd(gone)));
  EXPECT_EQ(binding.Window(), 0u);
}

}  // namespace
}  // namespace automation

#include "automation/browser_document.h"

#include <gtest/gtest.h>

#include "notice_test_support.h"
#include "tests/fakes/fake_desktop.h"

namespace automation {
namespace {

using notice_test::ServedPage;
using notice_test::ServingSource;

// Forwards to the fake desktop and notes which windows had their class asked for.
class ClassQueryLog final : public platform::WindowApi {
 public:
  explicit ClassQueryLog(fake::FakeDesktop& d) : d_(d) {}
  std::vector<platform::Hwnd> asked;

  Hwnd FindWindowExA(Hwnd p, Hwnd a, const char* c, const char* t) override {
    return d_.FindWindowExA(p, a, c, t);
  }
  bool GetWindowInfo(Hwnd w, platform::WindowInfo* i) override { return d_.GetWindowInfo(w, i); }
  bool GetWindowRect(Hwnd w, platform::Rect* r) override { return d_.GetWindowRect(w, r); }
  bool GetClientRect(Hwnd w, platform::Rect* r) override { return d_.GetClientRect(w, r); }
  bool ClientToScreen(Hwnd w, platform::Point* p) override { return d_.ClientToScreen(w, p); }
  int GetClassNameA(Hwnd w, char* b, int n) override {
    asked.push_back(w);
    return d_.GetClassNameA(w, b, n);
  }
  bool IsWindow(Hwnd w) override { return d_.IsWindow(w); }
  bool IsIconic(Hwnd w) override { return d_.IsIconic(w); }
  bool IsWindowVisible(Hwnd w) override { return d_.IsWindowVisible(w); }
  Hwnd GetDesktopWindow() override { return d_.GetDesktopWindow(); }
  bool PostMessageA(Hwnd w, uint32_t m, uint32_t wp, uint32_t lp) override {
    return d_.PostMessageA(w, m, wp, lp);
  }
  bool PostMessageW(Hwnd w, uint32_t m, uint32_t wp, uint32_t lp) override {
    return d_.PostMessageW(w, m, wp, lp);
  }
  int32_t SendMessageA(Hwnd w, uint32_t m, uint32_t wp, uint32_t lp) override {
    return d_.SendMessageA(w, m, wp, lp);
  }
  uint32_t SendMessageTimeoutA(Hwnd w, uint32_t m, uint32_t wp, uint32_t lp, uint32_t f,
                               uint32_t t, uint32_t* r) override {
    return d_.SendMessageTimeoutA(w, m, wp, lp, f, t, r);
  }
  uint32_t MapVirtualKeyA(uint32_t c, uint32_t t) override { return d_.MapVirtualKeyA(c, t); }
  int32_t GetWindowLongA(Hwnd w, int i) override { return d_.GetWindowLongA(w, i); }
  int32_t SetWindowLongA(Hwnd w, int i, int32_t v) override { return d_.SetWindowLongA(w, i, v); }
  bool SetLayeredWindowAttributes(Hwnd w, uint32_t k, uint8_t a, uint32_t f) override {
    return d_.SetLayeredWindowAttributes(w, k, a, f);
  }
  bool ShowWindowAsync(Hwnd w, int c) override { return d_.ShowWindowAsync(w, c); }
  uint32_t RegisterWindowMessageA(const char* n) override { return d_.RegisterWindowMessageA(n); }
  int GetSystemMetrics(int i) override { return d_.GetSystemMetrics(i); }
  int MessageBoxA(Hwnd o, const char* t, const char* c, uint32_t s) override {
    return d_.MessageBoxA(o, t, c, s);
  }
  uint32_t MsgWaitForMultipleObjects(uint32_t c, const platform::Handle* h, bool a, uint32_t t,
                                     uint32_t m) override {
    return d_.MsgWaitForMultipleObjects(c, h, a, t, m);
  }
  void ProcessPendingMessages() override { d_.ProcessPendingMessages(); }

 private:
  fake::FakeDesktop& d_;
};

class BrowserDocumentTest : public ::testing::Test {
 protected:
  BrowserDocumentTest() : windows(desktop), binding(windows, std::make_unique<ServingSource>(page)) {
    main = desktop.AddWindow(0, "MainWindow", "main");
    viewer = desktop.AddWindow(main, "AtlAxWin", "{8856F961-340A-11D0-A96B-00C04FD705A2}");
  }

  fake::FakeDesktop desktop;
  ClassQueryLog windows;
  ServedPage page;
  BrowserDocumentBinding binding;
  Hwnd main = 0;
  Hwnd viewer = 0;
};

TEST_F(BrowserDocumentTest, SearchFinishesTheWholeFirstSubtreeBeforeTheNextSibling) {
  const Hwnd a = desktop.AddWindow(viewer, "Shell Embedding", "");
  const Hwnd a1 = desktop.AddWindow(a, "Shell DocObject View", "");
  const Hwnd a11 = desktop.AddWindow(a1, "Static", "");
  const Hwnd a111 = desktop.AddWindow(a11, "Static", "");
  const Hwnd a2 = desktop.AddWindow(a, "Button", "");
  const Hwnd b = desktop.AddWindow(viewer, "Shell Embedding", "");
  const Hwnd server = desktop.AddWindow(b, "Internet Explorer_Server", "");
  const Hwnd later = desktop.AddWindow(viewer, "Internet Explorer_Server", "");
  int pumpsBefore = desktop.pumpCount;

  EXPECT_EQ(FindBrowserServerWindow(windows, viewer), server);
  EXPECT_EQ(windows.asked, (std::vector<Hwnd>{a, a1, a11, a111, a2, b, server}));
  EXPECT_NE(later, server);
  EXPECT_GT(desktop.pumpCount, pumpsBefore);  // messages were dispatched between siblings
}

TEST_F(BrowserDocumentTest, PumpingHappensAfterEachSiblingStep) {
  for (int i = 0; i < 4; ++i) desktop.AddWindow(viewer, "Static", "");
  EXPECT_EQ(FindBrowserServerWindow(windows, viewer), 0u);
  EXPECT_EQ(desktop.pumpCount, 4);
}

TEST_F(BrowserDocumentTest, AClassDifferingOnlyInCaseIsNotTheRenderingWindow) {
  desktop.AddWindow(viewer, "internet explorer_server", "");
  desktop.AddWindow(viewer, "Internet Explorer_Server ", "");
  desktop.AddWindow(viewer, "Internet Explorer_", "");
  EXPECT_EQ(FindBrowserServerWindow(windows, viewer), 0u);
  page.renderedPage = "<span>x</span>";
  EXPECT_FALSE(binding.AttachToWindow(viewer));
  EXPECT_TRUE(page.renderingAsked.empty());
}

TEST_F(BrowserDocumentTest, ARenderingWindowIsUsedDirectlyWithoutASearch) {
  const Hwnd server = desktop.AddWindow(viewer, "Internet Explorer_Server", "");
  desktop.AddWindow(server, "Internet Explorer_Server", "");  // would be found by a search
  page.renderedPage = "<span>x</span>";
  EXPECT_TRUE(binding.AttachToWindow(server));
  EXPECT_EQ(page.renderingAsked, (std::vector<Hwnd>{server}));
  EXPECT_EQ(desktop.CountCalls("FindWindowExA"), 0u);
  EXPECT_EQ(binding.Window(), server);
}

TEST_F(BrowserDocumentTest, AViewerIsAskedThroughItsRenderingWindow) {
  const Hwnd shell = desktop.AddWindow(viewer, "Shell Embedding", "");
  const Hwnd server = desktop.AddWindow(shell, "Internet Explorer_Server", "");
  page.renderedPage = "<span>x</span>";
  page.viewerPage = "<span>own</span>";
  ASSERT_TRUE(binding.AttachToWindow(viewer));
  EXPECT_EQ(page.renderingAsked, (std::vector<Hwnd>{server}));
  EXPECT_TRUE(page.viewerAsked.empty());  // the engine's document, not the program's own
  EXPECT_EQ(binding.Document()->ElementText("span", 0, ElementField::kInnerHtml), "x");
}

TEST_F(BrowserDocumentTest, AViewerWithoutRenderingWindowOrOwnPageHasNoDocument) {
  EXPECT_FALSE(binding.AttachToWindow(viewer));
  EXPECT_EQ(binding.Document(), nullptr);
  EXPECT_EQ(page.viewerAsked, (std::vector<Hwnd>{viewer}));
  page.viewerPage = "<span>own</span>";
  EXPECT_TRUE(binding.AttachToWindow(viewer));
}

TEST_F(BrowserDocumentTest, ADeadWindowChangesNothing) {
  page.viewerPage = "<span>own</span>";
  ASSERT_TRUE(binding.AttachToWindow(viewer));
  PageDocument* held = binding.Document();
  const Hwnd gone = desktop.AddWindow(main, "AtlAxWin", "");
  desktop.RemoveWindow(gone);
  page.viewerAsked.clear();
  EXPECT_FALSE(binding.AttachToWindow(gone));
  EXPECT_FALSE(binding.AttachToWindow(0));
  EXPECT_EQ(binding.Window(), viewer);
  EXPECT_EQ(binding.Document(), held);
  EXPECT_TRUE(page.viewerAsked.empty());
}

TEST_F(BrowserDocumentTest, AFailedAttachToALiveWindowKeepsTheEarlierDocument) {
  page.viewerPage = "<span>own</span>";
  ASSERT_TRUE(binding.AttachToWindow(viewer));
  page.viewerPage.reset();
  const Hwnd other = desktop.AddWindow(main, "Static", "");
  EXPECT_TRUE(binding.AttachToWindow(other));  // true: the cell still holds a document
  EXPECT_EQ(binding.Window(), other);
  EXPECT_EQ(binding.Document()->ElementText("span", 0, ElementField::kInnerHtml), "own");
}

}  // namespace
}  // namespace automation

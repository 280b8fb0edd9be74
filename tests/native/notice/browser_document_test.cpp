#include "automation/browser_document.h"

#include <gtest/gtest.h>

#include "class_query_log.h"
#include "notice_test_support.h"
#include "tests/fakes/fake_desktop.h"

namespace automation {
namespace {

using notice_test::ServedPage;
using notice_test::ServingSource;
using notice_test::ClassQueryLog;

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

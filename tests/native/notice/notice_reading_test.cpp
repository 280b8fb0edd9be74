#include "app/notice/notice_reading.h"

#include <gtest/gtest.h>

#include "notice_test_support.h"
#include "tests/fakes/fake_desktop.h"
#include "tests/fakes/fake_form.h"

namespace app {
namespace {

namespace controls = workflow::controls;
using notice_test::ServedPage;
using notice_test::ServingSource;

std::string PageWith(const std::string& count, const std::string& notice) {
  std::string html = "<html><body>";
  for (int i = 1; i <= 7; ++i) html += "<span>s</span>";
  html += "<span><label class=\"yellow\">" + count + "</LABEL></span>";
  for (int i = 1; i <= 33; ++i) html += "<div>d</div>";
  html += "<div>公告内容-" + notice + "-完了</div></body></html>";
  return html;
}

class NoticeReadingTest : public ::testing::Test {
 protected:
  NoticeReadingTest() : reader(desktop, std::make_unique<ServingSource>(page)) {
    const platform::Hwnd main = desktop.AddWindow(0, "MainWindow", "main");
    viewer = desktop.AddWindow(main, "BmtPageViewer", "");
    form.handles[std::string(controls::kPageViewer)] = viewer;
  }

  fake::FakeDesktop desktop;
  ServedPage page;
  automation::BrowserDocumentBinding reader;
  fake::FakeForm form;
  platform::Hwnd viewer = 0;
};

TEST_F(NoticeReadingTest, LoadingPointsTheViewerAtTheAddressAndWaitsASecond) {
  desktop.After(500, [] {}, /*isInput=*/true);  // the user clicks while the page loads
  StartNoticeLoading(desktop.AsPlatform(), form, "C:\\tool\\notice.html");
  EXPECT_EQ(form.urls[std::string(controls::kPageViewer)], "C:\\tool\\notice.html");
  EXPECT_EQ(form.Operations(), (std::vector<std::string>{"Navigate 超文本浏览框1"}));
  EXPECT_GE(desktop.NowMs(), 1000);
  EXPECT_LT(desktop.NowMs(), 1100);
  EXPECT_GT(desktop.pumpCount, 0);  // the wait dispatched the click
}

TEST_F(NoticeReadingTest, ReadingShowsTheCountThenStartsTheTimer) {
  page.viewerPage = PageWith("17", "你好");
  StartNoticeReading(form, reader);
  EXPECT_EQ(form.texts[std::string(controls::kOnlineCountLabel)], "实时在线人数：17人");
  EXPECT_EQ(form.intervals[std::string(controls::kNoticeTimer)], 5000);
  EXPECT_EQ(form.Operations(), (std::vector<std::string>{"SetText 透明标签18", "SetInterval 时钟2"}));
}

TEST_F(NoticeReadingTest, RefreshWritesNoticeThenCountFromThePageShownNow) {
  page.viewerPage = PageWith("17", "第一条");
  RefreshNoticeBoard(form, reader);
  EXPECT_EQ(form.texts[std::string(controls::kNoticeBox)], "第一条");
  EXPECT_EQ(form.texts[std::string(controls::kOnlineCountLabel)], "实时在线人数：17人");
  EXPECT_EQ(form.Operations(), (std::vector<std::string>{"SetText 编辑框3", "SetText 透明标签18"}));

  page.viewerPage = PageWith("3", "第二条");
  RefreshNoticeBoard(form, reader);
  EXPECT_EQ(form.texts[std::string(controls::kNoticeBox)], "第二条");
  EXPECT_EQ(form.texts[std::string(controls::kOnlineCountLabel)], "实时在线人数：3人");
}

TEST_F(NoticeReadingTest, WithoutAPageBothStayEmptyOnEveryTick) {
  for (int tick = 0; tick < 3; ++tick) {
    RefreshNoticeBoard(form, reader);
    EXPECT_EQ(form.texts[std::string(controls::kNoticeBox)], "");
    EXPECT_EQ(form.texts[std::string(controls::kOnlineCountLabel)], "实时在线人数：人");
  }
  page.viewerPage = "";  // an empty page
  RefreshNoticeBoard(form, reader);
  EXPECT_EQ(form.texts[std::string(controls::kNoticeBox)], "");
  EXPECT_EQ(form.texts[std::string(controls::kOnlineCountLabel)], "实时在线人数：人");
}

TEST_F(NoticeReadingTest, APageThatCannotBeHadAnyMoreKeepsTheOneRead) {
  page.viewerPage = PageWith("5", "旧");
  RefreshNoticeBoard(form, reader);
  page.viewerPage.reset();
  RefreshNoticeBoard(form, reader);
  EXPECT_EQ(form.texts[std::string(controls::kNoticeBox)], "旧");
  EXPECT_EQ(form.texts[std::string(controls::kOnlineCountLabel)], "实时在线人数：5人");
}

}  // namespace
}  // namespace app

#include "app/notice/win32/notice_board.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/notice/win32/page_document_source.h"
#include "app/notice/win32/page_viewer.h"
#include "automation/browser_document.h"
#include "notice_test_window.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"

namespace app {
namespace {

namespace controls = workflow::controls;
using notice_test::NoticeTestWindow;
using notice_test::PumpUntil;

constexpr DWORD kTwoTicksMs = 11000;

// A page whose 8th SPAN carries `count` and whose 34th DIV carries `notice`.
std::string PageWith(const std::string& count, const std::string& notice,
                     const std::string& charset) {
  std::string html = "<html><head><meta charset=\"" + charset + "\"></head><body>";
  for (int i = 1; i <= 7; ++i) html += "<span>s" + std::to_string(i) + "</span>";
  html += "<span>online <label class=\"yellow\">" + count + "</LABEL></span>";
  for (int i = 1; i <= 33; ++i) html += "<div>d" + std::to_string(i) + "</div>";
  html += "<div>公告内容-" + notice + "-完了</div></body></html>";
  return html;
}

std::string Utf8Of(const std::string& gbk) {
  const std::wstring wide = notice_test::WideOfGbk(gbk);
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

bool WriteFileBytes(const std::string& gbkPath, const std::string& bytes) {
  HANDLE file = CreateFileW(notice_test::WideOfGbk(gbkPath).c_str(), GENERIC_WRITE,
                            FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

// The notice board in a window of the test's own, reading notice.html beside the program.
class NoticeBoardTest : public ::testing::Test {
 protected:
  NoticeBoardTest()
      : platform_(platform::Win32Platform()),
        pagePath_(platform_.system.ProgramDirectory() + "\\notice.html") {
    RemovePage();
  }
  ~NoticeBoardTest() override { RemovePage(); }

  // These cases read the page through the program's own viewer; a browser engine loads pages
  // on its own schedule and terms.
  void SetUp() override {
    window_.Create();
    if (!IsOwnViewer(window_.NativeHandle(controls::kPageViewer))) {
      GTEST_SKIP() << "the browser engine is present";
    }
  }

  void WritePage(const std::string& bytes) { ASSERT_TRUE(WriteFileBytes(pagePath_, bytes)); }
  void RemovePage() { DeleteFileW(notice_test::WideOfGbk(pagePath_).c_str()); }

  // Start-up as the program runs it; returns the time the loading half took.
  DWORD StartBoard() {
    window_.onTick = [this] { board_.Refresh(); };
    const ULONGLONG start = GetTickCount64();
    board_.StartLoading();
    const DWORD loading = static_cast<DWORD>(GetTickCount64() - start);
    board_.StartReading();
    return loading;
  }

  platform::Platform& platform_;
  std::string pagePath_;
  NoticeTestWindow window_;
  NoticeBoard board_{platform_, window_};
};

TEST_F(NoticeBoardTest, ShowsTheCountAtOnceAndTheNoticeFromTheFirstTick) {
  WritePage(PageWith("17", "今天下午维护", "gbk"));
  EXPECT_GE(StartBoard(), 950u);  // the page gets its second to load
  EXPECT_EQ(window_.TextOf(controls::kOnlineCountLabel), "实时在线人数：17人");
  EXPECT_EQ(window_.TextOf(controls::kNoticeBox), "工作状态：\r\n");  // untouched until a tick
  ASSERT_TRUE(PumpUntil([&] { return window_.ticks() >= 1; }, kTwoTicksMs));
  EXPECT_EQ(window_.TextOf(controls::kNoticeBox), "今天下午维护");
  EXPECT_EQ(window_.TextOf(controls::kOnlineCountLabel), "实时在线人数：17人");
}

TEST_F(NoticeBoardTest, AChangedPageFileShowsWithinATickOrTwo) {
  WritePage(PageWith("17", "旧公告", "gbk"));
  StartBoard();
  ASSERT_TRUE(PumpUntil([&] { return window_.TextOf(controls::kNoticeBox) == "旧公告"; },
                        kTwoTicksMs));
  // Rewritten in UTF-8 this time: the page is converted to the program's GBK.
  WritePage(Utf8Of(PageWith("23", "新公告", "utf-8")));
  EXPECT_TRUE(PumpUntil([&] { return window_.TextOf(controls::kNoticeBox) == "新公告"; },
                        kTwoTicksMs));
  EXPECT_EQ(window_.TextOf(controls::kOnlineCountLabel), "实时在线人数：23人");
}

TEST_F(NoticeBoardTest, AMissingPageLeavesBothEmpty) {
  StartBoard();
  EXPECT_EQ(window_.TextOf(controls::kOnlineCountLabel), "实时在线人数：人");
  ASSERT_TRUE(PumpUntil([&] { return window_.ticks() >= 1; }, kTwoTicksMs));
  EXPECT_EQ(window_.TextOf(controls::kNoticeBox), "");
  EXPECT_EQ(window_.TextOf(controls::kOnlineCountLabel), "实时在线人数：人");
}

// The program's own viewer and document source, where no browser engine can be hosted.
class OwnViewerTest : public ::testing::Test {
 protected:
  OwnViewerTest()
      : binding_(platform::Win32Platform().windows, std::make_unique<PageDocumentSource>()) {
    parent_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                              nullptr, nullptr, nullptr);
    viewer_ = CreatePageViewer(parent_, 0, 0, 0, 0, 1);
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    path_ = std::string(dir) + "bmt_viewer_" + std::to_string(GetCurrentProcessId()) + ".html";
  }
  ~OwnViewerTest() override {
    DeleteFileA(path_.c_str());
    DestroyWindow(parent_);
  }
  bool Attach() { return binding_.AttachToWindow(platform::FromHwnd(viewer_)); }
  std::string Span() {
    return binding_.Document()->ElementText("span", 0, automation::ElementField::kInnerHtml);
  }

  automation::BrowserDocumentBinding binding_;
  HWND parent_ = nullptr;
  HWND viewer_ = nullptr;
  std::string path_;
};

TEST_F(OwnViewerTest, ADocumentIsHeldExactlyWhenTheAddressNamesAReadableFile) {
  ASSERT_NE(viewer_, nullptr);
  if (!IsOwnViewer(platform::FromHwnd(viewer_))) GTEST_SKIP() << "the browser engine is present";
  EXPECT_FALSE(Attach());  // no address yet
  ASSERT_TRUE(WriteFileBytes(path_, "<span>plain</span>"));
  NavigatePageViewer(viewer_, path_);
  ASSERT_TRUE(Attach());
  EXPECT_EQ(Span(), "plain");

  std::string url = "file:///" + path_;
  for (char& c : url) {
    if (c == '\\') c = '/';
  }
  ASSERT_TRUE(WriteFileBytes(path_, "<span>by url</span>"));
  NavigatePageViewer(viewer_, url);
  ASSERT_TRUE(Attach());
  EXPECT_EQ(Span(), "by url");
}

TEST_F(OwnViewerTest, RemoteAndMissingPagesGiveNoDocument) {
  ASSERT_NE(viewer_, nullptr);
  if (!IsOwnViewer(platform::FromHwnd(viewer_))) GTEST_SKIP() << "the browser engine is present";
  NavigatePageViewer(viewer_, "https://example.com/notice.html");
  EXPECT_FALSE(Attach());
  NavigatePageViewer(viewer_, path_);  // not written
  EXPECT_FALSE(Attach());
}

}  // namespace
}  // namespace app

// The notice board in the built program: BiosMaker.exe started from a folder of its own with a
// notice page beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/notice/win32/page_document_source.h"
#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/process_group.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"

namespace {

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kTwoTicksMs = 11000;
const std::wstring kMainTitle = e2e::FromGbk("ORVELLANQZ-1151主板魔改BIOS制作器");

std::string PageWith(const std::string& count, const std::string& notice) {
  std::string html = "<html><head><meta charset=\"gbk\"></head><body>";
  for (int i = 1; i <= 7; ++i) html += "<span>s" + std::to_string(i) + "</span>";
  html += "<span><label class=\"yellow\">" + count + "</LABEL></span>";
  for (int i = 1; i <= 33; ++i) html += "<div>d" + std::to_string(i) + "</div>";
  html += "<div>公告内容-" + notice + "-完了</div></body></html>";
  return html;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                            nullptr) && written == bytes.size();
  CloseHandle(file);
  return ok;
}

class ToolNoticeTest : public ::testing::Test {
 protected:
  // Copies the program into a fresh folder and starts it there; returns its main window.
  HWND StartTool(const std::wstring& folderName, const std::string* page) {
    folder_ = e2e::ScratchFolder(folderName);
    const std::wstring exe = folder_ + L"\\BiosMaker.exe";
    if (!CopyFileW((e2e::RunFolder() + L"\\BiosMaker.exe").c_str(), exe.c_str(), FALSE)) {
      return nullptr;
    }
    if (page != nullptr && !WriteBytes(PagePath(), *page)) return nullptr;
    const DWORD id = tools_.Start(exe, SW_SHOWNOACTIVATE);
    if (id == 0) return nullptr;
    HWND main = nullptr;
    e2e::WaitUntil([&] { return (main = e2e::FirstTopLevel(L"", kMainTitle, id)) != nullptr; },
                   kStartTimeoutMs);
    return main;
  }
  std::wstring PagePath() const { return folder_ + L"\\notice.html"; }

  // The tool reads the page through its own viewer only where no browser engine is hosted. The
  // main window is found as soon as it exists, before its controls are made: wait for them.
  static bool HasOwnViewer(HWND main) {
    return e2e::WaitUntil([&] { return !e2e::Descendants(main, app::kOwnViewerClass).empty(); },
                          3000);
  }

  // A descendant whose text is `gbkText`, waited for at most timeoutMs.
  static HWND WaitForText(HWND main, const std::wstring& className, const std::string& gbkText,
                          DWORD timeoutMs) {
    HWND found = nullptr;
    e2e::WaitUntil(
        [&] {
          return (found = e2e::DescendantWithText(main, className, e2e::FromGbk(gbkText))) !=
                 nullptr;
        },
        timeoutMs);
    return found;
  }

  e2e::ProcessGroup tools_;
  std::wstring folder_;
};

TEST_F(ToolNoticeTest, ShowsTheCountAndTheNoticeOfThePageBesideIt) {
  const std::string page = PageWith("17", "周末停机维护");
  HWND main = StartTool(L"notice_count", &page);
  ASSERT_NE(main, nullptr);
  if (!HasOwnViewer(main)) GTEST_SKIP() << "the browser engine is present";
  EXPECT_NE(WaitForText(main, L"", "实时在线人数：17人", 3000), nullptr);
  EXPECT_NE(WaitForText(main, L"", "周末停机维护", kTwoTicksMs), nullptr);

  ASSERT_TRUE(WriteBytes(PagePath(), PageWith("18", "维护已结束")));
  EXPECT_NE(WaitForText(main, L"", "维护已结束", kTwoTicksMs), nullptr);
  EXPECT_NE(WaitForText(main, L"", "实时在线人数：18人", 1000), nullptr);
}

TEST_F(ToolNoticeTest, WithoutAPageTheNoticeIsEmptyAndTheCountBare) {
  HWND main = StartTool(L"notice_missing", nullptr);
  ASSERT_NE(main, nullptr);
  if (!HasOwnViewer(main)) GTEST_SKIP() << "the browser engine is present";
  EXPECT_NE(WaitForText(main, L"", "实时在线人数：人", 3000), nullptr);
  // The notice box starts with a text of its own; the first tick empties it.
  EXPECT_NE(WaitForText(main, L"Edit", "", kTwoTicksMs), nullptr);
}

}  // namespace

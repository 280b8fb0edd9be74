// Paths the tool cannot hand on, and presses out of order: each gets a clear answer, and
// nothing is started or claimed.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/process_group.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"
#include "tests/e2e/scenarios/scenario_support.h"

namespace e2e {
namespace {

constexpr const wchar_t* kInfoCaption = L"信息：";
constexpr const wchar_t* kPathNotGbk =
    L"BIOS文件的路径中有系统无法识别的文字,请把文件移到只含中文、英文字母和数字的路径下,再点击\"打开\"";
constexpr const wchar_t* kFileMissing = L"找不到所选的BIOS文件,请重新点击\"打开\"选择原版BIOS";
constexpr const wchar_t* kReadFirst = L"还没有读取BIOS,请先点击\"打开\"选择原版BIOS,再点击\"读取\"";

bool MakeFolder(const std::wstring& path) {
  return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// The open dialog answered with `path`; the tool must show `message` and start nothing.
void ExpectRefusedVendorPath(ToolSession& tool, const std::wstring& path, const wchar_t* message) {
  ASSERT_TRUE(tool.PressButton(L"打开"));
  ASSERT_TRUE(tool.FillFileDialog(path, kDialogLimitMs));
  EXPECT_TRUE(ExpectMessageBox(tool, message, kInfoCaption, BoxIcon::kInformation));
  EXPECT_TRUE(DescendantsOf(tool.ProcessId()).empty()) << "a patcher was started";
  EXPECT_EQ(tool.StatusText().find(L"已加入原版BIOS"), std::wstring::npos) << ToGbk(tool.StatusText());
  EXPECT_FALSE(tool.IsEnabled("按钮5"));
}

TEST(BadPaths, VendorPathsThatCannotBeUsedAndPressesBeforeARead) {
  const std::wstring folder = ScratchFolder(L"bad_vendor_paths");
  const std::wstring korean = folder + L"\\바이오스";
  ASSERT_TRUE(MakeFolder(korean));
  const std::wstring inKorean = CopySample(L"vendor_me_on.bin", korean, L"b.bin");
  ASSERT_FALSE(inKorean.empty());

  ToolSession tool;
  ASSERT_TRUE(tool.Start());
  ExpectRefusedVendorPath(tool, inKorean, kPathNotGbk);
  ExpectRefusedVendorPath(tool, folder + L"\\no_such_file.bin", kFileMissing);

  // Reached with Tab and Space before any read: both only say that a BIOS must be read first.
  ASSERT_TRUE(tool.PressButton(L"解锁微码编辑区"));
  PostMessageW(tool.Control("图片框2"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_TRUE(WaitForStatusCount(tool, kReadFirst, 2, kStatusLimitMs)) << ToGbk(tool.StatusText());
  const std::wstring status = tool.StatusText();
  EXPECT_EQ(status.find(L"已解锁微码编辑区"), std::wstring::npos) << ToGbk(status);
  EXPECT_EQ(status.find(L"已确认微码"), std::wstring::npos) << ToGbk(status);
  EXPECT_EQ(tool.Caption("按钮1"), L"解锁微码编辑区");
}

// Where the made image cannot go: one line each, the patcher's save dialog never opens, and
// nothing is claimed saved.
TEST(BadPaths, SaveTargetsThatCannotBeWritten) {
  const std::wstring folder = ScratchFolder(L"bad_save_paths");
  ToolSession tool;
  ASSERT_TRUE(tool.Start());
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_on.bin")));
  ASSERT_TRUE(ReadAndAwaitDone(tool)) << ToGbk(tool.StatusText());

  // A folder already carries the made image's name (this minute's and the next one's).
  SYSTEMTIME now;
  GetLocalTime(&now);
  const int thisMinute = now.wMinute;
  for (int minute : {thisMinute, (thisMinute + 1) % 60}) {
    const int hour = minute < thisMinute ? (now.wHour + 1) % 24 : now.wHour;
    const std::wstring taken = folder + L"\\ORVELLAN" + std::to_wstring(hour) + L"_" + std::to_wstring(minute);
    ASSERT_TRUE(MakeFolder(taken));
  }
  struct Case {
    std::wstring chosen;
    std::wstring line;
  };
  const Case cases[] = {
      {folder + L"\\ORVELLAN", L"已有同名文件夹"},
      {folder + L"\\gone\\ORVELLAN", L"\\gone不存在,魔改BIOS未保存"},
      {L"Z:\\proc\\ORVELLAN", L"文件夹Z:\\proc无法写入,魔改BIOS未保存"},
  };
  size_t refusals = 0;
  for (const Case& c : cases) {
    ASSERT_TRUE(tool.PressButton(L"执行制作"));
    ASSERT_TRUE(tool.FillFileDialog(c.chosen, kDialogLimitMs)) << ToGbk(c.chosen);
    ++refusals;
    EXPECT_TRUE(WaitForStatusCount(tool, L"魔改BIOS未保存", refusals, kStatusLimitMs))
        << ToGbk(tool.StatusText());
    EXPECT_NE(tool.StatusText().find(c.line), std::wstring::npos) << ToGbk(tool.StatusText());
  }
  Pause(1500);  // a save dialog the patcher opened would be there by now
  EXPECT_EQ(FirstTopLevel(L"#32770", L"Save image"), nullptr);
  EXPECT_EQ(tool.StatusText().find(kSavedTo), std::wstring::npos) << ToGbk(tool.StatusText());
}

}  // namespace
}  // namespace e2e

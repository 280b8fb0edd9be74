// Reads that do not follow the whole job: a rejected file, an image whose ME is already off
// (with a confirm of nothing and a cancelled save after it), and closing the tool early.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/process_group.h"
#include "tests/e2e/harness/status_lines.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"
#include "tests/e2e/scenarios/scenario_support.h"

namespace e2e {
namespace {

constexpr const wchar_t* kInfoCaption = L"信息：";
constexpr const wchar_t* kFileRejected =
    L"BIOS文件读取错误,请在官网下载原bios进行读取(不挑后缀名、拓展名)";
constexpr const wchar_t* kMeAlreadyOff = L"ME版本已经关闭，无需更改，下一步...";
constexpr const wchar_t* kNothingTicked = L"起码选择一个微码吧，不然主板怎么亮唷！";
constexpr const wchar_t* kNoPlaceChosen = L"拜托，好歹选个地方啦";

// Index of the first message equal to `message`, or the size when there is none.
size_t IndexOf(const std::vector<std::wstring>& messages, const std::wstring& message) {
  return size_t(std::find(messages.begin(), messages.end(), message) - messages.begin());
}

// After a rejected file, "打开" again closes the patcher left from it and starts a fresh one,
// which takes the next read; Esc then closes the tool and the patcher's loaded window.
TEST(ReadOutcomes, RejectedFileThenAFreshPatcherForTheNextFileThenEsc) {
  ToolSession tool;
  ASSERT_TRUE(tool.Start());
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"broken.bin")));
  ASSERT_FALSE(tool.IsEnabled("按钮4"));
  ASSERT_TRUE(tool.PressButton(L"读取"));
  EXPECT_TRUE(ExpectMessageBox(tool, kFileRejected, kInfoCaption, BoxIcon::kInformation));
  EXPECT_TRUE(WaitUntil([&] { return tool.IsEnabled("按钮4"); }, kStatusLimitMs));
  const std::wstring status = tool.StatusText();
  EXPECT_EQ(status.find(L"已完成BIOS读取"), std::wstring::npos) << ToGbk(status);
  EXPECT_EQ(status.find(L"正在编辑ME版本"), std::wstring::npos) << ToGbk(status);

  const std::vector<DWORD> first = DescendantsOf(tool.ProcessId());
  ASSERT_EQ(first.size(), 1u);
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_on.bin")));
  EXPECT_TRUE(WaitUntil([&] {
    const std::vector<DWORD> now = DescendantsOf(tool.ProcessId());
    return now.size() == 1 && now[0] != first[0];
  }, kStatusLimitMs)) << "the rejecting patcher is still there";
  ASSERT_TRUE(ReadAndAwaitDone(tool)) << ToGbk(tool.StatusText());
  HWND loaded = LoadedPatcherWindow(L"vendor_me_on.bin");
  ASSERT_NE(loaded, nullptr);

  PostMessageW(tool.MainWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_NE(tool.Processes().WaitForExit(tool.ProcessId(), 3000), DWORD(STILL_ACTIVE));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(loaded); }, 3000));
}

// One read of an image with its ME off, then what a user may get wrong afterwards.
TEST(ReadOutcomes, MeAlreadyOffThenSaveCancelledThenNothingTicked) {
  ToolSession tool;
  ASSERT_TRUE(tool.Start());
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_off.bin")));
  ASSERT_TRUE(ReadAndAwaitDone(tool)) << ToGbk(tool.StatusText());
  const std::vector<std::wstring> messages = MessagesFrom(SplitLines(tool.StatusText()), 1);
  const size_t closing = IndexOf(messages, L"正在关闭ME...");
  ASSERT_LT(closing + 2, messages.size()) << ToGbk(tool.StatusText());
  EXPECT_EQ(messages[closing + 1], kMeAlreadyOff);
  EXPECT_EQ(messages[closing + 2], L"正在读取BIOS原有代码...");
  EXPECT_TRUE(WaitUntil([&] { return MicrocodeRows(tool) == Rows({L"506E3"}); }, 30000));
  RecordStage(L"read");

  // A cancelled save path touches nothing.
  ASSERT_TRUE(tool.PressButton(L"执行制作"));
  ASSERT_TRUE(tool.CancelFileDialog(kDialogLimitMs));
  EXPECT_TRUE(ExpectMessageBox(tool, kNoPlaceChosen, kInfoCaption, BoxIcon::kExclamation));
  Pause(1500);  // time enough for a wrong save to show itself
  EXPECT_EQ(tool.StatusText().find(kSavedTo), std::wstring::npos);
  EXPECT_EQ(FirstTopLevel(L"#32770", L"Save image"), nullptr);

  // A confirm with no box ticked is refused and leaves the area unlocked.
  ASSERT_TRUE(tool.PressButton(L"解锁微码编辑区"));
  ASSERT_TRUE(WaitForStatusCount(tool, kRefreshed, 1, kStatusLimitMs));
  const size_t before = SplitLines(tool.StatusText()).size();
  ASSERT_TRUE(tool.PressButton(L"选完点击此处"));
  ASSERT_TRUE(WaitForStatusCount(tool, kRefreshed, 2, kConfirmLimitMs));
  const std::vector<std::wstring> added = MessagesFrom(SplitLines(tool.StatusText()), before - 1);
  EXPECT_EQ(added, (std::vector<std::wstring>{L"已确认微码...", kNothingTicked,
                                               kRefreshed, L"!"}));
  EXPECT_EQ(tool.Caption("按钮1"), L"选完点击此处");
  EXPECT_TRUE(tool.IsEnabled("W906EA"));
  EXPECT_EQ(MicrocodeRows(tool), Rows({L"506E3"}));
  RecordStage(L"nothing_ticked");

  // While the area is unlocked, a save would not have what may be ticked next: refused.
  ASSERT_TRUE(tool.PressButton(L"执行制作"));
  EXPECT_TRUE(ExpectMessageBox(
      tool, L"勾选的微码还没有确认,请先点击\"选完点击此处\",再点击\"执行制作\"", kInfoCaption,
      BoxIcon::kExclamation));
  EXPECT_EQ(tool.WaitForFileDialog(2000), nullptr);
}

// The patcher runs hidden, so the user could not close it: the tool closes it with itself.
TEST(ReadOutcomes, ClosingBeforeAnyReadClosesTheHiddenPatcher) {
  ToolSession tool;
  ASSERT_TRUE(tool.Start());
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_on.bin")));
  HWND start = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (DWORD child : DescendantsOf(tool.ProcessId())) {
      if ((start = FirstTopLevel(kPatcherClass, kPatcherStartTitle, child))) return true;
    }
    return false;
  }, kDialogLimitMs)) << "the patcher did not start";
  ASSERT_TRUE(CloseTool(tool));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(start); }, 3000));
}

}  // namespace
}  // namespace e2e

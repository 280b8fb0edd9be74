// The patcher misbehaving in the short ways: each ends with a clear message within the tool's
// bound, and nothing is claimed that did not happen.
#include <gtest/gtest.h>

#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"
#include "tests/e2e/scenarios/scenario_support.h"

namespace e2e {
namespace {

constexpr const wchar_t* kFileRejected =
    L"BIOS文件读取错误,请在官网下载原bios进行读取(不挑后缀名、拓展名)";
constexpr DWORD kVanishedNoticeMs = 15000;  // three empty load passes and the rejection probes
constexpr DWORD kUnsavedNoticeMs = 20000;   // the save dialog's 1 s wait and 5 s search

EnvironmentVariables Fault(const wchar_t* mode) { return {{L"BMT_STANDIN_FAULT", mode}}; }

bool ReadFinished(ToolSession& tool) {
  return tool.StatusText().find(L"已完成BIOS读取") != std::wstring::npos;
}

// Elapsed milliseconds since `start`.
ULONGLONG Since(ULONGLONG start) { return GetTickCount64() - start; }

TEST(PatcherFaults, RejectingEveryFileGivesTheReadErrorBox) {
  ToolSession tool;
  ASSERT_TRUE(tool.Start(Fault(L"reject-all")));
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_on.bin")));
  ASSERT_TRUE(tool.PressButton(L"读取"));
  EXPECT_TRUE(ExpectMessageBox(tool, kFileRejected, L"信息：", BoxIcon::kInformation));
  EXPECT_TRUE(WaitUntil([&] { return tool.IsEnabled("按钮4"); }, kStatusLimitMs));
  EXPECT_FALSE(ReadFinished(tool));
}

TEST(PatcherFaults, PatcherExitingDuringTheLoadIsNoticedWithinSeconds) {
  ToolSession tool;
  ASSERT_TRUE(tool.Start(Fault(L"exit-abruptly")));
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_on.bin")));
  const ULONGLONG pressed = GetTickCount64();
  ASSERT_TRUE(tool.PressButton(L"读取"));
  EXPECT_TRUE(ExpectMessageBoxMentioning(tool, L"CoffeeTime", kVanishedNoticeMs));
  EXPECT_LT(Since(pressed), kVanishedNoticeMs);
  EXPECT_TRUE(WaitUntil([&] { return tool.IsEnabled("按钮4"); }, kStatusLimitMs));
  EXPECT_FALSE(ReadFinished(tool));
  EXPECT_EQ(tool.StatusText().find(L"正在编辑ME版本"), std::wstring::npos);
}

TEST(PatcherFaults, MissingSaveDialogIsReportedAsNotSaved) {
  const std::wstring folder = ScratchFolder(L"fault_no_save_dialog");
  ToolSession tool;
  ASSERT_TRUE(tool.Start(Fault(L"no-save-dialog")));
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_on.bin")));
  ASSERT_TRUE(ReadAndAwaitDone(tool)) << ToGbk(tool.StatusText());
  ASSERT_TRUE(tool.PressButton(L"执行制作"));
  ASSERT_TRUE(tool.FillFileDialog(folder + L"\\ORVELLAN", kDialogLimitMs));
  const ULONGLONG filled = GetTickCount64();
  EXPECT_TRUE(tool.WaitForStatus(L"魔改BIOS未保存", kUnsavedNoticeMs)) << ToGbk(tool.StatusText());
  EXPECT_LT(Since(filled), kUnsavedNoticeMs);
  RecordStage(L"not_saved");
  EXPECT_EQ(tool.StatusText().find(kSavedTo), std::wstring::npos);
}

// The image comes late, and the patcher changed what nobody asked for: another MAC address, a
// code file left out, the settings store erased. Closing while the tool waits for it asks
// first, and "No" lets the wait and the check go on; each change is a warning.
TEST(PatcherFaults, LateWriteWithUnaskedChangesClosingAsksAndTheCheckWarns) {
  const std::wstring folder = ScratchFolder(L"fault_late_write");
  ToolSession tool;
  ASSERT_TRUE(tool.Start(Fault(L"late-write,lose-mac,drop-file,reset-settings")));
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_on.bin")));
  ASSERT_TRUE(ReadAndAwaitDone(tool)) << ToGbk(tool.StatusText());
  ASSERT_TRUE(tool.PressButton(L"执行制作"));
  ASSERT_TRUE(tool.FillFileDialog(folder + L"\\ORVELLAN", kDialogLimitMs));
  // The tool fills the patcher's save dialog; once that is gone, the tool waits for the file.
  const auto patcherDialogOpen = [] { return !TopLevelWindows(L"#32770", L"Save image").empty(); };
  ASSERT_TRUE(WaitUntil(patcherDialogOpen, kDialogLimitMs));
  ASSERT_TRUE(WaitUntil([&] { return !patcherDialogOpen(); }, kDialogLimitMs));
  PostMessageW(tool.MainWindow(), WM_CLOSE, 0, 0);
  const std::optional<MessageBoxInfo> question = tool.WaitForMessageBox(kDialogLimitMs);
  ASSERT_TRUE(question) << "closing did not ask";
  EXPECT_EQ(question->text, L"魔改BIOS还没有核对完。现在退出,这个BIOS将没有核对结果,不要刷入它。确定退出吗?");
  RecordStage(L"close_question");
  ASSERT_TRUE(tool.AnswerMessageBox(*question, IDNO));
  ASSERT_TRUE(tool.WaitForStatus(kSavedTo, kSaveLimitMs)) << ToGbk(tool.StatusText());
  RecordStage(L"saved_late");
  const std::wstring target = SavedImagePath(tool.StatusText());
  EXPECT_EQ(target.rfind(folder + L"\\ORVELLAN", 0), 0u) << ToGbk(target);
  const std::optional<standin::ParseResult> image = ParseImageFile(target);
  ASSERT_TRUE(image) << "the line names a file that is not there: " << ToGbk(target);
  EXPECT_TRUE(image->ok());
  EXPECT_EQ(image->summary.me, standin::kReplacementMe);
  for (const wchar_t* warning : {L"警告：魔改BIOS的GbE区域与原版不同,网卡MAC地址可能已改变",
                                 L"警告：魔改BIOS中缺少原版的文件53544E44-5354-4E44-A000-000000000012",
                                 L"警告：魔改BIOS中的数据块FFF12B8D-7696-4C8B-A985-2747075B4F50与原版不同(可能是BIOS设置存储)"}) {
    EXPECT_TRUE(tool.WaitForStatus(warning, kStatusLimitMs)) << ToGbk(tool.StatusText());
  }
  EXPECT_TRUE(ExpectMessageBox(tool, L"魔改BIOS没有通过核对,请看状态栏中的警告,不要刷入这个BIOS", L"信息：",
                               BoxIcon::kExclamation));
  EXPECT_EQ(tool.StatusText().find(L"已核对"), std::wstring::npos);
  EXPECT_EQ(tool.StatusText().find(L"对比原版："), std::wstring::npos);
  EXPECT_TRUE(IsWindow(tool.MainWindow())) << "No keeps the tool open";
}

}  // namespace
}  // namespace e2e

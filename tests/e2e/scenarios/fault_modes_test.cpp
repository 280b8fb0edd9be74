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

TEST(PatcherFaults, LateWriteWithinTheBoundIsStillReportedAsSaved) {
  const std::wstring folder = ScratchFolder(L"fault_late_write");
  ToolSession tool;
  ASSERT_TRUE(tool.Start(Fault(L"late-write")));
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_on.bin")));
  ASSERT_TRUE(ReadAndAwaitDone(tool)) << ToGbk(tool.StatusText());
  ASSERT_TRUE(tool.PressButton(L"执行制作"));
  ASSERT_TRUE(tool.FillFileDialog(folder + L"\\ORVELLAN", kDialogLimitMs));
  ASSERT_TRUE(tool.WaitForStatus(kSavedTo, kSaveLimitMs)) << ToGbk(tool.StatusText());
  RecordStage(L"saved_late");
  const std::wstring target = SavedImagePath(tool.StatusText());
  EXPECT_EQ(target.rfind(folder + L"\\ORVELLAN", 0), 0u) << ToGbk(target);
  const std::optional<standin::ParseResult> image = ParseImageFile(target);
  ASSERT_TRUE(image) << "the line names a file that is not there: " << ToGbk(target);
  EXPECT_TRUE(image->ok());
  EXPECT_EQ(image->summary.me, standin::kReplacementMe);
}

}  // namespace
}  // namespace e2e

// What the tool refuses so that nothing of the user's is lost or passed off as done: a second
// start of the tool, a save that would replace an image of the same minute, FIT missing from
// the tool folder, and a vendor file that was deleted or locked after "打开".
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/scoped_handles.h"
#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/image_files.h"
#include "tests/e2e/harness/process_group.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"
#include "tests/e2e/scenarios/scenario_support.h"

namespace e2e {
namespace {

constexpr const wchar_t* kInfoCaption = L"信息：";
constexpr const wchar_t* kMainWindowClass = L"BiosMakerMainWindow";
constexpr DWORD kExitLimitMs = 10000;

bool Holds(ToolSession& tool, const std::wstring& fragment) {
  return tool.StatusText().find(fragment) != std::wstring::npos;
}

TEST(OneTool, SecondStartPointsToTheFirstAndLeavesItWhole) {
  ToolSession first;
  ASSERT_TRUE(first.Start());
  ASSERT_TRUE(ChooseFile(first, SamplePath(L"vendor_me_on.bin")));

  ToolSession second;
  ASSERT_TRUE(second.Launch());
  const std::optional<MessageBoxInfo> box = second.WaitForMessageBox(kDialogLimitMs);
  ASSERT_TRUE(box) << "the second start showed no message box";
  RecordStage(L"second_start");
  EXPECT_EQ(box->text, L"本工具已经在运行,请使用已经打开的窗口");
  EXPECT_EQ(box->caption, kInfoCaption);
  EXPECT_EQ(int(box->icon), int(BoxIcon::kInformation));
  EXPECT_TRUE(TopLevelWindows(kMainWindowClass, L"", second.ProcessId()).empty());
  EXPECT_TRUE(DescendantsOf(second.ProcessId()).empty()) << "the second start started a program";
  EXPECT_TRUE(second.DismissMessageBox(*box));
  EXPECT_NE(second.Processes().WaitForExit(second.ProcessId(), kExitLimitMs), DWORD(STILL_ACTIVE));

  EXPECT_TRUE(IsWindow(first.MainWindow()));
  EXPECT_EQ(TopLevelWindows(kPatcherClass, kPatcherStartTitle).size(), 1u);
  EXPECT_TRUE(ReadAndAwaitDone(first)) << ToGbk(first.StatusText());
  EXPECT_FALSE(Holds(first, L"魔改BIOS未保存"));
}

// The made image's name carries hour and minute only. Two saves that the minute divides are
// not what this is about: they are not begun in a minute's last 20 s, and should the minute
// still turn between them (by the test's own clock around both), the pair is made again in a
// fresh folder, at most three times.
TEST(NothingOverwritten, SecondSaveInTheSameMinuteLeavesTheFirstImage) {
  constexpr const wchar_t* kRefused = L"魔改BIOS未保存";
  ToolSession tool;
  ASSERT_TRUE(tool.Start());
  ASSERT_TRUE(ChooseFile(tool, SamplePath(L"vendor_me_on.bin")));
  ASSERT_TRUE(ReadAndAwaitDone(tool)) << ToGbk(tool.StatusText());

  const auto now = [] {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return time;
  };
  const auto minuteOf = [](const SYSTEMTIME& t) { return t.wHour * 60 + t.wMinute; };
  const auto save = [&](const std::wstring& folder) {
    return tool.PressButton(L"执行制作") &&
           tool.FillFileDialog(folder + L"\\ORVELLAN", kDialogLimitMs);
  };
  for (int attempt = 1; attempt <= 3; ++attempt) {
    SCOPED_TRACE(attempt);
    if (now().wSecond >= 40) {
      const int minute = minuteOf(now());
      WaitUntil([&] { return minuteOf(now()) != minute; }, 25000, 200);
    }
    const std::wstring folder = ScratchFolder(L"same_minute_" + std::to_wstring(attempt));
    const size_t refusedBefore = CountOf(tool.StatusText(), kRefused);
    const size_t savedBefore = CountOf(tool.StatusText(), kSavedTo);
    const size_t checkedBefore = CountOf(tool.StatusText(), L"魔改BIOS内容：");
    const int startMinute = minuteOf(now());

    ASSERT_TRUE(save(folder));
    ASSERT_TRUE(WaitForStatusCount(tool, L"魔改BIOS内容：", checkedBefore + 1, kSaveLimitMs))
        << ToGbk(tool.StatusText());
    const std::wstring status = tool.StatusText();
    const std::wstring firstImage = SavedImagePath(status.substr(status.rfind(kSavedTo)));
    const std::optional<std::vector<uint8_t>> firstBytes = ReadFileBytes(firstImage);
    ASSERT_TRUE(firstBytes) << ToGbk(firstImage);

    ASSERT_TRUE(save(folder));
    ASSERT_TRUE(WaitUntil([&] {
      const std::wstring text = tool.StatusText();
      return CountOf(text, kRefused) > refusedBefore || CountOf(text, kSavedTo) > savedBefore + 1;
    }, kSaveLimitMs, 200)) << ToGbk(tool.StatusText());
    if (minuteOf(now()) != startMinute) {
      // The second save may have had a name of its own: then it is let finish first.
      if (CountOf(tool.StatusText(), kSavedTo) > savedBefore + 1) {
        ASSERT_TRUE(WaitForStatusCount(tool, L"魔改BIOS内容：", checkedBefore + 2, kSaveLimitMs));
      }
      continue;
    }

    RecordStage(L"second_save_refused");
    EXPECT_TRUE(Holds(tool, L"已有文件" + firstImage +
                                L",为免覆盖,魔改BIOS未保存,请换一个名称或稍后再试"))
        << ToGbk(tool.StatusText());
    EXPECT_EQ(CountOf(tool.StatusText(), kSavedTo), savedBefore + 1);
    Pause(1500);  // a save dialog the patcher opened would be there by now
    EXPECT_EQ(FirstTopLevel(L"#32770", L"Save image"), nullptr);
    EXPECT_EQ(ReadFileBytes(firstImage), firstBytes) << "the first image was changed";
    return;
  }
  FAIL() << "no two saves fell in one minute in three tries";
}

// FIT is looked for in the tool's own folder: a copy of the tool in a folder of its own has
// none, and says so before starting anything.
TEST(Licence, MissingFitIsSaidAndNothingStarted) {
  const std::wstring folder = ScratchFolder(L"tool_without_fit");
  const std::wstring exe = folder + L"\\BiosMaker.exe";
  ASSERT_TRUE(CopyFileW((RunFolder() + L"\\BiosMaker.exe").c_str(), exe.c_str(), FALSE));
  ToolSession tool;
  ASSERT_TRUE(tool.Launch({}, exe));
  ASSERT_TRUE(tool.WaitForMainWindow(20000));
  ASSERT_TRUE(tool.PressButton(L"许可协议"));
  EXPECT_TRUE(ExpectMessageBox(tool,
                               L"找不到FIT(orvellanQZ\\bin\\fit\\fit.exe),请确认orvellanQZ文件夹完整",
                               L"ORVELLANQZ温馨提醒您", BoxIcon::kExclamation));
  EXPECT_TRUE(DescendantsOf(tool.ProcessId()).empty()) << "a program was started";
  EXPECT_TRUE(TopLevelWindows(kFitClass, L"").empty());
}

// The vendor file changed after "打开": deleted, held open by another program that shares it
// with no one, or replaced by another image. "读取" tells the user, hands nothing to the
// patcher and leaves "打开".
TEST(VendorFileAtRead, DeletedLockedOrReplacedFileIsNotHandedToThePatcher) {
  enum class Change { kDelete, kLock, kReplace };
  struct Case {
    const wchar_t* name;
    Change change;
    const wchar_t* message;
  };
  const wchar_t* kUnopenable = L"无法打开原版BIOS文件(可能已被删除或被其他程序占用),请重新点击\"打开\"选择";
  const Case cases[] = {{L"deleted.bin", Change::kDelete, kUnopenable},
                        {L"locked.bin", Change::kLock, kUnopenable},
                        {L"replaced.bin", Change::kReplace, L"原版BIOS文件在打开后被改动过,请重新点击\"打开\"选择原版BIOS"}};
  const std::wstring folder = ScratchFolder(L"vendor_file_at_read");
  for (const Case& c : cases) {
    SCOPED_TRACE(ToGbk(c.name));
    const std::wstring record = folder + L"\\patcher_input_" + c.name + L".txt";
    const std::wstring vendor = CopySample(L"vendor_me_on.bin", folder, c.name);
    ASSERT_FALSE(vendor.empty());
    ToolSession tool;
    ASSERT_TRUE(tool.Start({{L"BMT_STANDIN_RECORD", record}}));
    ASSERT_TRUE(ChooseFile(tool, vendor));

    platform::UniqueHandle lock;
    switch (c.change) {
      case Change::kLock:
        lock.Reset(CreateFileW(vendor.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        break;
      case Change::kDelete: ASSERT_TRUE(DeleteFileW(vendor.c_str())); break;
      case Change::kReplace:
        ASSERT_TRUE(CopyFileW(SamplePath(L"vendor_me_off.bin").c_str(), vendor.c_str(), FALSE));
        break;
    }
    ASSERT_TRUE(tool.PressButton(L"读取"));
    EXPECT_TRUE(ExpectMessageBox(tool, c.message, kInfoCaption, BoxIcon::kInformation));
    EXPECT_EQ(Holds(tool, c.message), c.change == Change::kReplace) << "the change is also a status line";
    EXPECT_TRUE(WaitUntil([&] { return tool.IsEnabled("按钮4") && !tool.IsEnabled("按钮5"); },
                          kStatusLimitMs));
    EXPECT_FALSE(Holds(tool, L"正在加载BIOS配置项")) << ToGbk(tool.StatusText());
    EXPECT_TRUE(ReadInputRecord(record).empty()) << "input was posted to the patcher";
    EXPECT_TRUE(CloseTool(tool));
  }
}

}  // namespace
}  // namespace e2e

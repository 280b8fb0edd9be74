// The whole job as a user does it: open, read, choose microcodes, accept FIT's licence, save,
// close. Every stage is checked from outside the tool and recorded as a screenshot.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/image_files.h"
#include "tests/e2e/harness/screenshot.h"
#include "tests/e2e/harness/status_lines.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"
#include "tests/e2e/scenarios/scenario_support.h"

namespace e2e {
namespace {

constexpr const char* kCheckBoxes[] = {"W506E0", "W506E1", "W506E3", "W506E8", "W906E9",
                                       "W906EA", "W906EB", "W906EC", "W906ED"};
constexpr const wchar_t* kLicenceCaption = L"ORVELLANQZ温馨提醒您";
constexpr const wchar_t* kPleaseAccept =
    L"选择 I accept the license agreement便为同意英特尔不知道什么协议，否之无法进行制作bios";
constexpr const wchar_t* kAlreadyAccepted =
    L"您已同意英特尔不知道什么协议，无需再次同意,关掉协议窗口方可";

bool BoxesEnabled(ToolSession& tool, bool enabled) {
  return std::all_of(std::begin(kCheckBoxes), std::end(kCheckBoxes),
                     [&](const char* box) { return tool.IsEnabled(box) == enabled; });
}

// The tool's own time stamp text for the clock of now, one minute either side allowed.
bool StampIsNear(int hour, int minute) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const int stamped = hour * 60 + minute, current = now.wHour * 60 + now.wMinute;
  const int difference = std::abs(current - stamped);
  return difference <= 2 || difference >= 24 * 60 - 2;
}

TEST(WholeJob, FromVendorImageToSavedModdedImage) {
  const std::wstring vendor = SamplePath(L"vendor_me_on.bin");
  const std::optional<std::vector<uint8_t>> vendorBefore = ReadFileBytes(vendor);
  ASSERT_TRUE(vendorBefore) << ToGbk(vendor);
  const std::wstring licenceState = ScratchFolder(L"whole_job_licence");
  const std::wstring saveFolder = ScratchFolder(L"whole_job_saved");

  ToolSession tool;
  ASSERT_TRUE(tool.Start({{L"BMT_STANDIN_STATE_DIR", licenceState}}));
  RecordStage(L"started");
  EXPECT_EQ(tool.Bounds().bottom - tool.Bounds().top, 180);

  // Open and read.
  ASSERT_TRUE(ChooseFile(tool, vendor));
  EXPECT_FALSE(tool.IsEnabled("按钮4"));
  EXPECT_TRUE(tool.IsEnabled("按钮5"));
  RecordStage(L"file_chosen");
  ASSERT_TRUE(ReadAndAwaitDone(tool)) << ToGbk(tool.StatusText());

  const std::vector<std::wstring> lines = SplitLines(tool.StatusText());
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], L"工作状态：");
  const std::vector<std::wstring> expected = {
      L"  已加入原版BIOS" + vendor,
      L"原版BIOS内容：ME版本11.6.0.1126，ME关闭位(HAP)未设置，微码506E3(修订C2) 906E9(修订B1)",
      L"正在加载BIOS配置项(本次停留时间较长,请耐心等待.....",
      L"正在编辑ME版本...",
      L"正在刷入11.8.77.3664的ME版本...",
      L"正在关闭ME...",
      L"正在读取BIOS原有代码...",
      kReadDone,
      L"!",  // the empty line after the read's last line carries no stamp
  };
  EXPECT_EQ(MessagesFrom(lines, 1), expected);
  for (size_t i = 1; i + 1 < lines.size(); ++i) {
    const std::optional<StampedLine> stamped = ParseStampedLine(lines[i]);
    ASSERT_TRUE(stamped) << "line " << i << ": " << ToGbk(lines[i]);
    EXPECT_TRUE(StampIsNear(stamped->hour, stamped->minute)) << ToGbk(lines[i]);
  }

  // The window grows, is centred, and lists what the image holds.
  EXPECT_TRUE(WaitUntil([&] {
    const RECT r = tool.Bounds();
    return r.bottom - r.top == 764 && IsCentred(r);
  }, 30000)) << "main window not 764 high and centred";
  EXPECT_TRUE(WaitUntil([&] { return MicrocodeRows(tool) == Rows({L"506E3", L"906E9"}); }, 30000));
  EXPECT_FALSE(tool.IsEnabled("按钮4"));
  EXPECT_FALSE(tool.IsEnabled("按钮5"));
  EXPECT_TRUE(BoxesEnabled(tool, false));
  RecordStage(L"read");
  SaveScreenshot(L"tool_after_read", tool.MainWindow());  // the README's picture

  // Unlock, tick two more microcodes, confirm.
  EXPECT_EQ(tool.Caption("按钮1"), L"解锁微码编辑区");
  ASSERT_TRUE(tool.PressButton(L"解锁微码编辑区"));
  ASSERT_TRUE(WaitForStatusCount(tool, kRefreshed, 1, kStatusLimitMs));
  EXPECT_EQ(tool.Caption("按钮1"), L"选完点击此处");
  EXPECT_TRUE(BoxesEnabled(tool, true));
  ASSERT_TRUE(tool.SetCheckBox(L"906EA", true));
  ASSERT_TRUE(tool.SetCheckBox(L"906EC", true));
  RecordStage(L"ticked");
  ASSERT_TRUE(tool.PressButton(L"选完点击此处"));
  ASSERT_TRUE(WaitForStatusCount(tool, kRefreshed, 2, kConfirmLimitMs));
  EXPECT_EQ(MicrocodeRows(tool), Rows({L"506E3", L"906E9", L"906EA", L"906EC"}));
  EXPECT_EQ(tool.Caption("按钮1"), L"解锁微码编辑区");
  EXPECT_TRUE(BoxesEnabled(tool, false));
  for (const char* box : kCheckBoxes) {
    const bool chosen = std::string(box) == "W906EA" || std::string(box) == "W906EC";
    EXPECT_EQ(tool.IsChecked(box), chosen) << box;
  }
  RecordStage(L"confirmed");

  // FIT: first the licence still needs accepting, then it is accepted.
  ASSERT_TRUE(tool.PressButton(L"许可协议"));
  EXPECT_TRUE(ExpectMessageBox(tool, kPleaseAccept, kLicenceCaption, BoxIcon::kExclamation,
                               kLicenceLimitMs));
  ASSERT_TRUE(AcceptFitLicence(kDialogLimitMs));
  ASSERT_TRUE(tool.PressButton(L"许可协议"));
  EXPECT_TRUE(ExpectMessageBox(tool, kAlreadyAccepted, kLicenceCaption, BoxIcon::kExclamation,
                               kLicenceLimitMs));
  EXPECT_EQ(FitProcessesOf(tool.ProcessId()).size(), 2u);
  RecordStage(L"licence");

  // Save.
  const std::wstring chosenPath = saveFolder + L"\\ORVELLAN";
  ASSERT_TRUE(tool.PressButton(L"执行制作"));
  ASSERT_TRUE(tool.FillFileDialog(chosenPath, kDialogLimitMs));
  ASSERT_TRUE(tool.WaitForStatus(L"核对报告已保存到", kSaveLimitMs)) << ToGbk(tool.StatusText());
  RecordStage(L"saved");
  const std::vector<std::wstring> after = SplitLines(tool.StatusText());
  // The check: what the image holds, that nothing else changed (the code volume's six files and
  // its volume top file the same, the microcode file changed), how to flash it, the verdict.
  ASSERT_GE(after.size(), 7u);
  const std::wstring savedLine = after[after.size() - 7];
  EXPECT_EQ(MessagesFrom(std::vector<std::wstring>(after.end() - 6, after.end() - 2), 0),
            (std::vector<std::wstring>{
                L"魔改BIOS内容：ME版本11.8.77.3664，ME关闭位(HAP)已设置，微码506E3(修订C2) 906E9(修订B1) 906EA(修订B4) 906EC(修订B2)",
                L"对比原版：除ME区域、ME关闭位、微码和FIT表外,魔改BIOS与原版一致(7个文件相同)",
                L"魔改BIOS是完整的闪存镜像(16777216字节),可以用编程器刷入",
                L"已核对：所选微码和ME版本11.8.77.3664都已写入魔改BIOS"}));
  EXPECT_EQ(after.back(), L"");
  const std::optional<StampedLine> saved = ParseStampedLine(savedLine, L'_');
  ASSERT_TRUE(saved) << ToGbk(savedLine);
  EXPECT_TRUE(StampIsNear(saved->hour, saved->minute));
  const std::wstring stamp = std::to_wstring(saved->hour) + L"_" + std::to_wstring(saved->minute);
  const std::wstring target = chosenPath + stamp;
  EXPECT_EQ(saved->message, kSavedTo + target);

  // The report beside the image holds what the tool read in both images.
  EXPECT_EQ(MessagesFrom({after[after.size() - 2]}, 0),
            (std::vector<std::wstring>{L"核对报告已保存到" + target + L".txt"}));
  const std::optional<std::vector<uint8_t>> reportBytes = ReadFileBytes(target + L".txt");
  ASSERT_TRUE(reportBytes) << "no report at " << ToGbk(target) << ".txt";
  const std::string report(reportBytes->begin(), reportBytes->end());
  for (const std::wstring& part :
       {L"原版BIOS：" + vendor + L"\r\ndescriptor at 0x0\r\nhap clear\r\nme 11.6.0.1126\r\n",
        L"魔改BIOS：" + target + L"\r\ndescriptor at 0x0\r\nhap set\r\nme 11.8.77.3664\r\n",
        std::wstring(L"与原版对比：\r\nprefix same 0x0\r\nsize same 0x1000000\r\nregion descriptor hap\r\n"
                     L"region bios differs\r\nregion me differs\r\nregion gbe same\r\nfiles 8 same 7\r\n"
                     L"file 53544E44-5354-4E44-A000-000000000001 changed microcode fit\r\n\r\n"),
        std::wstring(L"所选微码：906EA 906EC\r\n"),
        std::wstring(L"\r\n已核对：所选微码和ME版本11.8.77.3664都已写入魔改BIOS\r\n\r\n状态栏：")}) {
    EXPECT_NE(report.find(ToGbk(part)), std::string::npos) << ToGbk(part);
  }

  const std::optional<standin::ParseResult> image = ParseImageFile(target);
  ASSERT_TRUE(image) << "no image at " << ToGbk(target);
  ASSERT_TRUE(image->ok()) << standin::DescribeError(image->error);
  std::vector<uint32_t> cpuids = image->summary.cpuids;
  std::sort(cpuids.begin(), cpuids.end());
  EXPECT_EQ(cpuids, (std::vector<uint32_t>{0x506E3, 0x906E9, 0x906EA, 0x906EC}));
  EXPECT_EQ(image->summary.me, standin::kReplacementMe);
  EXPECT_FALSE(image->summary.meEnabled);
  EXPECT_EQ(ReadFileBytes(vendor), vendorBefore) << "the vendor file was changed";
  // Kept for whoever watches a run: the produced image and the status box as the tool has it.
  ASSERT_TRUE(WriteFileBytes(OutFolder() + L"\\modded_image.bin", *ReadFileBytes(target)));
  const std::string statusLog = ToGbk(tool.StatusText());
  ASSERT_TRUE(WriteFileBytes(OutFolder() + L"\\status_log.txt", {statusLog.begin(), statusLog.end()}));

  // Closing the tool closes the patcher's loaded window.
  ASSERT_NE(LoadedPatcherWindow(L"vendor_me_on.bin"), nullptr);
  EXPECT_TRUE(CloseTool(tool));
  EXPECT_TRUE(WaitUntil([] { return LoadedPatcherWindow(L"vendor_me_on.bin") == nullptr; }, 10000));
}

}  // namespace
}  // namespace e2e

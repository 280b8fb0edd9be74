// A patcher drawn otherwise than our stored label pictures, read with pictures the user cut
// from it and put in the tool folder's labels folder, and the window picture the tool hands
// over to cut them from.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "imaging/bmp_decoder.h"
#include "imaging/bmp_encoder.h"
#include "imaging/colour_search.h"
#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/image_files.h"
#include "tests/e2e/harness/window_probe.h"
#include "tests/e2e/scenarios/scenario_support.h"

namespace e2e {
namespace {

constexpr const wchar_t* kPassed = L"已核对：";
constexpr const wchar_t* kSavedWindow = L"已把CoffeeTime窗口画面保存到";
constexpr const wchar_t* kCutHint = L",可从中剪下微码格和ME状态(Enabled)的图片存为24位BMP放入";
constexpr const wchar_t* kVendor = L"vendor_me_on.bin";

// The stand-in patcher writing its own art's pictures into `folder`, as a user would cut them.
bool WriteOwnArtPictures(const std::wstring& folder) {
  std::wstring command = L"\"" + RunFolder() + L"\\orvellanQZ\\ov.exe\" --write-own-labels \"" +
                         folder + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  DWORD exitCode = 1;
  if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &exitCode);
  } else {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode == 0;
}

std::optional<imaging::ColourImage> ReadPicture(const std::wstring& path) {
  const std::optional<std::vector<uint8_t>> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return imaging::DecodeBmp({reinterpret_cast<const char*>(bytes->data()), bytes->size()});
}

// The rectangle at (left, top), counted from the top-left corner, cut out of `whole`.
imaging::ColourImage Cut(const imaging::ColourImage& whole, int32_t left, int32_t top,
                         int32_t width, int32_t height) {
  imaging::ColourImage cut{width, height, {}};
  cut.pixels.assign(static_cast<size_t>(cut.stride() * height), 0);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* from = whole.pixels.data() + (whole.height - 1 - (top + y)) * whole.stride();
    uint8_t* to = cut.pixels.data() + (height - 1 - y) * cut.stride();
    std::copy(from + 3 * left, from + 3 * (left + width), to);
  }
  return cut;
}

bool WritePicture(const std::wstring& path, const imaging::ColourImage& picture) {
  const std::string file = imaging::EncodeBmp24(picture);
  return WriteFileBytes(path, {file.begin(), file.end()});
}

class LabelPictures : public ::testing::Test {
 protected:
  void SetUp() override { RemoveFolder(LabelsFolder()); }
  // The run folder is shared with the other scenarios: it is left as it was found.
  void TearDown() override { RemoveFolder(LabelsFolder()); }

  // Starts the tool with the own-art patcher (and `moreFaults`), its input recorded, and reads
  // the vendor file.
  void StartAndRead(const std::wstring& scratch, const std::wstring& moreFaults = L"") {
    folder_ = ScratchFolder(scratch);
    record_ = folder_ + L"\\patcher_input.txt";
    DeleteFileW(record_.c_str());
    ASSERT_TRUE(tool_.Start({{L"BMT_STANDIN_FAULT", L"own-art" + moreFaults}, {L"BMT_STANDIN_RECORD", record_}}));
    ASSERT_TRUE(ChooseFile(tool_, SamplePath(kVendor)));
    ASSERT_TRUE(ReadAndAwaitDone(tool_)) << ToGbk(tool_.StatusText());
  }

  bool Holds(const std::wstring& fragment) {
    return tool_.StatusText().find(fragment) != std::wstring::npos;
  }

  // How often the patcher's input record shows a click on its ME switch.
  int MeSwitchClicks() {
    int clicks = 0;
    for (const RecordedInput& input : ReadInputRecord(record_)) {
      if (input.message == WM_LBUTTONDOWN && LPARAM(input.lParam) == MAKELPARAM(175, 161)) ++clicks;
    }
    return clicks;
  }

  // The path the status box says the window picture was saved to; empty when none.
  std::wstring SavedWindowPath() {
    const std::wstring status = tool_.StatusText();
    const size_t start = status.find(kSavedWindow);
    if (start == std::wstring::npos) return {};
    const size_t from = start + std::wcslen(kSavedWindow);
    const size_t end = status.find(kCutHint, from);
    return end == std::wstring::npos ? std::wstring() : status.substr(from, end - from);
  }

  // The vendor file's CPUIDs in the order the patcher lists them.
  std::vector<std::wstring> VendorCpuids() {
    std::vector<std::wstring> cpuids;
    if (const auto image = ParseImageFile(SamplePath(kVendor)); image && image->ok()) {
      for (uint32_t cpuid : image->summary.cpuids) {
        const std::string text = standin::CpuidText(cpuid);
        cpuids.emplace_back(text.begin(), text.end());
      }
    }
    return cpuids;
  }

  ToolSession tool_;
  std::wstring folder_, record_;
};

TEST_F(LabelPictures, TheUsersOwnPicturesReadTheWindowAsOnTheHappyPath) {
  ASSERT_TRUE(CreateDirectoryW(LabelsFolder().c_str(), nullptr));
  ASSERT_TRUE(WriteOwnArtPictures(LabelsFolder()));
  // The patcher also writes the code volume's files in another order: not a fault.
  ASSERT_NO_FATAL_FAILURE(StartAndRead(L"labels_own_pictures", L",move-files"));
  EXPECT_TRUE(Holds(L"已载入labels文件夹中的10张标签图片")) << ToGbk(tool_.StatusText());
  EXPECT_FALSE(Holds(L"未能识别")) << ToGbk(tool_.StatusText());
  EXPECT_FALSE(Holds(L"ME版本已经关闭")) << "the ME was on: it is switched, not found off";
  EXPECT_FALSE(Holds(L"ME可能未关闭"));
  EXPECT_EQ(MicrocodeRows(tool_), Rows({L"506E3", L"906E9"}));
  EXPECT_EQ(MeSwitchClicks(), 1);

  ASSERT_TRUE(tool_.PressButton(L"解锁微码编辑区"));
  ASSERT_TRUE(WaitForStatusCount(tool_, kRefreshed, 1, kStatusLimitMs));
  ASSERT_TRUE(tool_.SetCheckBox(L"906EC", true));
  ASSERT_TRUE(tool_.PressButton(L"选完点击此处"));
  ASSERT_TRUE(WaitForStatusCount(tool_, kRefreshed, 2, kConfirmLimitMs));
  EXPECT_EQ(MicrocodeRows(tool_), Rows({L"506E3", L"906E9", L"906EC"}));

  ASSERT_TRUE(tool_.PressButton(L"执行制作"));
  ASSERT_TRUE(tool_.FillFileDialog(folder_ + L"\\ORVELLAN", kDialogLimitMs));
  EXPECT_TRUE(tool_.WaitForStatus(kPassed, kSaveLimitMs)) << ToGbk(tool_.StatusText());
  EXPECT_TRUE(Holds(L"对比原版：除ME区域、ME关闭位、微码和FIT表外,魔改BIOS与原版一致(7个文件相同)"))
      << "moved files are the same files";
  EXPECT_EQ(SavedWindowPath(), L"") << "nothing to hand over";
  RecordStage(L"saved");
}

// Pictures that would make the tool lie are not believed: an ME picture that matches nothing
// (the window then seems to show the ME off, against the vendor file's HAP bit) and a picture
// of one colour (found anywhere). Nothing is clicked on the guess; the list holds what the
// vendor file holds; the made image's HAP bit decides, and it is clear.
TEST_F(LabelPictures, PicturesThatWouldMakeTheToolLieAreNotBelieved) {
  ASSERT_TRUE(CreateDirectoryW(LabelsFolder().c_str(), nullptr));
  ASSERT_TRUE(WriteOwnArtPictures(LabelsFolder()));
  imaging::ColourImage noise{40, 12, {}}, plain{40, 12, {}};
  noise.pixels.resize(static_cast<size_t>(noise.stride() * noise.height));
  for (size_t i = 0; i < noise.pixels.size(); ++i) noise.pixels[i] = uint8_t(i * 37 + i / 7);
  plain.pixels.assign(static_cast<size_t>(plain.stride() * plain.height), 0xC0);
  ASSERT_TRUE(WritePicture(LabelsFolder() + L"\\ME.bmp", noise));
  ASSERT_TRUE(WritePicture(LabelsFolder() + L"\\906EA.bmp", plain));
  ASSERT_NO_FATAL_FAILURE(StartAndRead(L"labels_not_believed"));
  EXPECT_TRUE(Holds(L"已载入labels文件夹中的9张标签图片")) << ToGbk(tool_.StatusText());
  EXPECT_TRUE(Holds(L"标签图片906EA.bmp无法使用,图片几乎只有一种颜色"));
  EXPECT_EQ(MicrocodeRows(tool_), Rows({L"506E3", L"906E9"}));
  EXPECT_TRUE(Holds(L"CoffeeTime窗口中没有看到ME已开启,但原版BIOS的ME关闭位(HAP)未设置,ME开关未点击,labels文件夹中的ME图片可能不对"));
  EXPECT_FALSE(Holds(L"ME版本已经关闭"));
  EXPECT_EQ(MeSwitchClicks(), 0);

  ASSERT_TRUE(tool_.PressButton(L"执行制作"));
  ASSERT_TRUE(tool_.FillFileDialog(folder_ + L"\\ORVELLAN", kDialogLimitMs));
  EXPECT_TRUE(tool_.WaitForStatus(L"警告：魔改BIOS的ME关闭位(HAP)未设置,ME没有关闭", kSaveLimitMs))
      << ToGbk(tool_.StatusText());
  EXPECT_TRUE(ExpectMessageBox(tool_, L"魔改BIOS没有通过核对,请看状态栏中的警告,不要刷入这个BIOS", L"信息：",
                               BoxIcon::kExclamation));
  EXPECT_FALSE(Holds(kPassed));
  RecordStage(L"not_believed");
}

TEST_F(LabelPictures, WindowPictureHandedOverIsOneToCutTheLabelsFrom) {
  ASSERT_NO_FATAL_FAILURE(StartAndRead(L"labels_cut_from_capture"));
  RecordStage(L"first_read");
  const std::wstring saved = SavedWindowPath();
  ASSERT_EQ(saved.rfind(LabelsFolder() + L"\\截图\\CoffeeTime窗口-", 0), 0u) << ToGbk(tool_.StatusText());
  EXPECT_TRUE(Holds(std::wstring(kCutHint) + LabelsFolder() + L",再重新打开本工具"));
  const std::optional<imaging::ColourImage> window = ReadPicture(saved);
  ASSERT_TRUE(window) << "no 24-bit picture at " << ToGbk(saved);

  // Cut the first listed microcode's cell where the patcher's own picture of it is found.
  const std::vector<std::wstring> cpuids = VendorCpuids();
  ASSERT_FALSE(cpuids.empty());
  const std::wstring reference = ScratchFolder(L"labels_reference");
  ASSERT_TRUE(WriteOwnArtPictures(reference));
  const std::optional<std::vector<uint8_t>> cell = ReadFileBytes(reference + L"\\" + cpuids[0] + L".bmp");
  ASSERT_TRUE(cell);
  const std::optional<imaging::ColourImage> cellPicture = ReadPicture(reference + L"\\" + cpuids[0] + L".bmp");
  ASSERT_TRUE(cellPicture);
  const imaging::MatchPoint centre = imaging::SearchBmpTemplate(
      imaging::ViewOf(*window), {reinterpret_cast<const char*>(cell->data()), cell->size()});
  ASSERT_TRUE(centre.found()) << "the cell is not in the saved picture";
  const int32_t width = cellPicture->width, height = cellPicture->height;
  ASSERT_TRUE(WritePicture(LabelsFolder() + L"\\" + cpuids[0] + L"_cut.bmp",
                           Cut(*window, centre.x - width / 2, centre.y - height / 2, width, height)));
  const std::string broken = "BM not a picture";
  ASSERT_TRUE(WriteFileBytes(LabelsFolder() + L"\\ME_broken.bmp", {broken.begin(), broken.end()}));
  EXPECT_TRUE(CloseTool(tool_));

  ASSERT_NO_FATAL_FAILURE(StartAndRead(L"labels_cut_from_capture_again"));
  EXPECT_TRUE(Holds(L"已载入labels文件夹中的1张标签图片")) << ToGbk(tool_.StatusText());
  EXPECT_TRUE(Holds(L"标签图片ME_broken.bmp无法使用,须为不超过400×200的24位BMP"));
  EXPECT_EQ(MicrocodeRows(tool_), Rows({cpuids[0].c_str()}));
  EXPECT_FALSE(Holds(L"ME版本已经关闭")) << "a microcode picture says nothing of the ME field";
  RecordStage(L"second_read");
}

}  // namespace
}  // namespace e2e

#include <gtest/gtest.h>

#include "automation/input_injector.h"
#include "automation/pumping_wait.h"
#include "standins/image_format/sample_images.h"
#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/image_files.h"
#include "tests/e2e/harness/waits.h"
#include "tests/wine/standins/standin_session.h"

namespace standin_test {
namespace {

using automation::IsWindowResponding;
using automation::LocateWindow;

const standin::Bytes& MeOnImage() {
  static const standin::Bytes image =
      standin::BuildImage({.meEnabled = true, .cpuids = {0x506E3, 0x906E9}});
  return image;
}

class Patcher : public PatcherSession {};

TEST_F(Patcher, StartsHiddenWithItsStartTitle) {
  const Hwnd start = Start();
  ASSERT_NE(start, 0u);
  EXPECT_FALSE(IsWindowVisible(platform::ToHwnd(start)));
  EXPECT_EQ(automation::ClassNameOf(pf().windows, start), "Qt5152QWindowIcon");
  EXPECT_TRUE(IsWindowResponding(pf().windows, start));
}

TEST_F(Patcher, RejectedFileLeavesTheWindowAnsweringAndUnchanged) {
  ASSERT_NE(Start(), 0u);
  const auto before = automation::WindowBoundsOf(pf().windows, start_);
  standin::Bytes broken = MeOnImage();
  broken[0x10] = 0;  // descriptor signature
  TypeAndLoad(WriteSample(L"patcher_reject", L"broken.bin", broken));
  EXPECT_TRUE(IsWindowResponding(pf().windows, start_));
  automation::PumpingWait(pf(), 300);
  EXPECT_TRUE(IsWindowResponding(pf().windows, start_));
  e2e::Pause(3000);
  EXPECT_EQ(LocateWindow(pf().windows, 0, 0, "Qt5152QWindowIcon", "CoffeeTime 0.99"), start_);
  EXPECT_EQ(automation::WindowBoundsOf(pf().windows, start_), before);
}

TEST_F(Patcher, AcceptedFileUnderAChinesePathIsBusyThenRetitledAndTaller) {
  ASSERT_NE(Start(), 0u);
  const int startHeight = automation::WindowBoundsOf(pf().windows, start_).height;
  const std::string path = WriteSample(L"patcher_新建", L"bios.bin", MeOnImage());
  TypeAndLoad(path);
  EXPECT_FALSE(IsWindowResponding(pf().windows, start_));
  const Hwnd loaded = WaitForLoaded("bios.bin");
  ASSERT_NE(loaded, 0u);
  EXPECT_EQ(loaded, start_);  // the same window, retitled
  EXPECT_NE(automation::WindowBoundsOf(pf().windows, loaded).height, startHeight);
  EXPECT_EQ(LocateWindow(pf().windows, 0, 0, "Qt5152QWindowIcon", "CoffeeTime 0.99"), 0u);
}

TEST_F(Patcher, FlashSwitchOffMicrocodesAndSaveEndUpInTheWrittenImage) {
  ASSERT_NE(Start(), 0u);
  TypeAndLoad(WriteSample(L"patcher_flow", L"vendor.bin", MeOnImage()));
  const Hwnd loaded = WaitForLoaded("vendor.bin");
  ASSERT_NE(loaded, 0u);

  ReplaceMe(loaded);
  EXPECT_FALSE(IsWindowResponding(pf().windows, loaded)) << "flashing should block the window";
  ASSERT_TRUE(WaitUntilResponding(loaded, 15000));

  automation::PostClick(pf().windows, loaded, 175, 161);  // ME off
  automation::PostClick(pf().windows, loaded, 487, 313);  // unlock
  automation::PostClick(pf().windows, loaded, 390, 521);
  automation::PostClick(pf().windows, loaded, 219, 487);  // 906EC
  automation::PostClick(pf().windows, loaded, 219, 439);  // 906EA, first of two
  automation::PostClick(pf().windows, loaded, 356, 235);
  automation::PostClick(pf().windows, loaded, 102, 500);  // apply
  automation::PostClick(pf().windows, loaded, 520, 560);  // save
  automation::PumpingWait(pf(), 1000);

  // The chain one level at a time, as the tool walks it.
  const Hwnd dialog = LocateWindow(pf().windows, 0, 0, "#32770", "Save image");
  ASSERT_NE(dialog, 0u);
  Hwnd level = dialog;
  for (const char* cls : {"DUIViewWndClassName", "DirectUIHWND", "FloatNotifySink", "ComboBox",
                          "Edit"}) {
    level = LocateWindow(pf().windows, level, 0, cls, "");
    ASSERT_NE(level, 0u) << "missing level " << cls;
  }
  const Hwnd saveButton = LocateWindow(pf().windows, dialog, 0, "Button", "保存(&S)");
  ASSERT_NE(saveButton, 0u);

  const std::wstring out = e2e::ScratchFolder(L"patcher_saved") + L"\\魔改ORVELLAN14_7";
  automation::TypeText(pf(), level, Gbk(out));
  automation::PumpingWait(pf(), 200);
  automation::PostClick(pf().windows, saveButton);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FileExists(out); }, 5000));
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(platform::ToHwnd(dialog)); }, 3000));

  const auto written = e2e::ReadFileBytes(out);
  ASSERT_TRUE(written.has_value());
  const standin::ParseResult parsed = standin::ParseImage(*written);
  ASSERT_TRUE(parsed.ok()) << standin::DescribeError(parsed.error);
  EXPECT_EQ(parsed.summary.me, standin::kReplacementMe);
  EXPECT_FALSE(parsed.summary.meEnabled);
  EXPECT_EQ(parsed.summary.cpuids,
            (std::vector<uint32_t>{0x506E3, 0x906E9, 0x906EA, 0x906EC}));
}

TEST_F(Patcher, WmCloseEndsTheProgram) {
  ASSERT_NE(Start(), 0u);
  automation::PostClose(pf().windows, start_);
  EXPECT_NE(group_.WaitForExit(processId_, 5000), DWORD(STILL_ACTIVE));
}

}  // namespace
}  // namespace standin_test

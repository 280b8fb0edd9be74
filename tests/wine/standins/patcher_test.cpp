#include <gtest/gtest.h>

#include <optional>
#include <vector>

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
  // The title names the file at once; the height changes only when the load is done.
  EXPECT_EQ(LocateWindow(pf().windows, 0, 0, "Qt5152QWindowIcon", "CoffeeTime 0.99  /  bios.bin"),
            start_);
  EXPECT_EQ(automation::WindowBoundsOf(pf().windows, start_).height, startHeight);
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

  // The chain one level at a time, as the tool walks it, once the busy phases are over.
  Hwnd dialog = 0;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    dialog = LocateWindow(pf().windows, 0, 0, "#32770", "Save image");
    return dialog != 0 && LocateWindow(pf().windows, dialog, 0, "Button", "保存(&S)") != 0;
  }, 10000));
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
  // The patcher holds the file without sharing while it writes it: once it can be read, it is whole.
  std::optional<std::vector<uint8_t>> written;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (written = e2e::ReadFileBytes(out)).has_value(); }, 8000));
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(platform::ToHwnd(dialog)); }, 3000));

  const standin::ParseResult parsed = standin::ParseImage(*written);
  ASSERT_TRUE(parsed.ok()) << standin::DescribeError(parsed.error);
  EXPECT_EQ(parsed.summary.me, standin::kReplacementMe);
  EXPECT_FALSE(parsed.summary.meEnabled);
  EXPECT_EQ(parsed.summary.cpuids,
            (std::vector<uint32_t>{0x506E3, 0x906E9, 0x906EA, 0x906EC}));
}

// A click is a press and a release at the same place; clicks posted while the load still ran
// were aimed at the start window and do nothing in the loaded one.
TEST_F(Patcher, ClicksNeedPressAndReleaseAndThoseFromBeforeTheLoadAreDropped) {
  ASSERT_NE(Start(), 0u);
  const std::string path = WriteSample(L"patcher_clicks", L"clicks.bin", MeOnImage());
  automation::PostClick(pf().windows, start_, 275, 160);
  automation::TypeText(pf(), start_, path);
  PostMessageW(platform::ToHwnd(start_), WM_LBUTTONUP, 0, MAKELPARAM(444, 192));  // release only
  automation::PumpingWait(pf(), 300);
  EXPECT_TRUE(IsWindowResponding(pf().windows, start_)) << "a release alone started the load";

  automation::PostClick(pf().windows, start_, 444, 192);
  automation::PumpingWait(pf(), 300);
  ReplaceMe(start_);  // during the load, as a tool that waited for the title alone would
  const Hwnd loaded = WaitForLoaded("clicks.bin");
  ASSERT_NE(loaded, 0u);
  automation::PumpingWait(pf(), 300);
  EXPECT_TRUE(IsWindowResponding(pf().windows, loaded)) << "the ME flash started";
}

// How long the patcher keeps a sent message waiting once it has taken the click just posted.
DWORD BusyAfter(platform::Platform& pf, Hwnd window, std::initializer_list<platform::Point> clicks) {
  for (const platform::Point& p : clicks) automation::PostClick(pf.windows, window, p.x, p.y);
  Sleep(40);  // the click is taken; a sent message is served before posted ones
  const DWORD start = GetTickCount();
  DWORD_PTR result = 0;
  SendMessageTimeoutW(platform::ToHwnd(window), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
  return GetTickCount() - start;
}

TEST_F(Patcher, BusyAfterTheMeSwitchTheUnlockAndEachTick) {
  ASSERT_NE(Start(), 0u);
  TypeAndLoad(WriteSample(L"patcher_busy", L"busy.bin", MeOnImage()));
  const Hwnd loaded = WaitForLoaded("busy.bin");
  ASSERT_NE(loaded, 0u);
  EXPECT_GE(BusyAfter(pf(), loaded, {{175, 161}}), 120u);             // ME switch, 200 ms
  EXPECT_GE(BusyAfter(pf(), loaded, {{487, 313}, {390, 521}}), 220u);  // unlock, 300 ms
  const DWORD tick = BusyAfter(pf(), loaded, {{219, 464}});
  EXPECT_GE(tick, 30u);  // 100 ms
  EXPECT_LT(tick, 300u);
}

// The save dialog opens a moment after the click, modal, with a default name fully selected:
// typed characters replace it. Saved without the ME switch, the image keeps its ME on.
TEST_F(Patcher, SaveDialogIsModalAndStartsWithItsNameSelected) {
  ASSERT_NE(Start(), 0u);
  TypeAndLoad(WriteSample(L"patcher_dialog", L"dialog.bin", MeOnImage()));
  const Hwnd loaded = WaitForLoaded("dialog.bin");
  ASSERT_NE(loaded, 0u);
  automation::PostClick(pf().windows, loaded, 520, 560);
  automation::PumpingWait(pf(), 250);
  EXPECT_EQ(LocateWindow(pf().windows, 0, 0, "#32770", "Save image"), 0u) << "opened at once";
  Hwnd nameBox = 0;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (nameBox = FindSaveNameBox()) != 0; }, 3000));
  e2e::Pause(200);  // the dialog fills its box once its children are made
  EXPECT_FALSE(IsWindowEnabled(platform::ToHwnd(loaded))) << "the owner stays usable";
  HWND box = platform::ToHwnd(nameBox);
  wchar_t text[64] = {};
  SendMessageW(box, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"CoffeeTime_image.bin");
  const DWORD selection = DWORD(SendMessageW(box, EM_GETSEL, 0, 0));
  EXPECT_EQ(LOWORD(selection), 0u);
  EXPECT_EQ(HIWORD(selection), DWORD(wcslen(text)));

  const std::wstring out = e2e::ScratchFolder(L"patcher_dialog_out") + L"\\me_still_on";
  automation::TypeText(pf(), nameBox, Gbk(out));
  automation::PumpingWait(pf(), 200);
  const Hwnd dialog = LocateWindow(pf().windows, 0, 0, "#32770", "Save image");
  automation::PostClick(pf().windows, LocateWindow(pf().windows, dialog, 0, "Button", "保存(&S)"));
  std::optional<std::vector<uint8_t>> written;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (written = e2e::ReadFileBytes(out)).has_value(); }, 8000));
  EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowEnabled(platform::ToHwnd(loaded)) != 0; }, 3000));
  const standin::ParseResult parsed = standin::ParseImage(*written);
  ASSERT_TRUE(parsed.ok());
  EXPECT_TRUE(parsed.summary.meEnabled);
}

TEST_F(Patcher, WmCloseEndsTheProgram) {
  ASSERT_NE(Start(), 0u);
  automation::PostClose(pf().windows, start_);
  EXPECT_NE(group_.WaitForExit(processId_, 5000), DWORD(STILL_ACTIVE));
}

}  // namespace
}  // namespace standin_test

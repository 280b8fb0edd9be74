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

class PatcherFault : public PatcherSession {
 protected:
  std::string GoodFile(const std::wstring& folder) {
    return WriteSample(folder, L"good.bin", standin::BuildImage({.cpuids = {0x506E3}}));
  }
  Hwnd StartAndLoad(const std::wstring& fault, const std::wstring& folder) {
    if (Start(fault) == 0) return 0;
    TypeAndLoad(GoodFile(folder));
    return WaitForLoaded("good.bin");
  }
  void OpenSaveDialog(Hwnd loaded) {
    automation::PostClick(pf().windows, loaded, 520, 560);
    automation::PumpingWait(pf(), 1000);
  }
};

TEST_F(PatcherFault, RejectAllRefusesAGoodFileAndKeepsAnswering) {
  ASSERT_NE(Start(L"reject-all"), 0u);
  TypeAndLoad(GoodFile(L"fault_reject"));
  EXPECT_TRUE(IsWindowResponding(pf().windows, start_));
  automation::PumpingWait(pf(), 300);
  EXPECT_TRUE(IsWindowResponding(pf().windows, start_));
  e2e::Pause(3000);
  EXPECT_EQ(LocateWindow(pf().windows, 0, 0, "Qt5152QWindowIcon", "CoffeeTime 0.99  /  good.bin"),
            0u);
}

TEST_F(PatcherFault, NeverFinishLoadIsBusyThenStaysAStartWindow) {
  ASSERT_NE(Start(L"never-finish-load"), 0u);
  TypeAndLoad(GoodFile(L"fault_never"));
  EXPECT_FALSE(IsWindowResponding(pf().windows, start_));
  ASSERT_TRUE(WaitUntilResponding(start_, 10000));
  e2e::Pause(1000);
  EXPECT_EQ(LocateWindow(pf().windows, 0, 0, "Qt5152QWindowIcon", "CoffeeTime 0.99"), start_);
}

TEST_F(PatcherFault, HangFlashNeverAnswersAgain) {
  const Hwnd loaded = StartAndLoad(L"hang-flash", L"fault_hang");
  ASSERT_NE(loaded, 0u);
  ReplaceMe(loaded);
  EXPECT_FALSE(WaitUntilResponding(loaded, 8000));
  EXPECT_TRUE(group_.IsRunning(processId_));  // hung, not gone; the group kills it
}

TEST_F(PatcherFault, NoSaveDialogOpensNothing) {
  const Hwnd loaded = StartAndLoad(L"no-save-dialog", L"fault_nodialog");
  ASSERT_NE(loaded, 0u);
  OpenSaveDialog(loaded);
  e2e::Pause(1000);
  EXPECT_EQ(LocateWindow(pf().windows, 0, 0, "#32770", "Save image"), 0u);
  EXPECT_EQ(FindSaveNameBox(), 0u);
}

TEST_F(PatcherFault, LateWriteCreatesTheFileSecondsAfterTheButton) {
  const Hwnd loaded = StartAndLoad(L"late-write", L"fault_late");
  ASSERT_NE(loaded, 0u);
  OpenSaveDialog(loaded);
  const Hwnd nameBox = FindSaveNameBox();
  ASSERT_NE(nameBox, 0u);
  const Hwnd button = LocateWindow(pf().windows, LocateWindow(pf().windows, 0, 0, "#32770",
                                                              "Save image"),
                                   0, "Button", "保存(&S)");
  const std::wstring out = e2e::ScratchFolder(L"fault_late_out") + L"\\late";
  automation::TypeText(pf(), nameBox, Gbk(out));
  automation::PumpingWait(pf(), 200);
  automation::PostClick(pf().windows, button);
  e2e::Pause(3000);
  EXPECT_FALSE(e2e::FileExists(out));
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FileExists(out); }, 12000, 200));
}

TEST_F(PatcherFault, ExitAbruptlyEndsTheProcessAtTheLoadClick) {
  ASSERT_NE(Start(L"exit-abruptly"), 0u);
  TypeAndLoad(GoodFile(L"fault_exit"));
  EXPECT_EQ(group_.WaitForExit(processId_, 5000), 3u);
  EXPECT_FALSE(IsWindow(platform::ToHwnd(start_)));
}

}  // namespace
}  // namespace standin_test

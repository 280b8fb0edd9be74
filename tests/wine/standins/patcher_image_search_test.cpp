#include <gtest/gtest.h>

#include "automation/input_injector.h"
#include "automation/pumping_wait.h"
#include "imaging/label_templates.h"
#include "imaging/template_matcher.h"
#include "standins/image_format/sample_images.h"
#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/image_files.h"
#include "tests/e2e/harness/screenshot.h"
#include "tests/e2e/harness/waits.h"
#include "tests/wine/standins/standin_session.h"

namespace standin_test {
namespace {

class PatcherSearch : public PatcherSession {
 protected:
  // Shows the loaded window for a capture the way the tool does before each search.
  void ShowForCapture(Hwnd window) {
    automation::SetWindowTransparency(pf().windows, window, 10);
    automation::SetWindowShowState(pf().windows, window, SW_SHOWNORMAL);
    automation::StripWindowIcon(pf().windows, window);
    automation::StripWindowIcon(pf().windows, window);
    automation::PumpingWait(pf(), 300);
  }
  bool Finds(Hwnd window, std::string_view bmp) {
    imaging::SearchRect whole;
    return matcher_.FindImage(window, bmp, whole, true).status == imaging::FindStatus::kFound;
  }
  bool FindsLabel(Hwnd window, const imaging::MicrocodeLabel& label) {
    return Finds(window, label.primary) || Finds(window, label.fallback);
  }
  imaging::TemplateMatcher matcher_;
};

TEST_F(PatcherSearch, FindsPresentMicrocodesAndTheEnabledFieldAndMissesTheRest) {
  ASSERT_NE(Start(), 0u);
  TypeAndLoad(WriteSample(L"search_on", L"me_on.bin",
                          standin::BuildImage({.meEnabled = true, .cpuids = {0x906E9, 0x506E3}})));
  const Hwnd loaded = WaitForLoaded("me_on.bin");
  ASSERT_NE(loaded, 0u);
  ShowForCapture(loaded);
  for (const imaging::MicrocodeLabel& label : imaging::MicrocodeLabels()) {
    const bool present = label.cpuid == "506E3" || label.cpuid == "906E9";
    EXPECT_EQ(FindsLabel(loaded, label), present) << label.cpuid;
  }
  EXPECT_TRUE(Finds(loaded, imaging::MeEnabledLabel()));
  ASSERT_TRUE(e2e::SaveScreenshot(L"patcher_loaded", platform::ToHwnd(loaded)));
  const auto png = e2e::ReadFileBytes(e2e::OutFolder() + L"\\patcher_loaded.png");
  ASSERT_TRUE(png.has_value());
  EXPECT_TRUE(png->size() > 8 && (*png)[1] == 'P' && (*png)[2] == 'N' && (*png)[3] == 'G');

  automation::PostClick(pf().windows, loaded, 175, 161);  // ME off
  automation::PumpingWait(pf(), 500);
  EXPECT_FALSE(Finds(loaded, imaging::MeEnabledLabel()));
}

TEST_F(PatcherSearch, AppliedMicrocodesAppearInTheRedrawnTable) {
  ASSERT_NE(Start(), 0u);
  TypeAndLoad(WriteSample(L"search_apply", L"me_off.bin",
                          standin::BuildImage({.meEnabled = false, .cpuids = {0x506E3}})));
  const Hwnd loaded = WaitForLoaded("me_off.bin");
  ASSERT_NE(loaded, 0u);
  ShowForCapture(loaded);
  EXPECT_FALSE(Finds(loaded, imaging::MeEnabledLabel()));
  const auto& labels = imaging::MicrocodeLabels();
  const imaging::MicrocodeLabel* eb = nullptr;
  for (const auto& label : labels) {
    if (label.cpuid == "906EB") eb = &label;
  }
  ASSERT_NE(eb, nullptr);
  EXPECT_FALSE(FindsLabel(loaded, *eb));
  automation::PostClick(pf().windows, loaded, 487, 313);
  automation::PostClick(pf().windows, loaded, 390, 521);
  automation::PostClick(pf().windows, loaded, 219, 464);  // 906EB
  automation::PumpingWait(pf(), 500);  // the unlock and the tick are taken
  automation::PostClick(pf().windows, loaded, 102, 500);
  const ULONGLONG applied = GetTickCount64();
  // While the apply works, captures are answered from the table as it was.
  automation::PumpingWait(pf(), 500);
  EXPECT_FALSE(FindsLabel(loaded, *eb));
  EXPECT_LT(GetTickCount64() - applied, 2500u) << "the capture waited for the apply";
  ASSERT_TRUE(e2e::WaitUntil([&] { return FindsLabel(loaded, *eb); }, 10000, 100));
  EXPECT_GE(GetTickCount64() - applied, 2800u);
}

}  // namespace
}  // namespace standin_test

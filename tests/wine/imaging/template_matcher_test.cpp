#include <gtest/gtest.h>

#include <string>

#include "imaging/label_templates.h"
#include "imaging/template_matcher.h"
#include "label_canvas.h"
#include "platform/win32/win32_handles.h"

namespace imaging {
namespace {

using platform::FromHwnd;

FindResult Find(HWND window, std::string_view bmp, SearchRect& rect, bool windowCapture) {
  TemplateMatcher matcher;
  return matcher.FindImage(FromHwnd(window), bmp, rect, windowCapture);
}

FindResult Find(HWND window, std::string_view bmp, SearchRect rect = {}) {
  return Find(window, bmp, rect, true);
}

void ExpectAllPlacementsFound(HWND window) {
  for (const canvas::Placement& placement : canvas::Placements()) {
    const FindResult result = Find(window, placement.bmp);
    const POINT expected = canvas::ExpectedCentre(placement);
    EXPECT_EQ(result.status, FindStatus::kFound);
    EXPECT_EQ(result.point.x, expected.x);
    EXPECT_EQ(result.point.y, expected.y);
  }
}

// A window of the test's own process renders itself into the capture.
class OwnWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = canvas::CreateCanvasWindow(60, 60, "own canvas");
    ASSERT_NE(window_, nullptr);
    ShowWindow(window_, SW_SHOWNORMAL);
    canvas::PumpFor(300);
  }
  void TearDown() override {
    if (window_ != nullptr) DestroyWindow(window_);
    canvas::PumpFor(50);
  }
  HWND window_ = nullptr;
};

TEST_F(OwnWindowTest, FindsEachPaintedLabelAtItsClientCentre) {
  ExpectAllPlacementsFound(window_);
  EXPECT_GT(canvas::PrintRequests(window_), 0);  // found through the window's own rendering
}

TEST_F(OwnWindowTest, LabelsNotPaintedAreNotFound) {
  const FindResult result = Find(window_, MicrocodeLabels()[1].primary);  // 506E3
  EXPECT_EQ(result.status, FindStatus::kNotFound);
  EXPECT_EQ(result.point.x, -1);
  EXPECT_EQ(result.point.y, -1);
  EXPECT_EQ(Find(window_, "no bitmap here").status, FindStatus::kNotFound);
}

TEST_F(OwnWindowTest, SearchRegionOffsetsTheReportedPoint) {
  const canvas::Placement& first = canvas::Placements()[0];
  const POINT expected = canvas::ExpectedCentre(first);
  const FindResult result = Find(window_, first.bmp, SearchRect{10, 5, 200, 100});
  EXPECT_EQ(result.point.x, expected.x);
  EXPECT_EQ(result.point.y, expected.y);
  // A region that cuts the label off does not see it.
  EXPECT_FALSE(Find(window_, first.bmp, SearchRect{30, 0, 0, 0}).point.found());
}

TEST_F(OwnWindowTest, MinimisedOrHiddenWindowIsUnseen) {
  ShowWindow(window_, SW_MINIMIZE);
  canvas::PumpFor(200);
  FindResult result = Find(window_, canvas::Placements()[0].bmp);
  EXPECT_EQ(result.status, FindStatus::kWindowUnseen);
  EXPECT_EQ(result.point.x, -1);
  EXPECT_TRUE(IsIconic(window_));  // no attempt at restoring it

  ShowWindow(window_, SW_RESTORE);
  ShowWindow(window_, SW_HIDE);
  canvas::PumpFor(200);
  result = Find(window_, canvas::Placements()[0].bmp);
  EXPECT_EQ(result.status, FindStatus::kWindowUnseen);
  EXPECT_EQ(result.point.y, -1);
}

TEST_F(OwnWindowTest, ScreenPathCutsTheRegionToTheClientArea) {
  SetForegroundWindow(window_);
  canvas::PumpFor(200);
  const canvas::Placement& first = canvas::Placements()[0];
  SearchRect rect{5, 10, 5000, 0};
  const FindResult result = Find(window_, first.bmp, rect, false);
  EXPECT_EQ(rect.width, canvas::kClientWidth - 5);
  EXPECT_EQ(rect.height, canvas::kClientHeight - 10);
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  const POINT expected = canvas::ExpectedCentre(first);
  EXPECT_EQ(result.status, FindStatus::kFound);
  EXPECT_EQ(result.point.x, expected.x + origin.x);  // screen coordinates in this path
  EXPECT_EQ(result.point.y, expected.y + origin.y);
}

TEST(BlankWindowTest, OneColourCaptureIsUnseenNotAbsent) {
  HWND window = canvas::CreateCanvasWindow(60, 60, "blank canvas", true);
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  canvas::PumpFor(300);
  const FindResult result = Find(window, MeEnabledLabel());
  EXPECT_EQ(result.status, FindStatus::kWindowUnseen);
  EXPECT_EQ(result.point.x, -1);
  DestroyWindow(window);
  canvas::PumpFor(50);
}

// The same canvas shown by a separate process: the platform's rendering of another process's
// window may come back empty, and the capture must still see the window.
class OtherProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    ASSERT_GT(length, 0u);
    std::wstring host(path, length);
    host = host.substr(0, host.find_last_of(L"\\/") + 1) + L"label_canvas_host.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ASSERT_TRUE(CreateProcessW(host.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process_));
    for (int i = 0; i < 200 && window_ == nullptr; ++i) {  // at most 20 s
      window_ = FindWindowA("BmtLabelCanvas", canvas::kHostTitle);
      if (window_ == nullptr) Sleep(100);
    }
    ASSERT_NE(window_, nullptr) << "host window did not appear";
    Sleep(500);  // let it paint
  }
  void TearDown() override {
    if (process_.hProcess == nullptr) return;
    if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

TEST_F(OtherProcessTest, FindsEachPaintedLabelAtItsClientCentre) { ExpectAllPlacementsFound(window_); }

TEST_F(OtherProcessTest, MinimisedOrHiddenWindowIsUnseen) {
  ShowWindow(window_, SW_MINIMIZE);
  for (int i = 0; i < 50 && !IsIconic(window_); ++i) Sleep(50);
  EXPECT_EQ(Find(window_, canvas::Placements()[0].bmp).status, FindStatus::kWindowUnseen);
  ShowWindow(window_, SW_HIDE);
  for (int i = 0; i < 50 && IsWindowVisible(window_); ++i) Sleep(50);
  const FindResult hidden = Find(window_, canvas::Placements()[0].bmp);
  EXPECT_EQ(hidden.status, FindStatus::kWindowUnseen);
  EXPECT_EQ(hidden.point.x, -1);
}

}  // namespace
}  // namespace imaging

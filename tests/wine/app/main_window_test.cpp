// Starts the real BiosMaker.exe and inspects its main window from outside.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/control_table.h"
#include "expected_layout.h"
#include "program_under_test.h"
#include "screenshot.h"

namespace apptest {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr char kTitle[] = "ORVELLANQZ-1151主板魔改BIOS制作器";
constexpr char kStatusStart[] = "工作状态：\r\n";
constexpr char kNoFileMessage[] = "好歹先选个文件再读取吧...\r\n";

std::string Stamp(const SYSTEMTIME& time) {
  return std::to_string(time.wHour) + ":" + std::to_string(time.wMinute);
}

RECT RectInParent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Reads a header item's text from the other process through memory placed in it.
std::string HeaderText(HWND header, int index, HANDLE process) {
  constexpr SIZE_T kTextBytes = 256;
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(HDITEMA) + kTextBytes,
                                                   MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return "<no memory>";
  HDITEMA item{};
  item.mask = HDI_TEXT;
  item.pszText = remote + sizeof(HDITEMA);
  item.cchTextMax = kTextBytes;
  WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
  DWORD_PTR ok = 0;
  SendMessageTimeoutA(header, HDM_GETITEMA, index, reinterpret_cast<LPARAM>(remote),
                      SMTO_ABORTIFHUNG, 5000, &ok);
  char text[kTextBytes] = {};
  ReadProcessMemory(process, remote + sizeof(HDITEMA), text, kTextBytes - 1, nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return ok ? std::string(text) : "<failed>";
}

class StartedWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    program_ = new ProgramUnderTest;
    ASSERT_TRUE(program_->Start()) << ProgramPath();
    ASSERT_NE(program_->WaitForWindow(kStartTimeoutMs), nullptr);
    ASSERT_TRUE(program_->WaitUntilVisible(kStartTimeoutMs));
    // Everything below expects the windows by name.
    for (const ExpectedControl& expected : ExpectedControls()) {
      HWND parent = expected.parent.empty() ? program_->window() : controls_[expected.parent];
      controls_[expected.name] = parent ? GetDlgItem(parent, app::ControlId(expected.name)) : nullptr;
    }
  }
  static void TearDownTestSuite() {
    delete program_;
    program_ = nullptr;
    controls_.clear();
  }
  static HWND Main() { return program_->window(); }
  static HWND Control(const std::string& name) { return controls_[name]; }
  // Presses a button the way a click does and waits for the status box to change.
  static std::string PressAndWaitForStatus(const std::string& button, const std::string& before) {
    PostMessageA(Control(button), BM_CLICK, 0, 0);
    std::string now = before;
    WaitFor(5000, [&] {
      now = TextOf(Control("编辑框2"));
      return now != before;
    });
    Sleep(300);  // a second line, if any, would come right after the first
    return TextOf(Control("编辑框2"));
  }

  static ProgramUnderTest* program_;
  static std::map<std::string, HWND> controls_;
};

ProgramUnderTest* StartedWindow::program_ = nullptr;
std::map<std::string, HWND> StartedWindow::controls_;

TEST_F(StartedWindow, FrameIsCentredTopMostFixedAndTitled) {
  EXPECT_EQ(TextOf(Main()), kTitle);
  RECT rect;
  ASSERT_TRUE(GetWindowRect(Main(), &rect));
  EXPECT_EQ(rect.right - rect.left, 859);
  EXPECT_EQ(rect.bottom - rect.top, 180);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 859) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 180) / 2);
  const LONG style = GetWindowLongA(Main(), GWL_STYLE);
  const LONG exStyle = GetWindowLongA(Main(), GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_VISIBLE);
}

TEST_F(StartedWindow, EveryControlHasItsClassParentPlaceTextAndState) {
  const auto expectedControls = ExpectedControls();
  ASSERT_EQ(expectedControls.size() + 1, app::ControlTable().size());  // + the timer
  for (const ExpectedControl& expected : expectedControls) {
    SCOPED_TRACE(expected.name);
    HWND control = Control(expected.name);
    ASSERT_NE(control, nullptr) << "not found under its parent";
    if (expected.windowClass) {
      EXPECT_EQ(ClassOf(control), expected.windowClass);
    }
    const RECT rect = RectInParent(control);
    EXPECT_EQ(rect.left, expected.x);
    EXPECT_EQ(rect.top, expected.y);
    EXPECT_EQ(rect.right - rect.left, expected.width);
    EXPECT_EQ(rect.bottom - rect.top, expected.height);
    if (expected.text) {
      EXPECT_EQ(TextOf(control), *expected.text);
    }
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, expected.enabledAfterStart);
    // The page viewer is another component's window; its visibility is its own affair.
    if (expected.windowClass) {
      EXPECT_TRUE(IsWindowVisible(control));
    }
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    EXPECT_EQ((style & WS_TABSTOP) != 0, expected.tabStop);
    if (expected.name[0] == 'W') {
      EXPECT_EQ(SendMessageA(control, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    }
  }
}

TEST_F(StartedWindow, EditBoxesHaveTheirLineModes) {
  const LONG path = GetWindowLongA(Control("编辑框1"), GWL_STYLE);
  EXPECT_FALSE(path & ES_MULTILINE);
  EXPECT_TRUE(path & ES_AUTOHSCROLL);
  for (const char* name : {"编辑框2", "编辑框3"}) {
    SCOPED_TRACE(name);
    const LONG style = GetWindowLongA(Control(name), GWL_STYLE);
    EXPECT_EQ(style & (ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL),
              ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL);
    // (The edit control takes WS_BORDER off its style and draws the border itself.)
    EXPECT_FALSE(style & (WS_VSCROLL | WS_HSCROLL));
  }
  EXPECT_EQ(TextOf(Control("编辑框2")).rfind(kStatusStart, 0), 0u);
}

TEST_F(StartedWindow, MicrocodeListHasItsColumnsAndLiesAboveTheGroup) {
  HWND list = Control("超级列表框1");
  const LONG style = GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  const LRESULT extended = SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(extended & LVS_EX_INFOTIP);
  EXPECT_EQ(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0), static_cast<LRESULT>(RGB(0, 0, 255)));
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);
  ASSERT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 50);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 100);
  EXPECT_EQ(HeaderText(header, 0, program_->process()), "序号");
  EXPECT_EQ(HeaderText(header, 1, program_->process()), "CPUID");

  // Both the list and the refresh picture come before the group in the stacking order.
  auto above = [](HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (w == lower) return true;
    }
    return false;
  };
  EXPECT_TRUE(above(list, Control("分组框1")));
  EXPECT_TRUE(above(Control("图片框2"), Control("分组框1")));
  EXPECT_TRUE(GetWindowLongA(Control("分组框1"), GWL_STYLE) & WS_CLIPSIBLINGS);
}

TEST_F(StartedWindow, ReadWithoutFileAddsOneLineAtTheEndWhateverIsSelected) {
  const std::string before = TextOf(Control("编辑框2"));
  ASSERT_EQ(before.rfind(kStatusStart, 0), 0u);
  // The user selected the start of the box: the new line must still go to the end.
  SendMessageA(Control("编辑框2"), EM_SETSEL, 0, 4);
  SYSTEMTIME early, late;
  GetLocalTime(&early);
  const std::string after = PressAndWaitForStatus("按钮5", before);
  GetLocalTime(&late);
  ASSERT_GT(after.size(), before.size()) << "no line was added";
  ASSERT_EQ(after.compare(0, before.size(), before), 0) << "earlier text changed: " << after;
  const std::string line = after.substr(before.size());
  EXPECT_TRUE(line == Stamp(early) + kNoFileMessage || line == Stamp(late) + kNoFileMessage)
      << line;
  // Pressing again adds exactly one more line.
  const std::string again = PressAndWaitForStatus("按钮5", after);
  EXPECT_EQ(again.size() - after.size(), line.size());
  EXPECT_EQ(again.compare(0, after.size(), after), 0);
}

TEST_F(StartedWindow, ScreenshotsOfTheStartedAndTheEnlargedWindow) {
  const std::string folder = OutputFolder();
  UpdateWindow(Main());
  Sleep(500);
  EXPECT_TRUE(SaveWindowScreenshot(Main(), folder + "\\app_started.png"));
  // The read step enlarges the window to 764 pixels (checked end to end after a real read);
  // here it is done from outside, only to see the lower bands.
  ASSERT_TRUE(SetWindowPos(Main(), nullptr, 0, 0, 859, 764, SWP_NOMOVE | SWP_NOZORDER));
  Sleep(800);
  EXPECT_TRUE(SaveWindowScreenshot(Main(), folder + "\\app_enlarged.png"));
}

// The window must stay hidden until the start-up (with its one-second wait for the notice
// page) has returned: when it first shows, the start-up's work is already done.
TEST(StartUp, WindowShowsOnlyAfterTheStartUpReturned) {
  ProgramUnderTest program;
  ASSERT_TRUE(program.Start());
  ASSERT_NE(program.WaitForWindow(kStartTimeoutMs), nullptr);
  const ULONGLONG found = GetTickCount64();
  EXPECT_FALSE(IsWindowVisible(program.window())) << "shown before the start-up ran";
  // Sample as fast as possible until the window shows, then look at the check boxes.
  const ULONGLONG end = found + kStartTimeoutMs;
  while (!IsWindowVisible(program.window()) && GetTickCount64() < end) Sleep(1);
  const ULONGLONG shown = GetTickCount64();
  ASSERT_TRUE(IsWindowVisible(program.window()));
  HWND frame = nullptr;
  HWND group = GetDlgItem(program.window(), app::ControlId("分组框1"));
  if (group) frame = GetDlgItem(group, app::ControlId("外形框1"));
  ASSERT_NE(frame, nullptr);
  for (const char* box : {"W506E0", "W506E1", "W506E3", "W506E8", "W906E9", "W906EA", "W906EB",
                          "W906EC", "W906ED"}) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(frame, app::ControlId(box)))) << box;
  }
  EXPECT_EQ(TextOf(program.window()), kTitle);
  EXPECT_GE(shown - found, 900u) << "the notice page wait did not hold the window back";
}

// Esc closes the window like the close box, whether the window or a button has the focus.
TEST(Closing, EscapeOnTheWindowEndsTheProgram) {
  ProgramUnderTest program;
  ASSERT_TRUE(program.Start());
  ASSERT_NE(program.WaitForWindow(kStartTimeoutMs), nullptr);
  ASSERT_TRUE(program.WaitUntilVisible(kStartTimeoutMs));
  PostMessageA(program.window(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  DWORD exitCode = 1;
  ASSERT_TRUE(program.WaitForExit(10000, &exitCode)) << "still running after Esc";
  EXPECT_EQ(exitCode, 0u);
}

TEST(Closing, EscapeOnAButtonEndsTheProgramButEnterDoesNot) {
  ProgramUnderTest program;
  ASSERT_TRUE(program.Start());
  ASSERT_NE(program.WaitForWindow(kStartTimeoutMs), nullptr);
  ASSERT_TRUE(program.WaitUntilVisible(kStartTimeoutMs));
  HWND button = GetDlgItem(program.window(), app::ControlId("按钮3"));
  ASSERT_NE(button, nullptr);
  PostMessageA(button, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  DWORD exitCode = 1;
  EXPECT_FALSE(program.WaitForExit(500, &exitCode)) << "Enter closed the window";
  PostMessageA(button, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  ASSERT_TRUE(program.WaitForExit(10000, &exitCode)) << "still running after Esc";
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace apptest

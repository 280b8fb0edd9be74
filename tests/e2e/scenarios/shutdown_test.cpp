// Closing the tool while a step waits: the load that never ends, the hung ME flash, the
// microcode detection and the save. Each time the tool is gone within a second, nothing more
// reaches the patcher after the close, and no patcher of an unfinished read is left.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/status_lines.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"
#include "tests/e2e/scenarios/scenario_support.h"

namespace e2e {
namespace {

constexpr DWORD kCloseLimitMs = 1000;

// Patcher processes the tool started that are still running.
std::vector<DWORD> RunningPatchers(DWORD tool) {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ParentProcessID == tool && _wcsicmp(entry.szExeFile, L"ov.exe") == 0) {
      found.push_back(entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  return found;
}

// Processor time of a process so far, in milliseconds.
ULONGLONG ProcessorMs(DWORD process) {
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  if (!handle) return 0;
  FILETIME created, exited, kernel, user;
  ULONGLONG total = 0;
  if (GetProcessTimes(handle, &created, &exited, &kernel, &user)) {
    auto ms = [](FILETIME f) { return ((ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000; };
    total = ms(kernel) + ms(user);
  }
  CloseHandle(handle);
  return total;
}

struct CloseResult {
  DWORD closedTick = 0;  // when the main window was gone
  ULONGLONG windowGoneMs = 0;  // after the close was posted
  ULONGLONG processGoneMs = 0;
};

// Whether the tool asks before it closes (while a made image is written and checked).
enum class Question { kNone, kAnsweredYes };

// Closes the main window as the user does (answering the question "yes" when one is expected)
// and times the end of the window and the process from the close or the answer.
CloseResult CloseAndTime(ToolSession& tool, Question question) {
  CloseResult result;
  ULONGLONG posted = GetTickCount64();
  PostMessageW(tool.MainWindow(), WM_CLOSE, 0, 0);
  if (question == Question::kAnsweredYes) {
    const std::optional<MessageBoxInfo> box = tool.WaitForMessageBox(kDialogLimitMs);
    EXPECT_TRUE(box) << "closing did not ask";
    if (box) {
      EXPECT_EQ(box->text, L"魔改BIOS还没有核对完。现在退出,这个BIOS将没有核对结果,不要刷入它。确定退出吗?");
      posted = GetTickCount64();
      EXPECT_TRUE(tool.AnswerMessageBox(*box, IDYES));
    }
  }
  WaitUntil([&] { return !IsWindow(tool.MainWindow()); }, 5000, 1);
  result.closedTick = GetTickCount();
  result.windowGoneMs = GetTickCount64() - posted;
  tool.Processes().WaitForExit(tool.ProcessId(), 10000);
  result.processGoneMs = GetTickCount64() - posted;
  return result;
}

class ClosingTheTool : public ::testing::Test {
 protected:
  void Start(const wchar_t* fault = L"") {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder_ = ScratchFolder(L"closing_" + std::wstring(test.begin(), test.end()));
    record_ = folder_ + L"\\patcher_input.txt";
    vendor_ = CopySample(L"vendor_me_on.bin", folder_, L"vendor.bin");
    ASSERT_FALSE(vendor_.empty());
    ASSERT_TRUE(tool_.Start({{L"BMT_STANDIN_FAULT", fault}, {L"BMT_STANDIN_RECORD", record_}}));
    ASSERT_TRUE(ChooseFile(tool_, vendor_));
  }

  // Closes the tool and checks what the close must leave behind.
  void CloseAndExpectAQuietEnd(Question question = Question::kNone) {
    const CloseResult closed = CloseAndTime(tool_, question);
    RecordStage(L"closed");
    std::printf("closed: window gone after %llu ms, process after %llu ms\n", closed.windowGoneMs,
                closed.processGoneMs);
    EXPECT_LE(closed.processGoneMs, kCloseLimitMs)
        << "the window went after " << closed.windowGoneMs << " ms, the process after "
        << closed.processGoneMs << " ms";
    for (const RecordedInput& input : ReadInputRecord(record_)) {
      EXPECT_LE(LONG(input.time - closed.closedTick), 0)
          << "input posted " << LONG(input.time - closed.closedTick) << " ms after the close";
    }
    EXPECT_TRUE(WaitUntil([&] { return RunningPatchers(tool_.ProcessId()).empty(); }, 3000))
        << RunningPatchers(tool_.ProcessId()).size() << " patcher(s) left running";
  }

  ToolSession tool_;
  std::wstring folder_, record_, vendor_;
};

TEST_F(ClosingTheTool, DuringALoadThatNeverEndsWhichCostsNoProcessorTime) {
  Start(L"never-finish-load");
  ASSERT_TRUE(tool_.PressButton(L"读取"));
  ASSERT_TRUE(tool_.WaitForStatus(L"正在加载BIOS配置项", kStatusLimitMs));
  Pause(4000);  // the patcher's busy phase is over; the tool is in its load wait
  const ULONGLONG before = ProcessorMs(tool_.ProcessId());
  ASSERT_GT(before, 0u) << "the tool's processor time cannot be read";
  Pause(10000);
  const ULONGLONG used = ProcessorMs(tool_.ProcessId()) - before;
  std::printf("10 s of the load wait: %llu ms of processor time\n", used);
  EXPECT_LT(used, 500u) << "10 s of the load wait took " << used << " ms of processor time";
  CloseAndExpectAQuietEnd();
}

TEST_F(ClosingTheTool, DuringAHungFlash) {
  Start(L"hang-flash");
  ASSERT_TRUE(tool_.PressButton(L"读取"));
  ASSERT_TRUE(tool_.WaitForStatus(L"正在刷入11.8.77.3664的ME版本...", kReadLimitMs))
      << ToGbk(tool_.StatusText());
  Pause(1000);
  CloseAndExpectAQuietEnd();
}

TEST_F(ClosingTheTool, DuringTheMicrocodeDetection) {
  Start();
  ASSERT_TRUE(ReadAndAwaitDone(tool_)) << ToGbk(tool_.StatusText());
  Pause(3000);  // the read's own detection is over
  // The refresh picture starts a detection; the close is queued right behind the press.
  HWND refresh = tool_.Control("图片框2");
  ASSERT_NE(refresh, nullptr);
  PostMessageW(refresh, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(refresh, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  CloseAndExpectAQuietEnd();
}

TEST_F(ClosingTheTool, DuringTheSave) {
  Start();
  ASSERT_TRUE(ReadAndAwaitDone(tool_)) << ToGbk(tool_.StatusText());
  ASSERT_TRUE(tool_.PressButton(L"执行制作"));
  ASSERT_TRUE(tool_.FillFileDialog(folder_ + L"\\ORVELLAN", kDialogLimitMs));
  ASSERT_TRUE(tool_.WaitForStatus(kSavedTo, kSaveLimitMs)) << ToGbk(tool_.StatusText());
  // Inside the check's wait for the complete file: the tool asks first; "yes" ends it at once.
  CloseAndExpectAQuietEnd(Question::kAnsweredYes);
}

}  // namespace
}  // namespace e2e

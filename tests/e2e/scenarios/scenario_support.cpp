#include "tests/e2e/scenarios/scenario_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <set>

#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/image_files.h"
#include "tests/e2e/harness/process_group.h"
#include "tests/e2e/harness/screenshot.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"

namespace e2e {

namespace {

constexpr const wchar_t* kLicenceDialogTitle = L"License Agreement";
constexpr const wchar_t* kAcceptBoxText = L"I accept the license agreement";

std::wstring FullPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, buffer, nullptr);
  return length == 0 || length >= MAX_PATH ? path : std::wstring(buffer, length);
}

std::wstring Widen(const char* ascii) { return std::wstring(ascii, ascii + strlen(ascii)); }

}  // namespace

std::wstring LabelsFolder() { return RunFolder() + L"\\orvellanQZ\\labels"; }

void RemoveFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveFolder(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::wstring SamplePath(const std::wstring& name) {
  return FullPath(RunFolder() + L"\\samples\\" + name);
}

std::wstring CopySample(const std::wstring& name, const std::wstring& folder,
                        const std::wstring& newName) {
  const std::wstring target = FullPath(folder + L"\\" + newName);
  return CopyFileW(SamplePath(name).c_str(), target.c_str(), FALSE) ? target : std::wstring();
}

std::wstring FileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring SavedImagePath(const std::wstring& status) {
  const size_t line = status.find(kSavedTo);
  if (line == std::wstring::npos) return {};
  const size_t at = line + wcslen(kSavedTo);
  return status.substr(at, status.find(L"\r\n", at) - at);
}

std::vector<RecordedInput> ReadInputRecord(const std::wstring& recordPath) {
  std::vector<RecordedInput> inputs;
  FILE* in = _wfopen(recordPath.c_str(), L"r");
  if (!in) return inputs;
  unsigned long time = 0;
  unsigned message = 0;
  unsigned long long wParam = 0, lParam = 0;
  while (fscanf(in, "%lu %x %llx %llx", &time, &message, &wParam, &lParam) == 4) {
    inputs.push_back({DWORD(time), UINT(message), wParam, lParam});
  }
  fclose(in);
  return inputs;
}

bool ChooseFile(ToolSession& tool, const std::wstring& path) {
  if (!tool.PressButton(L"打开")) {
    ADD_FAILURE() << "no button 打开";
    return false;
  }
  if (!tool.FillFileDialog(path, kDialogLimitMs)) {
    RecordStage(L"open_dialog_failed");
    ADD_FAILURE() << "the open dialog could not be filled";
    return false;
  }
  return tool.WaitForStatus(L"已加入原版BIOS" + path, kStatusLimitMs);
}

bool IsCentred(const RECT& r) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  return r.left == (GetSystemMetrics(SM_CXSCREEN) - width) / 2 &&
         r.top == (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
}

bool ReadAndAwaitDone(ToolSession& tool, DWORD timeoutMs) {
  if (!tool.PressButton(L"读取") || !tool.WaitForStatus(kReadDone, timeoutMs)) return false;
  // The read goes on to list the microcodes and ends by centring the enlarged window; until
  // then another step's button only asks to wait.
  return WaitUntil([&] {
    const RECT r = tool.Bounds();
    return r.bottom - r.top == kEnlargedHeight && IsCentred(r);
  }, kListLimitMs);
}

size_t CountOf(const std::wstring& text, const std::wstring& fragment) {
  size_t count = 0;
  for (size_t at = text.find(fragment); at != std::wstring::npos;
       at = text.find(fragment, at + fragment.size())) {
    ++count;
  }
  return count;
}

bool WaitForStatusCount(ToolSession& tool, const std::wstring& fragment, size_t count,
                        DWORD timeoutMs) {
  return WaitUntil([&] { return CountOf(tool.StatusText(), fragment) >= count; }, timeoutMs, 200);
}

std::optional<std::vector<ListRow>> MicrocodeRows(ToolSession& tool) {
  HWND list = tool.Control("超级列表框1");
  if (!list) return std::nullopt;
  return ReadListRows(list, 2);
}

std::vector<ListRow> Rows(std::initializer_list<const wchar_t*> cpuids) {
  std::vector<ListRow> rows;
  for (const wchar_t* cpuid : cpuids) rows.push_back({std::to_wstring(rows.size() + 1), cpuid});
  return rows;
}

HWND LoadedPatcherWindow(const std::wstring& fileName) {
  return FirstTopLevel(kPatcherClass, kPatcherLoadedPrefix + fileName);
}

bool ExpectMessageBox(ToolSession& tool, const std::wstring& text, const std::wstring& caption,
                      BoxIcon icon, DWORD timeoutMs) {
  const std::optional<MessageBoxInfo> box = tool.WaitForMessageBox(timeoutMs);
  if (!box) {
    ADD_FAILURE() << "no message box within " << timeoutMs << " ms; expected: "
                  << ToGbk(text);
    return false;
  }
  RecordStage(L"message_box");
  EXPECT_EQ(box->text, text);
  EXPECT_EQ(box->caption, caption);
  EXPECT_EQ(int(box->icon), int(icon)) << "0 none, 1 information, 2 exclamation";
  EXPECT_TRUE(tool.DismissMessageBox(*box));
  return box->text == text && box->caption == caption && box->icon == icon;
}

bool ExpectMessageBoxMentioning(ToolSession& tool, const std::wstring& fragment,
                                DWORD timeoutMs) {
  const std::optional<MessageBoxInfo> box = tool.WaitForMessageBox(timeoutMs);
  if (!box) {
    ADD_FAILURE() << "no message box within " << timeoutMs << " ms";
    return false;
  }
  RecordStage(L"message_box");
  EXPECT_NE(box->text.find(fragment), std::wstring::npos) << ToGbk(box->text);
  EXPECT_TRUE(tool.DismissMessageBox(*box));
  return box->text.find(fragment) != std::wstring::npos;
}

std::vector<DWORD> FitProcessesOf(DWORD tool) {
  const std::vector<DWORD> started = DescendantsOf(tool);
  std::set<DWORD> processes;
  for (HWND window : TopLevelWindows(kFitClass, L"")) {
    const DWORD process = ProcessOf(window);
    if (std::find(started.begin(), started.end(), process) != started.end()) {
      processes.insert(process);
    }
  }
  return {processes.begin(), processes.end()};
}

bool AcceptFitLicence(DWORD timeoutMs) {
  HWND dialog = nullptr;
  HWND box = nullptr;
  if (!WaitUntil([&] {
        dialog = FirstTopLevel(L"#32770", kLicenceDialogTitle);
        box = dialog ? DescendantWithText(dialog, L"Button", kAcceptBoxText) : nullptr;
        return box != nullptr;
      }, timeoutMs, 100)) {
    return false;
  }
  PostMessageW(box, BM_CLICK, 0, 0);
  HWND ok = GetDlgItem(dialog, IDOK);
  if (!WaitUntil([&] { return ok && IsWindowEnabled(ok); }, 5000)) return false;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  return WaitUntil([&] { return !IsWindow(dialog); }, 5000);
}

std::optional<standin::ParseResult> ParseImageFile(const std::wstring& path) {
  const std::optional<std::vector<uint8_t>> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return standin::ParseImage(*bytes);
}

bool CloseTool(ToolSession& tool, DWORD timeoutMs) {
  PostMessageW(tool.MainWindow(), WM_CLOSE, 0, 0);
  return tool.Processes().WaitForExit(tool.ProcessId(), timeoutMs) != STILL_ACTIVE;
}

void RecordStage(const std::wstring& stage) {
  static int sequence = 0;
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::wstring name = info ? Widen(info->test_suite_name()) + L"." + Widen(info->name()) : L"run";
  wchar_t number[8];
  swprintf(number, 8, L"%03d", ++sequence);
  SaveScreenshot(std::wstring(number) + L"_" + name + L"_" + stage);
}

}  // namespace e2e

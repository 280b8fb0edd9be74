#pragma once
// Steps and checks shared by the end-to-end scenarios: a user's actions on the tool, the
// stand-in patcher's windows, message boxes and the images on disk.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "standins/image_format/bios_image.h"
#include "tests/e2e/harness/list_view.h"
#include "tests/e2e/harness/tool_session.h"

namespace e2e {

// Bounds of the scenario waits, each well above what the stand-ins need.
constexpr DWORD kDialogLimitMs = 15000;
constexpr DWORD kStatusLimitMs = 10000;
constexpr DWORD kReadLimitMs = 90000;     // load, ME flash and the microcode search
constexpr DWORD kConfirmLimitMs = 60000;  // clicks, 906EA's pause, apply, search again
constexpr DWORD kSaveLimitMs = 40000;     // dialogs and the written-file bound of the tool
constexpr DWORD kLicenceLimitMs = 20000;  // FIT's start and the tool's 4 s pause
constexpr DWORD kListLimitMs = 30000;     // the microcode list read at the end of a read
constexpr int kEnlargedHeight = 764;      // the main window after a read

constexpr const wchar_t* kPatcherClass = L"Qt5152QWindowIcon";
constexpr const wchar_t* kPatcherStartTitle = L"CoffeeTime 0.99";
constexpr const wchar_t* kPatcherLoadedPrefix = L"CoffeeTime 0.99  /  ";
constexpr const wchar_t* kFitClass = L"Qt5QWindowIcon";

constexpr const wchar_t* kReadDone = L"已完成BIOS读取,可以编辑BIOS微码...";
constexpr const wchar_t* kRefreshed = L"已刷新右边BIOS源码区，请确认一下";
constexpr const wchar_t* kSavedTo = L"魔改BIOS已保存到";

// The run folder's labels folder, where the tool looks for the user's label pictures and puts
// the window pictures it hands over.
std::wstring LabelsFolder();
// Removes a folder with all it holds; scenarios that make the tool write into the labels
// folder remove it again, since the run folder is shared.
void RemoveFolder(const std::wstring& folder);

// The full Windows path of a file of the run folder's samples.
std::wstring SamplePath(const std::wstring& name);
// Copies a sample into `folder` under `newName`; the copy's path, empty on failure.
std::wstring CopySample(const std::wstring& name, const std::wstring& folder,
                        const std::wstring& newName);
std::wstring FileNameOf(const std::wstring& path);

// "打开", the open dialog filled with `path`, and the line that records the file.
bool ChooseFile(ToolSession& tool, const std::wstring& path);
// "读取" and the wait for the read's last line and for the end of the read step (the list
// read, the enlarged window centred). False when either did not come.
bool ReadAndAwaitDone(ToolSession& tool, DWORD timeoutMs = kReadLimitMs);
// Whether the window's outer rectangle is centred on the screen.
bool IsCentred(const RECT& r);
// Waits until the status box holds `fragment` at least `count` times.
bool WaitForStatusCount(ToolSession& tool, const std::wstring& fragment, size_t count,
                        DWORD timeoutMs);
size_t CountOf(const std::wstring& text, const std::wstring& fragment);

// The microcode list as (number, CPUID) rows; nullopt when it could not be read.
std::optional<std::vector<ListRow>> MicrocodeRows(ToolSession& tool);
std::vector<ListRow> Rows(std::initializer_list<const wchar_t*> cpuids);

// The patcher's loaded window for the file name, null when there is none.
HWND LoadedPatcherWindow(const std::wstring& fileName);

// Expects a message box with this text, caption and icon within the bound, then closes it.
// The failures are reported through GoogleTest; true when the box came and matched.
bool ExpectMessageBox(ToolSession& tool, const std::wstring& text, const std::wstring& caption,
                      BoxIcon icon, DWORD timeoutMs = kDialogLimitMs);
// The same when only a part of the text is fixed.
bool ExpectMessageBoxMentioning(ToolSession& tool, const std::wstring& fragment,
                                DWORD timeoutMs);

// Processes started (directly or not) by `tool` that show a FIT main window.
std::vector<DWORD> FitProcessesOf(DWORD tool);
// Ticks "I accept the license agreement" in FIT's licence dialog and presses OK.
bool AcceptFitLicence(DWORD timeoutMs);

// The path the status box says the made image was saved to; empty when it says none.
std::wstring SavedImagePath(const std::wstring& status);

// One input message the stand-in patcher took from its queue (BMT_STANDIN_RECORD).
struct RecordedInput {
  DWORD time = 0;  // when it was posted, GetTickCount
  UINT message = 0;
  ULONGLONG wParam = 0, lParam = 0;
};
std::vector<RecordedInput> ReadInputRecord(const std::wstring& recordPath);

// The image at `path`, parsed by the stand-in's own reader.
std::optional<standin::ParseResult> ParseImageFile(const std::wstring& path);

// Closes the tool's main window as the user would; true when its process ended in time.
bool CloseTool(ToolSession& tool, DWORD timeoutMs = 15000);

// A screenshot under the output folder, named after the running test and the stage.
void RecordStage(const std::wstring& stage);

}  // namespace e2e

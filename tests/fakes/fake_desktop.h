#pragma once
// A simulated desktop for native tests: a tree of windows, a file system, processes, file
// dialogs and message boxes, on a virtual clock. Every seam call is logged; any call can be
// made to fail. Waiting advances the virtual clock instead of real time.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fake {

using platform::Handle;
using platform::Hwnd;
using platform::Rect;

struct FakeWindow {
  Hwnd handle = 0;
  Hwnd parent = 0;
  std::string className;
  std::string title;
  uint32_t style = 0x10000000;  // WS_VISIBLE
  uint32_t exStyle = 0;
  Rect rect;                   // outer rectangle, screen coordinates
  int32_t clientLeft = 8;      // client origin inside the outer rectangle
  int32_t clientTop = 31;
  bool iconic = false;
  uint32_t processId = 0;     // the fake process that created it
  bool responding = true;
  uint8_t alpha = 255;
  uint32_t layeredFlags = 0;
  std::vector<Hwnd> children;  // z-order, first = top
  std::set<std::string> shownLabels;  // label pictures a capture of this window would show
  bool capturable = true;             // false: a capture of it gives a blank picture
  int64_t paintDelayMs = 0;           // after being shown, captures are blank this long
  int64_t blankUntilMs = 0;           // set when shown: now + paintDelayMs
  uint32_t dpi = 96;                  // what GetDpiForWindow answers
  bool visible() const { return (style & 0x10000000) != 0; }
};

struct PostedMessage {
  Hwnd window = 0;
  uint32_t message = 0;
  uint32_t wParam = 0;
  uint32_t lParam = 0;
  bool unicode = false;
  int64_t atMs = 0;
};

struct SentMessage {
  Hwnd window = 0;
  uint32_t message = 0;
  uint32_t wParam = 0;
  uint32_t lParam = 0;
  int64_t atMs = 0;
};

struct MessageBoxShown {
  Hwnd owner = 0;
  std::string text;
  std::string caption;
  uint32_t style = 0;
  int64_t atMs = 0;
};

struct ProcessStarted {
  std::string commandLine;
  int showMode = 0;
  int64_t atMs = 0;
  uint32_t processId = 0;
  platform::Handle handle = 0;  // the process handle handed to the caller
};

// What a file dialog was given, copied when it opened.
struct DialogShown {
  bool save = false;
  Hwnd owner = 0;
  std::string filter;  // the native filter bytes, through its double NUL
  std::string initialFile;  // file buffer content up to its first NUL
  std::string initialDir;
  std::string title;
};

class FakeDesktop final : public platform::WindowApi,
                          public platform::SystemApi,
                          public platform::DialogApi {
 public:
  FakeDesktop();

  platform::Platform& AsPlatform() { return platform_; }

  // --- building the scene ---
  Hwnd AddWindow(Hwnd parent, const std::string& className, const std::string& title,
                 Rect rect = {100, 100, 740, 580});
  FakeWindow& Window(Hwnd handle);
  bool Exists(Hwnd handle) const { return windows_.count(handle) != 0; }
  void RemoveWindow(Hwnd handle);
  void AddFile(const std::u16string& path, uint32_t attributes = 0x20);
  // Writes (or rewrites) a file: its last-write time becomes the virtual clock's time.
  void WriteFile(const std::u16string& path);
  // Content that reading the file gives; `writeLocked` = another program holds it open for
  // writing, so an open that does not share write access fails with a sharing violation.
  void SetFileContent(const std::u16string& path, std::vector<uint8_t> content,
                      bool writeLocked = false);
  void SetFileWriteLocked(const std::u16string& path, bool writeLocked);
  // Another program holds the file open without sharing it: every open fails with a sharing
  // violation.
  void SetFileOpenedExclusively(const std::u16string& path, bool exclusive);
  // A file of `size` bytes whose content is never read: its size is answered, reads give nothing.
  void SetFileSize(const std::u16string& path, uint64_t size);
  void RemoveFile(const std::u16string& path) { files_.erase(path); }
  const std::vector<uint8_t>* FileContent(const std::u16string& path) const;
  void SetScreenSize(int width, int height) { screenWidth_ = width, screenHeight_ = height; }
  void SetClockStart(int hour, int minute) { startMinutes_ = hour * 60 + minute; }
  void SetProgramDirectory(const std::string& dir) { programDirectory_ = dir; }
  void SetCurrentDirectory(const std::string& dir) { currentDirectory_ = dir; }
  const std::string& CurrentDirectory() const { return currentDirectory_; }

  // --- virtual clock ---
  int64_t NowMs() const { return nowMs_; }
  // Runs `action` once the clock reaches `atMs`. Input events make a pumping wait wake up.
  void At(int64_t atMs, std::function<void()> action, bool isInput = false);
  void After(int64_t delayMs, std::function<void()> action, bool isInput = false) {
    At(nowMs_ + delayMs, std::move(action), isInput);
  }
  void Advance(int64_t ms);

  // --- reactions ---
  std::function<void(const PostedMessage&)> onPost;
  std::function<void(const ProcessStarted&)> onProcessStarted;
  std::function<void()> onProcessMessages;  // runs when pending input is dispatched
  // Chosen paths for the next dialogs; nullopt = the user cancels. Empty queue = cancel.
  std::deque<std::optional<std::string>> openDialogAnswers;
  std::deque<std::optional<std::string>> saveDialogAnswers;

  // --- processes ---
  // Ends a started process: its windows go; a wait on its handle returns.
  void EndProcess(uint32_t processId);
  bool ProcessRunning(uint32_t processId) const { return running_.count(processId) != 0; }
  // A process that ignores WM_CLOSE (its GUI thread is blocked).
  void SetProcessHung(uint32_t processId, bool hung);
  std::vector<uint32_t> terminated;  // ids of the processes ended by TerminateProcess

  // --- the thread's own queue ---
  // Closing the main window leaves the quit message in the queue.
  void PostQuit() { quitPending_ = true; }
  // A message already waiting in the queue (one a message wait would not wake for).
  void QueueInput() { inputPending_ = true; }

  // --- failures on demand: a name of a seam call (e.g. "CreateWaitableTimerA") ---
  void Fail(const std::string& call) { failing_.insert(call); }
  void Heal(const std::string& call) { failing_.erase(call); }

  // --- records ---
  std::vector<std::string> calls;  // every seam call by name, in order
  std::vector<PostedMessage> posted;
  std::vector<SentMessage> sent;
  std::vector<MessageBoxShown> messageBoxes;
  std::deque<int> boxAnswers;  // what the next boxes answer; IDOK when none is left
  std::vector<ProcessStarted> processes;
  std::vector<DialogShown> dialogs;
  int pumpCount = 0;
  size_t OpenHandleCount() const { return openHandles_.size(); }
  size_t CountCalls(const std::string& name) const;

  // --- WindowApi ---
  Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const char* className,
                     const char* title) override;
  bool GetWindowInfo(Hwnd window, platform::WindowInfo* info) override;
  bool GetWindowRect(Hwnd window, Rect* rect) override;
  bool GetClientRect(Hwnd window, Rect* rect) override;
  bool ClientToScreen(Hwnd window, platform::Point* point) override;
  int GetClassNameA(Hwnd window, char* buffer, int maxCount) override;
  bool IsWindow(Hwnd window) override;
  bool IsIconic(Hwnd window) override;
  bool IsWindowVisible(Hwnd window) override;
  Hwnd GetDesktopWindow() override;
  bool PostMessageA(Hwnd window, uint32_t message, uint32_t wParam, uint32_t lParam) override;
  bool PostMessageW(Hwnd window, uint32_t message, uint32_t wParam, uint32_t lParam) override;
  int32_t SendMessageA(Hwnd window, uint32_t message, uint32_t wParam, uint32_t lParam) override;
  uint32_t SendMessageTimeoutA(Hwnd window, uint32_t message, uint32_t wParam, uint32_t lParam,
                               uint32_t flags, uint32_t timeoutMs, uint32_t* result) override;
  uint32_t MapVirtualKeyA(uint32_t code, uint32_t mapType) override;
  int32_t GetWindowLongA(Hwnd window, int index) override;
  int32_t SetWindowLongA(Hwnd window, int index, int32_t value) override;
  bool SetLayeredWindowAttributes(Hwnd window, uint32_t colorKey, uint8_t alpha,
                                  uint32_t flags) override;
  bool ShowWindowAsync(Hwnd window, int command) override;
  uint32_t RegisterWindowMessageA(const char* name) override;
  int GetSystemMetrics(int index) override;
  uint32_t GetDpiForWindow(Hwnd window) override;
  int MessageBoxA(Hwnd owner, const char* text, const char* caption, uint32_t style) override;
  uint32_t MsgWaitForMultipleObjects(uint32_t count, const Handle* handles, bool waitAll,
                                     uint32_t timeoutMs, uint32_t wakeMask) override;
  bool ProcessPendingMessages() override;
  bool QuitPending() override;
  uint32_t GetWindowProcessId(Hwnd window) override;

  // --- SystemApi ---
  Handle CreateWaitableTimerA() override;
  bool SetWaitableTimer(Handle timer, int64_t dueTime) override;
  bool CloseHandle(Handle handle) override;
  uint64_t GetTickCount64() override;
  void Sleep(uint32_t milliseconds) override;
  platform::LocalTime GetLocalTime() override;
  int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* text, int length,
                          char16_t* buffer, int bufferUnits) override;
  int WideCharToMultiByte(uint32_t codePage, const char16_t* text, int length, char* buffer,
                          int bufferBytes) override;
  Handle FindFirstFileW(const char16_t* path, platform::FindData* data) override;
  bool FindNextFileW(Handle search, platform::FindData* data) override;
  bool FindClose(Handle search) override;
  bool CreateDirectoryW(const char16_t* path) override;
  Handle CreateFileW(const char16_t* path, uint32_t shareMode) override;
  bool GetFileSizeEx(Handle file, uint64_t* size) override;
  uint32_t GetFileAttributesW(const char16_t* path) override;
  Handle CreateTemporaryFileW(const char16_t* path) override;
  bool ReadFile(Handle file, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead) override;
  Handle CreateNewFileW(const char16_t* path) override;
  bool WriteFile(Handle file, const void* buffer, uint32_t bytesToWrite,
                 uint32_t* bytesWritten) override;
  uint32_t GetLastError() override;
  uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer) override;
  bool SetCurrentDirectoryA(const char* path) override;
  std::string ProgramDirectory() override;
  bool CreateProcessA(const char* commandLine, int showMode,
                      platform::ProcessInfo* info) override;
  uint32_t WaitForInputIdle(Handle process, uint32_t milliseconds) override;
  uint32_t WaitForSingleObject(Handle handle, uint32_t milliseconds) override;
  bool TerminateProcess(Handle process, uint32_t exitCode) override;

  // --- DialogApi ---
  bool GetOpenFileNameA(platform::OpenFileRecord* record) override;
  bool GetSaveFileNameA(platform::OpenFileRecord* record) override;
  uint32_t CommDlgExtendedError() override { return dialogError_; }
  // The extended error of the next failing dialog; with a non-zero value the next dialog
  // fails with it instead of answering.
  void FailNextDialog(uint32_t error) { nextDialogError_ = error; }

 private:
  struct Scheduled {
    int64_t atMs;
    uint64_t order;
    std::function<void()> action;
    bool isInput;
  };
  bool Failing(const char* call);
  Handle NewHandle();
  bool RunDialog(bool save, platform::OpenFileRecord* record);
  // Advances to `untilMs`, running due events; stops early at the first input event and
  // returns true in that case.
  bool AdvanceUntil(int64_t untilMs, bool stopAtInput);
  // WM_CLOSE reaching a window of a process that is not hung.
  void CloseWindow(Hwnd handle);
  bool CanCreate(const char16_t* path);
  struct FileSearch {
    std::u16string pattern;
    std::u16string last;  // full path of the entry found last
  };
  bool NextMatch(const FileSearch& search, const std::u16string& after, platform::FindData* data);

  platform::Platform platform_;
  std::map<Hwnd, FakeWindow> windows_;
  std::vector<Hwnd> topLevel_;  // z-order
  Hwnd desktop_ = 0x10010;
  Hwnd nextHwnd_ = 0x20000;
  Handle nextHandle_ = 0x400;
  std::set<Handle> openHandles_;
  std::map<Handle, int64_t> timers_;  // due time, -1 when not armed
  struct FakeFile {
    uint32_t attributes = 0x20;
    uint64_t lastWriteTime = 0;
    std::vector<uint8_t> content{};
    bool writeLocked = false;
    bool openedExclusively = false;
    std::optional<uint64_t> sizeWithoutContent{};
  };
  std::map<std::u16string, FakeFile> files_;
  struct OpenFile {
    std::u16string path;
    size_t position = 0;
  };
  std::map<Handle, OpenFile> openFiles_;
  std::map<Handle, FileSearch> searches_;
  uint32_t lastError_ = 0;
  uint32_t dialogError_ = 0;
  uint32_t nextDialogError_ = 0;
  bool quitPending_ = false;
  bool inputPending_ = false;
  std::set<uint32_t> running_;
  std::set<uint32_t> hung_;
  std::map<Handle, uint32_t> processHandles_;  // handle -> process id
  std::vector<Scheduled> scheduled_;
  uint64_t scheduleOrder_ = 0;
  std::set<std::string> failing_;
  std::map<std::string, uint32_t> registeredMessages_;
  int64_t nowMs_ = 0;
  int startMinutes_ = 14 * 60 + 7;
  int screenWidth_ = 2560;
  int screenHeight_ = 1440;
  std::string programDirectory_ = "C:\\tool";
  std::string currentDirectory_ = "C:\\work";
};

}  // namespace fake

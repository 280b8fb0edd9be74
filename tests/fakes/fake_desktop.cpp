#include "tests/fakes/fake_desktop.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "platform/api_values.h"
#include "platform/native/iconv_code_page.h"

namespace fake {

using platform::Point;

FakeDesktop::FakeDesktop() : platform_{*this, *this, *this} {}

Hwnd FakeDesktop::AddWindow(Hwnd parent, const std::string& className, const std::string& title,
                            Rect rect) {
  Hwnd h = nextHwnd_;
  nextHwnd_ += 4;
  FakeWindow w;
  w.handle = h;
  w.parent = parent;
  w.className = className;
  w.title = title;
  w.rect = rect;
  if (parent != 0) {
    w.clientLeft = 0;
    w.clientTop = 0;
    Window(parent).children.push_back(h);
  } else {
    topLevel_.push_back(h);
  }
  windows_[h] = w;
  return h;
}

FakeWindow& FakeDesktop::Window(Hwnd handle) {
  auto it = windows_.find(handle);
  if (it == windows_.end()) throw std::out_of_range("no such fake window");
  return it->second;
}

void FakeDesktop::RemoveWindow(Hwnd handle) {
  auto it = windows_.find(handle);
  if (it == windows_.end()) return;
  for (Hwnd child : std::vector<Hwnd>(it->second.children)) RemoveWindow(child);
  Hwnd parent = it->second.parent;
  auto& siblings = parent ? Window(parent).children : topLevel_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
  windows_.erase(handle);
}

void FakeDesktop::CloseWindow(Hwnd handle) {
  const uint32_t owner = Window(handle).processId;
  if (owner == 0 || hung_.count(owner)) return;
  RemoveWindow(handle);
  for (const auto& entry : windows_) {
    if (entry.second.processId == owner && entry.second.parent == 0) return;
  }
  running_.erase(owner);
}

void FakeDesktop::AddFile(const std::u16string& path, uint32_t attributes) {
  files_[path] = {attributes, static_cast<uint64_t>(nowMs_) * 10000};
}

void FakeDesktop::WriteFile(const std::u16string& path) {
  files_[path] = {0x20, static_cast<uint64_t>(nowMs_) * 10000 + 1};
}

void FakeDesktop::SetFileContent(const std::u16string& path, std::vector<uint8_t> content,
                                 bool writeLocked) {
  FakeFile& file = files_[path];
  file.lastWriteTime = static_cast<uint64_t>(nowMs_) * 10000 + 1;
  file.content = std::move(content);
  file.sizeWithoutContent.reset();
  file.writeLocked = writeLocked;
}

void FakeDesktop::SetFileWriteLocked(const std::u16string& path, bool writeLocked) {
  files_[path].writeLocked = writeLocked;
}

void FakeDesktop::SetFileOpenedExclusively(const std::u16string& path, bool exclusive) {
  files_[path].openedExclusively = exclusive;
}

void FakeDesktop::SetFileSize(const std::u16string& path, uint64_t size) {
  FakeFile& file = files_[path];
  file.content.clear();
  file.sizeWithoutContent = size;
}

const std::vector<uint8_t>* FakeDesktop::FileContent(const std::u16string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? nullptr : &it->second.content;
}

void FakeDesktop::At(int64_t atMs, std::function<void()> action, bool isInput) {
  scheduled_.push_back({atMs, scheduleOrder_++, std::move(action), isInput});
}

void FakeDesktop::Advance(int64_t ms) { AdvanceUntil(nowMs_ + ms, false); }

bool FakeDesktop::AdvanceUntil(int64_t untilMs, bool stopAtInput) {
  for (;;) {
    auto next = std::min_element(scheduled_.begin(), scheduled_.end(),
                                 [](const Scheduled& a, const Scheduled& b) {
                                   return a.atMs != b.atMs ? a.atMs < b.atMs : a.order < b.order;
                                 });
    if (next == scheduled_.end() || next->atMs > untilMs) break;
    Scheduled event = std::move(*next);
    scheduled_.erase(next);
    nowMs_ = std::max(nowMs_, event.atMs);
    event.action();
    if (event.isInput && stopAtInput) return true;
  }
  nowMs_ = std::max(nowMs_, untilMs);
  return false;
}

size_t FakeDesktop::CountCalls(const std::string& name) const {
  return static_cast<size_t>(std::count(calls.begin(), calls.end(), name));
}

bool FakeDesktop::Failing(const char* call) {
  calls.emplace_back(call);
  return failing_.count(call) != 0;
}

Handle FakeDesktop::NewHandle() {
  Handle h = nextHandle_;
  nextHandle_ += 4;
  openHandles_.insert(h);
  return h;
}

// ---------------------------------------------------------------- WindowApi

Hwnd FakeDesktop::FindWindowExA(Hwnd parent, Hwnd childAfter, const char* className,
                                const char* title) {
  if (Failing("FindWindowExA")) return 0;
  const std::vector<Hwnd>* list = &topLevel_;
  if (parent != 0) {
    if (!Exists(parent)) return 0;
    list = &Window(parent).children;
  }
  auto it = list->begin();
  if (childAfter != 0) {
    it = std::find(list->begin(), list->end(), childAfter);
    if (it == list->end()) return 0;
    ++it;
  }
  for (; it != list->end(); ++it) {
    const FakeWindow& w = windows_.at(*it);
    if (className && w.className != className) continue;
    if (title && w.title != title) continue;
    return w.handle;
  }
  return 0;
}

bool FakeDesktop::GetWindowInfo(Hwnd window, platform::WindowInfo* info) {
  if (Failing("GetWindowInfo") || !Exists(window) || info->cbSize != 60) return false;
  const FakeWindow& w = Window(window);
  info->window = w.rect;
  info->style = w.style;
  info->exStyle = w.exStyle;
  return true;
}

bool FakeDesktop::GetWindowRect(Hwnd window, Rect* rect) {
  if (Failing("GetWindowRect") || !Exists(window)) return false;
  *rect = Window(window).rect;
  return true;
}

bool FakeDesktop::GetClientRect(Hwnd window, Rect* rect) {
  if (Failing("GetClientRect") || !Exists(window)) return false;
  const FakeWindow& w = Window(window);
  int32_t width = w.rect.right - w.rect.left - (w.parent ? 0 : 2 * w.clientLeft);
  int32_t height = w.rect.bottom - w.rect.top - (w.parent ? 0 : w.clientTop + w.clientLeft);
  *rect = {0, 0, std::max(width, 0), std::max(height, 0)};
  return true;
}

bool FakeDesktop::ClientToScreen(Hwnd window, Point* point) {
  if (Failing("ClientToScreen") || !Exists(window)) return false;
  const FakeWindow& w = Window(window);
  point->x += w.rect.left + w.clientLeft;
  point->y += w.rect.top + w.clientTop;
  return true;
}

int FakeDesktop::GetClassNameA(Hwnd window, char* buffer, int maxCount) {
  if (Failing("GetClassNameA") || !Exists(window) || maxCount <= 0) return 0;
  const std::string& name = Window(window).className;
  size_t n = std::min(name.size(), static_cast<size_t>(maxCount - 1));
  std::memcpy(buffer, name.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

bool FakeDesktop::IsWindow(Hwnd window) { return !Failing("IsWindow") && Exists(window); }

bool FakeDesktop::IsIconic(Hwnd window) {
  return !Failing("IsIconic") && Exists(window) && Window(window).iconic;
}

bool FakeDesktop::IsWindowVisible(Hwnd window) {
  return !Failing("IsWindowVisible") && Exists(window) && Window(window).visible();
}

Hwnd FakeDesktop::GetDesktopWindow() {
  calls.emplace_back("GetDesktopWindow");
  return desktop_;
}

bool FakeDesktop::PostMessageA(Hwnd window, uint32_t message, uint32_t wParam,
                               uint32_t lParam) {
  if (Failing("PostMessageA")) return false;
  PostedMessage m{window, message, wParam, lParam, false, nowMs_};
  posted.push_back(m);
  if (onPost) onPost(m);
  const bool delivered = window == desktop_ || Exists(window);
  if (delivered && message == platform::kWmClose) CloseWindow(window);
  return delivered;
}

bool FakeDesktop::PostMessageW(Hwnd window, uint32_t message, uint32_t wParam,
                               uint32_t lParam) {
  if (Failing("PostMessageW")) return false;
  PostedMessage m{window, message, wParam, lParam, true, nowMs_};
  posted.push_back(m);
  if (onPost) onPost(m);
  const bool delivered = window == desktop_ || Exists(window);
  if (delivered && message == platform::kWmClose) CloseWindow(window);
  return delivered;
}

int32_t FakeDesktop::SendMessageA(Hwnd window, uint32_t message, uint32_t wParam,
                                  uint32_t lParam) {
  if (Failing("SendMessageA")) return 0;
  sent.push_back({window, message, wParam, lParam, nowMs_});
  return 0;
}

uint32_t FakeDesktop::SendMessageTimeoutA(Hwnd window, uint32_t message, uint32_t wParam,
                                          uint32_t lParam, uint32_t flags, uint32_t timeoutMs,
                                          uint32_t* result) {
  (void)flags;
  if (Failing("SendMessageTimeoutA") || !Exists(window)) return 0;
  sent.push_back({window, message, wParam, lParam, nowMs_});
  if (!Window(window).responding) {
    AdvanceUntil(nowMs_ + timeoutMs, false);
    return 0;
  }
  if (result) *result = 0;
  return 1;
}

uint32_t FakeDesktop::MapVirtualKeyA(uint32_t code, uint32_t mapType) {
  calls.emplace_back("MapVirtualKeyA");
  if (mapType != 0) return 0;
  // A fixed US-layout table is enough for the fake: letters, digits and the OEM keys.
  static const std::map<uint32_t, uint32_t> scan = {
      {'A', 0x1E}, {'B', 0x30}, {'C', 0x2E}, {'D', 0x20}, {'E', 0x12}, {'F', 0x21},
      {'G', 0x22}, {'H', 0x23}, {'I', 0x17}, {'J', 0x24}, {'K', 0x25}, {'L', 0x26},
      {'M', 0x32}, {'N', 0x31}, {'O', 0x18}, {'P', 0x19}, {'Q', 0x10}, {'R', 0x13},
      {'S', 0x1F}, {'T', 0x14}, {'U', 0x16}, {'V', 0x2F}, {'W', 0x11}, {'X', 0x2D},
      {'Y', 0x15}, {'Z', 0x2C}, {'0', 0x0B}, {'1', 0x02}, {'2', 0x03}, {'3', 0x04},
      {'4', 0x05}, {'5', 0x06}, {'6', 0x07}, {'7', 0x08}, {'8', 0x09}, {'9', 0x0A},
      {186, 0x27}, {187, 0x0D}, {188, 0x33}, {189, 0x0C}, {190, 0x34}, {191, 0x35},
      {192, 0x29}, {220, 0x2B}, {0x20, 0x39}, {0x0D, 0x1C}};
  auto it = scan.find(code);
  return it == scan.end() ? 0 : it->second;
}

int32_t FakeDesktop::GetWindowLongA(Hwnd window, int index) {
  if (Failing("GetWindowLongA") || !Exists(window)) return 0;
  if (index == platform::kGwlExStyle) return static_cast<int32_t>(Window(window).exStyle);
  if (index == -16) return static_cast<int32_t>(Window(window).style);
  return 0;
}

int32_t FakeDesktop::SetWindowLongA(Hwnd window, int index, int32_t value) {
  if (Failing("SetWindowLongA") || !Exists(window)) return 0;
  FakeWindow& w = Window(window);
  uint32_t* field = index == platform::kGwlExStyle ? &w.exStyle
                    : index == -16                 ? &w.style
                                                   : nullptr;
  if (!field) return 0;
  int32_t previous = static_cast<int32_t>(*field);
  *field = static_cast<uint32_t>(value);
  return previous;
}

bool FakeDesktop::SetLayeredWindowAttributes(Hwnd window, uint32_t colorKey, uint8_t alpha,
                                             uint32_t flags) {
  (void)colorKey;
  if (Failing("SetLayeredWindowAttributes") || !Exists(window)) return false;
  FakeWindow& w = Window(window);
  if (!(w.exStyle & platform::kWsExLayered)) return false;
  w.alpha = alpha;
  w.layeredFlags = flags;
  return true;
}

bool FakeDesktop::ShowWindowAsync(Hwnd window, int command) {
  if (Failing("ShowWindowAsync") || !Exists(window)) return false;
  FakeWindow& w = Window(window);
  bool wasVisible = w.visible();
  if (command == platform::kSwHide) {
    w.style &= ~0x10000000u;
  } else {
    w.style |= 0x10000000u;
    if (command == platform::kSwShowNormal) w.iconic = false;
    if (!wasVisible) w.blankUntilMs = NowMs() + w.paintDelayMs;
  }
  return wasVisible;
}

uint32_t FakeDesktop::RegisterWindowMessageA(const char* name) {
  calls.emplace_back("RegisterWindowMessageA");
  auto [it, inserted] =
      registeredMessages_.emplace(name, 0xC000 + static_cast<uint32_t>(registeredMessages_.size()));
  (void)inserted;
  return it->second;
}

uint32_t FakeDesktop::GetDpiForWindow(Hwnd window) {
  calls.emplace_back("GetDpiForWindow");
  return Exists(window) ? Window(window).dpi : 0;
}

int FakeDesktop::GetSystemMetrics(int index) {
  calls.emplace_back("GetSystemMetrics");
  if (index == platform::kSmCxScreen) return screenWidth_;
  if (index == platform::kSmCyScreen) return screenHeight_;
  return 0;
}

int FakeDesktop::MessageBoxA(Hwnd owner, const char* text, const char* caption, uint32_t style) {
  if (Failing("MessageBoxA")) return 0;
  messageBoxes.push_back({owner, text ? text : "", caption ? caption : "", style, nowMs_});
  if (boxAnswers.empty()) return 1;  // IDOK
  const int answer = boxAnswers.front();
  boxAnswers.pop_front();
  return answer;
}

uint32_t FakeDesktop::MsgWaitForMultipleObjects(uint32_t count, const Handle* handles,
                                                bool waitAll, uint32_t timeoutMs,
                                                uint32_t wakeMask) {
  (void)waitAll;
  (void)wakeMask;
  if (Failing("MsgWaitForMultipleObjects")) return platform::kWaitFailed;
  // A pending quit counts as input: the wait wakes at once, as the platform's does.
  if (quitPending_) return platform::kWaitObject0 + count;
  int64_t due = timeoutMs == platform::kInfinite ? INT64_MAX : nowMs_ + timeoutMs;
  int fired = -1;
  for (uint32_t i = 0; i < count; ++i) {
    auto it = timers_.find(handles[i]);
    if (it != timers_.end() && it->second >= 0 && it->second < due) {
      due = it->second;
      fired = static_cast<int>(i);
    }
  }
  if (due == INT64_MAX) {
    // Nothing would ever wake this wait: a real program would hang here.
    throw std::logic_error("MsgWaitForMultipleObjects would wait for ever");
  }
  if (AdvanceUntil(due, true)) {
    inputPending_ = true;
    return platform::kWaitObject0 + count;
  }
  if (fired < 0) return platform::kWaitTimeout;
  timers_[handles[fired]] = -1;  // auto-reset
  return platform::kWaitObject0 + static_cast<uint32_t>(fired);
}

bool FakeDesktop::ProcessPendingMessages() {
  ++pumpCount;
  calls.emplace_back("ProcessPendingMessages");
  if (quitPending_) return false;
  if (inputPending_) {
    inputPending_ = false;
    if (onProcessMessages) onProcessMessages();
  }
  return true;
}

bool FakeDesktop::QuitPending() {
  calls.emplace_back("QuitPending");
  return quitPending_;
}

uint32_t FakeDesktop::GetWindowProcessId(Hwnd window) {
  return Exists(window) ? Window(window).processId : 0;
}

// ---------------------------------------------------------------- SystemApi

Handle FakeDesktop::CreateWaitableTimerA() {
  if (Failing("CreateWaitableTimerA")) return 0;
  Handle h = NewHandle();
  timers_[h] = -1;
  return h;
}

bool FakeDesktop::SetWaitableTimer(Handle timer, int64_t dueTime) {
  if (Failing("SetWaitableTimer") || !timers_.count(timer)) return false;
  // Negative = relative, in 100 ns units; round up to whole milliseconds.
  int64_t relative100ns = dueTime < 0 ? -dueTime : std::max<int64_t>(dueTime - nowMs_ * 10000, 0);
  timers_[timer] = nowMs_ + (relative100ns + 9999) / 10000;
  return true;
}

bool FakeDesktop::CloseHandle(Handle handle) {
  if (Failing("CloseHandle")) return false;
  timers_.erase(handle);
  openFiles_.erase(handle);
  return openHandles_.erase(handle) != 0;
}

uint64_t FakeDesktop::GetTickCount64() {
  calls.emplace_back("GetTickCount64");
  return static_cast<uint64_t>(nowMs_) + 1000000;
}

void FakeDesktop::Sleep(uint32_t milliseconds) {
  calls.emplace_back("Sleep");
  AdvanceUntil(nowMs_ + milliseconds, false);
}

platform::LocalTime FakeDesktop::GetLocalTime() {
  calls.emplace_back("GetLocalTime");
  int64_t totalSeconds = static_cast<int64_t>(startMinutes_) * 60 + nowMs_ / 1000;
  int minutes = static_cast<int>((totalSeconds / 60) % (24 * 60));
  return {minutes / 60, minutes % 60, static_cast<int>(totalSeconds % 60), 2026, 12, 10};
}

int FakeDesktop::MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* text,
                                     int length, char16_t* buffer, int bufferUnits) {
  if (Failing("MultiByteToWideChar")) return 0;
  return platform::IconvMultiByteToWideChar(codePage, flags, text, length, buffer, bufferUnits);
}

namespace {

bool WildcardMatch(const char16_t* pattern, const char16_t* text) {
  if (*pattern == 0) return *text == 0;
  if (*pattern == u'*') {
    return WildcardMatch(pattern + 1, text) || (*text && WildcardMatch(pattern, text + 1));
  }
  if (*text == 0) return false;
  if (*pattern == u'?' || *pattern == *text) return WildcardMatch(pattern + 1, text + 1);
  return false;
}

}  // namespace

namespace {
bool IsDriveRoot(const std::u16string& path) {
  return path.size() == 3 && path[1] == u':' && path[2] == u'\\';
}
std::u16string FolderOf(const std::u16string& path) {
  const size_t slash = path.find_last_of(u'\\');
  if (slash == std::u16string::npos) return {};
  return path.substr(0, slash == 2 ? 3 : slash);
}
std::u16string LeafOf(const std::u16string& path) {
  return path.substr(path.find_last_of(u'\\') + 1);
}
}  // namespace

// The first entry after `after` (in name order) of the pattern's folder whose name matches the
// pattern's last part.
bool FakeDesktop::NextMatch(const FileSearch& search, const std::u16string& after,
                            platform::FindData* data) {
  const std::u16string folder = FolderOf(search.pattern), leaf = LeafOf(search.pattern);
  for (auto it = files_.upper_bound(after); it != files_.end(); ++it) {
    const std::u16string& name = it->first;
    if (FolderOf(name) != folder || !WildcardMatch(leaf.c_str(), LeafOf(name).c_str())) continue;
    data->attributes = it->second.attributes;
    data->lastWriteTime = it->second.lastWriteTime;
    data->size = it->second.sizeWithoutContent.value_or(it->second.content.size());
    data->fileName = LeafOf(name);
    return true;
  }
  return false;
}

Handle FakeDesktop::FindFirstFileW(const char16_t* path, platform::FindData* data) {
  if (Failing("FindFirstFileW") || !path) return platform::kInvalidHandle;
  FileSearch search{path, {}};
  if (!NextMatch(search, {}, data)) return platform::kInvalidHandle;
  search.last = FolderOf(search.pattern) + u"\\" + data->fileName;
  const Handle h = NewHandle();
  searches_[h] = search;
  return h;
}

bool FakeDesktop::FindNextFileW(Handle search, platform::FindData* data) {
  auto it = searches_.find(search);
  if (it == searches_.end() || !NextMatch(it->second, it->second.last, data)) return false;
  it->second.last = FolderOf(it->second.pattern) + u"\\" + data->fileName;
  return true;
}

bool FakeDesktop::FindClose(Handle search) {
  calls.emplace_back("FindClose");
  searches_.erase(search);
  return openHandles_.erase(search) != 0;
}

bool FakeDesktop::CreateDirectoryW(const char16_t* path) {
  calls.emplace_back("CreateDirectoryW");
  if (Failing("CreateDirectoryW") || !CanCreate(path)) {
    lastError_ = path && files_.count(path) ? platform::kErrorAlreadyExists
                                            : platform::kErrorPathNotFound;
    return false;
  }
  files_[path].attributes = platform::kFileAttributeDirectory;
  return true;
}

int FakeDesktop::WideCharToMultiByte(uint32_t codePage, const char16_t* text, int length,
                                     char* buffer, int bufferBytes) {
  if (Failing("WideCharToMultiByte")) return 0;
  return platform::IconvWideCharToMultiByte(codePage, text, length, buffer, bufferBytes);
}

uint32_t FakeDesktop::GetFileAttributesW(const char16_t* path) {
  if (!path) return platform::kInvalidFileAttributes;
  if (IsDriveRoot(path)) return platform::kFileAttributeDirectory;
  auto it = files_.find(path);
  return it == files_.end() ? platform::kInvalidFileAttributes : it->second.attributes;
}

// A new file can be made at `path`: nothing is there, and its folder exists.
bool FakeDesktop::CanCreate(const char16_t* path) {
  if (!path || files_.count(path)) return false;
  const uint32_t folder = GetFileAttributesW(FolderOf(path).c_str());
  return folder != platform::kInvalidFileAttributes && (folder & platform::kFileAttributeDirectory);
}

Handle FakeDesktop::CreateTemporaryFileW(const char16_t* path) {
  calls.emplace_back("CreateTemporaryFileW");
  if (Failing("CreateTemporaryFileW") || !CanCreate(path)) return platform::kInvalidHandle;
  return NewHandle();
}

Handle FakeDesktop::CreateNewFileW(const char16_t* path) {
  calls.emplace_back("CreateNewFileW");
  if (Failing("CreateNewFileW") || !CanCreate(path)) return platform::kInvalidHandle;
  files_[path].lastWriteTime = static_cast<uint64_t>(nowMs_) + 1;
  const Handle h = NewHandle();
  openFiles_[h] = {path, 0};
  return h;
}

bool FakeDesktop::WriteFile(Handle file, const void* buffer, uint32_t bytesToWrite,
                            uint32_t* bytesWritten) {
  *bytesWritten = 0;
  auto it = openFiles_.find(file);
  if (Failing("WriteFile") || it == openFiles_.end() || !openHandles_.count(file)) return false;
  std::vector<uint8_t>& content = files_[it->second.path].content;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  content.insert(content.end(), bytes, bytes + bytesToWrite);
  *bytesWritten = bytesToWrite;
  return true;
}

Handle FakeDesktop::CreateFileW(const char16_t* path, uint32_t shareMode) {
  if (Failing("CreateFileW") || !path) {
    lastError_ = 5;  // ERROR_ACCESS_DENIED
    return platform::kInvalidHandle;
  }
  auto it = files_.find(path);
  if (it == files_.end() || (it->second.attributes & platform::kFileAttributeDirectory)) {
    lastError_ = it == files_.end() ? platform::kErrorFileNotFound : 5;
    return platform::kInvalidHandle;
  }
  if (it->second.openedExclusively ||
      (it->second.writeLocked && !(shareMode & platform::kFileShareWrite))) {
    lastError_ = platform::kErrorSharingViolation;
    return platform::kInvalidHandle;
  }
  const Handle h = NewHandle();
  openFiles_[h] = {it->first, 0};
  return h;
}

bool FakeDesktop::GetFileSizeEx(Handle file, uint64_t* size) {
  auto it = openFiles_.find(file);
  if (Failing("GetFileSizeEx") || it == openFiles_.end() || !openHandles_.count(file)) return false;
  const FakeFile& opened = files_[it->second.path];
  *size = opened.sizeWithoutContent.value_or(opened.content.size());
  return true;
}

bool FakeDesktop::ReadFile(Handle file, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead) {
  *bytesRead = 0;
  auto it = openFiles_.find(file);
  if (Failing("ReadFile") || it == openFiles_.end() || !openHandles_.count(file)) return false;
  const std::vector<uint8_t>& content = files_[it->second.path].content;
  const size_t from = std::min(it->second.position, content.size());
  const size_t count = std::min<size_t>(bytesToRead, content.size() - from);
  std::memcpy(buffer, content.data() + from, count);
  it->second.position = from + count;
  *bytesRead = static_cast<uint32_t>(count);
  return true;
}

uint32_t FakeDesktop::GetLastError() { return lastError_; }

uint32_t FakeDesktop::GetCurrentDirectoryA(uint32_t size, char* buffer) {
  if (Failing("GetCurrentDirectoryA")) return 0;
  if (size < currentDirectory_.size() + 1) return static_cast<uint32_t>(currentDirectory_.size() + 1);
  std::memcpy(buffer, currentDirectory_.c_str(), currentDirectory_.size() + 1);
  return static_cast<uint32_t>(currentDirectory_.size());
}

bool FakeDesktop::SetCurrentDirectoryA(const char* path) {
  if (Failing("SetCurrentDirectoryA")) return false;
  currentDirectory_ = path;
  return true;
}

std::string FakeDesktop::ProgramDirectory() {
  calls.emplace_back("ProgramDirectory");
  return programDirectory_;
}

bool FakeDesktop::CreateProcessA(const char* commandLine, int showMode,
                                 platform::ProcessInfo* info) {
  if (Failing("CreateProcessA")) return false;
  ProcessStarted p{commandLine ? commandLine : "", showMode, nowMs_};
  p.processId = static_cast<uint32_t>(processes.size() + 1);
  p.handle = NewHandle();
  processes.push_back(p);
  running_.insert(p.processId);
  processHandles_[p.handle] = p.processId;
  info->process = p.handle;
  info->thread = NewHandle();
  info->processId = p.processId;
  if (onProcessStarted) onProcessStarted(p);
  return true;
}

void FakeDesktop::EndProcess(uint32_t processId) {
  running_.erase(processId);
  std::vector<Hwnd> owned;
  for (const auto& [handle, window] : windows_) {
    if (window.processId == processId && window.parent == 0) owned.push_back(handle);
  }
  for (Hwnd handle : owned) RemoveWindow(handle);
}

void FakeDesktop::SetProcessHung(uint32_t processId, bool hung) {
  if (hung) {
    hung_.insert(processId);
  } else {
    hung_.erase(processId);
  }
}

bool FakeDesktop::TerminateProcess(Handle process, uint32_t exitCode) {
  (void)exitCode;
  calls.emplace_back("TerminateProcess");
  auto it = processHandles_.find(process);
  if (it == processHandles_.end() || !openHandles_.count(process)) return false;
  terminated.push_back(it->second);
  EndProcess(it->second);
  return true;
}

uint32_t FakeDesktop::WaitForInputIdle(Handle process, uint32_t milliseconds) {
  (void)process;
  (void)milliseconds;
  calls.emplace_back("WaitForInputIdle");
  return 0;
}

uint32_t FakeDesktop::WaitForSingleObject(Handle handle, uint32_t milliseconds) {
  calls.emplace_back("WaitForSingleObject");
  auto process = processHandles_.find(handle);
  if (process != processHandles_.end() && !ProcessRunning(process->second)) return 0;
  AdvanceUntil(nowMs_ + (milliseconds == platform::kInfinite ? 0 : milliseconds), false);
  if (process != processHandles_.end() && ProcessRunning(process->second)) {
    return platform::kWaitTimeout;
  }
  return 0;
}

// ---------------------------------------------------------------- DialogApi

bool FakeDesktop::RunDialog(bool save, platform::OpenFileRecord* record) {
  DialogShown shown;
  shown.save = save;
  shown.owner = record->owner;
  if (record->filter) {
    const char* p = record->filter;
    while (!(p[0] == '\0' && p[1] == '\0')) ++p;
    shown.filter.assign(record->filter, static_cast<size_t>(p - record->filter) + 2);
  }
  shown.initialFile = record->file ? record->file : "";
  shown.initialDir = record->initialDir ? record->initialDir : "";
  shown.title = record->title ? record->title : "";
  dialogs.push_back(shown);
  // The real dialog may change the current directory while the user browses.
  currentDirectory_ = "C:\\somewhere\\else";
  dialogError_ = 0;
  if (nextDialogError_ != 0) {
    dialogError_ = std::exchange(nextDialogError_, 0);
    return false;
  }
  auto& answers = save ? saveDialogAnswers : openDialogAnswers;
  std::optional<std::string> answer;
  if (!answers.empty()) {
    answer = answers.front();
    answers.pop_front();
  }
  if (!answer) return false;
  if (answer->size() + 1 > record->maxFile) {
    dialogError_ = platform::kFnErrBufferTooSmall;  // as the dialog says of a name too long
    return false;
  }
  std::memcpy(record->file, answer->c_str(), answer->size() + 1);
  return true;
}

bool FakeDesktop::GetOpenFileNameA(platform::OpenFileRecord* record) {
  if (Failing("GetOpenFileNameA")) return false;
  return RunDialog(false, record);
}

bool FakeDesktop::GetSaveFileNameA(platform::OpenFileRecord* record) {
  if (Failing("GetSaveFileNameA")) return false;
  return RunDialog(true, record);
}

}  // namespace fake

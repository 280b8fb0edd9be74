#pragma once
// Plain values shared by the portable code and the platform seam. No windows.h here:
// handles are 32-bit values (the program is 32-bit), UTF-16 is char16_t.
#include <cstdint>
#include <string>

namespace platform {

using Hwnd = uint32_t;    // window handle, 0 = no window
using Handle = uint32_t;  // kernel object handle, 0 = none
constexpr Handle kInvalidHandle = 0xFFFFFFFFu;  // INVALID_HANDLE_VALUE
constexpr uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct Point {
  int32_t x = 0, y = 0;
};

// Mirrors WINDOWINFO (60 bytes on Win32).
struct WindowInfo {
  uint32_t cbSize = 0;
  Rect window;
  Rect client;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  uint32_t windowStatus = 0;
  uint32_t cxWindowBorders = 0;
  uint32_t cyWindowBorders = 0;
  uint16_t atomWindowType = 0;
  uint16_t creatorVersion = 0;
};

struct LocalTime {
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;
  int year = 0;   // e.g. 2026
  int month = 0;  // 1..12
  int day = 0;    // 1..31
};

// Mirrors the fields of WIN32_FIND_DATAW that the toolkit reads.
struct FindData {
  uint32_t attributes = 0;
  uint64_t lastWriteTime = 0;  // FILETIME as one number
  uint64_t size = 0;
  std::u16string fileName;
};

// Mirrors OPENFILENAMEA in its 76-byte form (without the Windows 2000 fields).
struct OpenFileRecord {
  uint32_t structSize = 0;
  Hwnd owner = 0;
  uint32_t instance = 0;
  const char* filter = nullptr;  // pieces separated by NUL, ended by two NULs
  char* customFilter = nullptr;
  uint32_t maxCustomFilter = 0;
  uint32_t filterIndex = 0;
  char* file = nullptr;
  uint32_t maxFile = 0;
  char* fileTitle = nullptr;
  uint32_t maxFileTitle = 0;
  const char* initialDir = nullptr;
  const char* title = nullptr;
  uint32_t flags = 0;
  uint16_t fileOffset = 0;
  uint16_t fileExtension = 0;
  const char* defaultExtension = nullptr;
};

// What CreateProcess hands back; both handles must be closed by the caller.
struct ProcessInfo {
  Handle process = 0;
  Handle thread = 0;
  uint32_t processId = 0;
};

}  // namespace platform

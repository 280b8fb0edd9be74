#include <windows.h>
#include <commdlg.h>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"

namespace platform {

namespace {

// Copies the seam's record into the platform's 76-byte ANSI record and back.
template <typename Call>
bool RunFileDialog(OpenFileRecord* record, Call call) {
  OPENFILENAMEA native{};
  native.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // 76 bytes
  native.hwndOwner = ToHwnd(record->owner);
  native.hInstance = nullptr;
  native.lpstrFilter = record->filter;
  native.lpstrCustomFilter = record->customFilter;
  native.nMaxCustFilter = record->maxCustomFilter;
  native.nFilterIndex = record->filterIndex;
  native.lpstrFile = record->file;
  native.nMaxFile = record->maxFile;
  native.lpstrFileTitle = record->fileTitle;
  native.nMaxFileTitle = record->maxFileTitle;
  native.lpstrInitialDir = record->initialDir;
  native.lpstrTitle = record->title;
  native.Flags = record->flags;
  native.lpstrDefExt = record->defaultExtension;
  bool ok = call(&native) != 0;
  record->filterIndex = native.nFilterIndex;
  record->fileOffset = native.nFileOffset;
  record->fileExtension = native.nFileExtension;
  return ok;
}

}  // namespace

bool Win32DialogApi::GetOpenFileNameA(OpenFileRecord* record) {
  return RunFileDialog(record, [](OPENFILENAMEA* r) { return ::GetOpenFileNameA(r); });
}

bool Win32DialogApi::GetSaveFileNameA(OpenFileRecord* record) {
  return RunFileDialog(record, [](OPENFILENAMEA* r) { return ::GetSaveFileNameA(r); });
}

uint32_t Win32DialogApi::CommDlgExtendedError() { return ::CommDlgExtendedError(); }

Win32WindowApi& Win32Windows() {
  static Win32WindowApi windows;
  return windows;
}

Platform& Win32Platform() {
  static Win32SystemApi system;
  static Win32DialogApi dialogs;
  static Platform platform{Win32Windows(), system, dialogs};
  return platform;
}

}  // namespace platform

#include "standins/coffeetime/wide_files.h"

#include <algorithm>

#include "standins/coffeetime/wide_text.h"

namespace standin {

FileStatus ReadWholeFile(const std::u16string& path, size_t maxSize, std::vector<uint8_t>& out) {
  out.clear();
  HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileStatus::kCannotOpen;
  LARGE_INTEGER size{};
  FileStatus status = FileStatus::kOk;
  if (!GetFileSizeEx(file, &size)) {
    status = FileStatus::kIoError;
  } else if (uint64_t(size.QuadPart) > maxSize) {
    status = FileStatus::kTooLarge;
  } else {
    out.resize(size_t(size.QuadPart));
    size_t done = 0;
    while (done < out.size()) {
      DWORD got = 0;
      const DWORD want = DWORD(std::min<size_t>(out.size() - done, 1u << 20));
      if (!ReadFile(file, out.data() + done, want, &got, nullptr) || got == 0) {
        status = FileStatus::kIoError;
        break;
      }
      done += got;
    }
  }
  CloseHandle(file);
  if (status != FileStatus::kOk) out.clear();
  return status;
}

FileStatus WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileStatus::kCannotOpen;
  size_t done = 0;
  FileStatus status = FileStatus::kOk;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    const DWORD want = DWORD(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(file, bytes.data() + done, want, &wrote, nullptr) || wrote == 0) {
      status = FileStatus::kIoError;
      break;
    }
    done += wrote;
  }
  if (!CloseHandle(file)) status = FileStatus::kIoError;
  return status;
}

}  // namespace standin

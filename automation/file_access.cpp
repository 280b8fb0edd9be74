#include "automation/file_access.h"

#include <algorithm>

#include "automation/gbk_text.h"
#include "platform/api_values.h"

namespace automation {

std::optional<uint64_t> FileWriteStamp(platform::SystemApi& system, std::string_view path) {
  const std::u16string wide = ToUtf16(system, path);
  if (wide.empty()) return std::nullopt;
  platform::FindData found;
  const platform::Handle search = system.FindFirstFileW(wide.c_str(), &found);
  if (search == platform::kInvalidHandle) return std::nullopt;
  system.FindClose(search);
  if (found.attributes & platform::kFileAttributeDirectory) return std::nullopt;
  return found.lastWriteTime;
}

bool FileExists(platform::SystemApi& system, std::string_view path) {
  return FileWriteStamp(system, path).has_value();
}

namespace {

FileReadResult ReadOpenFile(platform::SystemApi& system, platform::Handle file, uint64_t limit,
                            OverLimit overLimit) {
  FileReadResult result;
  uint64_t size = 0;
  if (!system.GetFileSizeEx(file, &size)) return result;
  if (size > limit && overLimit == OverLimit::kRefuse) {
    result.status = FileReadStatus::kTooLarge;
    return result;
  }
  size = std::min(size, limit);
  result.bytes.resize(static_cast<size_t>(size));
  size_t done = 0;
  while (done < result.bytes.size()) {
    const uint32_t chunk = static_cast<uint32_t>(std::min<size_t>(result.bytes.size() - done, 1u << 24));
    uint32_t read = 0;
    if (!system.ReadFile(file, result.bytes.data() + done, chunk, &read) || read == 0) {
      result.bytes.clear();
      return result;  // shorter than its size said, or a read error
    }
    done += read;
  }
  result.status = FileReadStatus::kRead;
  return result;
}

}  // namespace

FileWriteStatus WriteNewFile(platform::SystemApi& system, std::string_view path,
                             std::string_view bytes) {
  const std::u16string wide = ToUtf16(system, path);
  if (wide.empty()) return FileWriteStatus::kFailed;
  if (system.GetFileAttributesW(wide.c_str()) != platform::kInvalidFileAttributes) {
    return FileWriteStatus::kExists;
  }
  const platform::Handle file = system.CreateNewFileW(wide.c_str());
  if (file == platform::kInvalidHandle) return FileWriteStatus::kFailed;
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    const auto chunk = static_cast<uint32_t>(std::min<size_t>(bytes.size() - done, 1u << 20));
    uint32_t written = 0;
    ok = system.WriteFile(file, bytes.data() + done, chunk, &written) && written == chunk;
    done += written;
  }
  system.CloseHandle(file);
  return ok ? FileWriteStatus::kWritten : FileWriteStatus::kFailed;
}

std::optional<uint64_t> ReadableFileSize(platform::SystemApi& system, std::string_view path) {
  const std::u16string wide = ToUtf16(system, path);
  if (wide.empty()) return std::nullopt;
  const platform::Handle file =
      system.CreateFileW(wide.c_str(), platform::kFileShareRead | platform::kFileShareWrite);
  if (file == platform::kInvalidHandle) return std::nullopt;
  uint64_t size = 0;
  const bool known = system.GetFileSizeEx(file, &size);
  system.CloseHandle(file);
  return known ? std::optional<uint64_t>(size) : std::nullopt;
}

FileReadResult ReadWholeFile(platform::SystemApi& system, std::string_view path, uint64_t limit,
                             Sharing sharing, OverLimit overLimit) {
  const std::u16string wide = ToUtf16(system, path);
  if (wide.empty()) return {};
  return ReadWholeFile(system, wide, limit, sharing, overLimit);
}

FileReadResult ReadWholeFile(platform::SystemApi& system, const std::u16string& wide,
                             uint64_t limit, Sharing sharing, OverLimit overLimit) {
  uint32_t share = platform::kFileShareRead;
  if (sharing != Sharing::kRead) share |= platform::kFileShareWrite;
  if (sharing == Sharing::kReadWriteDelete) share |= platform::kFileShareDelete;
  const platform::Handle file = system.CreateFileW(wide.c_str(), share);
  if (file == platform::kInvalidHandle) {
    switch (system.GetLastError()) {
      case platform::kErrorFileNotFound:
      case platform::kErrorPathNotFound:
        return {FileReadStatus::kMissing, {}};
      case platform::kErrorSharingViolation:
        return {FileReadStatus::kBusy, {}};
      default:
        return {};
    }
  }
  FileReadResult result = ReadOpenFile(system, file, limit, overLimit);
  system.CloseHandle(file);
  return result;
}

}  // namespace automation

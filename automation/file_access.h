#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_api.h"

namespace automation {

// True when the GBK path names an existing entry that is not a directory; with wildcards,
// the first matching entry decides.
bool FileExists(platform::SystemApi& system, std::string_view path);

// Last-write time of an existing file (not a directory), or nothing. Lets a caller tell a
// file written just now from one that was there before.
std::optional<uint64_t> FileWriteStamp(platform::SystemApi& system, std::string_view path);

enum class FileReadStatus {
  kRead,
  kMissing,     // no such file (or a directory)
  kBusy,        // another program holds it open for writing
  kTooLarge,    // over the caller's limit; nothing read
  kUnreadable,  // any other failure
};

struct FileReadResult {
  FileReadStatus status = FileReadStatus::kUnreadable;
  std::vector<uint8_t> bytes;
};

// The size of a file that can be opened for reading (sharing read and write access, as a
// reader that minds no one else), without reading it; nothing when it cannot be opened (gone,
// opened by another program without sharing, no access) or its size cannot be had.
std::optional<uint64_t> ReadableFileSize(platform::SystemApi& system, std::string_view path);

enum class FileWriteStatus {
  kWritten,
  kExists,  // a file or folder of that name is there; it was not touched
  kFailed,  // could not be created or written (what was written is left as it is)
};

// Writes `bytes` to a new file at the GBK path; never replaces or changes an existing one.
FileWriteStatus WriteNewFile(platform::SystemApi& system, std::string_view path,
                             std::string_view bytes);

// How a reader shares the file it reads with other programs.
enum class Sharing {
  kRead,             // others may read; the open fails (kBusy) while another program writes it
  kReadWrite,        // the file is read whoever else has it open for reading or writing
  kReadWriteDelete,  // ... and others may also delete or replace it meanwhile
};

// What a reader does with a file larger than its limit.
enum class OverLimit {
  kRefuse,  // kTooLarge, nothing read
  kCut,     // its first `limit` bytes are read
};

// Reads a whole file, read-only, up to `limit` bytes.
FileReadResult ReadWholeFile(platform::SystemApi& system, std::string_view path, uint64_t limit,
                             Sharing sharing, OverLimit overLimit = OverLimit::kRefuse);
// The same for a path in UTF-16 units, as a folder listing gives it.
FileReadResult ReadWholeFile(platform::SystemApi& system, const std::u16string& widePath,
                             uint64_t limit, Sharing sharing, OverLimit overLimit = OverLimit::kRefuse);

}  // namespace automation

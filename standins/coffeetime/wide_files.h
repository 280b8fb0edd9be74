#pragma once
// Whole-file reads and writes by UTF-16 path, so Chinese paths work whatever the code page.
#include <cstdint>
#include <string>
#include <vector>

namespace standin {

enum class FileStatus { kOk, kCannotOpen, kTooLarge, kIoError };

// Files larger than maxSize are not read (kTooLarge).
FileStatus ReadWholeFile(const std::u16string& path, size_t maxSize, std::vector<uint8_t>& out);
FileStatus WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes);

}  // namespace standin

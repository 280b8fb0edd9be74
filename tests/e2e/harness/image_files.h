#pragma once
// Reading files the tool or the stand-ins produced, and writing sample images for a test.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
bool FileExists(const std::wstring& path);

}  // namespace e2e

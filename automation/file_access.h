#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/system_api.h"

namespace automation {

// True when the GBK path names an existing entry that is not a directory; with wildcards,
// the first matching entry decides.
bool FileExists(platform::SystemApi& system, std::string_view path);

// Last-write time of an existing file (not a directory), or nothing. Lets a caller tell a
// file written just now from one that was there before.
std::optional<uint64_t> FileWriteStamp(platform::SystemApi& system, std::string_view path);

}  // namespace automation

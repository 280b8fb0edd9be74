#pragma once
#include <string_view>

#include "platform/system_api.h"

namespace automation {

// True when the GBK path names an existing entry that is not a directory; with wildcards,
// the first matching entry decides.
bool FileExists(platform::SystemApi& system, std::string_view path);

}  // namespace automation

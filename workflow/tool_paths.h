#pragma once
// Where the tool finds the programs of its tool folder, and the file-name part of a path.
#include <string>

#include "platform/system_api.h"

namespace workflow {

// The tool folder's programs, from the program's own directory.
std::string CoffeeTimePath(platform::SystemApi& system);
std::string FitPath(platform::SystemApi& system);

// The part of a GBK path after its last real backslash; the whole path when it has none.
std::string FileNameOfPath(const std::string& path);

}  // namespace workflow

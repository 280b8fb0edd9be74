#include "automation/file_access.h"

#include "automation/input_injector.h"
#include "platform/messages.h"

namespace automation {

bool FileExists(platform::SystemApi& system, std::string_view path) {
  const std::u16string wide = ToUtf16(system, path);
  if (wide.empty()) return false;
  platform::FindData found;
  const platform::Handle search = system.FindFirstFileW(wide.c_str(), &found);
  if (search == platform::kInvalidHandle) return false;
  system.FindClose(search);
  return (found.attributes & platform::kFileAttributeDirectory) == 0;
}

}  // namespace automation

#include "automation/file_access.h"

#include "automation/input_injector.h"
#include "platform/messages.h"

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

}  // namespace automation

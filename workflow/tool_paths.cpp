#include "workflow/tool_paths.h"

#include "automation/gbk_text.h"
#include "automation/text_helpers.h"

namespace workflow {

std::string CoffeeTimePath(platform::SystemApi& system) {
  return system.ProgramDirectory() + "\\orvellanQZ\\ov.exe";
}

std::string FitPath(platform::SystemApi& system) {
  return system.ProgramDirectory() + "\\orvellanQZ\\bin\\fit\\fit.exe";
}

std::string FileNameOfPath(const std::string& path) {
  const size_t slash = automation::FindLastGbkChar(path, '\\');
  const std::string prefix = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  return automation::ReplaceMany(path, {{prefix, ""}});
}

}  // namespace workflow

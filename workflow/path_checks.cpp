#include "workflow/path_checks.h"

#include "automation/file_access.h"
#include "automation/gbk_text.h"
#include "platform/api_values.h"

namespace workflow {

namespace {

constexpr size_t kPathLimitUnits = 260;  // MAX_PATH, its terminating NUL included
constexpr std::string_view kWriteTestName = "~BiosMaker写入检查.tmp";

// "?" cannot be part of a Windows file name, and no GBK trail byte equals it: in a chosen path
// it stands for a character that code page 936 does not have.
bool HasLostCharacters(std::string_view path) { return path.find('?') != std::string_view::npos; }

PathProblem CheckText(platform::SystemApi& system, const std::string& path) {
  if (HasLostCharacters(path)) return PathProblem::kNotGbk;
  if (automation::ToUtf16(system, path, true).size() >= kPathLimitUnits) return PathProblem::kTooLong;
  return PathProblem::kNone;
}

uint32_t AttributesOf(platform::SystemApi& system, std::string_view path) {
  const std::u16string wide = automation::ToUtf16(system, path);
  return wide.empty() ? platform::kInvalidFileAttributes : system.GetFileAttributesW(wide.c_str());
}

bool IsFolder(uint32_t attributes) {
  return attributes != platform::kInvalidFileAttributes &&
         (attributes & platform::kFileAttributeDirectory) != 0;
}

bool CanCreateFileIn(platform::SystemApi& system, const std::string& folder) {
  const std::string probe =
      folder + (folder.back() == '\\' ? "" : "\\") + std::string(kWriteTestName);
  const std::u16string wide = automation::ToUtf16(system, probe);
  const platform::Handle file = system.CreateTemporaryFileW(wide.c_str());
  if (file == platform::kInvalidHandle) return false;
  system.CloseHandle(file);
  return true;
}

}  // namespace

std::string FolderOfPath(std::string_view path) {
  const size_t slash = automation::FindLastGbkChar(path, '\\');
  if (slash == std::string_view::npos) return {};
  const bool driveRoot = slash == 2 && path[1] == ':';
  return std::string(path.substr(0, driveRoot ? 3 : slash));
}

PathProblem CheckVendorPath(platform::SystemApi& system, const std::string& path) {
  if (const PathProblem text = CheckText(system, path); text != PathProblem::kNone) return text;
  return automation::FileExists(system, path) ? PathProblem::kNone : PathProblem::kMissing;
}

PathProblem CheckSaveTarget(platform::SystemApi& system, const std::string& target) {
  if (const PathProblem text = CheckText(system, target); text != PathProblem::kNone) return text;
  const uint32_t existing = AttributesOf(system, target);
  if (IsFolder(existing)) return PathProblem::kTargetIsFolder;
  if (existing != platform::kInvalidFileAttributes) return PathProblem::kTargetIsFile;
  const std::string folder = FolderOfPath(target);
  if (folder.empty()) return PathProblem::kNone;  // the dialogs always answer with a full path
  if (!IsFolder(AttributesOf(system, folder))) return PathProblem::kFolderMissing;
  return CanCreateFileIn(system, folder) ? PathProblem::kNone : PathProblem::kFolderNotWritable;
}

}  // namespace workflow

#pragma once
// Where the tests find the run folder and put their output. The build passes Unix paths in
// BMT_RUN_DIR and BMT_OUT_DIR; under Wine they are reached through drive Z:.
#include <string>

namespace e2e {

// "/a/b" -> "Z:\a\b"; Windows paths are returned unchanged.
std::wstring ToWindowsPath(const std::wstring& path);

// The variable's value as a Windows path, empty when unset.
std::wstring PathFromEnvironment(const wchar_t* name);

std::wstring RunFolder();  // BMT_RUN_DIR
std::wstring OutFolder();  // BMT_OUT_DIR, created on first use

// A fresh, empty folder under the output folder for one test's files.
std::wstring ScratchFolder(const std::wstring& name);

}  // namespace e2e

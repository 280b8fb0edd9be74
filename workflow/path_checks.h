#pragma once
// Whether a path the user chose can be handed on: to the patcher (the vendor file) or to the
// patcher's save dialog (the made image). Each problem has its own message for the user.
#include <string>
#include <string_view>

#include "platform/system_api.h"

namespace workflow {

enum class PathProblem {
  kNone,
  kNotGbk,            // a character the ANSI dialog could not hand back ("?" in its place)
  kTooLong,           // at or over the platform's path limit of 260 characters
  kMissing,           // no such file (or it is a folder)
  kFolderMissing,     // the folder to save into does not exist
  kTargetIsFolder,    // a folder already has the made image's name
  kTargetIsFile,      // a file already has the made image's name (saved earlier this minute)
  kFolderNotWritable, // no new file can be created in the folder
};

// The vendor file: a GBK path within the limit that names an existing file.
PathProblem CheckVendorPath(platform::SystemApi& system, const std::string& path);

// The made image's path (time already appended): a GBK path within the limit, in an existing
// folder where a new file can be created, and the name of nothing there yet. Creating the test
// file never touches an existing file; it is gone again before this returns.
PathProblem CheckSaveTarget(platform::SystemApi& system, const std::string& target);

// The folder part of a path: up to its last backslash ("D:\" for a file in a drive's root);
// empty when it has none.
std::string FolderOfPath(std::string_view path);

}  // namespace workflow

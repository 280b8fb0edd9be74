#pragma once
// The label pictures a user cut from their own CoffeeTime and put in the tool folder's
// "labels" folder, so that a CoffeeTime drawn otherwise than our stored pictures can still be
// read without a new build of the tool. A file counts when its name is NAME.bmp or
// NAME_anything.bmp (letters in any case), NAME being one of the nine CPUIDs of the form or
// "ME" (the ME state field reading "Enabled"); every other file is ignored.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/label_picture.h"
#include "platform/system_api.h"

namespace workflow {

struct FolderLabel {
  std::string name;     // "506E1" ... or "ME", written as the form writes it
  std::string picture;  // BMP file bytes as the search takes them
};

// A counted file that cannot be used, and why.
struct UnusableLabel {
  std::string fileName;  // GBK
  imaging::LabelPictureProblem problem = imaging::LabelPictureProblem::kNotAPicture;
};

struct LabelFolderContents {
  std::vector<FolderLabel> labels;      // the usable pictures, in file-name order
  std::vector<UnusableLabel> unusable;  // likewise
};

constexpr std::string_view kMeLabelName = "ME";

// "<program folder>\orvellanQZ\labels", GBK.
std::string LabelFolderPath(platform::SystemApi& system);

// The label a file of that name counts for; nothing when it counts for none.
std::optional<std::string> LabelOfFileName(std::u16string_view fileName);

// Reads the folder's counted files (a missing folder holds none). Read-only.
LabelFolderContents LoadLabelFolder(platform::SystemApi& system, std::string_view folder);

}  // namespace workflow

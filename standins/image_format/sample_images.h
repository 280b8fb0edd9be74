#pragma once
// The sample files of the run folder: vendor images as users have them and the odd cases a
// reader of images must get right (see README.md in this folder for what each one holds).
#include <string_view>
#include <vector>

#include "standins/image_format/image_builder.h"

namespace standin {

struct SampleFile {
  std::string_view fileName;
  Bytes bytes;
};

std::vector<SampleFile> SampleFiles();

}  // namespace standin

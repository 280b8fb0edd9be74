#pragma once
// What the made image's comparison with the vendor file means for the user: a warning for
// each part that changed though nobody asked for it (the ME region, the ME-disable bit, the
// microcode file and the FIT are asked for), or one line that nothing else changed; and the
// way the made image can be flashed. Lines in GBK, without time stamp or line end.
#include <cstddef>
#include <string>
#include <vector>

#include "firmware/image_comparison.h"

namespace workflow {

struct ComparisonVerdict {
  std::vector<std::string> warnings;  // each fails the check
  std::vector<std::string> notes;     // told, failing nothing
};

// `madeFileSize`: the made file's whole size, its prefix included.
ComparisonVerdict JudgeComparison(const firmware::ImageComparison& comparison, size_t madeFileSize);

}  // namespace workflow

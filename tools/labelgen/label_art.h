#pragma once
// Draws the label pictures: cells of the driven tool's microcode table (grey background, grey
// border, dark CPUID text) in two renderings, and its ME state field reading "Enabled" with a
// circular two-arrow icon. Pure integer drawing, so every build yields the same pictures.
#include <string>
#include <vector>

#include "imaging/images.h"
#include "imaging/palettes.h"

namespace labelgen {

// The colours used; each sits in the middle of its reduction cell, so a drawing jittered by up
// to 3 per channel reduces to the same entries.
constexpr imaging::Rgb kCellBackground{236, 236, 236};
constexpr imaging::Rgb kCellBorder{164, 164, 164};
constexpr imaging::Rgb kInk{36, 36, 36};
constexpr imaging::Rgb kSmoothedInk{132, 132, 132};
constexpr imaging::Rgb kFieldBackground{252, 252, 252};
constexpr imaging::Rgb kIconInk{44, 108, 196};

struct LabelPicture {
  std::string fileName;  // e.g. "506E1_primary.bmp"
  imaging::ColourImage image;
};

// All nineteen, in the order of the table: per label primary then fallback, the ME state last.
std::vector<LabelPicture> DrawAllLabels();

}  // namespace labelgen

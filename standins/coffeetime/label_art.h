#pragma once
// The label pictures as the patcher draws them: decoded once, each pixel's colour nudged a
// little inside its colour cell (so the picture is not a byte copy of the stored template but
// reduces to the same entries), then drawn with SetDIBitsToDevice.
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "imaging/images.h"

namespace standin {

struct LabelArt {
  imaging::ColourImage image;  // empty when the bytes did not decode
};

LabelArt MakeLabelArt(std::string_view bmpFile, uint32_t jitterSeed);

// Draws the picture with its top-left corner at (x, y); nothing for empty art.
void DrawLabelArt(HDC dc, int x, int y, const LabelArt& art);

}  // namespace standin

#pragma once
// A fast pass over raw capture pixels for the ones whose colour lies in a box: the search
// uses it to find the few pixels that can reduce to one entry without reducing the rest.
#include <cstdint>

#include "imaging/colour_cells.h"

namespace imaging {

// The first x in [from, end) whose pixel (3 or 4 bytes from row + x * bytesPerPixel, blue,
// green, red first) lies in `box`, or `end` when there is none. Only those pixels are read.
int32_t NextPixelInBox(const uint8_t* row, int32_t from, int32_t end, int bytesPerPixel,
                       const ColourBox& box);

}  // namespace imaging

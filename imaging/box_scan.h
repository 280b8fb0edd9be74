#pragma once
// A fast pass over raw capture pixels for the ones whose colour lies in a box: the search
// uses it to find the few pixels that can reduce to one entry without reducing the rest.
#include <cstdint>

#include "imaging/colour_cells.h"

namespace imaging {

// Whether the pixel's blue, green and red bytes lie in the box.
inline bool PixelInBox(const uint8_t* pixel, const ColourBox& box) {
  for (int c = 0; c < 3; ++c) {
    if (pixel[c] < box.low[c] || pixel[c] > box.high[c]) return false;
  }
  return true;
}

// The box with its bounds laid out for 16 bytes at a time: byte i of lane k holds the bounds
// of channel (16 k + i) mod bytesPerPixel; a fourth byte takes any value.
struct BoxScan {
  ColourBox box;
  int bytesPerPixel;
  alignas(16) uint8_t low[3][16];
  alignas(16) uint8_t high[3][16];
};
BoxScan PrepareBoxScan(const ColourBox& box, int bytesPerPixel);

// The first x in [from, end) whose pixel (3 or 4 bytes from row + x * bytesPerPixel, blue,
// green, red first) lies in the box, or `end` when there is none.
int32_t NextPixelInBox(const BoxScan& scan, const uint8_t* row, int32_t from, int32_t end);

}  // namespace imaging

#pragma once
// The colour rule as tables fixed at compile time: the colour cube is cut into 32 x 32 x 32
// cells of 8 x 8 x 8 values (a colour's cell is given by the top five bits of each channel),
// and every colour of a cell maps to the Palette256 entry nearest to the cell's centre
// ((r & ~7) + 3.5, (g & ~7) + 3.5, (b & ~7) + 3.5) by squared distance in red, green, blue; on
// equal distances the lowest entry wins.
#include <array>
#include <cstdint>

namespace imaging {

inline constexpr int kCellBits = 5;
inline constexpr int kCellSize = 256 >> kCellBits;  // values per channel in one cell
inline constexpr int kCellCount = 1 << (3 * kCellBits);

constexpr uint32_t CellIndex(uint32_t red, uint32_t green, uint32_t blue) {
  return ((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3);
}

// The Palette256 entry of every cell, by CellIndex.
const std::array<uint8_t, kCellCount>& CellEntries();

// The entry of the pixel at `bgr` (blue, green, red in that order, as in a DIB).
inline uint8_t EntryOfPixel(const std::array<uint8_t, kCellCount>& cells, const uint8_t* bgr) {
  return cells[CellIndex(bgr[2], bgr[1], bgr[0])];
}

// The smallest box of colours, per channel in blue, green, red order, that holds every colour
// reducing to one entry. Empty (low above high) for an entry no colour reduces to.
struct ColourBox {
  uint8_t low[3];
  uint8_t high[3];
};
const ColourBox& EntryBox(uint8_t entry);

}  // namespace imaging

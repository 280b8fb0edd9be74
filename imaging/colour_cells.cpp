#include "imaging/colour_cells.h"

#include "imaging/palettes.h"

namespace imaging {
namespace {

// Trying all 256 entries for all 32768 cells is far too slow for the compiler, so the table is
// built from the palette's shape. Distances are in doubled units, where the centre of cell k is
// the integer 16 k + 7. Within the cube the nearest point is found per channel (a centre never
// lies half-way between two levels, so it is unique); where that point is a cube position the
// system colours took, the cube is searched with the channels pruned by the best distance so
// far. Then each system colour claims the cells it is nearer to, tried only in the blocks of
// cells where it can be.

constexpr int kCubeLevels[3] = {8, 8, 4};       // red, green, blue levels of the cube
constexpr int kCubeSpacing[3] = {64, 64, 128};  // doubled distance between levels

constexpr int CellCentre(int cell) { return 16 * cell + 7; }

constexpr bool IsCubeEntry(int entry) {
  return entry >= kFirstCubeEntry && entry <= kLastCubeEntry;
}

struct Choice {
  int distance;
  int entry;
};

constexpr bool Better(int distance, int entry, const Choice& best) {
  return distance < best.distance || (distance == best.distance && entry < best.entry);
}

constexpr int Square(int value) { return value * value; }

// Centre in red, green, blue order.
constexpr Choice NearestCubeEntry(const int centre[3]) {
  int nearest[3] = {};
  for (int c = 0; c < 3; ++c) {
    const int level = (centre[c] + kCubeSpacing[c] / 2) / kCubeSpacing[c];
    nearest[c] = level < kCubeLevels[c] ? level : kCubeLevels[c] - 1;
  }
  const int direct = nearest[0] + 8 * nearest[1] + 64 * nearest[2];
  if (IsCubeEntry(direct)) {
    int distance = 0;
    for (int c = 0; c < 3; ++c) distance += Square(centre[c] - nearest[c] * kCubeSpacing[c]);
    return {distance, direct};
  }
  // Levels of each channel from the nearest outward, so that the first points tried are near
  // the best and the loops stop as soon as one channel alone is too far.
  int order[3][8] = {};
  for (int c = 0; c < 3; ++c) {
    int below = nearest[c] - 1, above = nearest[c] + 1;
    order[c][0] = nearest[c];
    for (int k = 1; k < kCubeLevels[c]; ++k) {
      const bool takeBelow =
          below >= 0 && (above >= kCubeLevels[c] || centre[c] - below * kCubeSpacing[c] <=
                                                        above * kCubeSpacing[c] - centre[c]);
      order[c][k] = takeBelow ? below-- : above++;
    }
  }
  Choice best{1 << 30, 0};
  for (int kb = 0; kb < kCubeLevels[2]; ++kb) {
    const int b = order[2][kb];
    const int db = Square(centre[2] - b * kCubeSpacing[2]);
    if (db > best.distance) break;
    for (int kg = 0; kg < kCubeLevels[1]; ++kg) {
      const int g = order[1][kg];
      const int dgb = db + Square(centre[1] - g * kCubeSpacing[1]);
      if (dgb > best.distance) break;
      for (int kr = 0; kr < kCubeLevels[0]; ++kr) {
        const int r = order[0][kr];
        const int entry = r + 8 * g + 64 * b;
        const int distance = dgb + Square(centre[0] - r * kCubeSpacing[0]);
        if (distance > best.distance) break;
        if (IsCubeEntry(entry) && Better(distance, entry, best)) best = Choice{distance, entry};
      }
    }
  }
  return best;
}

constexpr int kBlockCells = 4;  // blocks of 4 x 4 x 4 cells
constexpr int kBlocksPerChannel = 32 / kBlockCells;

// Doubled distance from `value` to the nearest cell centre of block `block` in one channel.
constexpr int GapToBlock(int value, int block) {
  const int first = CellCentre(block * kBlockCells);
  const int last = CellCentre(block * kBlockCells + kBlockCells - 1);
  return value < first ? first - value : value > last ? value - last : 0;
}

struct CellChoices {
  Choice cell[kCellCount];
  int farthestInBlock[kBlocksPerChannel * kBlocksPerChannel * kBlocksPerChannel];
};

constexpr int BlockOf(int red, int green, int blue) {
  return ((red / kBlockCells) * kBlocksPerChannel + green / kBlockCells) * kBlocksPerChannel +
         blue / kBlockCells;
}

constexpr void ClaimForSystemColour(CellChoices& choices, int entry) {
  const Rgb colour = kPalette256Colours[entry];
  const int value[3] = {2 * colour.red, 2 * colour.green, 2 * colour.blue};
  for (int br = 0; br < kBlocksPerChannel; ++br) {
    for (int bg = 0; bg < kBlocksPerChannel; ++bg) {
      for (int bb = 0; bb < kBlocksPerChannel; ++bb) {
        const int gap = Square(GapToBlock(value[0], br)) + Square(GapToBlock(value[1], bg)) +
                        Square(GapToBlock(value[2], bb));
        const int block = (br * kBlocksPerChannel + bg) * kBlocksPerChannel + bb;
        if (gap > choices.farthestInBlock[block]) continue;
        for (int r = br * kBlockCells; r < (br + 1) * kBlockCells; ++r) {
          for (int g = bg * kBlockCells; g < (bg + 1) * kBlockCells; ++g) {
            for (int b = bb * kBlockCells; b < (bb + 1) * kBlockCells; ++b) {
              const int distance = Square(CellCentre(r) - value[0]) +
                                   Square(CellCentre(g) - value[1]) +
                                   Square(CellCentre(b) - value[2]);
              Choice& best = choices.cell[(r << 10) | (g << 5) | b];
              if (Better(distance, entry, best)) best = Choice{distance, entry};
            }
          }
        }
      }
    }
  }
}

constexpr std::array<uint8_t, kCellCount> BuildCellEntries() {
  CellChoices choices{};
  for (int r = 0; r < 32; ++r) {
    for (int g = 0; g < 32; ++g) {
      for (int b = 0; b < 32; ++b) {
        const int centre[3] = {CellCentre(r), CellCentre(g), CellCentre(b)};
        const Choice choice = NearestCubeEntry(centre);
        choices.cell[(r << 10) | (g << 5) | b] = choice;
        int& farthest = choices.farthestInBlock[BlockOf(r, g, b)];
        if (choice.distance > farthest) farthest = choice.distance;
      }
    }
  }
  for (int entry = 0; entry < 256; ++entry) {
    if (!IsCubeEntry(entry)) ClaimForSystemColour(choices, entry);
  }
  std::array<uint8_t, kCellCount> entries{};
  for (int index = 0; index < kCellCount; ++index) {
    entries[index] = static_cast<uint8_t>(choices.cell[index].entry);
  }
  return entries;
}

constexpr std::array<uint8_t, kCellCount> kCellEntries = BuildCellEntries();

constexpr std::array<ColourBox, 256> BuildEntryBoxes() {
  std::array<ColourBox, 256> boxes{};
  for (ColourBox& box : boxes) {
    for (int c = 0; c < 3; ++c) box.low[c] = 255, box.high[c] = 0;
  }
  for (int index = 0; index < kCellCount; ++index) {
    ColourBox& box = boxes[kCellEntries[index]];
    // Blue, green, red: the order of a pixel's bytes.
    const int cells[3] = {index & 31, (index >> 5) & 31, index >> 10};
    for (int c = 0; c < 3; ++c) {
      const int low = cells[c] * kCellSize, high = low + kCellSize - 1;
      if (low < box.low[c]) box.low[c] = static_cast<uint8_t>(low);
      if (high > box.high[c]) box.high[c] = static_cast<uint8_t>(high);
    }
  }
  return boxes;
}

constexpr std::array<ColourBox, 256> kEntryBoxes = BuildEntryBoxes();

}  // namespace

const std::array<uint8_t, kCellCount>& CellEntries() { return kCellEntries; }

const ColourBox& EntryBox(uint8_t entry) { return kEntryBoxes[entry]; }

}  // namespace imaging

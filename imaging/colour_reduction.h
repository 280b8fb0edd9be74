#pragma once
// Reduction of colours to Palette256 entries, the one rule applied to captures and templates
// alike so that two pictures compare equal exactly when they reduce to the same bytes.
//
// The rule is the cell table of colour_cells.h: every colour of an 8 x 8 x 8 cell maps to the
// Palette256 entry nearest to the cell's centre. The platform's blitter is not involved, so
// every platform gives the same bytes.
#include <cstdint>

#include "imaging/images.h"
#include "imaging/palettes.h"

namespace imaging {

uint8_t NearestEntry(Rgb colour);

// The cell of a colour: every colour between low and high (inclusive, per channel) reduces to
// the same entry as the colour itself.
struct ColourCell {
  Rgb low;
  Rgb high;
};
ColourCell CellOf(Rgb colour);

// Whether drawing `jittered` instead of `original` leaves the reduced picture unchanged.
bool JitterKeepsEntry(Rgb original, Rgb jittered);

// `colour` moved by the given amounts per channel and held inside its cell, so the result
// always keeps the colour's entry (a drawing may use it to vary colours safely).
Rgb JitterWithinCell(Rgb colour, int redDelta, int greenDelta, int blueDelta);

// Reduces `height` rows of 24- or 32-bit pixels (blue, green, red[, x]) to entries. Strides
// are in bytes; the destination's padding bytes are left as they are.
void ReduceRows(const uint8_t* source, int64_t sourceStride, int sourceBitsPerPixel,
                int32_t width, int32_t height, uint8_t* destination, int64_t destinationStride);

// The whole picture reduced; padding bytes are 0.
IndexedImage ReduceToIndexed(const ColourImage& image);

}  // namespace imaging

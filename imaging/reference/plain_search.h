#pragma once
// The label search done the plain way, to check the fast one against: every pixel's entry
// found by trying all 256 table colours (nearest to the pixel's cell centre, lowest entry on
// ties), the whole capture reduced, then the first template row looked for as a byte string
// at every position of the pixel area, padding included, and the other rows compared at the
// row stride, a row cut short by the end of the capture counting as different.
// Not part of the program: tests, fuzzers and benchmarks link it.
#include <cstdint>

#include "imaging/image_finder.h"
#include "imaging/images.h"

namespace imaging::reference {

uint8_t EntryByTrial(uint8_t red, uint8_t green, uint8_t blue);

// The whole picture reduced; padding bytes are 0.
IndexedImage ReduceByTrial(const ColourView& image);

// 0-based offset in the capture's pixel area of the first match's bottom-left pixel, or -1.
int64_t FindByByteRows(const IndexedImage& capture, const IndexedImage& pattern);

// Both pictures reduced and searched; the centre of the match, top-down, or (-1, -1).
MatchPoint SearchPlainly(const ColourView& capture, const ColourImage& pattern);

}  // namespace imaging::reference

#pragma once
// The plain way to do what the label search does, for comparison: every pixel's entry found
// by trying all 256 table colours (same rule as the lookup table: nearest to the pixel's cell
// centre, lowest entry on ties), then every position compared pixel by pixel.
#include "imaging/image_finder.h"
#include "imaging/images.h"

namespace bench {

imaging::IndexedImage ReferenceReduce(const imaging::ColourImage& image);
imaging::MatchPoint ReferenceSearch(const imaging::ColourImage& capture,
                                    const imaging::ColourImage& pattern);

}  // namespace bench

#pragma once
// The exact-row search of a reduced template in a reduced capture, on plain byte arrays.
//
// The first template row (the bottom row of the picture) is looked for as a byte string
// anywhere in the capture's pixel area, padding bytes included, from the first byte on; every
// hit is verified by comparing the following template rows at the capture's row stride. So the
// match whose bottom row lies lowest in the picture wins, then the leftmost. A candidate whose
// rows run into the row padding and on into the next row is accepted only when every row
// compares equal; a row cut short by the end of the capture never does.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "imaging/image_finder.h"
#include "imaging/images.h"

namespace imaging {

// 0-based byte offset in `capture` of the first match's bottom-left pixel, or -1.
// `templatePixels` holds `templateHeight` rows of `templateWidth` bytes at `templateStride`.
int64_t FindTemplateOffset(const uint8_t* capture, size_t captureSize, int64_t captureStride,
                           const uint8_t* templatePixels, int32_t templateWidth,
                           int32_t templateHeight, int64_t templateStride);

// The centre of a match found at `offset`, top-down, moved by (shiftX, shiftY): the search
// region's left/top plus the client origin of the capture path.
MatchPoint MatchPointAt(int64_t offset, int64_t captureStride, int32_t captureHeight,
                        int32_t templateWidth, int32_t templateHeight, int32_t shiftX,
                        int32_t shiftY);

// Both steps on reduced pictures; (-1, -1) when absent or when either picture is empty.
MatchPoint SearchTemplate(const IndexedImage& capture, const IndexedImage& pattern,
                          int32_t shiftX = 0, int32_t shiftY = 0);

// The template given as BMP file bytes: decoded, reduced by the same rule as the capture, and
// searched. (-1, -1) as well when the bytes do not decode.
MatchPoint SearchBmpTemplate(const IndexedImage& capture, std::string_view templateBmp,
                             int32_t shiftX = 0, int32_t shiftY = 0);

}  // namespace imaging

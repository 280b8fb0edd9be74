#pragma once
// The exact-row search of a reduced template in a capture that is still in colour: the same
// answer as reducing the whole capture and searching it (template_search.h), padding bytes
// included, but only the capture pixels a candidate needs are reduced.
//
// One template pixel, the one whose entry is rarest in the template, is the key: the capture
// is scanned for pixels that can reduce to its entry (a box test on the raw bytes), in the
// order of the byte positions the key takes for successive candidates, so candidates are
// still tried from the first byte on. Each one is checked on a few further pixels of other
// entries and then row by row.
#include <cstdint>
#include <string_view>

#include "imaging/image_finder.h"
#include "imaging/images.h"

namespace imaging {

// 0-based offset, in the reduced capture's pixel area (rows of RowStride(width, 8) bytes,
// padding bytes 0), of the first match's bottom-left pixel, or -1.
int64_t FindTemplateInColour(const ColourView& capture, const uint8_t* templatePixels,
                             int32_t templateWidth, int32_t templateHeight,
                             int64_t templateStride);

// The centre of the first match, top-down, moved by (shiftX, shiftY); (-1, -1) when absent or
// when either picture is empty.
MatchPoint SearchTemplate(const ColourView& capture, const IndexedImage& pattern,
                          int32_t shiftX = 0, int32_t shiftY = 0);

// The template given as BMP file bytes, decoded and reduced; (-1, -1) as well when the bytes
// do not decode.
MatchPoint SearchBmpTemplate(const ColourView& capture, std::string_view templateBmp,
                             int32_t shiftX = 0, int32_t shiftY = 0);

}  // namespace imaging

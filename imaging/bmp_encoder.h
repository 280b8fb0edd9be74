#pragma once
// Writes a 24-bit picture as a complete BMP file: 14-byte file header, 40-byte info header,
// bottom-up rows padded to 4 bytes; compression, resolution and colour counts 0.
#include <string>

#include "imaging/images.h"

namespace imaging {

std::string EncodeBmp24(const ColourImage& image);

}  // namespace imaging

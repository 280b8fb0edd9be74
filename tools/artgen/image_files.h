#pragma once
// Writers for the three file forms the program stores: PNG (RGBA), JPEG (grey) and ICO.
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace artgen {

using Bytes = std::vector<uint8_t>;

// Colour type 6, 8 bits per channel. Empty on failure.
Bytes EncodePngRgba(const Canvas& canvas);
// One component (luminance of the canvas over white), baseline. Empty on failure.
Bytes EncodeJpegGrey(const Canvas& canvas, int quality);
// One directory entry, 32-bit BGRA bottom-up pixels plus the 1-bit AND mask.
Bytes EncodeIco32(const Canvas& canvas);

bool WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace artgen

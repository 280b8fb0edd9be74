#pragma once
// The three fixed colour tables of the pixel buffer, as the colour-table bytes of a DIB:
// blue, green, red, 0 per entry.
#include <array>
#include <cstdint>

namespace imaging {

struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

const std::array<uint8_t, 2 * 4>& Palette2();
const std::array<uint8_t, 16 * 4>& Palette16();
const std::array<uint8_t, 256 * 4>& Palette256();

// Entry i (0..255) of Palette256 as a colour.
Rgb Palette256Entry(int index);

}  // namespace imaging

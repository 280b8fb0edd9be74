#pragma once
// The three fixed colour tables of the pixel buffer, as the colour-table bytes of a DIB:
// blue, green, red, 0 per entry. Everything here is fixed when the program is compiled.
#include <array>
#include <cstddef>
#include <cstdint>

namespace imaging {

struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The first ten and last ten Palette256 entries are the system colours; the 236 between them
// are points of an 8 x 8 x 4 colour cube indexed by the entry number itself.
inline constexpr int kFirstCubeEntry = 10;
inline constexpr int kLastCubeEntry = 245;

constexpr Rgb CubePoint(int entry) {
  return Rgb{static_cast<uint8_t>((entry % 8) * 32), static_cast<uint8_t>(((entry / 8) % 8) * 32),
             static_cast<uint8_t>((entry / 64) * 64)};
}

constexpr std::array<Rgb, 256> MakePalette256Colours() {
  constexpr Rgb kLowSystemColours[10] = {
      {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128},
      {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
  };
  constexpr Rgb kHighSystemColours[10] = {
      {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},
      {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
  };
  std::array<Rgb, 256> colours{};
  for (int i = 0; i < kFirstCubeEntry; ++i) colours[i] = kLowSystemColours[i];
  for (int i = kFirstCubeEntry; i <= kLastCubeEntry; ++i) colours[i] = CubePoint(i);
  for (int i = kLastCubeEntry + 1; i < 256; ++i) colours[i] = kHighSystemColours[i - kLastCubeEntry - 1];
  return colours;
}

inline constexpr std::array<Rgb, 256> kPalette256Colours = MakePalette256Colours();

const std::array<uint8_t, 2 * 4>& Palette2();
const std::array<uint8_t, 16 * 4>& Palette16();
const std::array<uint8_t, 256 * 4>& Palette256();

// Entry i (0..255) of Palette256 as a colour.
Rgb Palette256Entry(int index);

}  // namespace imaging

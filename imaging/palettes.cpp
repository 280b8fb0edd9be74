#include "imaging/palettes.h"

#include <cstddef>

namespace imaging {
namespace {

template <size_t N>
std::array<uint8_t, N * 4> ToTableBytes(const std::array<Rgb, N>& colours) {
  std::array<uint8_t, N * 4> bytes{};
  for (size_t i = 0; i < N; ++i) {
    bytes[i * 4 + 0] = colours[i].blue;
    bytes[i * 4 + 1] = colours[i].green;
    bytes[i * 4 + 2] = colours[i].red;
    bytes[i * 4 + 3] = 0;
  }
  return bytes;
}

constexpr std::array<Rgb, 2> kPalette2Colours = {{{0, 0, 0}, {255, 255, 255}}};

constexpr std::array<Rgb, 16> kPalette16Colours = {{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
    {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
    {192, 192, 192}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

// The first ten and last ten entries are the system colours; the 236 between them are points of
// an 8 x 8 x 4 colour cube indexed by the entry number itself.
constexpr std::array<Rgb, 10> kLowSystemColours = {{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128},
    {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
}};
constexpr std::array<Rgb, 10> kHighSystemColours = {{
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},
    {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

std::array<Rgb, 256> BuildPalette256Colours() {
  std::array<Rgb, 256> colours{};
  for (int i = 0; i < 10; ++i) colours[i] = kLowSystemColours[i];
  for (int i = 10; i < 246; ++i) {
    colours[i] = Rgb{static_cast<uint8_t>((i % 8) * 32), static_cast<uint8_t>(((i / 8) % 8) * 32),
                     static_cast<uint8_t>((i / 64) * 64)};
  }
  for (int i = 0; i < 10; ++i) colours[246 + i] = kHighSystemColours[i];
  return colours;
}

const std::array<Rgb, 256>& Palette256Colours() {
  static const std::array<Rgb, 256> colours = BuildPalette256Colours();
  return colours;
}

}  // namespace

const std::array<uint8_t, 2 * 4>& Palette2() {
  static const auto bytes = ToTableBytes(kPalette2Colours);
  return bytes;
}

const std::array<uint8_t, 16 * 4>& Palette16() {
  static const auto bytes = ToTableBytes(kPalette16Colours);
  return bytes;
}

const std::array<uint8_t, 256 * 4>& Palette256() {
  static const auto bytes = ToTableBytes(Palette256Colours());
  return bytes;
}

Rgb Palette256Entry(int index) { return Palette256Colours().at(static_cast<size_t>(index)); }

}  // namespace imaging

#include "imaging/palettes.h"

namespace imaging {
namespace {

template <size_t N>
constexpr std::array<uint8_t, N * 4> ToTableBytes(const std::array<Rgb, N>& colours) {
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

constexpr auto kPalette2Bytes = ToTableBytes(kPalette2Colours);
constexpr auto kPalette16Bytes = ToTableBytes(kPalette16Colours);
constexpr auto kPalette256Bytes = ToTableBytes(kPalette256Colours);

}  // namespace

const std::array<uint8_t, 2 * 4>& Palette2() { return kPalette2Bytes; }
const std::array<uint8_t, 16 * 4>& Palette16() { return kPalette16Bytes; }
const std::array<uint8_t, 256 * 4>& Palette256() { return kPalette256Bytes; }

Rgb Palette256Entry(int index) { return kPalette256Colours.at(static_cast<size_t>(index)); }

}  // namespace imaging

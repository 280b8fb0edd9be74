#include "standins/coffeetime/label_art.h"

#include "imaging/bmp_decoder.h"
#include "imaging/colour_reduction.h"

namespace standin {

namespace {

// Small deterministic noise: the same seed draws the same picture every time.
int NextDelta(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return int((state >> 24) % 7) - 3;  // -3 .. 3
}

}  // namespace

LabelArt MakeLabelArt(std::string_view bmpFile, uint32_t jitterSeed) {
  LabelArt art;
  std::optional<imaging::ColourImage> decoded = imaging::DecodeBmp(bmpFile);
  if (!decoded) return art;
  art.image = std::move(*decoded);
  uint32_t state = jitterSeed;
  for (int32_t row = 0; row < art.image.height; ++row) {
    uint8_t* pixel = art.image.pixels.data() + row * art.image.stride();
    for (int32_t column = 0; column < art.image.width; ++column, pixel += 3) {
      const imaging::Rgb original{pixel[2], pixel[1], pixel[0]};
      const imaging::Rgb moved = imaging::JitterWithinCell(
          original, NextDelta(state), NextDelta(state), NextDelta(state));
      pixel[0] = moved.blue;
      pixel[1] = moved.green;
      pixel[2] = moved.red;
    }
  }
  return art;
}

void DrawLabelArt(HDC dc, int x, int y, const LabelArt& art) {
  if (art.image.width == 0 || art.image.height == 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = art.image.width;
  info.bmiHeader.biHeight = art.image.height;  // bottom-up, as decoded
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, x, y, DWORD(art.image.width), DWORD(art.image.height), 0, 0, 0,
                    UINT(art.image.height), art.image.pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace standin

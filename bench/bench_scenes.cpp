#include "bench_scenes.h"

#include <random>

#include "imaging/bmp_decoder.h"
#include "imaging/colour_reduction.h"
#include "imaging/label_templates.h"

namespace bench {
namespace {

uint8_t* At(imaging::ColourImage& image, int x, int topDownY) {
  return &image.pixels[static_cast<size_t>(image.stride() * (image.height - 1 - topDownY) + x * 3)];
}

// Smooth gradients with noise: the look of a busy window, few long runs of one colour.
void FillBusy(imaging::ColourImage& image) {
  std::mt19937 random(1234);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      uint8_t* p = At(image, x, y);
      p[0] = static_cast<uint8_t>(x * 3 + (random() & 31));
      p[1] = static_cast<uint8_t>(y * 2 + (random() & 31));
      p[2] = static_cast<uint8_t>((x ^ y) + (random() & 15));
    }
  }
}

}  // namespace

const char* SceneName(Scene scene) {
  switch (scene) {
    case Scene::kPresentNearTop: return "present";
    case Scene::kAbsent: return "absent";
    case Scene::kManyCandidates: return "candidates";
  }
  return "?";
}

SceneImages MakeScene(int width, int height, Scene scene) {
  SceneImages out;
  out.templateBmp = std::string(imaging::MicrocodeLabels()[0].primary);
  out.pattern = *imaging::DecodeBmp(out.templateBmp);
  imaging::ColourImage& c = out.capture;
  c.width = width;
  c.height = height;
  c.pixels.assign(static_cast<size_t>(c.stride() * height), 0);
  if (scene == Scene::kManyCandidates) {
    // Everything in the colour of the label's bottom border, with the label's first two rows
    // almost right in a few places.
    const uint8_t* border = &out.pattern.pixels[0];
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        uint8_t* p = At(c, x, y);
        p[0] = border[0], p[1] = border[1], p[2] = border[2];
      }
    }
  } else {
    FillBusy(c);
  }
  if (scene == Scene::kPresentNearTop) {
    const int left = width / 2, top = 10;
    for (int y = 0; y < out.pattern.height; ++y) {
      for (int x = 0; x < out.pattern.width; ++x) {
        const uint8_t* s = &out.pattern.pixels[static_cast<size_t>(
            out.pattern.stride() * (out.pattern.height - 1 - y) + x * 3)];
        const imaging::Rgb moved = imaging::JitterWithinCell({s[2], s[1], s[0]}, 2, -2, 1);
        uint8_t* p = At(c, left + x, top + y);
        p[0] = moved.blue, p[1] = moved.green, p[2] = moved.red;
      }
    }
    out.expectedX = left + out.pattern.width / 2;
    out.expectedY = top + out.pattern.height - 1 - out.pattern.height / 2;
  }
  // 0x76 lies in the same colour cell as kAbsentByte (0x70 to 0x77): no pixel's entry changes.
  for (uint8_t& b : c.pixels) b = b == kAbsentByte ? kAbsentByte - 1 : b;
  return out;
}

}  // namespace bench

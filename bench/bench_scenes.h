#pragma once
// Synthetic 24-bit captures for the benchmark, each with the label it is searched for.
#include <string>

#include "imaging/images.h"

namespace bench {

enum class Scene {
  kPresentNearTop,  // the label once, 10 rows below the top: searched late, bottom-up
  kAbsent,          // a busy picture without the label
  kManyCandidates,  // the label's bottom row matches nearly everywhere; the label is absent
};

struct SceneImages {
  imaging::ColourImage capture;
  std::string templateBmp;       // 51 x 24 label, as stored
  imaging::ColourImage pattern;  // the same, decoded
  int expectedX = -1, expectedY = -1;
};

// No capture byte has this value, so that a memchr for it passes over the whole capture.
constexpr uint8_t kAbsentByte = 0x77;

SceneImages MakeScene(int width, int height, Scene scene);
const char* SceneName(Scene scene);

}  // namespace bench

// The colour-capture search against the plain reference: same offset for every capture and
// template, on random pictures of few colours (so that matches, near matches and matches
// through the row padding happen often) and on captures built to make the first template row
// match almost everywhere.
#include <gtest/gtest.h>

#include <random>

#include "imaging/colour_cells.h"
#include "imaging/colour_reduction.h"
#include "imaging/colour_search.h"
#include "imaging/reference/plain_search.h"
#include "imaging/template_search.h"

namespace imaging {
namespace {

// A raw capture of 3 or 4 bytes per pixel; bytes that are no colour (row padding, the fourth
// byte) are random, so that reading them as colour would show.
struct RawCapture {
  std::vector<uint8_t> bytes;
  ColourView view;
};

class Painter {
 public:
  explicit Painter(uint32_t seed) : random_(seed) {
    const int count = 1 + static_cast<int>(random_() % 4);
    for (int i = 0; i < count; ++i) {
      // Black often: it is what the row padding reduces to.
      colours_.push_back(random_() % 3 == 0 ? Rgb{} : Rgb{Byte(), Byte(), Byte()});
    }
  }

  uint32_t Next(uint32_t bound) { return random_() % bound; }
  uint8_t Byte() { return static_cast<uint8_t>(random_()); }

  // One of the few colours, moved within its cell so the raw bytes differ but the entry holds.
  Rgb Colour() {
    const Rgb base = colours_[Next(static_cast<uint32_t>(colours_.size()))];
    return JitterWithinCell(base, static_cast<int>(Next(15)) - 7, static_cast<int>(Next(15)) - 7,
                            static_cast<int>(Next(15)) - 7);
  }

  RawCapture Capture(int32_t width, int32_t height, int bytesPerPixel) {
    RawCapture raw;
    const int64_t stride = RowStride(width, 8 * bytesPerPixel);
    raw.bytes.resize(static_cast<size_t>(stride * height));
    for (auto& b : raw.bytes) b = Byte();
    raw.view = ColourView{raw.bytes.data(), width, height, stride, bytesPerPixel};
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) Put(raw, x, y, Colour());
    }
    return raw;
  }

  ColourImage Template(int32_t width, int32_t height) {
    ColourImage image{width, height, {}};
    image.pixels.assign(static_cast<size_t>(image.stride() * height), 0);
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) Put(image, x, y, Colour());
    }
    return image;
  }

  // The template drawn into the capture with its bottom-left pixel at (x, y), cut at the edges.
  void Plant(RawCapture& raw, const ColourImage& pattern, int32_t left, int32_t bottom) {
    for (int32_t j = 0; j < pattern.height && bottom + j < raw.view.height; ++j) {
      for (int32_t i = 0; i < pattern.width && left + i < raw.view.width; ++i) {
        const uint8_t* p = &pattern.pixels[static_cast<size_t>(pattern.stride() * j + i * 3)];
        Put(raw, left + i, bottom + j, JitterWithinCell({p[2], p[1], p[0]}, 3, -3, 2));
      }
    }
  }

  static void Put(RawCapture& raw, int32_t x, int32_t y, Rgb colour) {
    uint8_t* p = raw.bytes.data() + raw.view.stride * y + int64_t{x} * raw.view.bytesPerPixel;
    p[0] = colour.blue, p[1] = colour.green, p[2] = colour.red;
  }
  static void Put(ColourImage& image, int32_t x, int32_t y, Rgb colour) {
    uint8_t* p = &image.pixels[static_cast<size_t>(image.stride() * y + x * 3)];
    p[0] = colour.blue, p[1] = colour.green, p[2] = colour.red;
  }

 private:
  std::mt19937 random_;
  std::vector<Rgb> colours_;
};

// Offsets of the colour search, the search of the whole reduced capture, and the reference.
void ExpectSameOffset(const RawCapture& raw, const ColourImage& pattern, const std::string& what) {
  const IndexedImage reducedPattern = ReduceToIndexed(pattern);
  const IndexedImage plainCapture = reference::ReduceByTrial(raw.view);
  const int64_t expected = reference::FindByByteRows(plainCapture, reference::ReduceByTrial(ViewOf(pattern)));
  const int64_t colour = FindTemplateInColour(raw.view, reducedPattern.pixels.data(), pattern.width,
                                              pattern.height, reducedPattern.stride());
  const int64_t reduced = FindTemplateOffset(plainCapture.pixels.data(), plainCapture.pixels.size(),
                                             plainCapture.stride(), reducedPattern.pixels.data(),
                                             pattern.width, pattern.height, reducedPattern.stride());
  ASSERT_EQ(colour, expected) << what;
  ASSERT_EQ(reduced, expected) << what;
}

std::string Describe(uint32_t seed, const RawCapture& raw, const ColourImage& pattern) {
  return "seed " + std::to_string(seed) + ", capture " + std::to_string(raw.view.width) + "x" +
         std::to_string(raw.view.height) + "x" + std::to_string(8 * raw.view.bytesPerPixel) +
         ", template " + std::to_string(pattern.width) + "x" + std::to_string(pattern.height);
}

TEST(SearchDifferentialTest, EveryCellReducesToTheEntryFoundByTryingAll) {
  const auto& cells = CellEntries();
  for (int index = 0; index < kCellCount; ++index) {
    const uint8_t red = static_cast<uint8_t>((index >> 10) << 3);
    const uint8_t green = static_cast<uint8_t>(((index >> 5) & 31) << 3);
    const uint8_t blue = static_cast<uint8_t>((index & 31) << 3);
    ASSERT_EQ(cells[index], reference::EntryByTrial(red, green, blue)) << "cell " << index;
  }
}

TEST(SearchDifferentialTest, RandomCapturesWithPlantedTemplates) {
  int found = 0;
  for (uint32_t seed = 0; seed < 1500; ++seed) {
    Painter painter(seed);
    const int bytesPerPixel = painter.Next(2) == 0 ? 3 : 4;
    const int32_t width = 1 + static_cast<int32_t>(painter.Next(45));
    const int32_t height = 1 + static_cast<int32_t>(painter.Next(24));
    RawCapture raw = painter.Capture(width, height, bytesPerPixel);
    const ColourImage pattern = painter.Template(1 + static_cast<int32_t>(painter.Next(9)),
                                                 1 + static_cast<int32_t>(painter.Next(6)));
    // Now and then at the edges: flush right, at the bottom or top row, or hanging over.
    const int32_t left = painter.Next(3) == 0 ? width - pattern.width + static_cast<int32_t>(painter.Next(3))
                                               : static_cast<int32_t>(painter.Next(static_cast<uint32_t>(width)));
    const int32_t bottom = painter.Next(3) == 0 ? height - pattern.height
                                                 : static_cast<int32_t>(painter.Next(static_cast<uint32_t>(height)));
    if (painter.Next(4) != 0 && left >= 0 && bottom >= 0) painter.Plant(raw, pattern, left, bottom);
    ExpectSameOffset(raw, pattern, Describe(seed, raw, pattern));
    found += FindTemplateInColour(raw.view, ReduceToIndexed(pattern).pixels.data(), pattern.width,
                                  pattern.height, RowStride(pattern.width, 8)) >= 0;
  }
  // The cases must include both outcomes, or the comparison says little.
  EXPECT_GT(found, 300);
  EXPECT_LT(found, 1300);
}

TEST(SearchDifferentialTest, FirstRowMatchingAlmostEverywhere) {
  for (uint32_t seed = 0; seed < 200; ++seed) {
    Painter painter(1000000 + seed);
    const int bytesPerPixel = 3 + static_cast<int>(seed % 2);
    const int32_t width = 20 + static_cast<int32_t>(painter.Next(50));
    const int32_t height = 8 + static_cast<int32_t>(painter.Next(20));
    ColourImage pattern = painter.Template(1 + static_cast<int32_t>(painter.Next(8)),
                                           2 + static_cast<int32_t>(painter.Next(5)));
    // Every capture row repeats the template's first row; the other rows differ from the first
    // only in one pixel, so most candidates fail late.
    RawCapture raw = painter.Capture(width, height, bytesPerPixel);
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        const uint8_t* p = &pattern.pixels[static_cast<size_t>((x % pattern.width) * 3)];
        Painter::Put(raw, x, y, {p[2], p[1], p[0]});
      }
    }
    for (int32_t j = 1; j < pattern.height; ++j) {
      std::copy_n(pattern.pixels.begin(), pattern.width * 3,
                  pattern.pixels.begin() + static_cast<ptrdiff_t>(pattern.stride() * j));
    }
    Painter::Put(pattern, static_cast<int32_t>(painter.Next(static_cast<uint32_t>(pattern.width))),
                 pattern.height - 1, painter.Colour());
    if (painter.Next(2) == 0) {
      painter.Plant(raw, pattern, static_cast<int32_t>(painter.Next(static_cast<uint32_t>(width))),
                    static_cast<int32_t>(painter.Next(static_cast<uint32_t>(height))));
    }
    ExpectSameOffset(raw, pattern, Describe(1000000 + seed, raw, pattern));
  }
}

}  // namespace
}  // namespace imaging

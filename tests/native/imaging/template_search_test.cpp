#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "imaging/bmp_encoder.h"
#include "imaging/colour_reduction.h"
#include "imaging/template_search.h"

namespace imaging {
namespace {

// A reduced picture filled with entries from a seed, so that a template cut from one place
// occurs nowhere else by chance.
IndexedImage Noise(int32_t width, int32_t height, uint32_t seed) {
  IndexedImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<size_t>(image.stride() * height), 0);
  std::mt19937 random(seed);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      image.pixels[static_cast<size_t>(image.stride() * y + x)] = static_cast<uint8_t>(random());
    }
  }
  return image;
}

// Writes `pattern` into `capture` with its bottom row starting at byte `offset`; rows follow at
// the capture's stride (running into padding and on into the next row if the offset says so).
void Paste(IndexedImage& capture, const IndexedImage& pattern, int64_t offset) {
  for (int32_t j = 0; j < pattern.height; ++j) {
    std::memcpy(&capture.pixels[static_cast<size_t>(offset + capture.stride() * j)],
                &pattern.pixels[static_cast<size_t>(pattern.stride() * j)],
                static_cast<size_t>(pattern.width));
  }
}

TEST(TemplateSearchTest, ReportsTheCentreInTopDownCoordinates) {
  IndexedImage capture = Noise(300, 200, 1);
  const IndexedImage pattern = Noise(51, 21, 2);
  Paste(capture, pattern, 40 * 300 + 100);
  const MatchPoint found = SearchTemplate(capture, pattern);
  EXPECT_EQ(found.x, 125);
  EXPECT_EQ(found.y, 149);
}

TEST(TemplateSearchTest, MovesThePointByTheRegionAndOrigin) {
  IndexedImage capture = Noise(300, 200, 1);
  const IndexedImage pattern = Noise(51, 21, 2);
  Paste(capture, pattern, 40 * 300 + 100);
  const MatchPoint found = SearchTemplate(capture, pattern, 1000, -7);
  EXPECT_EQ(found.x, 1125);
  EXPECT_EQ(found.y, 142);
}

TEST(TemplateSearchTest, OfTwoOccurrencesTheLowerWinsThenTheLeftmost) {
  IndexedImage capture = Noise(120, 100, 3);
  const IndexedImage pattern = Noise(10, 6, 4);
  const int64_t s = capture.stride();
  Paste(capture, pattern, 60 * s + 5);   // higher in the picture
  Paste(capture, pattern, 10 * s + 70);  // lower, but further right
  MatchPoint found = SearchTemplate(capture, pattern);
  EXPECT_EQ(found.x, 75);
  EXPECT_EQ(found.y, 100 - 10 - 1 - 3);

  Paste(capture, pattern, 10 * s + 20);  // same rows, further left
  found = SearchTemplate(capture, pattern);
  EXPECT_EQ(found.x, 25);
}

TEST(TemplateSearchTest, AbsentOrTallerTemplatesAreNotFound) {
  const IndexedImage capture = Noise(64, 20, 5);
  EXPECT_FALSE(SearchTemplate(capture, Noise(8, 4, 6)).found());

  // A 21-row template whose rows all equal the capture's: only the height is wrong.
  IndexedImage flat;
  flat.width = 64;
  flat.height = 20;
  flat.pixels.assign(64 * 20, 9);
  IndexedImage tall;
  tall.width = 8;
  tall.height = 21;
  tall.pixels.assign(8 * 21, 9);
  EXPECT_FALSE(SearchTemplate(flat, tall).found());
  tall.height = 20;
  tall.pixels.resize(8 * 20);
  EXPECT_EQ(SearchTemplate(flat, tall).y, 20 - 0 - 1 - 10);

  EXPECT_FALSE(SearchTemplate(IndexedImage{}, tall).found());
  EXPECT_FALSE(SearchBmpTemplate(flat, "BM-but-not-really-a-bitmap").found());
}

TEST(TemplateSearchTest, EveryRowMustMatchByteForByte) {
  IndexedImage capture = Noise(80, 60, 7);
  const IndexedImage pattern = Noise(12, 9, 8);
  const int64_t at = 20 * capture.stride() + 30;
  Paste(capture, pattern, at);
  ASSERT_TRUE(SearchTemplate(capture, pattern).found());
  for (int32_t row = 0; row < pattern.height; ++row) {
    for (int32_t column : {0, 5, 11}) {
      IndexedImage changed = capture;
      uint8_t& pixel = changed.pixels[static_cast<size_t>(at + capture.stride() * row + column)];
      pixel = static_cast<uint8_t>(pixel + 1);
      EXPECT_FALSE(SearchTemplate(changed, pattern).found()) << row << "," << column;
    }
  }
}

TEST(TemplateSearchTest, ColoursWithinOneCellStillMatchFromBmpBytes) {
  // A 24-bit capture holding a picture drawn in slightly different colours than the template.
  ColourImage screen, label;
  screen.width = 90, screen.height = 40;
  label.width = 17, label.height = 5;
  screen.pixels.assign(static_cast<size_t>(screen.stride() * 40), 0);
  label.pixels.assign(static_cast<size_t>(label.stride() * 5), 0);
  std::mt19937 random(9);
  for (auto& b : screen.pixels) b = static_cast<uint8_t>(random());
  for (int32_t y = 0; y < label.height; ++y) {
    for (int32_t x = 0; x < label.width; ++x) {
      const Rgb colour{static_cast<uint8_t>(random()), static_cast<uint8_t>(random()),
                       static_cast<uint8_t>(random())};
      const Rgb drawn = JitterWithinCell(colour, 3, -2, 5);
      uint8_t* l = &label.pixels[static_cast<size_t>(label.stride() * y + x * 3)];
      uint8_t* s = &screen.pixels[static_cast<size_t>(screen.stride() * (y + 12) + (x + 40) * 3)];
      l[0] = colour.blue, l[1] = colour.green, l[2] = colour.red;
      s[0] = drawn.blue, s[1] = drawn.green, s[2] = drawn.red;
    }
  }
  const IndexedImage capture = ReduceToIndexed(screen);
  const MatchPoint found = SearchBmpTemplate(capture, EncodeBmp24(label));
  EXPECT_EQ(found.x, 40 + 8);
  EXPECT_EQ(found.y, 40 - 12 - 1 - 2);
}

TEST(TemplateSearchTest, CandidateRunningIntoPaddingNeedsEveryRow) {
  // Width 50: stride 52, so two padding bytes (0) end every row.
  IndexedImage capture = Noise(50, 30, 10);
  IndexedImage pattern;
  pattern.width = 6;
  pattern.height = 3;
  pattern.pixels.assign(8 * 3, 0);
  const int64_t s = capture.stride();
  const int64_t at = 5 * s + 47;  // columns 47..49, two padding bytes, first byte of next row
  for (int32_t j = 0; j < 3; ++j) {
    for (int i = 0; i < 6; ++i) {
      pattern.pixels[static_cast<size_t>(8 * j + i)] = capture.pixels[static_cast<size_t>(at + s * j + i)];
    }
  }
  // Every row equal, wrap and padding included: accepted, centre past the right edge.
  MatchPoint found = SearchTemplate(capture, pattern);
  EXPECT_EQ(found.x, 47 + 3);
  EXPECT_EQ(found.y, 30 - 5 - 1 - 1);

  // Only the bottom row equal: the wrapped candidate is refused.
  capture.pixels[static_cast<size_t>(at + s * 2 + 5)] ^= 0xFF;
  EXPECT_FALSE(SearchTemplate(capture, pattern).found());
}

TEST(TemplateSearchTest, FindsTheLabelAmongCandidatesEverywhere) {
  // A plain area in the colour of the template's first row: every position is a candidate.
  IndexedImage capture;
  capture.width = 200;
  capture.height = 120;
  capture.pixels.assign(200 * 120, 7);
  IndexedImage pattern;
  pattern.width = 9;
  pattern.height = 4;
  pattern.pixels.assign(12 * 4, 7);
  pattern.pixels[12 * 2 + 4] = 1;  // one ink pixel in the third row
  EXPECT_FALSE(SearchTemplate(capture, pattern).found());
  Paste(capture, pattern, 100 * 200 + 150);
  Paste(capture, pattern, 100 * 200 + 30);
  const MatchPoint found = SearchTemplate(capture, pattern);
  EXPECT_EQ(found.x, 34);
  EXPECT_EQ(found.y, 120 - 100 - 1 - 2);
}

TEST(TemplateSearchTest, OneRowTemplateIsFoundAtItsFirstOccurrence) {
  IndexedImage capture = Noise(40, 10, 11);
  IndexedImage pattern;
  pattern.width = 4;
  pattern.height = 1;
  pattern.pixels.assign(capture.pixels.begin() + 3 * 40 + 9, capture.pixels.begin() + 3 * 40 + 13);
  const MatchPoint found = SearchTemplate(capture, pattern);
  EXPECT_EQ(found.x, 11);
  EXPECT_EQ(found.y, 6);
}

}  // namespace
}  // namespace imaging

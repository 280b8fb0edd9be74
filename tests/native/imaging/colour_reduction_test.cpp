#include <gtest/gtest.h>

#include <vector>

#include "imaging/colour_reduction.h"

namespace imaging {
namespace {

TEST(NearestEntryTest, PaletteColoursReduceToAnEntryOfTheSameColour) {
  for (int i = 0; i < 256; ++i) {
    const Rgb colour = Palette256Entry(i);
    EXPECT_EQ(Palette256Entry(NearestEntry(colour)), colour) << "entry " << i;
  }
}

TEST(NearestEntryTest, DuplicateColoursGoToTheLowestEntry) {
  // (128,128,128) is both cube entry 164 and system entry 248.
  EXPECT_EQ(NearestEntry({128, 128, 128}), 164);
  EXPECT_EQ(NearestEntry({0, 0, 0}), 0);
  EXPECT_EQ(NearestEntry({255, 255, 255}), 255);
}

TEST(NearestEntryTest, NearbyColoursInOneCellShareTheEntryAndNeighbourCellsMayNot) {
  EXPECT_EQ(NearestEntry({160, 160, 160}), NearestEntry({167, 167, 167}));
  // Mid-way between black (0) and the cube point (0,0,64): cells either side differ.
  EXPECT_NE(NearestEntry({0, 0, 24}), NearestEntry({0, 0, 40}));
}

TEST(CellTest, EveryColourOfACellKeepsTheEntry) {
  const Rgb colours[] = {{36, 36, 36}, {236, 236, 236}, {164, 164, 164}, {1, 200, 99}};
  for (const Rgb& c : colours) {
    const ColourCell cell = CellOf(c);
    EXPECT_LE(cell.low.red, c.red);
    EXPECT_GE(cell.high.red, c.red);
    for (int r = cell.low.red; r <= cell.high.red; ++r) {
      for (int b = cell.low.blue; b <= cell.high.blue; ++b) {
        EXPECT_TRUE(JitterKeepsEntry(c, Rgb{static_cast<uint8_t>(r), cell.high.green,
                                            static_cast<uint8_t>(b)}));
      }
    }
  }
}

TEST(CellTest, JitterWithinCellNeverLeavesTheCell) {
  const Rgb c{36, 236, 4};
  for (int d = -20; d <= 20; d += 3) {
    const Rgb moved = JitterWithinCell(c, d, -d, d);
    EXPECT_TRUE(JitterKeepsEntry(c, moved)) << d;
  }
  EXPECT_EQ(JitterWithinCell(c, 2, -3, 1), (Rgb{38, 233, 5}));
  EXPECT_EQ(JitterWithinCell(c, 100, 100, -100), (Rgb{39, 239, 0}));
  // Leaving the cell is visible to the search: the colour below it reduces differently.
  EXPECT_FALSE(JitterKeepsEntry({0, 0, 32}, {0, 0, 31}));
}

TEST(ReduceRowsTest, TwentyFourAndThirtyTwoBitSourcesGiveTheSameEntries) {
  const int width = 5, height = 2;
  std::vector<uint8_t> deep(width * 4 * height), packed(RowStride(width, 24) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t b = static_cast<uint8_t>(x * 50), g = static_cast<uint8_t>(y * 90 + x),
                    r = static_cast<uint8_t>(255 - x * 40);
      uint8_t* d = &deep[(y * width + x) * 4];
      d[0] = b; d[1] = g; d[2] = r; d[3] = 0xEE;
      uint8_t* p = &packed[y * RowStride(width, 24) + x * 3];
      p[0] = b; p[1] = g; p[2] = r;
    }
  }
  std::vector<uint8_t> fromDeep(8 * height, 0xCC), fromPacked(8 * height, 0xCC);
  ReduceRows(deep.data(), width * 4, 32, width, height, fromDeep.data(), 8);
  ReduceRows(packed.data(), RowStride(width, 24), 24, width, height, fromPacked.data(), 8);
  EXPECT_EQ(fromDeep, fromPacked);
  // Each byte is the entry of its pixel; padding bytes are not written.
  EXPECT_EQ(fromDeep[8 + 2], NearestEntry({static_cast<uint8_t>(255 - 80), 92, 100}));
  EXPECT_EQ(fromDeep[5], 0xCC);
}

TEST(ReduceRowsTest, EveryPixelOf24BitRowsOfAnyWidthGetsItsOwnEntry) {
  // Widths 1 to 13 cover the four-pixel steps, the single-pixel steps and the last pixel of a
  // row, which is read byte by byte.
  uint32_t seed = 12345;
  auto next = [&seed] { return static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 16); };
  for (int width = 1; width <= 13; ++width) {
    const int height = 3;
    const int stride = static_cast<int>(RowStride(width, 24));
    std::vector<uint8_t> packed(static_cast<size_t>(stride * height));
    for (uint8_t& byte : packed) byte = next();
    std::vector<uint8_t> reduced(static_cast<size_t>(width * height));
    ReduceRows(packed.data(), stride, 24, width, height, reduced.data(), width);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const uint8_t* p = &packed[static_cast<size_t>(y * stride + x * 3)];
        ASSERT_EQ(reduced[static_cast<size_t>(y * width + x)], NearestEntry({p[2], p[1], p[0]}))
            << "width " << width << ", pixel " << x << "," << y;
      }
    }
  }
}

TEST(ReduceToIndexedTest, PaddingIsZeroAndSizeFollowsTheStride) {
  ColourImage image;
  image.width = 3;
  image.height = 2;
  image.pixels.assign(static_cast<size_t>(image.stride() * 2), 255);
  const IndexedImage reduced = ReduceToIndexed(image);
  ASSERT_EQ(reduced.pixels.size(), 8u);
  EXPECT_EQ(reduced.pixels[0], 255);
  EXPECT_EQ(reduced.pixels[3], 0);
  EXPECT_EQ(reduced.pixels[7], 0);
}

}  // namespace
}  // namespace imaging

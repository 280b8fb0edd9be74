#include <gtest/gtest.h>

#include "imaging/dib_layout.h"
#include "imaging/palettes.h"

namespace imaging {
namespace {

TEST(RowStrideTest, PadsRowsToWholeDoubleWords) {
  EXPECT_EQ(RowStride(51, 8), 52);
  EXPECT_EQ(RowStride(51, 8) * 24, 1248);
  EXPECT_EQ(RowStride(52, 8), 52);
  EXPECT_EQ(RowStride(51, 24), 156);
  EXPECT_EQ(RowStride(1, 1), 4);
  EXPECT_EQ(RowStride(33, 1), 8);
  EXPECT_EQ(RowStride(9, 4), 8);
  EXPECT_EQ(RowStride(3, 16), 8);
  EXPECT_EQ(RowStride(3, 32), 12);
}

TEST(PaletteTest, TablesHoldTheListedColoursAsBlueGreenRedZero) {
  EXPECT_EQ(Palette2()[4], 255);
  EXPECT_EQ(Palette2()[7], 0);
  // Palette16 entry 1 is dark red, entry 12 pure blue.
  EXPECT_EQ(Palette16()[1 * 4 + 2], 128);
  EXPECT_EQ(Palette16()[1 * 4 + 0], 0);
  EXPECT_EQ(Palette16()[12 * 4 + 0], 255);
  EXPECT_EQ(Palette16()[12 * 4 + 2], 0);

  EXPECT_EQ(Palette256Entry(9), (Rgb{166, 202, 240}));
  EXPECT_EQ(Palette256Entry(10), (Rgb{64, 32, 0}));
  EXPECT_EQ(Palette256Entry(75), (Rgb{96, 32, 64}));
  EXPECT_EQ(Palette256Entry(245), (Rgb{160, 192, 192}));
  EXPECT_EQ(Palette256Entry(246), (Rgb{255, 251, 240}));
  EXPECT_EQ(Palette256Entry(247), (Rgb{160, 160, 164}));
  EXPECT_EQ(Palette256Entry(255), (Rgb{255, 255, 255}));
  const auto& bytes = Palette256();
  EXPECT_EQ(bytes[9 * 4 + 0], 240);  // blue first
  EXPECT_EQ(bytes[9 * 4 + 2], 166);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(bytes[i * 4 + 3], 0) << i;
}

TEST(CreateBlankPackedTest, WritesHeaderTableAndZeroPixels) {
  const auto packed = CreateBlankPacked(51, 24, 8);
  ASSERT_EQ(packed.size(), 40u + 1024u + 1248u);
  EXPECT_EQ(ReadU32(&packed[0]), 40u);
  EXPECT_EQ(ReadU32(&packed[4]), 51u);
  EXPECT_EQ(ReadU32(&packed[8]), 24u);
  EXPECT_EQ(ReadU16(&packed[12]), 1);
  EXPECT_EQ(ReadU16(&packed[14]), 8);
  for (size_t i = 16; i < 40; ++i) EXPECT_EQ(packed[i], 0) << i;
  EXPECT_TRUE(std::equal(Palette256().begin(), Palette256().end(), packed.begin() + 40));
  for (size_t i = PixelAreaOffset(8); i < packed.size(); ++i) ASSERT_EQ(packed[i], 0);

  EXPECT_EQ(CreateBlankPacked(3, 2, 24).size(), 40u + 12u * 2);
  EXPECT_EQ(CreateBlankPacked(3, 2, 4).size(), 40u + 64u + 4u * 2);
}

TEST(CreateBlankPackedTest, RefusesOtherDepthsAndEmptySizes) {
  EXPECT_TRUE(CreateBlankPacked(4, 4, 2).empty());
  EXPECT_TRUE(CreateBlankPacked(4, 4, 12).empty());
  EXPECT_TRUE(CreateBlankPacked(0, 4, 8).empty());
  EXPECT_TRUE(CreateBlankPacked(4, -1, 8).empty());
}

}  // namespace
}  // namespace imaging

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "imaging/bmp_decoder.h"
#include "imaging/bmp_encoder.h"
#include "imaging/colour_reduction.h"
#include "imaging/dib_layout.h"
#include "imaging/label_picture.h"
#include "imaging/label_templates.h"
#include "imaging/template_search.h"
#include "tools/labelgen/label_art.h"

namespace imaging {
namespace {

struct Expected {
  std::string name;
  std::string_view bytes;
  int32_t width, height;
  uint32_t fileSize;
};

std::vector<Expected> AllTemplates() {
  const auto& l = MicrocodeLabels();
  return {
      {"506E1 primary", l[0].primary, 51, 24, 3798}, {"506E1 fallback", l[0].fallback, 51, 21, 3330},
      {"506E3 primary", l[1].primary, 51, 24, 3798}, {"506E3 fallback", l[1].fallback, 51, 22, 3486},
      {"506E8 primary", l[2].primary, 51, 24, 3798}, {"506E8 fallback", l[2].fallback, 51, 21, 3330},
      {"906E9 primary", l[3].primary, 51, 24, 3798}, {"906E9 fallback", l[3].fallback, 51, 21, 3330},
      {"906EA primary", l[4].primary, 51, 24, 3798}, {"906EA fallback", l[4].fallback, 51, 22, 3486},
      {"906EB primary", l[5].primary, 64, 16, 3126}, {"906EB fallback", l[5].fallback, 66, 21, 4254},
      {"906EC primary", l[6].primary, 51, 24, 3798}, {"906EC fallback", l[6].fallback, 51, 22, 3486},
      {"906ED primary", l[7].primary, 51, 24, 3798}, {"906ED fallback", l[7].fallback, 51, 22, 3486},
      {"506E0 primary", l[8].primary, 74, 24, 5430}, {"506E0 fallback", l[8].fallback, 72, 20, 4374},
      {"ME state", MeEnabledLabel(), 118, 15, 5394},
  };
}

// A picture in which one colour covers more than 95 % is found in any window; the stored ones
// are usable as a user's own would have to be, and the rule draws the line where it says.
TEST(LabelTemplatesTest, StoredPicturesPassTheOneColourRuleThatRefusesNearlyPlainOnes) {
  for (const Expected& e : AllTemplates()) {
    const auto decoded = DecodeBmp(e.bytes);
    ASSERT_TRUE(decoded) << e.name;
    EXPECT_FALSE(IsNearlyOneColour(*decoded)) << e.name;
    EXPECT_TRUE(ReadLabelPicture(e.bytes).picture) << e.name;
  }
  const auto picture = [](int otherPixels) {  // 20 x 10, all white but the first few pixels
    ColourImage image{20, 10, {}};
    image.pixels.assign(static_cast<size_t>(image.stride() * 10), 0xFF);
    for (int i = 0; i < otherPixels; ++i) image.pixels[3 * i] = 0;
    return EncodeBmp24(image);
  };
  EXPECT_EQ(ReadLabelPicture(picture(0)).problem, LabelPictureProblem::kOneColour);
  EXPECT_EQ(ReadLabelPicture(picture(8)).problem, LabelPictureProblem::kOneColour);  // 96 %
  EXPECT_EQ(ReadLabelPicture(picture(10)).problem, LabelPictureProblem::kNone);      // 95 %
}

TEST(LabelTemplatesTest, CpuidTextsInDetectionOrder) {
  const char* order[] = {"506E1", "506E3", "506E8", "906E9", "906EA",
                         "906EB", "906EC", "906ED", "506E0"};
  for (size_t i = 0; i < 9; ++i) EXPECT_EQ(MicrocodeLabels()[i].cpuid, order[i]);
}

TEST(LabelTemplatesTest, EachIsA24BitBottomUpFileOfItsStatedSize) {
  for (const Expected& e : AllTemplates()) {
    SCOPED_TRACE(e.name);
    ASSERT_EQ(e.bytes.size(), e.fileSize);
    const auto* p = reinterpret_cast<const uint8_t*>(e.bytes.data());
    EXPECT_EQ(e.bytes.substr(0, 2), "BM");
    EXPECT_EQ(ReadU32(p + 2), e.fileSize);
    EXPECT_EQ(ReadU32(p + 6), 0u);
    EXPECT_EQ(ReadU32(p + 10), 54u);
    EXPECT_EQ(ReadU32(p + 14), 40u);
    EXPECT_EQ(static_cast<int32_t>(ReadU32(p + 18)), e.width);
    EXPECT_EQ(static_cast<int32_t>(ReadU32(p + 22)), e.height);
    EXPECT_EQ(ReadU16(p + 26), 1);
    EXPECT_EQ(ReadU16(p + 28), 24);
    EXPECT_EQ(ReadU32(p + 30), 0u);
    EXPECT_EQ(ReadU32(p + 34), static_cast<uint32_t>(RowStride(e.width, 24) * e.height));
    const auto decoded = DecodeBmp(e.bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, e.width);
    EXPECT_EQ(decoded->height, e.height);
  }
}

TEST(LabelTemplatesTest, ReducedPicturesKeepTheTextVisible) {
  for (const Expected& e : AllTemplates()) {
    const IndexedImage reduced = ReduceToIndexed(*DecodeBmp(e.bytes));
    std::set<uint8_t> entries;
    for (int32_t y = 0; y < reduced.height; ++y) {
      for (int32_t x = 0; x < reduced.width; ++x) entries.insert(reduced.pixels[reduced.stride() * y + x]);
    }
    EXPECT_GE(entries.size(), 3u) << e.name;  // background, border, ink
  }
}

TEST(LabelTemplatesTest, NoTemplateMatchesInsideAnotherPicture) {
  const auto all = AllTemplates();
  for (const Expected& picture : all) {
    const IndexedImage shown = ReduceToIndexed(*DecodeBmp(picture.bytes));
    EXPECT_TRUE(SearchBmpTemplate(shown, picture.bytes).found()) << picture.name;
    for (const Expected& other : all) {
      if (&other == &picture) continue;
      EXPECT_FALSE(SearchBmpTemplate(shown, other.bytes).found())
          << other.name << " inside " << picture.name;
    }
  }
}

TEST(LabelTemplatesTest, StoredFilesAreWhatTheGeneratorDraws) {
  const auto drawn = labelgen::DrawAllLabels();
  const auto stored = AllTemplates();
  ASSERT_EQ(drawn.size(), stored.size());
  for (size_t i = 0; i < drawn.size(); ++i) {
    EXPECT_EQ(EncodeBmp24(drawn[i].image), std::string(stored[i].bytes)) << drawn[i].fileName;
  }
}

TEST(LabelTemplatesTest, DrawingColoursReduceToDistinctEntries) {
  const Rgb colours[] = {labelgen::kCellBackground, labelgen::kCellBorder, labelgen::kInk,
                         labelgen::kSmoothedInk, labelgen::kFieldBackground, labelgen::kIconInk};
  std::set<uint8_t> entries;
  for (const Rgb& c : colours) {
    entries.insert(NearestEntry(c));
    // Centred in their cells: a jitter of 3 either way keeps the entry.
    EXPECT_TRUE(JitterKeepsEntry(c, {static_cast<uint8_t>(c.red - 3), static_cast<uint8_t>(c.green + 3),
                                     static_cast<uint8_t>(c.blue - 3)}));
    EXPECT_TRUE(JitterKeepsEntry(c, {static_cast<uint8_t>(c.red + 3), static_cast<uint8_t>(c.green - 3),
                                     static_cast<uint8_t>(c.blue + 3)}));
  }
  EXPECT_EQ(entries.size(), std::size(colours));
}

}  // namespace
}  // namespace imaging

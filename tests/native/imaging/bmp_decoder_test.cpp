#include <gtest/gtest.h>

#include <string>

#include "imaging/bmp_decoder.h"
#include "imaging/bmp_encoder.h"

namespace imaging {
namespace {

ColourImage Gradient(int32_t width, int32_t height) {
  ColourImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<size_t>(image.stride() * height), 0);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint8_t* p = &image.pixels[static_cast<size_t>(image.stride() * y + x * 3)];
      p[0] = static_cast<uint8_t>(x * 7);
      p[1] = static_cast<uint8_t>(y * 11);
      p[2] = static_cast<uint8_t>(x + y);
    }
  }
  return image;
}

// A BMP file header and info header with the given fields, followed by `tail`.
std::string Header(int32_t width, int32_t height, uint16_t bpp, uint32_t pixelOffset,
                   uint32_t coloursUsed = 0, uint32_t compression = 0) {
  std::string file(54, '\0');
  auto* p = reinterpret_cast<uint8_t*>(file.data());
  p[0] = 'B';
  p[1] = 'M';
  WriteU32(p + 10, pixelOffset);
  WriteU32(p + 14, 40);
  WriteU32(p + 18, static_cast<uint32_t>(width));
  WriteU32(p + 22, static_cast<uint32_t>(height));
  WriteU16(p + 26, 1);
  WriteU16(p + 28, bpp);
  WriteU32(p + 30, compression);
  WriteU32(p + 46, coloursUsed);
  return file;
}

uint8_t Blue(const ColourImage& image, int x, int bottomUpRow) {
  return image.pixels[static_cast<size_t>(image.stride() * bottomUpRow + x * 3)];
}

TEST(BmpDecoderTest, RoundTripsA24BitFileWithOddWidth) {
  const ColourImage original = Gradient(51, 7);
  const auto decoded = DecodeBmp(EncodeBmp24(original));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->width, 51);
  EXPECT_EQ(decoded->height, 7);
  EXPECT_EQ(decoded->pixels, original.pixels);
}

TEST(BmpDecoderTest, IgnoresBytesAfterThePixelRows) {
  const ColourImage original = Gradient(5, 3);
  const auto decoded = DecodeBmp(EncodeBmp24(original) + std::string(100, '\x5a'));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->pixels, original.pixels);
}

TEST(BmpDecoderTest, TurnsTopDownRowsBottomUp) {
  std::string file = Header(1, -2, 24, 54);
  file += std::string("\x10\x00\x00\x00", 4);  // stored first: the top row
  file += std::string("\x20\x00\x00\x00", 4);
  const auto decoded = DecodeBmp(file);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->height, 2);
  EXPECT_EQ(Blue(*decoded, 0, 0), 0x20);
  EXPECT_EQ(Blue(*decoded, 0, 1), 0x10);
}

TEST(BmpDecoderTest, ReadsIndexedAndDeepPixels) {
  {  // 4 bits: two pixels per byte, leftmost in the high nibble; table of 2 used colours
    std::string file = Header(3, 1, 4, 54 + 8, 2);
    file += std::string("\x01\x02\x03\x00\xAA\xBB\xCC\x00", 8);
    file += std::string("\x10\x00\x00\x00", 4);
    const auto decoded = DecodeBmp(file);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(Blue(*decoded, 0, 0), 0xAA);
    EXPECT_EQ(Blue(*decoded, 1, 0), 0x01);
    EXPECT_EQ(Blue(*decoded, 2, 0), 0x01);
  }
  {  // 32 bits: the fourth byte is dropped
    std::string file = Header(2, 1, 32, 54);
    file += std::string("\x01\x02\x03\xFF\x04\x05\x06\xFF", 8);
    const auto decoded = DecodeBmp(file);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels[3], 4);
    EXPECT_EQ(decoded->pixels[5], 6);
  }
  {  // 16 bits: 5-5-5, full intensity widens to 255
    std::string file = Header(1, 1, 16, 54);
    file += std::string("\x1F\x7C\x00\x00", 4);  // red 31, green 0, blue 31
    const auto decoded = DecodeBmp(file);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels[0], 255);
    EXPECT_EQ(decoded->pixels[1], 0);
    EXPECT_EQ(decoded->pixels[2], 255);
  }
}

TEST(BmpDecoderTest, RefusesMalformedFiles) {
  const std::string good = EncodeBmp24(Gradient(4, 4));
  ASSERT_TRUE(DecodeBmp(good));

  EXPECT_FALSE(DecodeBmp(""));
  EXPECT_FALSE(DecodeBmp("not a bitmap at all, but long enough to hold a header......"));
  EXPECT_FALSE(DecodeBmp(good.substr(0, 53)));
  EXPECT_FALSE(DecodeBmp(good.substr(0, good.size() - 1)));  // last row cut short

  auto patched = [&](size_t at, uint32_t value, int bytes = 4) {
    std::string file = good;
    auto* p = reinterpret_cast<uint8_t*>(file.data());
    if (bytes == 4) WriteU32(p + at, value); else WriteU16(p + at, static_cast<uint16_t>(value));
    return file;
  };
  EXPECT_FALSE(DecodeBmp(patched(18, 0)));                  // zero width
  EXPECT_FALSE(DecodeBmp(patched(18, 0xFFFFFFFCu)));        // negative width
  EXPECT_FALSE(DecodeBmp(patched(22, 0)));                  // zero height
  EXPECT_FALSE(DecodeBmp(patched(22, 0x80000000u)));        // most negative height
  EXPECT_FALSE(DecodeBmp(patched(18, 0x7FFFFFFFu)));        // huge width
  EXPECT_FALSE(DecodeBmp(patched(22, 1000)));               // more rows than bytes
  EXPECT_FALSE(DecodeBmp(patched(28, 7, 2)));               // odd depth
  EXPECT_FALSE(DecodeBmp(patched(26, 2, 2)));               // two planes
  EXPECT_FALSE(DecodeBmp(patched(30, 1)));                  // run-length compressed
  EXPECT_FALSE(DecodeBmp(patched(10, 0xFFFFFFF0u)));        // pixels beyond the end
  EXPECT_FALSE(DecodeBmp(patched(10, 20)));                 // pixels inside the header
  EXPECT_FALSE(DecodeBmp(patched(14, 12)));                 // unknown short header
  EXPECT_FALSE(DecodeBmp(patched(14, 0xFFFFFFFFu)));        // header longer than the file
}

TEST(BmpDecoderTest, RefusesColourTablesThatDoNotFit) {
  // 8 bits claiming 300 colours, and a table running past the end of the file.
  std::string tooMany = Header(1, 1, 8, 54, 300) + std::string(4, '\0');
  EXPECT_FALSE(DecodeBmp(tooMany));
  std::string cut = Header(1, 1, 8, 54, 0) + std::string(8, '\0');
  EXPECT_FALSE(DecodeBmp(cut));
}

}  // namespace
}  // namespace imaging

#include "app/picture_decoding.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace app {
namespace {

std::string ReadPicture(const char* name) {
  std::ifstream file(std::string(BMT_PICTURES_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

TEST(PictureDecoding, BannerIsA976By195PngWithAlpha) {
  const std::string file = ReadPicture("banner.png");
  ASSERT_GT(file.size(), 26u);
  EXPECT_EQ(static_cast<uint8_t>(file[25]), 6) << "PNG colour type must be RGBA";
  const DecodedPicture decoded = DecodePicture(file);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.picture.width, 976);
  EXPECT_EQ(decoded.picture.height, 195);
  EXPECT_EQ(decoded.picture.sourceChannels, 4);
  ASSERT_EQ(decoded.picture.pixels.size(), 976u * 195u * 4u);
  // The rounded corner is transparent, the middle is opaque.
  EXPECT_EQ(decoded.picture.pixels[3], 0);
  EXPECT_EQ(decoded.picture.pixels[(97 * 976 + 488) * 4 + 3], 255);
}

TEST(PictureDecoding, RefreshSymbolIsA512SquareGreyJpeg) {
  const DecodedPicture decoded = DecodePicture(ReadPicture("refresh.jpg"));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.picture.width, 512);
  EXPECT_EQ(decoded.picture.height, 512);
  EXPECT_EQ(decoded.picture.sourceChannels, 1);
  const auto& pixels = decoded.picture.pixels;
  ASSERT_EQ(pixels.size(), 512u * 512u * 4u);
  bool dark = false, light = false;
  for (size_t i = 0; i < pixels.size(); i += 4) {
    ASSERT_EQ(pixels[i], pixels[i + 1]);
    ASSERT_EQ(pixels[i], pixels[i + 2]);
    ASSERT_EQ(pixels[i + 3], 255);
    dark |= pixels[i] < 80;
    light |= pixels[i] > 200;
  }
  EXPECT_TRUE(dark && light) << "the symbol must show against its ground";
}

TEST(PictureDecoding, IconFileHasOne64By64EntryOf32Bits) {
  const std::string file = ReadPicture("app.ico");
  ASSERT_EQ(file.size(), 16958u);
  EXPECT_EQ(file.substr(0, 6), std::string("\0\0\1\0\1\0", 6));
  EXPECT_EQ(static_cast<uint8_t>(file[6]), 64);
  EXPECT_EQ(static_cast<uint8_t>(file[7]), 64);
  EXPECT_EQ(Le32(file, 14), 40u + 16384u + 512u);  // image bytes
  EXPECT_EQ(Le32(file, 18), 22u);                  // image offset
  EXPECT_EQ(Le32(file, 22), 40u);                  // header size
  EXPECT_EQ(Le32(file, 30), 128u);                 // colour image and mask
  EXPECT_EQ(static_cast<uint8_t>(file[36]), 32);   // bits per pixel
}

TEST(PictureDecoding, DamagedFilesFailWithoutAPicture) {
  const std::string png = ReadPicture("banner.png");
  const std::string jpeg = ReadPicture("refresh.jpg");
  ASSERT_FALSE(png.empty());
  ASSERT_FALSE(jpeg.empty());
  std::string flipped = png;
  flipped[png.size() / 2] ^= 0x55;  // breaks the deflate stream or its checksum
  const std::string cases[] = {
      "",
      "not a picture at all",
      png.substr(0, 8),                 // signature only
      png.substr(0, png.size() / 2),    // truncated data
      flipped,
      jpeg.substr(0, 3),                // start marker only
      jpeg.substr(0, jpeg.size() / 2),  // truncated scan
  };
  for (const std::string& bytes : cases) {
    const DecodedPicture decoded = DecodePicture(bytes);
    EXPECT_FALSE(decoded.ok) << bytes.size() << " bytes";
    EXPECT_FALSE(decoded.error.empty());
    EXPECT_TRUE(decoded.picture.pixels.empty()) << "a failed decode hands back no picture";
  }
}

TEST(PictureDecoding, RefusesHugeDimensionsBeforeAllocating) {
  std::string jpeg = ReadPicture("refresh.jpg");
  // Patch the frame header's height and width (SOF0: FF C0, length, precision, h, w).
  const size_t sof = jpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  jpeg[sof + 5] = '\xFF';
  jpeg[sof + 6] = '\xF0';
  const DecodedPicture decoded = DecodePicture(jpeg);
  EXPECT_FALSE(decoded.ok);
}

}  // namespace
}  // namespace app

#include <gtest/gtest.h>

#include <string>

#include "imaging/bmp_decoder.h"
#include "imaging/colour_reduction.h"
#include "imaging/label_templates.h"
#include "imaging/win32/pixel_buffer.h"
#include "label_canvas.h"

namespace imaging {
namespace {

// A DIB section of the given depth showing the decoded picture.
HBITMAP SectionOf(const ColourImage& image, int depth) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(depth);
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr) return nullptr;
  auto* out = static_cast<uint8_t*>(bits);
  const int64_t stride = RowStride(image.width, depth);
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) {
      const uint8_t* src = &image.pixels[static_cast<size_t>(image.stride() * y + x * 3)];
      uint8_t* dst = out + stride * y + x * (depth / 8);
      dst[0] = src[0], dst[1] = src[1], dst[2] = src[2];
    }
  }
  return section;
}

std::vector<uint8_t> Indexed(PixelBuffer& buffer) {
  if (!buffer.ConvertDepth(8)) return {};
  return buffer.PixelBytes();
}

TEST(PixelBufferTest, TwentyFourAndThirtyTwoBitSourcesReduceToTheSameBytes) {
  const std::string_view bmp = MicrocodeLabels()[0].primary;
  const ColourImage image = *DecodeBmp(bmp);
  const std::vector<uint8_t> expected = ReduceToIndexed(image).pixels;

  for (int depth : {24, 32}) {
    SCOPED_TRACE(depth);
    HBITMAP section = SectionOf(image, depth);
    ASSERT_NE(section, nullptr);
    PixelBuffer buffer;
    ASSERT_TRUE(buffer.LoadFromBitmap(section));
    EXPECT_EQ(buffer.depth(), depth);
    EXPECT_EQ(Indexed(buffer), expected);
    ASSERT_TRUE(buffer.LoadFromBitmap(section, 32 + 24 - depth));  // the other depth
    EXPECT_EQ(Indexed(buffer), expected);
    DeleteObject(section);
  }
  PixelBuffer buffer;
  ASSERT_TRUE(buffer.LoadFromBytes(bmp));
  EXPECT_EQ(buffer.depth(), DisplayDepth());
  EXPECT_EQ(Indexed(buffer), expected);
}

TEST(PixelBufferTest, EightBitPixelAreaFollowsTheStride) {
  PixelBuffer buffer;
  ASSERT_TRUE(buffer.LoadFromBytes(MicrocodeLabels()[0].primary));  // 51 x 24
  ASSERT_TRUE(buffer.ConvertDepth(8));
  EXPECT_EQ(buffer.width(), 51);
  EXPECT_EQ(buffer.height(), 24);
  EXPECT_EQ(buffer.PixelBytes().size(), 1248u);
  EXPECT_EQ(buffer.Packed().size(), 40u + 1024u + 1248u);
  // Back to 24 bits: the entries' colours, same size.
  ASSERT_TRUE(buffer.ConvertDepth(24));
  EXPECT_EQ(buffer.PixelBytes().size(), 156u * 24);
}

TEST(PixelBufferTest, UndecodableBytesLeaveTheBufferEmpty) {
  PixelBuffer buffer;
  ASSERT_TRUE(buffer.LoadFromBytes(MeEnabledLabel()));
  EXPECT_FALSE(buffer.LoadFromBytes("BM this is not a picture"));
  EXPECT_EQ(buffer.width(), 0);
  EXPECT_EQ(buffer.height(), 0);
  EXPECT_TRUE(buffer.PixelBytes().empty());
  EXPECT_FALSE(buffer.ConvertDepth(8));

  std::string withTail(MeEnabledLabel());
  withTail += std::string(37, '\x7f');
  ASSERT_TRUE(buffer.LoadFromBytes(withTail));
  EXPECT_EQ(buffer.width(), 118);
  EXPECT_EQ(buffer.height(), 15);
}

TEST(PixelBufferTest, CreateBlankRefusesOddDepthsAndKeepsWhatItHeld) {
  PixelBuffer buffer;
  ASSERT_TRUE(buffer.CreateBlank(51, 24, 8));
  EXPECT_EQ(buffer.PixelBytes(), std::vector<uint8_t>(1248, 0));
  EXPECT_FALSE(buffer.CreateBlank(51, 24, 12));
  EXPECT_EQ(buffer.width(), 51);
}

TEST(PixelBufferTest, WindowCaptureSizesDefaultToTheClientEdges) {
  HWND window = canvas::CreateCanvasWindow(80, 80, "capture sizes");
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  canvas::PumpFor(300);
  PixelBuffer buffer;
  ASSERT_TRUE(buffer.CaptureWindow(window, 10, 7, 0, 0, 8));
  EXPECT_EQ(buffer.width(), canvas::kClientWidth - 10);
  EXPECT_EQ(buffer.height(), canvas::kClientHeight - 7);
  EXPECT_EQ(buffer.depth(), 8);
  ASSERT_TRUE(buffer.CaptureWindow(window));
  EXPECT_EQ(buffer.depth(), 24);
  EXPECT_EQ(buffer.width(), canvas::kClientWidth);

  ShowWindow(window, SW_HIDE);
  canvas::PumpFor(100);
  EXPECT_FALSE(buffer.CaptureWindow(window));
  EXPECT_EQ(buffer.width(), 0);
  EXPECT_TRUE(buffer.PixelBytes().empty());
  DestroyWindow(window);
  canvas::PumpFor(50);
}

TEST(PixelBufferTest, ScreenCaptureOfTheWholeDisplay) {
  PixelBuffer buffer;
  ASSERT_TRUE(buffer.CaptureScreen(100, 50, 0, 0, 8));
  EXPECT_EQ(buffer.width(), GetSystemMetrics(SM_CXSCREEN) - 100);
  EXPECT_EQ(buffer.height(), GetSystemMetrics(SM_CYSCREEN) - 50);
  EXPECT_FALSE(buffer.CaptureScreen(0, 0, 10, 10, 3));
}

}  // namespace
}  // namespace imaging

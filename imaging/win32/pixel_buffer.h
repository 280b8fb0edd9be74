#pragma once
// One picture in the packed bottom-up DIB layout, with the drawing surface it was made on.
// Fills itself from a window, the screen, BMP bytes or a bitmap, and re-renders at another
// depth. Every fill goes through a 32-bit copy first; reduction to 8 bits per pixel uses the
// portable colour rule (never the blitter), so captures and templates reduce alike.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace platform {
class WindowDc;
}

namespace imaging {

class PixelBuffer {
 public:
  PixelBuffer();
  ~PixelBuffer();  // out of line: Surface is complete only there
  PixelBuffer(const PixelBuffer&) = delete;
  PixelBuffer& operator=(const PixelBuffer&) = delete;

  // Drops the held picture; an empty buffer stays unchanged.
  void Reset();
  // The packed picture only (header, colour table of the depth, zero pixels), no surface.
  bool CreateBlank(int32_t width, int32_t height, int depth);
  // Client coordinates; width/height 0 reach the client area's right/bottom edge; depth 0 = 24.
  // Fails for a minimised or hidden window and for a capture that shows nothing (one colour).
  bool CaptureWindow(HWND window, int32_t left = 0, int32_t top = 0, int32_t width = 0,
                     int32_t height = 0, int depth = 0);
  // Screen coordinates; width/height 0 reach the display's edges; depth 0 = the display's.
  bool CaptureScreen(int32_t left = 0, int32_t top = 0, int32_t width = 0, int32_t height = 0,
                     int depth = 0);
  // Decodes the file in memory; the picture is held at the display's depth.
  bool LoadFromBytes(std::string_view fileBytes);
  bool LoadFromFile(const char* path);
  // depth 0 = the bitmap's own depth.
  bool LoadFromBitmap(HBITMAP bitmap, int depth = 0);
  bool ConvertDepth(int depth);

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  int depth() const { return depth_; }
  // RowStride x height bytes, bottom row first; empty when nothing is held.
  std::vector<uint8_t> PixelBytes() const;
  // The packed picture: header, colour table, pixels; empty when nothing is held.
  const std::vector<uint8_t>& Packed() const { return packed_; }
  // Hands over the packed picture and drops everything held.
  std::vector<uint8_t> TakePacked();

 private:
  class Bgra;     // a 32-bit working copy, released where it is made
  struct Surface;  // the drawing surface of the held picture
  bool Adopt(const Bgra& source, int depth);
  void ReleaseSurface();
  bool CaptureClient(HWND window, int32_t left, int32_t top, int32_t width, int32_t height,
                     int depth);

  HDC ScreenDc() const;

  std::unique_ptr<platform::WindowDc> screenDc_;
  std::unique_ptr<Surface> surface_;
  std::vector<uint8_t> packed_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int depth_ = 0;
};

// Bits per pixel of the display's current mode (32 if it cannot be read).
int DisplayDepth();

}  // namespace imaging

#include "imaging/win32/pixel_buffer.h"

#include <cstring>
#include <utility>

#include "imaging/bmp_decoder.h"
#include "imaging/colour_reduction.h"
#include "imaging/dib_layout.h"
#include "platform/win32/scoped_handles.h"

namespace imaging {
namespace {

using platform::DcSelection;
using platform::UniqueBitmap;
using platform::UniqueMemoryDc;
using platform::WindowDc;

constexpr UINT kPrintClientOnly = 1;
// Asks the window to draw content that is composed elsewhere (GPU surfaces) as well; platforms
// that do not know the flag refuse the call, and the rendering is asked for again without it.
constexpr UINT kPrintRenderFullContent = 2;

}  // namespace

// A 32-bit bottom-up surface selected into its own memory context.
class PixelBuffer::Bgra {
 public:
  Bgra(HDC reference, int32_t width, int32_t height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_.Reset(CreateCompatibleDC(reference));
    if (!dc_) return;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (bitmap_) selection_ = DcSelection(dc_.Get(), bitmap_.Get());
  }
  Bgra(const Bgra&) = delete;
  Bgra& operator=(const Bgra&) = delete;

  bool ok() const { return static_cast<bool>(selection_) && bits_ != nullptr; }
  HDC dc() const { return dc_.Get(); }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  uint8_t* bits() const {
    GdiFlush();
    return static_cast<uint8_t*>(bits_);
  }
  // A picture of one single colour holds nothing to search: what a refused rendering gives.
  bool IsOneColour() const {
    const auto* p = reinterpret_cast<const uint32_t*>(bits());
    const size_t count = static_cast<size_t>(width_) * height_;
    const uint32_t first = p[0] & 0x00FFFFFFu;
    for (size_t i = 1; i < count; ++i) {
      if ((p[i] & 0x00FFFFFFu) != first) return false;
    }
    return true;
  }
  bool CopyFrom(HDC source, int32_t x, int32_t y) const {
    return BitBlt(dc_.Get(), 0, 0, width_, height_, source, x, y, SRCCOPY) != FALSE;
  }

 private:
  int32_t width_, height_;
  // Declared in the order they are made: the selection is undone before the bitmap goes, and
  // the bitmap before its context.
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  DcSelection selection_;
  void* bits_ = nullptr;
};

namespace {

// The window's own rendering of its client area, from client point (left, top), into
// `target`. Client-only rendering keeps client coordinates exact: platforms disagree on where a
// whole-window rendering puts the client area inside the frame.
bool RenderWindowInto(HWND window, HDC screenDc, int32_t left, int32_t top, HDC target,
                      int32_t width, int32_t height) {
  RECT client{};
  if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return false;
  const UniqueMemoryDc tempDc(CreateCompatibleDC(screenDc));
  const UniqueBitmap tempBitmap(CreateCompatibleBitmap(screenDc, client.right, client.bottom));
  if (!tempDc || !tempBitmap) return false;
  const DcSelection selection(tempDc.Get(), tempBitmap.Get());
  const bool drawn = PrintWindow(window, tempDc.Get(), kPrintClientOnly | kPrintRenderFullContent) ||
                     PrintWindow(window, tempDc.Get(), kPrintClientOnly);
  return drawn && BitBlt(target, 0, 0, width, height, tempDc.Get(), left, top, SRCCOPY) != FALSE;
}

// What the window shows on the screen now, through its own device context.
bool CopyShownWindowInto(HWND window, int32_t left, int32_t top, HDC target, int32_t width,
                         int32_t height) {
  const WindowDc windowDc(window);
  return windowDc &&
         BitBlt(target, 0, 0, width, height, windowDc.Get(), left, top, SRCCOPY) != FALSE;
}

}  // namespace

int DisplayDepth() {
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 32;
  const int depth = static_cast<int>(mode.dmBitsPerPel);
  return IsSupportedDepth(depth) ? depth : 32;
}

// The surface's owners, released in the reverse order of their making.
struct PixelBuffer::Surface {
  UniqueMemoryDc dc;
  UniqueBitmap bitmap;
  DcSelection selection;
  void* pixels = nullptr;
};

PixelBuffer::PixelBuffer() : screenDc_(std::make_unique<WindowDc>(nullptr)) {}

PixelBuffer::~PixelBuffer() = default;

HDC PixelBuffer::ScreenDc() const { return screenDc_->Get(); }

void PixelBuffer::ReleaseSurface() {
  surface_.reset();
  packed_.clear();
  width_ = height_ = depth_ = 0;
}

void PixelBuffer::Reset() {
  if (packed_.empty() && !surface_) return;
  ReleaseSurface();
}

bool PixelBuffer::CreateBlank(int32_t width, int32_t height, int depth) {
  auto packed = CreateBlankPacked(width, height, depth);
  if (packed.empty()) return false;
  ReleaseSurface();
  packed_ = std::move(packed);
  width_ = width;
  height_ = height;
  depth_ = depth;
  return true;
}

bool PixelBuffer::Adopt(const Bgra& source, int depth) {
  const int32_t width = source.width(), height = source.height();
  if (!source.ok() || !CreateBlank(width, height, depth)) return false;
  auto surface = std::make_unique<Surface>();
  surface->dc.Reset(CreateCompatibleDC(ScreenDc()));
  if (surface->dc) {
    surface->bitmap.Reset(CreateDIBSection(surface->dc.Get(),
                                           reinterpret_cast<const BITMAPINFO*>(packed_.data()),
                                           DIB_RGB_COLORS, &surface->pixels, nullptr, 0));
  }
  if (!surface->bitmap || surface->pixels == nullptr) {
    ReleaseSurface();
    return false;
  }
  surface->selection = DcSelection(surface->dc.Get(), surface->bitmap.Get());
  surface_ = std::move(surface);
  const int64_t stride = RowStride(width, depth);
  auto* target = static_cast<uint8_t*>(surface_->pixels);
  GdiFlush();
  if (depth == 8) {
    ReduceRows(source.bits(), int64_t{width} * 4, 32, width, height, target, stride);
  } else if (depth == 32) {
    std::memcpy(target, source.bits(), static_cast<size_t>(stride * height));
  } else if (!BitBlt(surface_->dc.Get(), 0, 0, width, height, source.dc(), 0, 0, SRCCOPY)) {
    ReleaseSurface();
    return false;
  }
  GdiFlush();
  std::memcpy(packed_.data() + PixelAreaOffset(depth), target, static_cast<size_t>(stride * height));
  return true;
}

bool PixelBuffer::CaptureWindow(HWND window, int32_t left, int32_t top, int32_t width,
                                int32_t height, int depth) {
  Reset();
  if (window == nullptr || IsIconic(window) || !IsWindowVisible(window)) return false;
  if (depth == 0) depth = 24;
  if (!IsSupportedDepth(depth)) return false;
  RECT client{};
  if (!GetClientRect(window, &client)) return false;
  if (width == 0) width = client.right - left;
  if (height == 0) height = client.bottom - top;
  if (width <= 0 || height <= 0) return false;
  return CaptureClient(window, left, top, width, height, depth);
}

bool PixelBuffer::CaptureClient(HWND window, int32_t left, int32_t top, int32_t width,
                                int32_t height, int depth) {
  // The window's own rendering works while it is covered; where the platform hands back an
  // empty picture (another process's window under Wine, GPU-drawn windows), what the window
  // shows on the screen is taken instead. An empty picture is never passed on.
  {
    Bgra shot(ScreenDc(), width, height);
    if (shot.ok() && RenderWindowInto(window, ScreenDc(), left, top, shot.dc(), width, height) &&
        !shot.IsOneColour()) {
      return Adopt(shot, depth);
    }
  }
  Bgra shot(ScreenDc(), width, height);
  if (shot.ok() && CopyShownWindowInto(window, left, top, shot.dc(), width, height) &&
      !shot.IsOneColour()) {
    return Adopt(shot, depth);
  }
  return false;
}

bool PixelBuffer::CaptureScreen(int32_t left, int32_t top, int32_t width, int32_t height,
                                int depth) {
  Reset();
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return false;
  if (depth == 0) depth = static_cast<int>(mode.dmBitsPerPel);
  if (!IsSupportedDepth(depth)) return false;
  if (width == 0) width = static_cast<int32_t>(mode.dmPelsWidth) - left;
  if (height == 0) height = static_cast<int32_t>(mode.dmPelsHeight) - top;
  Bgra shot(ScreenDc(), width, height);
  if (!shot.ok() || !shot.CopyFrom(ScreenDc(), left, top)) return false;
  return Adopt(shot, depth);
}

bool PixelBuffer::LoadFromBytes(std::string_view fileBytes) {
  Reset();
  const auto decoded = DecodeBmp(fileBytes);
  if (!decoded) return false;
  Bgra shot(ScreenDc(), decoded->width, decoded->height);
  if (!shot.ok()) return false;
  uint8_t* target = shot.bits();
  const int64_t sourceStride = decoded->stride();
  for (int32_t y = 0; y < decoded->height; ++y) {
    const uint8_t* src = decoded->pixels.data() + sourceStride * y;
    uint8_t* dst = target + int64_t{decoded->width} * 4 * y;
    for (int32_t x = 0; x < decoded->width; ++x) {
      dst[x * 4 + 0] = src[x * 3 + 0];
      dst[x * 4 + 1] = src[x * 3 + 1];
      dst[x * 4 + 2] = src[x * 3 + 2];
      dst[x * 4 + 3] = 0;
    }
  }
  return Adopt(shot, DisplayDepth());
}

bool PixelBuffer::LoadFromFile(const char* path) {
  const UniqueBitmap loaded(
      static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!loaded) {
    Reset();
    return false;
  }
  return LoadFromBitmap(loaded.Get(), 0);
}

bool PixelBuffer::LoadFromBitmap(HBITMAP bitmap, int depth) {
  Reset();
  BITMAP info{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof(info), &info) == 0) return false;
  if (depth == 0) depth = info.bmBitsPixel;
  if (!IsSupportedDepth(depth)) return false;
  const UniqueMemoryDc tempDc(CreateCompatibleDC(ScreenDc()));
  if (!tempDc) return false;
  const DcSelection selection(tempDc.Get(), bitmap);
  if (!selection) return false;
  Bgra shot(ScreenDc(), info.bmWidth, info.bmHeight);
  return shot.ok() && shot.CopyFrom(tempDc.Get(), 0, 0) && Adopt(shot, depth);
}

bool PixelBuffer::ConvertDepth(int depth) {
  if (!surface_ || !IsSupportedDepth(depth)) return false;
  Bgra copy(ScreenDc(), width_, height_);
  if (!copy.ok() || !copy.CopyFrom(surface_->dc.Get(), 0, 0)) return false;
  return Adopt(copy, depth);
}

std::vector<uint8_t> PixelBuffer::TakePacked() {
  std::vector<uint8_t> packed = std::move(packed_);
  ReleaseSurface();
  return packed;
}

std::vector<uint8_t> PixelBuffer::PixelBytes() const {
  if (packed_.empty()) return {};
  return std::vector<uint8_t>(packed_.begin() + static_cast<ptrdiff_t>(PixelAreaOffset(depth_)),
                              packed_.end());
}

}  // namespace imaging

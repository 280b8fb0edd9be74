#include "tests/e2e/harness/screenshot.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "tests/e2e/harness/harness_paths.h"

namespace e2e {

namespace {

// Top-down RGBA pixels of a screen rectangle.
std::vector<uint8_t> GrabScreen(RECT area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  std::vector<uint8_t> pixels;
  if (width <= 0 || height <= 0) return pixels;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP surface = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (surface && bits) {
    HGDIOBJ old = SelectObject(memory, surface);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* bgra = static_cast<const uint8_t*>(bits);
    pixels.resize(size_t(width) * height * 4);
    for (size_t i = 0; i < pixels.size(); i += 4) {
      pixels[i] = bgra[i + 2];
      pixels[i + 1] = bgra[i + 1];
      pixels[i + 2] = bgra[i];
      pixels[i + 3] = 255;
    }
    SelectObject(memory, old);
  }
  if (surface) DeleteObject(surface);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

bool SaveScreenshot(const std::wstring& name, HWND window) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (window && !GetWindowRect(window, &area)) return false;
  const std::vector<uint8_t> pixels = GrabScreen(area);
  if (pixels.empty()) return false;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(area.right - area.left);
  image.height = png_uint_32(area.bottom - area.top);
  image.format = PNG_FORMAT_RGBA;
  const std::wstring path = OutFolder() + L"\\" + name + L".png";
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) return false;
  const bool ok = png_image_write_to_stdio(&image, file, 0, pixels.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return std::fclose(file) == 0 && ok;
}

}  // namespace e2e

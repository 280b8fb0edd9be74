#include "app/win32/picture_bitmap.h"

#include "platform/win32/scoped_handles.h"

namespace app {

HBITMAP CreatePictureBitmap(const RgbaPicture& picture, COLORREF background) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height * 4) {
    return nullptr;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top-down, like the decoded rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  const unsigned backR = GetRValue(background), backG = GetGValue(background),
                 backB = GetBValue(background);
  auto* out = static_cast<uint8_t*>(bits);
  const uint8_t* in = picture.pixels.data();
  const size_t count = static_cast<size_t>(picture.width) * picture.height;
  for (size_t i = 0; i < count; ++i, in += 4, out += 4) {
    const unsigned alpha = in[3];
    auto blend = [alpha](unsigned over, unsigned under) {
      return static_cast<uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
    };
    out[0] = blend(in[2], backB);
    out[1] = blend(in[1], backG);
    out[2] = blend(in[0], backR);
    out[3] = 0;
  }
  GdiFlush();
  return bitmap;
}

void DrawScaledBitmap(HDC dc, const RECT& target, HBITMAP bitmap) {
  BITMAP shape{};
  if (!bitmap || !GetObjectA(bitmap, sizeof shape, &shape)) return;
  const platform::UniqueMemoryDc source(CreateCompatibleDC(dc));
  if (!source) return;
  const platform::DcSelection selection(source.Get(), bitmap);
  int oldMode = SetStretchBltMode(dc, HALFTONE);
  POINT oldOrigin;
  SetBrushOrgEx(dc, 0, 0, &oldOrigin);
  StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
             source.Get(), 0, 0, shape.bmWidth, shape.bmHeight, SRCCOPY);
  SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  SetStretchBltMode(dc, oldMode);
}

}  // namespace app

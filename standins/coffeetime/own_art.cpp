#include "standins/coffeetime/own_art.h"

#include <string>
#include <vector>

#include "imaging/bmp_encoder.h"
#include "standins/coffeetime/wide_files.h"
#include "standins/image_format/bios_image.h"

namespace standin {

namespace {

constexpr int kCellWidth = 118;
constexpr int kCellHeight = 26;
constexpr COLORREF kCellFill = RGB(255, 236, 150);
constexpr COLORREF kCellText = RGB(0, 40, 150);

// `text` centred in a filled cell, in a bold fixed-pitch face of its own size.
void DrawCell(HDC dc, int x, int y, const std::string& text) {
  RECT cell{x, y, x + kCellWidth, y + kCellHeight};
  HBRUSH fill = CreateSolidBrush(kCellFill);
  FillRect(dc, &cell, fill);
  DeleteObject(fill);
  HFONT font = CreateFontW(-18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                           FIXED_PITCH | FF_MODERN, L"Courier New");
  HGDIOBJ oldFont = SelectObject(dc, font);
  const COLORREF oldColour = SetTextColor(dc, kCellText);
  const int oldMode = SetBkMode(dc, TRANSPARENT);  // the same on any surface
  DrawTextA(dc, text.c_str(), int(text.size()), &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColour);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

// One cell drawn on a 32-bit surface of its own size, as 24-bit colour.
template <typename Draw>
imaging::ColourImage CellPicture(Draw draw) {
  imaging::ColourImage picture{kCellWidth, kCellHeight, {}};
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kCellWidth, kCellHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP surface = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc == nullptr || surface == nullptr || bits == nullptr) {
    if (surface) DeleteObject(surface);
    if (dc) DeleteDC(dc);
    return picture;
  }
  HGDIOBJ old = SelectObject(dc, surface);
  draw(dc);
  GdiFlush();
  picture.pixels.assign(static_cast<size_t>(picture.stride() * kCellHeight), 0);
  const auto* from = static_cast<const uint8_t*>(bits);
  for (int y = 0; y < kCellHeight; ++y) {
    for (int x = 0; x < kCellWidth; ++x) {
      for (int c = 0; c < 3; ++c) {
        picture.pixels[y * picture.stride() + 3 * x + c] = from[(y * kCellWidth + x) * 4 + c];
      }
    }
  }
  SelectObject(dc, old);
  DeleteObject(surface);
  DeleteDC(dc);
  return picture;
}

bool WritePicture(const std::u16string& path, const imaging::ColourImage& picture) {
  if (picture.pixels.empty()) return false;
  const std::string file = imaging::EncodeBmp24(picture);
  return WriteWholeFile(path, std::vector<uint8_t>(file.begin(), file.end())) == FileStatus::kOk;
}

}  // namespace

bool WriteOwnArtLabels(const std::u16string& folder) {
  constexpr uint32_t kFormCpuids[] = {0x506E1, 0x506E3, 0x506E8, 0x906E9, 0x906EA,
                                      0x906EB, 0x906EC, 0x906ED, 0x506E0};
  bool written = true;
  for (uint32_t cpuid : kFormCpuids) {
    const std::string name = CpuidText(cpuid);
    const auto picture = CellPicture([cpuid](HDC dc) { DrawOwnCpuidCell(dc, 0, 0, cpuid); });
    written = WritePicture(folder + u"\\" + std::u16string(name.begin(), name.end()) + u".bmp",
                           picture) && written;
  }
  const auto me = CellPicture([](HDC dc) { DrawOwnMeState(dc, 0, 0, true); });
  return WritePicture(folder + u"\\ME.bmp", me) && written;
}

void DrawOwnCpuidCell(HDC dc, int x, int y, uint32_t cpuid) { DrawCell(dc, x, y, CpuidText(cpuid)); }

void DrawOwnMeState(HDC dc, int x, int y, bool enabled) {
  DrawCell(dc, x, y, enabled ? "Enabled" : "Disabled");
}

}  // namespace standin

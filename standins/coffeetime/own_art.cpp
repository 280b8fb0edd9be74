#include "standins/coffeetime/own_art.h"

#include <string>

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
  DrawTextA(dc, text.c_str(), int(text.size()), &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SetTextColor(dc, oldColour);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

}  // namespace

void DrawOwnCpuidCell(HDC dc, int x, int y, uint32_t cpuid) { DrawCell(dc, x, y, CpuidText(cpuid)); }

void DrawOwnMeState(HDC dc, int x, int y, bool enabled) {
  DrawCell(dc, x, y, enabled ? "Enabled" : "Disabled");
}

}  // namespace standin

#include "app/win32/control_painting.h"

#include <string>

#include "app/win32/picture_bitmap.h"

namespace app {

HBRUSH FormBackgroundBrush() { return GetSysColorBrush(COLOR_BTNFACE); }

void PaintParentBackground(HWND child, HDC dc) {
  RECT own;
  GetClientRect(child, &own);
  FillRect(dc, &own, FormBackgroundBrush());
  HWND parent = GetParent(child);
  if (!parent || (GetWindowLongA(child, GWL_STYLE) & WS_CHILD) == 0) return;
  // Containers draw their lines (group frame and caption, outline) on request; shift the
  // device context so that the parent's drawing lands where it shows behind this child.
  POINT origin{0, 0};
  MapWindowPoints(child, parent, &origin, 1);
  POINT oldOrigin;
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, &oldOrigin);
  SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void DrawLabel(const DRAWITEMSTRUCT& item, const ControlSpec& spec, HFONT font) {
  HDC dc = item.hDC;
  const int saved = SaveDC(dc);
  PaintParentBackground(item.hwndItem, dc);
  std::string text(static_cast<size_t>(GetWindowTextLengthA(item.hwndItem)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(item.hwndItem, text.data(),
                                                 static_cast<int>(text.size()))));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(spec.colour.r, spec.colour.g, spec.colour.b));
  if (font) SelectObject(dc, font);
  RECT box = item.rcItem;
  UINT format = DT_LEFT | DT_NOPREFIX;
  format |= spec.kind == ControlKind::kWrapLabel ? (DT_TOP | DT_WORDBREAK)
                                                 : (DT_VCENTER | DT_SINGLELINE);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
  RestoreDC(dc, saved);
}

void DrawPictureBox(const DRAWITEMSTRUCT& item, HBITMAP picture) {
  FillRect(item.hDC, &item.rcItem, FormBackgroundBrush());
  if (picture) DrawScaledBitmap(item.hDC, item.rcItem, picture);
}

void PaintFrame(HWND frame, HDC dc) {
  RECT box;
  GetClientRect(frame, &box);
  FillRect(dc, &box, FormBackgroundBrush());
  FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace app

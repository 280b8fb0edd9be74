#pragma once
// Painting of the controls the main window draws itself: transparent labels, scaled pictures
// and the plain frame.
#include <windows.h>

#include "app/control_table.h"

namespace app {

// The form's background colour (button face) as a brush owned by the system.
HBRUSH FormBackgroundBrush();

// Paints what lies behind `child` in its parent into `dc` (the child's own device context):
// the button-face ground plus whatever lines the parent draws there.
void PaintParentBackground(HWND child, HDC dc);

// A label: its text in its colour and font over the parent's background; one-line labels are
// centred vertically, wrapping labels start at the top.
void DrawLabel(const DRAWITEMSTRUCT& item, const ControlSpec& spec, HFONT font);

// A picture box: button-face ground, then the picture (if any) stretched over the whole box.
void DrawPictureBox(const DRAWITEMSTRUCT& item, HBITMAP picture);

// The frame: button-face fill with a one-pixel solid black outline.
void PaintFrame(HWND frame, HDC dc);

}  // namespace app

#pragma once
// Turning decoded pictures into GDI bitmaps and drawing them scaled.
#include <windows.h>

#include "app/picture_decoding.h"

namespace app {

// A 32-bit top-down DIB section with the picture composited over `background` (the picture
// box's own colour shows through transparent pixels). The caller deletes it. Null on failure.
HBITMAP CreatePictureBitmap(const RgbaPicture& picture, COLORREF background);

// Stretches the whole bitmap over `target` (no aspect-ratio correction).
void DrawScaledBitmap(HDC dc, const RECT& target, HBITMAP bitmap);

}  // namespace app

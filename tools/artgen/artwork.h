#pragma once
// The program's three pictures, drawn from geometry.
#include "canvas.h"

namespace artgen {

Canvas DrawBanner();         // 976 x 195, transparent rounded corners
Canvas DrawRefreshSymbol();  // 512 x 512, grey: two chasing circular arrows
Canvas DrawIcon();           // 64 x 64, a chip with pins on a transparent ground

}  // namespace artgen

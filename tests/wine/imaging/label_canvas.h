#pragma once
// A window that paints label pictures at fixed client points, each pixel's colour moved a
// little inside its reduction cell (as a real program's drawing differs slightly from the
// stored picture). Used in the test's own process and by the separate host program.
#include <windows.h>

#include <string_view>
#include <vector>

namespace canvas {

struct Placement {
  std::string_view bmp;  // the label picture
  int left, top;         // client point of its top-left pixel
};

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 400;
constexpr const char* kHostTitle = "BmtLabelCanvasHost";

const std::vector<Placement>& Placements();

// The centre FindImage reports for a placement: w/2 right of its left edge, h/2 rows up
// from its bottom row.
POINT ExpectedCentre(const Placement& placement);

// A captioned window whose client area is kClientWidth x kClientHeight, at screen (x, y).
// `blank`: paint the background only.
HWND CreateCanvasWindow(int x, int y, const char* title, bool blank = false);

// How often the window was asked to render itself into another context (WM_PRINTCLIENT).
int PrintRequests(HWND window);

// Dispatches this thread's messages for `milliseconds`.
void PumpFor(DWORD milliseconds);

}  // namespace canvas

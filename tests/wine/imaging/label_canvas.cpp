#include "label_canvas.h"

#include <memory>

#include "imaging/bmp_decoder.h"
#include "imaging/colour_reduction.h"
#include "imaging/label_templates.h"

namespace canvas {
namespace {

constexpr char kClassName[] = "BmtLabelCanvas";
constexpr COLORREF kBackground = RGB(92, 148, 100);

struct PaintedPicture {
  imaging::ColourImage image;  // jittered copy of the label
  int left, top;
};

struct CanvasState {
  std::vector<PaintedPicture> pictures;
  bool blank = false;
  int printRequests = 0;
};

imaging::ColourImage Jittered(const imaging::ColourImage& image) {
  imaging::ColourImage out = image;
  for (int32_t y = 0; y < out.height; ++y) {
    for (int32_t x = 0; x < out.width; ++x) {
      uint8_t* p = &out.pixels[static_cast<size_t>(out.stride() * y + x * 3)];
      const int d = (x * 7 + y * 13) % 7 - 3;
      const imaging::Rgb moved = imaging::JitterWithinCell({p[2], p[1], p[0]}, d, -d, d / 2);
      p[0] = moved.blue, p[1] = moved.green, p[2] = moved.red;
    }
  }
  return out;
}

void Paint(HWND window, HDC dc) {
  auto* state = reinterpret_cast<CanvasState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  RECT client{0, 0, kClientWidth, kClientHeight};
  HBRUSH brush = CreateSolidBrush(kBackground);
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  if (state == nullptr || state->blank) return;
  for (const PaintedPicture& picture : state->pictures) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.image.width;
    info.bmiHeader.biHeight = picture.image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, picture.left, picture.top, picture.image.width, picture.image.height, 0, 0,
                      0, picture.image.height, picture.image.pixels.data(), &info, DIB_RGB_COLORS);
  }
}

LRESULT CALLBACK CanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      Paint(window, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: {
      auto* state = reinterpret_cast<CanvasState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      if (state != nullptr) ++state->printRequests;
      Paint(window, reinterpret_cast<HDC>(wParam));
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_NCDESTROY: {
      delete reinterpret_cast<CanvasState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterCanvasClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA cls{};
  cls.lpfnWndProc = CanvasProc;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
  cls.lpszClassName = kClassName;
  RegisterClassA(&cls);
  registered = true;
}

}  // namespace

const std::vector<Placement>& Placements() {
  const auto& labels = imaging::MicrocodeLabels();
  static const std::vector<Placement> placements = {
      {labels[0].primary, 20, 20},    // 506E1, 51 x 24
      {labels[5].fallback, 200, 60},  // 906EB, 66 x 21
      {labels[8].primary, 300, 150},  // 506E0, 74 x 24
      {imaging::MeEnabledLabel(), 40, 300},
      {labels[3].fallback, 500, 320},  // 906E9, 51 x 21
  };
  return placements;
}

POINT ExpectedCentre(const Placement& placement) {
  const auto image = imaging::DecodeBmp(placement.bmp);
  const int bottom = placement.top + image->height - 1;
  return POINT{placement.left + image->width / 2, bottom - image->height / 2};
}

HWND CreateCanvasWindow(int x, int y, const char* title, bool blank) {
  RegisterCanvasClass();
  auto state = std::make_unique<CanvasState>();
  state->blank = blank;
  for (const Placement& placement : Placements()) {
    state->pictures.push_back({Jittered(*imaging::DecodeBmp(placement.bmp)), placement.left, placement.top});
  }
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExA(WS_EX_TOPMOST, kClassName, title, style, x, y,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), state.get());
  if (window != nullptr) state.release();  // owned by the window from now on
  return window;
}

int PrintRequests(HWND window) {
  auto* state = reinterpret_cast<CanvasState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return state == nullptr ? 0 : state->printRequests;
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

}  // namespace canvas

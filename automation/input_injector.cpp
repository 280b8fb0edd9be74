#include "automation/input_injector.h"

#include <cstring>
#include <vector>

#include "automation/gbk_text.h"
#include "platform/api_values.h"

namespace automation {

namespace {

using namespace platform;

constexpr int32_t kOmittedCoordinate = 2;
constexpr uint32_t kWheelForwardParam = 0x00780010;   // +120 in the high word
constexpr uint32_t kWheelBackwardParam = 0xFF880010;  // -120 in the high word
constexpr uint32_t kDialogFrameExStyle = 0x10101;     // DLGMODALFRAME | WINDOWEDGE | CONTROLPARENT

struct ButtonMessages {
  uint32_t down, downWParam, up, upWParam, doubleClick;
};

// Left, right, middle: what each click kind posts.
constexpr ButtonMessages kButtons[] = {
    {kWmLButtonDown, 1, kWmLButtonUp, 0, kWmLButtonDblClk},
    {kWmRButtonDown, 2, kWmRButtonUp, 2, kWmRButtonDblClk},
    {kWmMButtonDown, 16, kWmMButtonUp, 0, kWmMButtonDblClk},
};

uint32_t ScreenLParam(WindowApi& api, Hwnd window, int32_t x, int32_t y) {
  Point p{x, y};
  api.ClientToScreen(window, &p);
  return (static_cast<uint32_t>(p.x) & 0xFFFF) | (static_cast<uint32_t>(p.y) << 16);
}

// The virtual key whose scan code a typed character carries.
uint32_t VirtualKeyOfCharacter(uint32_t code) {
  switch (code) {
    case 0x3A: case 0x3B: return 186;
    case 0x2B: return 187;
    case 0x2C: return 188;
    case 0x2D: return 189;
    case 0x2E: return 190;
    case 0x2F: case 0x3F: return 191;
    case 0x60: case 0x7E: return 192;
    default: return (code >= 0x61 && code <= 0x7A) ? code - 32 : code;
  }
}

}  // namespace

uint32_t ClickLParam(int32_t x, int32_t y) {
  return static_cast<uint32_t>(x) + static_cast<uint32_t>(y) * 65536u;
}

uint32_t KeyMessageParam(uint16_t repeat, uint8_t scanCode, bool extended, bool context,
                         bool previous, bool transition) {
  return static_cast<uint32_t>(repeat) | (static_cast<uint32_t>(scanCode) << 16) |
         (extended ? 1u << 24 : 0) | (context ? 1u << 29 : 0) | (previous ? 1u << 30 : 0) |
         (transition ? 1u << 31 : 0);
}

void PostClick(WindowApi& api, Hwnd window, std::optional<int32_t> x, std::optional<int32_t> y,
               int button, int kind) {
  if (window == 0) window = api.GetDesktopWindow();
  const int32_t cx = x.value_or(kOmittedCoordinate);
  const int32_t cy = y.value_or(kOmittedCoordinate);
  const uint32_t lParam = ClickLParam(cx, cy);

  if (button == kWheelForward || button == kWheelBackward) {
    api.PostMessageA(window, kWmMouseWheel,
                     button == kWheelForward ? kWheelForwardParam : kWheelBackwardParam,
                     ScreenLParam(api, window, cx, cy));
    return;
  }
  api.PostMessageA(window, kWmMouseMove, 2, lParam);
  const int index = (button == 0 || button == kLeft) ? 0 : button == kRight ? 1
                    : button == kMiddle                 ? 2
                                                        : -1;
  if (index < 0) return;
  const ButtonMessages& m = kButtons[index];
  const int k = kind == 0 ? kClick : kind;
  if (k == kClick || k == kDoubleClick || k == kPressOnly) {
    api.PostMessageA(window, m.down, m.downWParam, lParam);
  }
  if (k == kClick || k == kDoubleClick || k == kReleaseOnly) {
    api.PostMessageA(window, m.up, m.upWParam, lParam);
  }
  if (k == kDoubleClick) api.PostMessageA(window, m.doubleClick, 0, lParam);
  if (index == 1) {
    api.PostMessageA(window, kWmContextMenu, window, ScreenLParam(api, window, cx, cy));
  }
}

void TypeText(Platform& platform, Hwnd window, std::string_view text) {
  const std::u16string units = ToUtf16(platform.system, text, true);
  for (char16_t unit : units) {
    PostKey(platform.windows, window, static_cast<uint16_t>(unit), kCharacter, false);
  }
}

void PostKey(WindowApi& api, Hwnd window, uint32_t code, int action, bool system) {
  if (action == kKeyPress) {
    PostKey(api, window, code, kKeyDown, system);
    PostKey(api, window, code, kKeyUp, system);
    return;
  }
  if (action == kKeyDown || action == kKeyUp) {
    const auto scan = static_cast<uint8_t>(api.MapVirtualKeyA(code, 0));
    const bool up = action == kKeyUp;
    const uint32_t message = up ? (system ? kWmSysKeyUp : kWmKeyUp)
                                : (system ? kWmSysKeyDown : kWmKeyDown);
    api.PostMessageA(window, message, code, KeyMessageParam(1, scan, system, false, up, up));
    return;
  }
  const auto scan = static_cast<uint8_t>(api.MapVirtualKeyA(VirtualKeyOfCharacter(code), 0));
  api.PostMessageW(window, kWmChar, code, KeyMessageParam(1, scan, system, false, false, false));
}

void PostClose(WindowApi& api, Hwnd window) { api.PostMessageW(window, kWmClose, 0, 0); }

void SetWindowTransparency(WindowApi& api, Hwnd window, uint8_t alpha, uint32_t colorKey,
                           bool clickThrough) {
  if (clickThrough) {
    const auto exStyle = static_cast<uint32_t>(api.GetWindowLongA(window, kGwlExStyle));
    api.SetWindowLongA(window, kGwlExStyle,
                       static_cast<int32_t>(exStyle | kWsExTransparent | kWsExLayered));
  } else {
    api.SetWindowLongA(window, kGwlExStyle, static_cast<int32_t>(kWsExLayered));
  }
  const uint32_t flags = colorKey == 0 ? kLwaAlpha : alpha == 0 ? kLwaColorKey
                                                                : kLwaAlpha | kLwaColorKey;
  api.SetLayeredWindowAttributes(window, colorKey, alpha, flags);
}

void SetWindowShowState(WindowApi& api, Hwnd window, int command) {
  api.ShowWindowAsync(window, command);
}

void StripWindowIcon(WindowApi& api, Hwnd window) {
  api.SetWindowLongA(window, kGwlExStyle, static_cast<int32_t>(kDialogFrameExStyle));
  api.SendMessageA(window, kWmSetIcon, 1, 0);
  api.SendMessageA(window, kWmSetIcon, 0, 0);
}

}  // namespace automation

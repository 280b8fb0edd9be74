#pragma once
// Posting synthetic clicks and typed text straight into another program's window queue (the
// real pointer and the foreground window are left alone), and changing how that window looks.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace automation {

using platform::Hwnd;

enum MouseButton : int { kLeft = 1, kRight = 2, kMiddle = 3, kWheelForward = 4, kWheelBackward = 5 };
enum ClickKind : int { kClick = 1, kDoubleClick = 2, kPressOnly = 3, kReleaseOnly = 4 };
enum KeyAction : int { kCharacter = 0, kKeyDown = 3, kKeyUp = 4, kKeyPress = 5 };

// x + y * 65536 modulo 2^32.
uint32_t ClickLParam(int32_t x, int32_t y);

uint32_t KeyMessageParam(uint16_t repeat, uint8_t scanCode, bool extended, bool context,
                         bool previous, bool transition);

// Window 0 means the desktop window; an omitted coordinate is 2. Button 0 and kind 0 mean
// left and click.
void PostClick(platform::WindowApi& api, Hwnd window, std::optional<int32_t> x = {},
               std::optional<int32_t> y = {}, int button = 0, int kind = 0);

// One WM_CHAR per UTF-16 unit of the GBK text; no key-down or key-up messages.
void TypeText(platform::Platform& platform, Hwnd window, std::string_view text);

void PostKey(platform::WindowApi& api, Hwnd window, uint32_t code, int action, bool system);

void PostClose(platform::WindowApi& api, Hwnd window);

// Makes the window layered. Without click-through the extended style becomes WS_EX_LAYERED
// alone.
void SetWindowTransparency(platform::WindowApi& api, Hwnd window, uint8_t alpha,
                           uint32_t colorKey = 0, bool clickThrough = false);

void SetWindowShowState(platform::WindowApi& api, Hwnd window, int command);

// Dialog frame as the whole extended style, and both icons removed.
void StripWindowIcon(platform::WindowApi& api, Hwnd window);

}  // namespace automation

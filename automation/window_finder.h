#pragma once
// Finding other programs' windows and asking simple questions about them. Each operation is
// one call (or a fixed pair) to the window manager: no retries, no waiting, no caching.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/window_api.h"

namespace automation {

using platform::Hwnd;

struct WindowBounds {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const WindowBounds&) const = default;
};

// First window under `parent` (0: top-level windows) after `after` (0: from the first) whose
// whole class name and whole title match; an empty text matches any. 0 when none.
Hwnd LocateWindow(platform::WindowApi& api, Hwnd parent = 0, Hwnd after = 0,
                  std::string_view className = {}, std::string_view title = {});

// Style bits, 0 when the query fails.
uint32_t WindowStyleOf(platform::WindowApi& api, Hwnd window);

// Outer rectangle in screen pixels; all zeros when the window does not exist.
WindowBounds WindowBoundsOf(platform::WindowApi& api, Hwnd window);

// True when the window's thread processed a null message within 128 ms.
bool IsWindowResponding(platform::WindowApi& api, Hwnd window);

// Empty when the window is not there.
std::string ClassNameOf(platform::WindowApi& api, Hwnd window);

bool IsLiveWindow(platform::WindowApi& api, Hwnd window);

}  // namespace automation

#pragma once
// Pictures of the test screen for the record, written as PNG into the output folder.
#include <windows.h>

#include <string>

namespace e2e {

// The whole screen, or the screen area of `window` when given, as <out>/<name>.png.
bool SaveScreenshot(const std::wstring& name, HWND window = nullptr);

}  // namespace e2e

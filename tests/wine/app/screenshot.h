#pragma once
// Saves what the screen shows of a window as a PNG file.
#include <windows.h>

#include <string>

namespace apptest {

// False when the capture or the file failed.
bool SaveWindowScreenshot(HWND window, const std::string& pngPath);

}  // namespace apptest

#pragma once
// The page viewer control: hosts the platform's web-browser control where it can be created;
// elsewhere it is a plain zero-size window that remembers the address it was given, and the
// notice board reads the page through a document source of its own.
#include <windows.h>

#include <string>

namespace app {

HWND CreatePageViewer(HWND parent, int x, int y, int width, int height, int controlId);
// url: GBK text. Loads that page.
void NavigatePageViewer(HWND viewer, const std::string& url);

}  // namespace app

#pragma once
// Documents of the platform's browser engine, taken from its rendering window.
#include <memory>

#include "automation/browser_document.h"

namespace automation {

// Asks the rendering window for its document ("WM_HTML_GETOBJECT", answered within 1000 ms)
// and wraps it; null when the window does not answer or the answer is not a document.
// COM must be initialised on the calling thread.
std::unique_ptr<PageDocument> EngineDocumentOfWindow(Hwnd server);

}  // namespace automation

#include "automation/browser_document.h"

#include "automation/window_finder.h"

namespace automation {

Hwnd FindBrowserServerWindow(platform::WindowApi& api, Hwnd parent) {
  Hwnd child = LocateWindow(api, parent, 0);
  while (child != 0) {
    // Byte-exact and case-sensitive: the engine's class name is fixed.
    if (ClassNameOf(api, child) == kBrowserServerClass) return child;
    const Hwnd found = FindBrowserServerWindow(api, child);
    if (found != 0) return found;
    child = LocateWindow(api, parent, child);
    api.ProcessPendingMessages();
  }
  return 0;
}

BrowserDocumentBinding::BrowserDocumentBinding(platform::WindowApi& api,
                                               std::unique_ptr<DocumentSource> source)
    : api_(api), source_(std::move(source)) {}

// The document is released before the source, which may own the engine's runtime.
BrowserDocumentBinding::~BrowserDocumentBinding() { document_.reset(); }

bool BrowserDocumentBinding::AttachToWindow(Hwnd window) {
  if (!IsLiveWindow(api_, window)) return false;
  window_ = window;
  DocumentFromWindow(window_, document_);
  return document_ != nullptr;
}

Hwnd BrowserDocumentBinding::FindBrowserServerWindow(Hwnd parent) {
  return automation::FindBrowserServerWindow(api_, parent);
}

bool BrowserDocumentBinding::DocumentFromWindow(Hwnd window,
                                                std::unique_ptr<PageDocument>& cell) {
  if (!source_) return false;
  std::unique_ptr<PageDocument> document;
  if (ClassNameOf(api_, window) == kBrowserServerClass) {
    document = source_->FromRenderingWindow(window);
  } else if (const Hwnd server = FindBrowserServerWindow(window); server != 0) {
    document = source_->FromRenderingWindow(server);
  } else {
    document = source_->FromViewerWindow(window);
  }
  if (!document) return false;
  cell = std::move(document);
  return true;
}

}  // namespace automation

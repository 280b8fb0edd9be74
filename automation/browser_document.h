#pragma once
// Access to the document of the page shown in a web-browser control, from the control's
// window handle alone. With the browser engine present the document comes from the engine's
// rendering window ("Internet Explorer_Server"); without it, a source of the program's own
// may supply one for the page the viewer shows.
#include <memory>
#include <string>
#include <string_view>

#include "platform/window_api.h"

namespace automation {

using platform::Hwnd;

inline constexpr std::string_view kBrowserServerClass = "Internet Explorer_Server";

enum class ElementField { kClassName, kInnerText, kName, kId, kTitle, kInnerHtml };

// A loaded page, read element by element. Texts are GBK.
class PageDocument {
 public:
  virtual ~PageDocument() = default;
  // Number of elements of `tag` (any case) inside the page's body.
  virtual int ElementCount(std::string_view tag) = 0;
  // One field of the element at 0-based `index` among them; empty when out of range.
  virtual std::string ElementText(std::string_view tag, int index, ElementField field) = 0;
};

// Where documents come from; the Win32 build supplies the engine's and the program's own.
class DocumentSource {
 public:
  virtual ~DocumentSource() = default;
  // The document held by the engine's rendering window; null when it cannot be had.
  virtual std::unique_ptr<PageDocument> FromRenderingWindow(Hwnd server) = 0;
  // For a viewer window that has no rendering window: the document of the page it shows
  // when the program itself can supply it, else null.
  virtual std::unique_ptr<PageDocument> FromViewerWindow(Hwnd viewer) = 0;
};

// Depth-first, pre-order search below `parent` in z-order for the first window whose class
// is exactly kBrowserServerClass; 0 when none. Dispatches the calling thread's pending
// messages after each sibling.
Hwnd FindBrowserServerWindow(platform::WindowApi& api, Hwnd parent);

class BrowserDocumentBinding {
 public:
  BrowserDocumentBinding(platform::WindowApi& api, std::unique_ptr<DocumentSource> source);
  virtual ~BrowserDocumentBinding();
  BrowserDocumentBinding(const BrowserDocumentBinding&) = delete;
  BrowserDocumentBinding& operator=(const BrowserDocumentBinding&) = delete;

  // True when a document is held afterwards. A dead window changes nothing and gives false.
  bool AttachToWindow(Hwnd window);
  virtual Hwnd FindBrowserServerWindow(Hwnd parent);
  // Puts the document of `window` (or of the rendering window below it) into `cell`.
  // True when obtained; on failure the cell keeps what it held.
  virtual bool DocumentFromWindow(Hwnd window, std::unique_ptr<PageDocument>& cell);

  PageDocument* Document() { return document_.get(); }
  Hwnd Window() const { return window_; }

 private:
  platform::WindowApi& api_;
  std::unique_ptr<DocumentSource> source_;
  std::unique_ptr<PageDocument> document_;
  Hwnd window_ = 0;
};

}  // namespace automation

#pragma once
// The documents the notice board reads: the browser engine's where it is present, else the
// local page file that the program's own viewer window shows.
#include <memory>
#include <optional>
#include <string>

#include "automation/browser_document.h"

namespace app {

// Window class of the viewer used where no browser engine can be hosted. Its window text
// (UTF-16) is the address it was pointed at.
inline constexpr wchar_t kOwnViewerClass[] = L"BmtPageViewer";

// True when `window` is the program's own viewer.
bool IsOwnViewer(platform::Hwnd window);

class PageDocumentSource final : public automation::DocumentSource {
 public:
  PageDocumentSource();   // initialises COM for the calling thread
  ~PageDocumentSource() override;  // uninitialises it
  PageDocumentSource(const PageDocumentSource&) = delete;
  PageDocumentSource& operator=(const PageDocumentSource&) = delete;

  std::unique_ptr<automation::PageDocument> FromRenderingWindow(platform::Hwnd server) override;
  std::unique_ptr<automation::PageDocument> FromViewerWindow(platform::Hwnd viewer) override;

 private:
  bool comInitialised_ = false;
};

// A page file's bytes as GBK text, whatever its encoding (see DetectPageEncoding).
std::string PageTextAsGbk(std::string_view bytes);

}  // namespace app

#pragma once
// Test doubles for the notice board: a document source serving a page held by the test (the
// form is the shared recording fake, tests/fakes/fake_form.h).
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/browser_document.h"
#include "app/notice/html_page_document.h"
#include "workflow/form.h"

namespace notice_test {

// What the served page is; shared between the test and the source the binding owns.
struct ServedPage {
  std::optional<std::string> viewerPage;     // page of the program's own viewer
  std::optional<std::string> renderedPage;   // page behind a rendering window
  std::vector<platform::Hwnd> renderingAsked;
  std::vector<platform::Hwnd> viewerAsked;
};

class ServingSource final : public automation::DocumentSource {
 public:
  explicit ServingSource(ServedPage& page) : page_(page) {}
  std::unique_ptr<automation::PageDocument> FromRenderingWindow(platform::Hwnd server) override {
    page_.renderingAsked.push_back(server);
    if (!page_.renderedPage) return nullptr;
    return std::make_unique<app::HtmlPageDocument>(*page_.renderedPage);
  }
  std::unique_ptr<automation::PageDocument> FromViewerWindow(platform::Hwnd viewer) override {
    page_.viewerAsked.push_back(viewer);
    if (!page_.viewerPage) return nullptr;
    return std::make_unique<app::HtmlPageDocument>(*page_.viewerPage);
  }

 private:
  ServedPage& page_;
};

}  // namespace notice_test

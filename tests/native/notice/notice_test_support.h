#pragma once
// Test doubles for the notice board: a form that records what the steps do to its controls,
// and a document source serving a page held by the test.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/browser_document.h"
#include "automation/html_page_document.h"
#include "workflow/form.h"

namespace notice_test {

class RecordingForm final : public workflow::Form {
 public:
  std::map<std::string, std::string, std::less<>> texts;
  std::map<std::string, int, std::less<>> intervals;
  std::map<std::string, platform::Hwnd, std::less<>> handles;
  std::vector<std::string> log;  // "operation control" in call order
  std::string navigatedTo;

  void SetDisabled(std::string_view, bool) override {}
  bool IsChecked(std::string_view) override { return false; }
  void SetCaption(std::string_view, const std::string&) override {}
  std::string GetText(std::string_view c) override {
    auto it = texts.find(c);
    return it == texts.end() ? std::string() : it->second;
  }
  void SetText(std::string_view c, const std::string& text) override {
    texts[std::string(c)] = text;
    log.push_back("SetText " + std::string(c));
  }
  void AppendText(std::string_view, const std::string&) override {}
  void SetPicture(std::string_view, std::string_view) override {}
  void SetInterval(std::string_view c, int ms) override {
    intervals[std::string(c)] = ms;
    log.push_back("SetInterval " + std::string(c));
  }
  void Navigate(std::string_view c, const std::string& url) override {
    navigatedTo = url;
    log.push_back("Navigate " + std::string(c));
  }
  platform::Hwnd NativeHandle(std::string_view c) override {
    auto it = handles.find(c);
    return it == handles.end() ? 0 : it->second;
  }
  void ClearRows(std::string_view) override {}
  int AppendRow(std::string_view, const std::string&) override { return 0; }
  void SetCell(std::string_view, int, int, const std::string&) override {}
  void SetTitle(const std::string&) override {}
  int Left() override { return 0; }
  int Top() override { return 0; }
  int Width() override { return 0; }
  int Height() override { return 0; }
  void SetLeft(int) override {}
  void SetTop(int) override {}
  void SetWidth(int) override {}
  void SetHeight(int) override {}
};

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
    return std::make_unique<automation::HtmlPageDocument>(*page_.renderedPage);
  }
  std::unique_ptr<automation::PageDocument> FromViewerWindow(platform::Hwnd viewer) override {
    page_.viewerAsked.push_back(viewer);
    if (!page_.viewerPage) return nullptr;
    return std::make_unique<automation::HtmlPageDocument>(*page_.viewerPage);
  }

 private:
  ServedPage& page_;
};

}  // namespace notice_test

#pragma once
// A page document read by the program's own HTML reader, for viewers without a browser engine.
#include <map>
#include <string>
#include <vector>

#include "app/notice/html_reader.h"
#include "automation/browser_document.h"

namespace app {

class HtmlPageDocument final : public automation::PageDocument {
 public:
  explicit HtmlPageDocument(std::string html);  // GBK bytes

  int ElementCount(std::string_view tag) override;
  std::string ElementText(std::string_view tag, int index, automation::ElementField field) override;

 private:
  const std::vector<size_t>& ElementsOfTag(std::string_view tag);

  HtmlDocument document_;
  std::map<std::string, std::vector<size_t>> byTag_;  // upper-case tag -> body elements
};

}  // namespace app

#include "app/notice/html_page_document.h"

namespace app {

HtmlPageDocument::HtmlPageDocument(std::string html) : document_(ReadHtml(std::move(html))) {}

const std::vector<size_t>& HtmlPageDocument::ElementsOfTag(std::string_view tag) {
  std::string key(tag);
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  auto found = byTag_.find(key);
  if (found != byTag_.end()) return found->second;
  std::vector<size_t>& indices = byTag_[key];
  for (size_t i = 0; i < document_.elements.size(); ++i) {
    const HtmlElement& e = document_.elements[i];
    if (e.inBody && e.tag == key) indices.push_back(i);
  }
  return indices;
}

int HtmlPageDocument::ElementCount(std::string_view tag) {
  return static_cast<int>(ElementsOfTag(tag).size());
}

std::string HtmlPageDocument::ElementText(std::string_view tag, int index, automation::ElementField field) {
  const std::vector<size_t>& indices = ElementsOfTag(tag);
  if (index < 0 || static_cast<size_t>(index) >= indices.size()) return {};
  const HtmlElement& e = document_.elements[indices[index]];
  switch (field) {
    case automation::ElementField::kClassName: return AttributeOf(e, "class");
    case automation::ElementField::kInnerText: return InnerTextOf(document_, e);
    case automation::ElementField::kName: return AttributeOf(e, "name");
    case automation::ElementField::kId: return AttributeOf(e, "id");
    case automation::ElementField::kTitle: return AttributeOf(e, "title");
    case automation::ElementField::kInnerHtml: return InnerHtmlOf(document_, e);
  }
  return {};
}

}  // namespace app

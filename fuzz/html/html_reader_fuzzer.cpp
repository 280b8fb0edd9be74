// Arbitrary bytes as a notice page: reading, selecting and cutting must neither crash nor
// step outside the page, and every inner HTML must be a piece of the page.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/notice/notice_address.h"
#include "app/notice/notice_texts.h"
#include "app/notice/page_charset.h"
#include "app/notice/html_page_document.h"
#include "app/notice/html_reader.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string page(reinterpret_cast<const char*>(data), size);

  const app::HtmlDocument doc = app::ReadHtml(page);
  for (const app::HtmlElement& e : doc.elements) {
    Require(e.innerBegin <= e.innerEnd && e.innerEnd <= doc.source.size());
    Require(!e.tag.empty());
    const std::string inner = app::InnerHtmlOf(doc, e);
    Require(doc.source.compare(e.innerBegin, inner.size(), inner) == 0);
    const std::string text = app::InnerTextOf(doc, e);
    Require(text.empty() || (text.front() != ' ' && text.back() != ' '));
    app::AttributeOf(e, "class");
  }

  app::HtmlPageDocument document(page);
  for (const char* tag : {"SPAN", "DIV", "span"}) {
    for (const char* id : {"8", "34", "1", "x", ""}) {
      const std::string html = app::ReadElementHtml(&document, tag, id);
      Require(html.size() <= page.size());
      app::OnlineCountCaption(html);
      app::NoticeText(html);
    }
  }
  const app::PageEncoding encoding = app::DetectPageEncoding(page);
  Require(encoding.bomBytes <= page.size());
  const auto path = app::LocalPathOfAddress(page);
  Require(!path || path->size() <= page.size() + 2);
  return 0;
}

#pragma once
// A small, forgiving HTML reader for pages the program shows but did not write: it finds the
// elements, their attributes and the byte range of their inner HTML. It never fails; broken
// markup gives fewer or shorter elements. Works on bytes, so GBK and UTF-8 pages read alike
// (no trail byte of either encoding is one of the markup characters < > " ' = / &).
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace app {

struct HtmlElement {
  std::string tag;  // upper case, as the document object model names tags
  std::vector<std::pair<std::string, std::string>> attributes;  // lower-case name, decoded value
  size_t innerBegin = 0;  // inner HTML: bytes [innerBegin, innerEnd) of the source
  size_t innerEnd = 0;
  bool inBody = false;    // inside <body>, or the page has no <body> element at all
};

struct HtmlDocument {
  std::string source;
  std::vector<HtmlElement> elements;  // document order (order of their start tags)
};

// Inputs larger than this are cut before reading; a notice page is a few kilobytes.
inline constexpr size_t kMaxHtmlBytes = 4 * 1024 * 1024;

HtmlDocument ReadHtml(std::string source);

// Value of an attribute (name compared without case); empty when absent.
std::string AttributeOf(const HtmlElement& element, std::string_view name);
std::string InnerHtmlOf(const HtmlDocument& document, const HtmlElement& element);
// The element's text as shown: tags dropped, script and style content skipped, the common
// character references decoded, white space runs collapsed to one space and trimmed.
std::string InnerTextOf(const HtmlDocument& document, const HtmlElement& element);
// Decodes &amp; &lt; &gt; &quot; &apos; &nbsp; and ASCII numeric references; others stay.
std::string DecodeCharacterReferences(std::string_view text);

}  // namespace app

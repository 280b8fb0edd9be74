#include "app/notice/html_reader.h"

#include <algorithm>
#include <array>

namespace app {
namespace {

// Elements that never have content.
constexpr std::array<std::string_view, 16> kVoidTags = {
    "AREA", "BASE", "BR", "COL", "EMBED", "HR", "IMG", "INPUT", "KEYGEN", "LINK", "META",
    "PARAM", "SOURCE", "TRACK", "WBR", "BASEFONT"};
// Elements whose content is text up to their own end tag, whatever it looks like.
constexpr std::array<std::string_view, 6> kRawTextTags = {"SCRIPT", "STYLE",     "TEXTAREA",
                                                          "TITLE",  "XMP",       "NOSCRIPT"};

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }
char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char ToLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool Contains(const auto& list, std::string_view tag) {
  return std::find(list.begin(), list.end(), tag) != list.end();
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (ToLower(a[i]) != ToLower(b[i])) return false;
  }
  return true;
}

// Position of `needle` (ASCII) at or after `from`, ignoring ASCII case; npos when absent.
size_t FindNoCase(std::string_view text, std::string_view needle, size_t from) {
  if (needle.empty() || text.size() < needle.size()) return std::string_view::npos;
  for (size_t i = from; i + needle.size() <= text.size(); ++i) {
    if (EqualsNoCase(text.substr(i, needle.size()), needle)) return i;
  }
  return std::string_view::npos;
}

// Reads a tag name starting at `pos`; returns it upper-cased and moves `pos` past it.
std::string ReadTagName(std::string_view s, size_t& pos) {
  std::string name;
  while (pos < s.size() && !IsSpace(s[pos]) && s[pos] != '>' && s[pos] != '/') {
    name.push_back(ToUpper(s[pos]));
    ++pos;
  }
  return name;
}

struct StartTag {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
  size_t end = 0;  // index just past '>'
};

// Reads the attributes of a start tag from `pos` (just after its name) up to its '>'.
// Returns false when the tag never closes.
bool ReadAttributes(std::string_view s, size_t pos, StartTag& tag) {
  const size_t n = s.size();
  while (true) {
    while (pos < n && (IsSpace(s[pos]) || s[pos] == '/')) ++pos;
    if (pos >= n) return false;
    if (s[pos] == '>') {
      tag.end = pos + 1;
      return true;
    }
    std::string name;
    name.push_back(ToLower(s[pos++]));  // a lone '=' or quote starts a name, as browsers do
    while (pos < n && !IsSpace(s[pos]) && s[pos] != '=' && s[pos] != '>' && s[pos] != '/') {
      name.push_back(ToLower(s[pos++]));
    }
    while (pos < n && IsSpace(s[pos])) ++pos;
    std::string value;
    if (pos < n && s[pos] == '=') {
      ++pos;
      while (pos < n && IsSpace(s[pos])) ++pos;
      if (pos < n && (s[pos] == '"' || s[pos] == '\'')) {
        const char quote = s[pos++];
        const size_t close = s.find(quote, pos);
        if (close == std::string_view::npos) return false;
        value = DecodeCharacterReferences(s.substr(pos, close - pos));
        pos = close + 1;
      } else {
        const size_t start = pos;
        while (pos < n && !IsSpace(s[pos]) && s[pos] != '>') ++pos;
        value = DecodeCharacterReferences(s.substr(start, pos - start));
      }
    }
    tag.attributes.emplace_back(std::move(name), std::move(value));
  }
}

// Index just past the '>' that ends a markup construct starting at `pos`, or the end.
size_t SkipPast(std::string_view s, size_t pos, std::string_view terminator) {
  const size_t at = s.find(terminator, pos);
  return at == std::string_view::npos ? s.size() : at + terminator.size();
}

}  // namespace

std::string DecodeCharacterReferences(std::string_view text) {
  static constexpr std::array<std::pair<std::string_view, char>, 6> kNamed = {{
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '}}};
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '&') {
      out.push_back(text[i++]);
      continue;
    }
    const size_t semi = text.find(';', i + 1);
    if (semi == std::string_view::npos || semi - i > 10) {
      out.push_back(text[i++]);
      continue;
    }
    const std::string_view body = text.substr(i + 1, semi - i - 1);
    int decoded = -1;
    for (const auto& [name, c] : kNamed) {
      if (body == name) decoded = static_cast<unsigned char>(c);
    }
    if (decoded < 0 && body.size() >= 2 && body[0] == '#') {
      const bool hex = body[1] == 'x' || body[1] == 'X';
      const std::string_view digits = body.substr(hex ? 2 : 1);
      int value = digits.empty() ? -1 : 0;
      for (char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        if (d < 0 || value > 0xFFFF) {
          value = -1;
          break;
        }
        value = value * (hex ? 16 : 10) + d;
      }
      // Only ASCII is decoded: other characters would need the page's code page.
      if (value > 0 && value < 0x80) decoded = value;
    }
    if (decoded < 0) {
      out.push_back(text[i++]);
      continue;
    }
    out.push_back(static_cast<char>(decoded));
    i = semi + 1;
  }
  return out;
}

HtmlDocument ReadHtml(std::string source) {
  if (source.size() > kMaxHtmlBytes) source.resize(kMaxHtmlBytes);
  HtmlDocument doc;
  doc.source = std::move(source);
  const std::string_view s = doc.source;
  const size_t n = s.size();
  std::vector<size_t> open;  // indices of elements still open, innermost last
  int openBodies = 0;
  bool sawBody = false;

  auto closeDownTo = [&](size_t depth, size_t at) {
    while (open.size() > depth) {
      HtmlElement& e = doc.elements[open.back()];
      e.innerEnd = at;
      if (e.tag == "BODY") --openBodies;
      open.pop_back();
    }
  };

  size_t pos = 0;
  while (pos < n) {
    const size_t lt = s.find('<', pos);
    if (lt == std::string_view::npos || lt + 1 >= n) break;
    const char next = s[lt + 1];
    if (s.substr(lt, 4) == "<!--") {
      pos = SkipPast(s, lt + 4, "-->");
    } else if (next == '!' || next == '?') {
      pos = SkipPast(s, lt + 2, ">");
    } else if (next == '/') {
      size_t p = lt + 2;
      const std::string name = ReadTagName(s, p);
      pos = SkipPast(s, p, ">");
      for (size_t depth = open.size(); depth > 0; --depth) {
        if (doc.elements[open[depth - 1]].tag == name) {
          closeDownTo(depth - 1, lt);
          break;
        }
      }
    } else if (IsAsciiLetter(next)) {
      StartTag tag;
      size_t p = lt + 1;
      tag.name = ReadTagName(s, p);
      if (!ReadAttributes(s, p, tag)) break;  // a tag cut off at the end: the rest is text
      HtmlElement element;
      element.tag = tag.name;
      element.attributes = std::move(tag.attributes);
      element.innerBegin = element.innerEnd = tag.end;
      element.inBody = openBodies > 0;
      pos = tag.end;
      const size_t index = doc.elements.size();
      if (Contains(kRawTextTags, element.tag)) {
        const size_t close = FindNoCase(s, "</" + element.tag, tag.end);
        element.innerEnd = close == std::string_view::npos ? n : close;
        pos = close == std::string_view::npos ? n : SkipPast(s, close, ">");
        doc.elements.push_back(std::move(element));
      } else if (Contains(kVoidTags, element.tag)) {
        doc.elements.push_back(std::move(element));
      } else {
        if (element.tag == "BODY") {
          ++openBodies;
          sawBody = true;
        }
        doc.elements.push_back(std::move(element));
        open.push_back(index);
      }
    } else {
      pos = lt + 1;  // a '<' that starts no markup is text
    }
  }
  closeDownTo(0, n);
  if (!sawBody) {
    for (HtmlElement& e : doc.elements) e.inBody = true;
  }
  return doc;
}

std::string AttributeOf(const HtmlElement& element, std::string_view name) {
  for (const auto& [key, value] : element.attributes) {
    if (EqualsNoCase(key, name)) return value;  // the first one counts, as in browsers
  }
  return {};
}

std::string InnerHtmlOf(const HtmlDocument& document, const HtmlElement& element) {
  if (element.innerBegin >= element.innerEnd || element.innerEnd > document.source.size()) {
    return {};
  }
  return document.source.substr(element.innerBegin, element.innerEnd - element.innerBegin);
}

std::string InnerTextOf(const HtmlDocument& document, const HtmlElement& element) {
  const std::string html = InnerHtmlOf(document, element);
  const std::string_view s = html;
  std::string raw;
  size_t pos = 0;
  while (pos < s.size()) {
    const size_t lt = s.find('<', pos);
    raw.append(s.substr(pos, lt == std::string_view::npos ? std::string_view::npos : lt - pos));
    if (lt == std::string_view::npos || lt + 1 >= s.size()) {
      if (lt != std::string_view::npos) raw.push_back('<');
      break;
    }
    const char next = s[lt + 1];
    if (s.substr(lt, 4) == "<!--") {
      pos = SkipPast(s, lt + 4, "-->");
    } else if (next == '!' || next == '?' || next == '/') {
      pos = SkipPast(s, lt + 2, ">");
    } else if (IsAsciiLetter(next)) {
      size_t p = lt + 1;
      const std::string name = ReadTagName(s, p);
      StartTag tag;
      if (!ReadAttributes(s, p, tag)) break;
      pos = tag.end;
      if (name == "SCRIPT" || name == "STYLE") {
        const size_t close = FindNoCase(s, "</" + name, pos);
        pos = close == std::string_view::npos ? s.size() : SkipPast(s, close, ">");
      } else if (name == "BR" || name == "P" || name == "DIV") {
        raw.push_back(' ');
      }
    } else {
      raw.push_back('<');
      pos = lt + 1;
    }
  }
  const std::string decoded = DecodeCharacterReferences(raw);
  std::string out;
  bool pendingSpace = false;
  for (char c : decoded) {
    if (IsSpace(c)) {
      pendingSpace = !out.empty();
      continue;
    }
    if (pendingSpace) out.push_back(' ');
    pendingSpace = false;
    out.push_back(c);
  }
  return out;
}

}  // namespace app

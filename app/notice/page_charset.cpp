#include "app/notice/page_charset.h"

#include <string>

namespace app {
namespace {

constexpr size_t kHeadBytes = 4096;  // the charset declaration must come early in a page

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The charset a "charset=" in the page's head names, lower case; empty when none.
std::string DeclaredCharset(std::string_view page) {
  const std::string head = LowerAscii(page.substr(0, kHeadBytes));
  const size_t at = head.find("charset=");
  if (at == std::string::npos) return {};
  size_t pos = at + 8;
  while (pos < head.size() && (head[pos] == '"' || head[pos] == '\'' || head[pos] == ' ')) ++pos;
  std::string name;
  while (pos < head.size()) {
    const char c = head[pos++];
    const bool nameChar = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '_';
    if (!nameChar) break;
    name.push_back(c);
  }
  return name;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t extra = 0;
    unsigned int minimum = 0, value = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1, minimum = 0x80, value = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2, minimum = 0x800, value = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3, minimum = 0x10000, value = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= text.size()) return false;
    for (size_t k = 1; k <= extra; ++k) {
      const unsigned char t = static_cast<unsigned char>(text[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      value = (value << 6) | (t & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

PageEncoding DetectPageEncoding(std::string_view page) {
  if (page.substr(0, 3) == "\xEF\xBB\xBF") return {PageCharset::kUtf8, 3};
  const std::string declared = DeclaredCharset(page);
  if (declared == "utf-8" || declared == "utf8") return {PageCharset::kUtf8, 0};
  if (declared == "gbk" || declared == "gb2312" || declared == "gb18030" || declared == "cp936" ||
      declared == "x-gbk") {
    return {PageCharset::kGbk, 0};
  }
  bool nonAscii = false;
  for (char c : page) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      nonAscii = true;
      break;
    }
  }
  return {nonAscii && IsValidUtf8(page) ? PageCharset::kUtf8 : PageCharset::kGbk, 0};
}

}  // namespace app

#include "automation/gbk_text.h"

namespace automation {

namespace {

unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

// True when `needle` matches `text` at `pos`, comparing character by character.
bool MatchesAt(std::string_view text, size_t pos, std::string_view needle, bool caseInsensitive) {
  if (text.size() - pos < needle.size()) return false;
  for (size_t j = 0; j < needle.size();) {
    auto a = static_cast<unsigned char>(text[pos + j]);
    auto b = static_cast<unsigned char>(needle[j]);
    if (IsGbkLeadByte(b) && j + 1 < needle.size()) {
      if (a != b || text[pos + j + 1] != needle[j + 1]) return false;
      j += 2;
      continue;
    }
    if (caseInsensitive ? FoldAscii(a) != FoldAscii(b) : a != b) return false;
    ++j;
  }
  return true;
}

}  // namespace

size_t GbkCharLength(std::string_view text, size_t pos) {
  if (pos + 1 < text.size() && IsGbkLeadByte(static_cast<unsigned char>(text[pos]))) return 2;
  return 1;
}

size_t FindGbk(std::string_view text, std::string_view needle, size_t from,
               bool caseInsensitive) {
  if (needle.empty()) return std::string_view::npos;
  for (size_t i = from; i < text.size(); i += GbkCharLength(text, i)) {
    if (MatchesAt(text, i, needle, caseInsensitive)) return i;
  }
  return std::string_view::npos;
}

size_t FindLastGbkChar(std::string_view text, char c) {
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) {
    if (text[i] == c && GbkCharLength(text, i) == 1) last = i;
  }
  return last;
}

}  // namespace automation

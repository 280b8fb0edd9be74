#include "automation/gbk_text.h"

#include <cstring>

#include "platform/api_values.h"

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

std::u16string ToUtf16(platform::SystemApi& system, std::string_view text, bool dropTerminator) {
  std::string terminated(text);
  terminated.push_back('\0');
  if (std::strlen(terminated.c_str()) == 0) return {};
  const int units =
      system.MultiByteToWideChar(platform::kCodePageGbk, 0, terminated.c_str(), -1, nullptr, 0);
  if (units <= 0) return {};
  std::u16string out(static_cast<size_t>(units), u'\0');
  const int written = system.MultiByteToWideChar(platform::kCodePageGbk, 0, terminated.c_str(),
                                                 -1, out.data(), units);
  if (written <= 0) return {};
  out.resize(static_cast<size_t>(written));
  if (dropTerminator) out.resize(out.find(u'\0') == std::u16string::npos ? out.size() : out.find(u'\0'));
  return out;
}

std::string ToGbk(platform::SystemApi& system, std::u16string_view text) {
  const std::u16string units(text.substr(0, text.find(u'\0')));
  if (units.empty()) return {};
  const int length = static_cast<int>(units.size());
  const int bytes =
      system.WideCharToMultiByte(platform::kCodePageGbk, units.data(), length, nullptr, 0);
  if (bytes <= 0) return {};
  std::string out(static_cast<size_t>(bytes), '\0');
  const int written = system.WideCharToMultiByte(platform::kCodePageGbk, units.data(), length,
                                                 out.data(), bytes);
  if (written <= 0) return {};
  out.resize(static_cast<size_t>(written));
  return out;
}

}  // namespace automation

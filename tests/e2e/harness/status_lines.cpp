#include "tests/e2e/harness/status_lines.h"

#include <cwctype>

namespace e2e {

namespace {

// A number of one or two digits without a leading zero at `pos`, up to `limit`.
std::optional<int> StampNumber(const std::wstring& line, size_t& pos, int limit) {
  size_t digits = 0;
  while (pos + digits < line.size() && digits < 3 && std::iswdigit(line[pos + digits])) ++digits;
  if (digits == 0 || digits > 2 || (digits == 2 && line[pos] == L'0')) return std::nullopt;
  const int value = std::stoi(line.substr(pos, digits));
  if (value > limit) return std::nullopt;
  pos += digits;
  return value;
}

}  // namespace

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
}

std::optional<StampedLine> ParseStampedLine(const std::wstring& line, wchar_t separator) {
  size_t pos = 0;
  const std::optional<int> hour = StampNumber(line, pos, 23);
  if (!hour || pos >= line.size() || line[pos] != separator) return std::nullopt;
  ++pos;
  const std::optional<int> minute = StampNumber(line, pos, 59);
  if (!minute) return std::nullopt;
  return StampedLine{*hour, *minute, line.substr(pos)};
}

std::vector<std::wstring> MessagesFrom(const std::vector<std::wstring>& lines, size_t first) {
  std::vector<std::wstring> messages;
  for (size_t i = first; i < lines.size(); ++i) {
    const std::optional<StampedLine> stamped = ParseStampedLine(lines[i]);
    messages.push_back(stamped ? stamped->message : L"!" + lines[i]);
  }
  return messages;
}

}  // namespace e2e

#pragma once
// The tool's status box, line by line. Its lines start with a time stamp: hour, a separator
// (":" or "_"), minute, both in decimal without leading zeros.
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The text cut at each "\r\n"; a text that ends with "\r\n" gives a last, empty line.
std::vector<std::wstring> SplitLines(const std::wstring& text);

struct StampedLine {
  int hour = 0;
  int minute = 0;
  std::wstring message;  // what follows the stamp
};

// The stamp and message of a line, nullopt when it does not start with a well-formed stamp
// (a leading zero, an hour above 23 or a minute above 59 included).
std::optional<StampedLine> ParseStampedLine(const std::wstring& line, wchar_t separator = L':');

// The messages of the lines from `first` on, stamps removed; a line without a stamp is kept
// whole, prefixed with "!" so that it never equals an expected message.
std::vector<std::wstring> MessagesFrom(const std::vector<std::wstring>& lines, size_t first);

}  // namespace e2e

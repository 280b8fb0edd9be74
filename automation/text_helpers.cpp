#include "automation/text_helpers.h"

#include <algorithm>

#include "automation/gbk_text.h"

namespace automation {

namespace {

constexpr std::string_view kQuoteWord = "#引号";

std::string WithQuotes(std::string_view marker) {
  std::string out;
  size_t copied = 0;
  for (size_t at = FindGbk(marker, kQuoteWord, 0); at != std::string_view::npos;
       at = FindGbk(marker, kQuoteWord, copied)) {
    out.append(marker.substr(copied, at - copied));
    out.push_back('"');
    copied = at + kQuoteWord.size();
  }
  out.append(marker.substr(copied));
  return out;
}

std::string ReplaceOne(const std::string& text, const ReplacePair& pair,
                       const ReplaceOptions& options, size_t from) {
  if (pair.search.empty() || text.empty() || from >= text.size()) return text;
  std::string out(text, 0, from);
  size_t copied = from;
  int done = 0;
  for (size_t at = FindGbk(text, pair.search, from, !options.caseSensitive);
       at != std::string::npos && (options.maxPerPair < 0 || done < options.maxPerPair);
       at = FindGbk(text, pair.search, copied, !options.caseSensitive)) {
    out.append(text, copied, at - copied);
    out.append(pair.replacement);
    copied = at + pair.search.size();
    ++done;
  }
  out.append(text, copied, std::string::npos);
  return out;
}

}  // namespace

std::string TextBetween(std::string_view text, std::string_view startMarker,
                        std::string_view endMarker, int startPosition, bool caseInsensitive) {
  const std::string start = WithQuotes(startMarker);
  const std::string end = WithQuotes(endMarker);
  size_t from = static_cast<size_t>(std::max(startPosition, 1) - 1);
  size_t p1 = FindGbk(text, start, from, caseInsensitive);
  if (p1 == std::string_view::npos) return {};
  size_t begin = p1 + start.size();
  size_t p2 = FindGbk(text, end, begin, caseInsensitive);
  if (p2 == std::string_view::npos) return {};
  return std::string(text.substr(begin, p2 - begin));
}

std::string ReplaceMany(std::string_view text, std::initializer_list<ReplacePair> pairs,
                        ReplaceOptions options) {
  std::string current(text);
  size_t from = static_cast<size_t>(std::max(options.startPosition, 1) - 1);
  int applied = 0;
  for (const ReplacePair& pair : pairs) {
    if (++applied > 5) break;
    current = ReplaceOne(current, pair, options, from);
  }
  return current;
}

}  // namespace automation

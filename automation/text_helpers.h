#pragma once
// Cutting and replacing within GBK texts that the system did not write itself (page HTML,
// file paths). Positions are 1-based byte positions.
#include <initializer_list>
#include <string>
#include <string_view>

namespace automation {

// What lies between the first `startMarker` found from `startPosition` and the first
// `endMarker` after it; empty when either is missing. In both markers "#引号" stands for a
// double quote.
std::string TextBetween(std::string_view text, std::string_view startMarker,
                        std::string_view endMarker, int startPosition = 1,
                        bool caseInsensitive = false);

struct ReplacePair {
  std::string_view search;
  std::string_view replacement;
};

struct ReplaceOptions {
  int maxPerPair = -1;        // below 0: every occurrence
  int startPosition = 0;      // 0 or 1: from the start
  bool caseSensitive = true;  // false: ASCII letters compare without case
};

// Applies up to five pairs one after the other, each to the result of the previous one.
std::string ReplaceMany(std::string_view text, std::initializer_list<ReplacePair> pairs,
                        ReplaceOptions options = {});

}  // namespace automation

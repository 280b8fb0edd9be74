#pragma once
// The one conversion between the program's GBK texts (code page 936) and UTF-16 for the wide
// Win32 calls and COM strings. Each gives an empty text when there is nothing to convert or the
// conversion fails.
#include <string>
#include <string_view>

namespace platform {

// Text in the given code page (936 for the program's own texts, 65001 for a UTF-8 page).
std::wstring WideOfCodePage(unsigned codePage, std::string_view text);

inline std::wstring WideOfGbk(std::string_view gbk) { return WideOfCodePage(936, gbk); }

std::string GbkOfWide(std::wstring_view wide);

}  // namespace platform

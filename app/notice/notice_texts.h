#pragma once
// What the notice board takes from the page: which element it reads, and the pieces it cuts
// out of that element's inner HTML.
#include <string>
#include <string_view>

#include "automation/browser_document.h"

namespace app {

inline constexpr std::string_view kCountTag = "SPAN";
inline constexpr std::string_view kCountElement = "8";
inline constexpr std::string_view kNoticeTag = "DIV";
inline constexpr std::string_view kNoticeElement = "34";
inline constexpr std::string_view kNoticeStart = "公告内容-";
inline constexpr std::string_view kNoticeEnd = "-完了";
inline constexpr std::string_view kCountEnd = "</LABEL";
inline constexpr std::string_view kCountCaptionBefore = "实时在线人数：";
inline constexpr std::string_view kCountCaptionAfter = "人";

// Start marker of the online count: the word yellow, a double quote and '>'.
std::string_view QuoteMarker();

// Numeric value of an identifier as its leading integer reads (spaces and a sign allowed);
// 0 when it does not start with one.
long long IdentifierNumber(std::string_view identifier);

// 0-based index, among the body's elements of `tag`, of the first one whose class name, inner
// text, name, id or title (in that order) equals `identifier`, or whose 1-based position equals
// its numeric value; -1 when none.
int SelectElement(automation::PageDocument& document, std::string_view tag,
                  std::string_view identifier);

// Inner HTML of the selected element; empty when none is selected or there is no document.
std::string ReadElementHtml(automation::PageDocument* document, std::string_view tag,
                            std::string_view identifier);

// "实时在线人数：" + the count cut from the SPAN's inner HTML + "人".
std::string OnlineCountCaption(std::string_view spanHtml);
// The notice cut from the DIV's inner HTML.
std::string NoticeText(std::string_view divHtml);

}  // namespace app

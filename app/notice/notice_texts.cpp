#include "app/notice/notice_texts.h"

#include "automation/text_helpers.h"

namespace app {

std::string_view QuoteMarker() { return "yellow\">"; }

long long IdentifierNumber(std::string_view identifier) {
  size_t i = 0;
  while (i < identifier.size() && (identifier[i] == ' ' || identifier[i] == '\t')) ++i;
  bool negative = false;
  if (i < identifier.size() && (identifier[i] == '+' || identifier[i] == '-')) {
    negative = identifier[i] == '-';
    ++i;
  }
  long long value = 0;
  for (; i < identifier.size() && identifier[i] >= '0' && identifier[i] <= '9'; ++i) {
    if (value < 1000000000000LL) value = value * 10 + (identifier[i] - '0');
  }
  return negative ? -value : value;
}

int SelectElement(automation::PageDocument& document, std::string_view tag,
                  std::string_view identifier) {
  using automation::ElementField;
  static constexpr ElementField kCompared[] = {ElementField::kClassName, ElementField::kInnerText,
                                               ElementField::kName, ElementField::kId,
                                               ElementField::kTitle};
  const long long number = IdentifierNumber(identifier);
  const int count = document.ElementCount(tag);
  for (int index = 0; index < count; ++index) {
    for (ElementField field : kCompared) {
      if (document.ElementText(tag, index, field) == identifier) return index;
    }
    if (index + 1 == number) return index;
  }
  return -1;
}

std::string ReadElementHtml(automation::PageDocument* document, std::string_view tag,
                            std::string_view identifier) {
  if (document == nullptr) return {};
  const int index = SelectElement(*document, tag, identifier);
  if (index < 0) return {};
  return document->ElementText(tag, index, automation::ElementField::kInnerHtml);
}

std::string OnlineCountCaption(std::string_view spanHtml) {
  std::string caption(kCountCaptionBefore);
  caption += automation::TextBetween(spanHtml, QuoteMarker(), kCountEnd);
  caption += kCountCaptionAfter;
  return caption;
}

std::string NoticeText(std::string_view divHtml) {
  return automation::TextBetween(divHtml, kNoticeStart, kNoticeEnd);
}

}  // namespace app

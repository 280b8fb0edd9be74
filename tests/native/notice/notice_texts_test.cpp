#include "app/notice/notice_texts.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstdio>

#include "app/notice/html_page_document.h"

namespace app {
namespace {

using app::HtmlPageDocument;

std::string Utf8ToGbk(const std::string& utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string in = utf8, out(utf8.size() * 2 + 16, '\0');
  char* src = in.data();
  char* dst = out.data();
  size_t srcLeft = in.size(), dstLeft = out.size();
  const size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1)) return {};
  out.resize(out.size() - dstLeft);
  return out;
}

// `count` spans; the one at 1-based `mark` carries the text "target".
std::string Spans(int count, int mark, const std::string& extraAttributes = {}) {
  std::string html = "<body>";
  for (int i = 1; i <= count; ++i) {
    html += "<span" + (i == mark ? extraAttributes : std::string()) + ">" +
            (i == mark ? "target" : "s" + std::to_string(i)) + "</span>";
  }
  return html + "</body>";
}

std::string Selected(const std::string& html, std::string_view tag, std::string_view id) {
  HtmlPageDocument doc(html);
  return ReadElementHtml(&doc, tag, id);
}

TEST(ElementSelection, TheNumberPicksTheElementAtThatPosition) {
  EXPECT_EQ(Selected(Spans(10, 8), "SPAN", "8"), "target");
  EXPECT_EQ(Selected(Spans(10, 1), "SPAN", "1"), "target");
  EXPECT_EQ(Selected(Spans(7, 0), "SPAN", "8"), "");  // too few
}

TEST(ElementSelection, AnEarlierElementNamedByTheIdentifierWins) {
  for (const char* attribute : {" id=\"8\"", " class=\"8\"", " name=\"8\"", " title=\"8\""}) {
    EXPECT_EQ(Selected(Spans(10, 3, attribute), "SPAN", "8"), "target") << attribute;
  }
  // Inner text counts too, as shown (markup and surrounding space dropped).
  EXPECT_EQ(Selected("<span>a</span><span> <b>8</b> </span><span>c</span>", "SPAN", "8"),
            " <b>8</b> ");
}

TEST(ElementSelection, MatchesAreExactAndCaseSensitive) {
  EXPECT_EQ(Selected("<span id=\"08\">x</span><span class=\"Notice\">y</span>", "SPAN", "8"), "");
  EXPECT_EQ(Selected("<span class=\"Notice\">y</span>", "SPAN", "notice"), "");
  EXPECT_EQ(Selected("<span class=\"notice\">y</span>", "SPAN", "notice"), "y");
}

TEST(ElementSelection, ALaterNamedElementLosesToTheCount) {
  EXPECT_EQ(Selected(Spans(10, 9, " id=\"8\""), "SPAN", "8"), "s8");
}

TEST(ElementSelection, OnlyTheTagAskedForIsCounted) {
  std::string html = "<body>";
  for (int i = 1; i <= 40; ++i) html += "<div>d" + std::to_string(i) + "<span>s</span></div>";
  html += "</body>";
  EXPECT_EQ(Selected(html, "DIV", "34"), "d34<span>s</span>");
}

TEST(ElementSelection, ElementsOutsideTheBodyAreNotCounted) {
  EXPECT_EQ(Selected("<head><span>h</span></head><body><span>b</span></body>", "SPAN", "1"), "b");
}

TEST(ElementSelection, ANonNumericIdentifierMatchesByTextOnly) {
  EXPECT_EQ(IdentifierNumber("abc"), 0);
  EXPECT_EQ(IdentifierNumber(" 34"), 34);
  EXPECT_EQ(IdentifierNumber("8px"), 8);
  EXPECT_EQ(IdentifierNumber("-2"), -2);
  EXPECT_EQ(Selected(Spans(3, 0), "SPAN", "abc"), "");
  EXPECT_EQ(Selected(Spans(3, 0), "SPAN", "0"), "");
  EXPECT_EQ(Selected(Spans(3, 0), "SPAN", "-1"), "");
}

TEST(ElementSelection, NoDocumentReadsEmpty) {
  EXPECT_EQ(ReadElementHtml(nullptr, "SPAN", "8"), "");
}

TEST(NoticeCuts, QuoteMarkerIsTheWordYellowAQuoteAndGreaterThan) {
  EXPECT_EQ(QuoteMarker(), "yellow\">");
  EXPECT_EQ(QuoteMarker().size(), 8u);
}

TEST(NoticeCuts, TheCountLiesBetweenTheQuoteMarkerAndTheLabelEnd) {
  EXPECT_EQ(OnlineCountCaption("在线 <label class=\"yellow\">17</LABEL>"), "实时在线人数：17人");
  // The end marker is case-sensitive, as the page writes it.
  EXPECT_EQ(OnlineCountCaption("<label class=\"yellow\">17</label>"), "实时在线人数：人");
  EXPECT_EQ(OnlineCountCaption(""), "实时在线人数：人");
}

TEST(NoticeCuts, TheNoticeStartsAfterTheFirstStartMarker) {
  EXPECT_EQ(NoticeText("x公告内容-一公告内容-二-完了三-完了"), "一公告内容-二");
  EXPECT_EQ(NoticeText("-完了公告内容-a"), "");
  EXPECT_EQ(NoticeText("公告内容--完了"), "");
  EXPECT_EQ(NoticeText(""), "");
}

TEST(NoticeCuts, AnEmptyPageGivesAnEmptyNoticeAndABareCount) {
  HtmlPageDocument empty("");
  EXPECT_EQ(NoticeText(ReadElementHtml(&empty, kNoticeTag, kNoticeElement)), "");
  EXPECT_EQ(OnlineCountCaption(ReadElementHtml(&empty, kCountTag, kCountElement)),
            "实时在线人数：人");
}

TEST(NoticeCuts, ThePageShippedWithTheProgramCarriesBothTexts) {
  std::FILE* file = std::fopen(BMT_NOTICE_PAGE, "rb");
  ASSERT_NE(file, nullptr) << BMT_NOTICE_PAGE;
  std::string bytes;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, got);
  std::fclose(file);
  HtmlPageDocument page(Utf8ToGbk(bytes));
  EXPECT_EQ(OnlineCountCaption(ReadElementHtml(&page, kCountTag, kCountElement)),
            "实时在线人数：1人");
  const std::string notice = NoticeText(ReadElementHtml(&page, kNoticeTag, kNoticeElement));
  EXPECT_GT(notice.size(), 10u);
  EXPECT_EQ(notice.find('<'), std::string::npos) << notice;
}

}  // namespace
}  // namespace app

#include "app/notice/html_reader.h"

#include <gtest/gtest.h>

#include "app/notice/html_page_document.h"

namespace app {
namespace {

using automation::ElementField;

std::vector<std::string> Tags(const HtmlDocument& doc) {
  std::vector<std::string> tags;
  for (const HtmlElement& e : doc.elements) tags.push_back(e.tag);
  return tags;
}

TEST(HtmlReader, ElementsComeInDocumentOrderWithTheirInnerHtml) {
  const HtmlDocument doc = ReadHtml("<div a=1><Span>x<b>y</b></span>z</DIV><p>q</p>");
  EXPECT_EQ(Tags(doc), (std::vector<std::string>{"DIV", "SPAN", "B", "P"}));
  EXPECT_EQ(InnerHtmlOf(doc, doc.elements[0]), "<Span>x<b>y</b></span>z");
  EXPECT_EQ(InnerHtmlOf(doc, doc.elements[1]), "x<b>y</b>");
  EXPECT_EQ(InnerHtmlOf(doc, doc.elements[3]), "q");
}

TEST(HtmlReader, AnEndTagClosesTheElementsLeftOpenInsideIt) {
  const HtmlDocument doc = ReadHtml("<div><span>a<i>b</div>after");
  ASSERT_EQ(doc.elements.size(), 3u);
  EXPECT_EQ(InnerHtmlOf(doc, doc.elements[1]), "a<i>b");
  EXPECT_EQ(InnerHtmlOf(doc, doc.elements[2]), "b");
  // A stray end tag with no open element of its name changes nothing.
  const HtmlDocument stray = ReadHtml("<div>a</span>b</div>");
  EXPECT_EQ(InnerHtmlOf(stray, stray.elements[0]), "a</span>b");
}

TEST(HtmlReader, ElementsLeftOpenRunToTheEnd) {
  const HtmlDocument doc = ReadHtml("<div>abc<span>d");
  EXPECT_EQ(InnerHtmlOf(doc, doc.elements[0]), "abc<span>d");
  EXPECT_EQ(InnerHtmlOf(doc, doc.elements[1]), "d");
}

TEST(HtmlReader, CommentsScriptsAndDeclarationsHoldNoElements) {
  const HtmlDocument doc = ReadHtml(
      "<!DOCTYPE html><!-- <span>no</span> --><script>if (a<b) x='<span>';</script>"
      "<?xml x?><span>yes</span>");
  EXPECT_EQ(Tags(doc), (std::vector<std::string>{"SCRIPT", "SPAN"}));
  EXPECT_EQ(InnerHtmlOf(doc, doc.elements[0]), "if (a<b) x='<span>';");
}

TEST(HtmlReader, VoidElementsHaveNoContent) {
  const HtmlDocument doc = ReadHtml("<div>a<br>b<img src=x>c</div>");
  ASSERT_EQ(Tags(doc), (std::vector<std::string>{"DIV", "BR", "IMG"}));
  EXPECT_EQ(InnerHtmlOf(doc, doc.elements[0]), "a<br>b<img src=x>c");
  EXPECT_EQ(InnerHtmlOf(doc, doc.elements[1]), "");
}

TEST(HtmlReader, AttributesAreReadQuotedUnquotedAndDecoded) {
  const HtmlDocument doc = ReadHtml(
      "<span CLASS=\"a b\" id=x1 title='t&amp;&quot;&#65;' name = n data-x checked>s</span>");
  const HtmlElement& e = doc.elements.at(0);
  EXPECT_EQ(AttributeOf(e, "class"), "a b");
  EXPECT_EQ(AttributeOf(e, "ID"), "x1");
  EXPECT_EQ(AttributeOf(e, "title"), "t&\"A");
  EXPECT_EQ(AttributeOf(e, "name"), "n");
  EXPECT_EQ(AttributeOf(e, "missing"), "");
  EXPECT_EQ(InnerHtmlOf(doc, e), "s");
  // The first of a repeated attribute counts; '>' inside quotes does not end the tag.
  const HtmlDocument repeated = ReadHtml("<p id=a id=b title=\"x>y\">t</p>");
  EXPECT_EQ(AttributeOf(repeated.elements.at(0), "id"), "a");
  EXPECT_EQ(AttributeOf(repeated.elements.at(0), "title"), "x>y");
  EXPECT_EQ(InnerHtmlOf(repeated, repeated.elements.at(0)), "t");
}

TEST(HtmlReader, ATagCutOffAtTheEndIsNoElement) {
  EXPECT_TRUE(ReadHtml("<div title=\"never closed>text").elements.empty());
  EXPECT_TRUE(ReadHtml("<span").elements.empty());
  EXPECT_EQ(ReadHtml("<div>a</div><").elements.size(), 1u);
}

TEST(HtmlReader, OnlyElementsInsideTheBodyAreInTheBody) {
  const HtmlDocument doc =
      ReadHtml("<html><head><span>h</span></head><body><span>b</span></body></html>");
  ASSERT_EQ(Tags(doc), (std::vector<std::string>{"HTML", "HEAD", "SPAN", "BODY", "SPAN"}));
  EXPECT_FALSE(doc.elements[2].inBody);
  EXPECT_TRUE(doc.elements[4].inBody);
  // Without a body element the whole page counts as body.
  EXPECT_TRUE(ReadHtml("<span>x</span>").elements[0].inBody);
}

TEST(HtmlReader, InnerTextDropsMarkupDecodesAndCollapsesSpace) {
  const HtmlDocument doc = ReadHtml(
      "<div>\n  8 <b>&lt;x&gt;</b>&nbsp;y<script>var s='z';</script><!-- c -->\t</div>");
  EXPECT_EQ(InnerTextOf(doc, doc.elements[0]), "8 <x> y");
  const HtmlDocument lines = ReadHtml("<div>a<br>b</div>");
  EXPECT_EQ(InnerTextOf(lines, lines.elements[0]), "a b");
}

TEST(HtmlReader, GbkTrailBytesNeverEndATagOrValue) {
  // "公告" in GBK is B9 AB B8 E6; trail bytes can be ASCII letters but never markup.
  const HtmlDocument doc = ReadHtml("<div title=\"\xB9\xAB\xB8\xE6\">\xB9\xAB|</div>");
  ASSERT_EQ(doc.elements.size(), 1u);
  EXPECT_EQ(AttributeOf(doc.elements[0], "title"), "\xB9\xAB\xB8\xE6");
  EXPECT_EQ(InnerHtmlOf(doc, doc.elements[0]), "\xB9\xAB|");
}

TEST(HtmlReader, CharacterReferencesOutsideAsciiStayAsWritten) {
  EXPECT_EQ(DecodeCharacterReferences("&#x4E00;&#0;&bogus;&amp"), "&#x4E00;&#0;&bogus;&amp");
  EXPECT_EQ(DecodeCharacterReferences("&#x41;&#66;&apos;"), "AB'");
}

TEST(HtmlPageDocument, CountsAndReadsOnlyBodyElementsOfTheTag) {
  HtmlPageDocument doc(
      "<head><span>h</span></head><body><SPAN id=a title=t name=n class=c>in</SPAN>"
      "<div><span>2</span></div></body>");
  EXPECT_EQ(doc.ElementCount("span"), 2);
  EXPECT_EQ(doc.ElementCount("SPAN"), 2);
  EXPECT_EQ(doc.ElementText("span", 0, ElementField::kId), "a");
  EXPECT_EQ(doc.ElementText("span", 0, ElementField::kTitle), "t");
  EXPECT_EQ(doc.ElementText("span", 0, ElementField::kName), "n");
  EXPECT_EQ(doc.ElementText("span", 0, ElementField::kClassName), "c");
  EXPECT_EQ(doc.ElementText("span", 1, ElementField::kInnerText), "2");
  EXPECT_EQ(doc.ElementText("span", 2, ElementField::kInnerHtml), "");
  EXPECT_EQ(doc.ElementText("span", -1, ElementField::kInnerHtml), "");
  EXPECT_EQ(doc.ElementCount("label"), 0);
}

}  // namespace
}  // namespace app

#include "automation/text_helpers.h"

#include <gtest/gtest.h>

#include "automation/gbk_text.h"

namespace automation {
namespace {

// "乗" is GBK 0x81 0x5C: its trail byte is a backslash.
const std::string kBackslashTrail = "\x81\x5C";

TEST(TextBetween, CutsBetweenFirstStartAndFirstEndAfterIt) {
  EXPECT_EQ(TextBetween("x公告内容-A公告内容-B-完了C-完了", "公告内容-", "-完了"), "A公告内容-B");
  EXPECT_EQ(TextBetween("<b>end</b> start<b>", "start", "</b>"), "");
  EXPECT_EQ(TextBetween("ab[]cd", "[", "]"), "");
  EXPECT_EQ(TextBetween("abc", "x", "c"), "");
}

TEST(TextBetween, QuoteWordInMarkerStandsForDoubleQuote) {
  const std::string html = "<label class=\"yellow\">17</LABEL>";
  EXPECT_EQ(TextBetween(html, "yellow\">", "</LABEL"), "17");
  EXPECT_EQ(TextBetween(html, "yellow#引号>", "</LABEL"), "17");
}

TEST(TextBetween, StartPositionAndCase) {
  EXPECT_EQ(TextBetween("[a][b]", "[", "]", 2), "b");
  EXPECT_EQ(TextBetween("[a][b]", "[", "]", -5), "a");
  EXPECT_EQ(TextBetween("<DIV>x</div>", "<div>", "</DIV>", 1, true), "x");
  EXPECT_EQ(TextBetween("<DIV>x</div>", "<div>", "</DIV>"), "");
}

TEST(TextBetween, NeverMatchesOnATrailByte) {
  // The marker "\" must not be found inside 乗; only the real backslash counts.
  const std::string text = "A" + kBackslashTrail + "B\\C\\";
  EXPECT_EQ(TextBetween(text, "\\", "\\"), "C");
}

TEST(ReplaceMany, PairsApplyInOrder) {
  EXPECT_EQ(ReplaceMany("aXa", {{"a", "b"}, {"b", "c"}}), "cXc");
  EXPECT_EQ(ReplaceMany("abc", {{"", "z"}}), "abc");
  EXPECT_EQ(ReplaceMany("", {{"a", "z"}}), "");
}

TEST(ReplaceMany, LimitsStartAndCase) {
  EXPECT_EQ(ReplaceMany("aaaa", {{"a", "b"}}, {.maxPerPair = 2}), "bbaa");
  EXPECT_EQ(ReplaceMany("aaaa", {{"a", "b"}}, {.startPosition = 3}), "aabb");
  EXPECT_EQ(ReplaceMany("AbA", {{"a", "x"}}, {.caseSensitive = false}), "xbx");
  EXPECT_EQ(ReplaceMany("AbA", {{"a", "x"}}), "AbA");
}

TEST(ReplaceMany, RemovesADirectoryPrefixWithDoubleByteCharacters) {
  const std::string path = "D:\\新建\\bios.bin";
  const size_t slash = FindLastGbkChar(path, '\\');
  ASSERT_NE(slash, std::string::npos);
  EXPECT_EQ(ReplaceMany(path, {{path.substr(0, slash + 1), ""}}), "bios.bin");
}

TEST(GbkText, LastBackslashSkipsTrailBytes) {
  EXPECT_EQ(FindLastGbkChar("C:\\dir\\" + kBackslashTrail, '\\'), 6u);
  EXPECT_EQ(FindLastGbkChar(kBackslashTrail, '\\'), std::string::npos);
  EXPECT_EQ(FindLastGbkChar("bios.bin", '\\'), std::string::npos);
}

TEST(GbkText, CaseFoldingLeavesDoubleByteCharactersAlone) {
  // 0x81 0x61 is a double-byte character whose trail byte is 'a'; 'A' must not match it.
  EXPECT_EQ(FindGbk("\x81\x61", "\x81\x41", 0, true), std::string::npos);
  EXPECT_EQ(FindGbk("xa", "A", 0, true), 1u);
}

}  // namespace
}  // namespace automation

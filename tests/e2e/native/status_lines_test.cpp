// The status-line reader the scenarios judge the tool by: it must refuse every malformed stamp,
// or a wrong time stamp of the tool would pass unnoticed.
#include "tests/e2e/harness/status_lines.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

TEST(StatusLines, SplitsAtEveryLineEndAndKeepsTheEmptyLastLine) {
  EXPECT_EQ(SplitLines(L"a\r\nb\r\n"), (std::vector<std::wstring>{L"a", L"b", L""}));
  EXPECT_EQ(SplitLines(L"a\nb"), (std::vector<std::wstring>{L"a\nb"}));
  EXPECT_EQ(SplitLines(L""), (std::vector<std::wstring>{L""}));
}

TEST(StatusLines, ReadsStampsWithoutLeadingZeros) {
  const auto early = ParseStampedLine(L"9:5正在关闭ME...");
  ASSERT_TRUE(early);
  EXPECT_EQ(early->hour, 9);
  EXPECT_EQ(early->minute, 5);
  EXPECT_EQ(early->message, L"正在关闭ME...");
  const auto late = ParseStampedLine(L"23:59x");
  ASSERT_TRUE(late);
  EXPECT_EQ(late->hour * 100 + late->minute, 2359);
  const auto midnight = ParseStampedLine(L"0:0  已加入原版BIOS");
  ASSERT_TRUE(midnight);
  EXPECT_EQ(midnight->message, L"  已加入原版BIOS");
}

TEST(StatusLines, RefusesMalformedStamps) {
  for (const wchar_t* line : {L"09:5a", L"9:05a", L"24:1a", L"9:60a", L"123:1a", L":5a", L"9:a",
                              L"9_5a", L"a9:5"}) {
    EXPECT_FALSE(ParseStampedLine(line)) << "accepted a bad stamp";
  }
}

TEST(StatusLines, SavedLineUsesTheUnderscoreSeparator) {
  const auto saved = ParseStampedLine(L"14_7魔改BIOS已保存到D:\\out\\ORVELLAN14_7", L'_');
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->hour, 14);
  EXPECT_EQ(saved->minute, 7);
  EXPECT_FALSE(ParseStampedLine(L"14_7x"));
}

TEST(StatusLines, MessagesMarkLinesWithoutStamp) {
  const std::vector<std::wstring> lines = {L"工作状态：", L"1:2a", L"b", L""};
  EXPECT_EQ(MessagesFrom(lines, 1), (std::vector<std::wstring>{L"a", L"!b", L"!"}));
}

}  // namespace
}  // namespace e2e

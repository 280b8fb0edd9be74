#include "app/notice/notice_address.h"

#include <gtest/gtest.h>

#include "app/notice/page_charset.h"
#include "tests/fakes/fake_desktop.h"

namespace app {
namespace {

TEST(NoticeAddress, IsTheBuiltInAddressElseThePageBesideTheProgram) {
  fake::FakeDesktop desktop;
  desktop.SetProgramDirectory("D:\\工具");
#ifdef BMT_NOTICE_URL
  EXPECT_EQ(NoticePageAddress(desktop), BMT_NOTICE_URL);
#else
  EXPECT_EQ(NoticePageAddress(desktop), "D:\\工具\\notice.html");
#endif
}

TEST(NoticeAddress, FileUrlsAndPlainPathsNameLocalFiles) {
  EXPECT_EQ(LocalPathOfAddress("file:///C:/tool/notice.html"), "C:\\tool\\notice.html");
  EXPECT_EQ(LocalPathOfAddress("FILE:///c:/a%20b/n.html?x=1#top"), "c:\\a b\\n.html");
  EXPECT_EQ(LocalPathOfAddress("file://localhost/C:/n.html"), "C:\\n.html");
  EXPECT_EQ(LocalPathOfAddress("file://server/share/n.html"), "\\\\server\\share\\n.html");
  EXPECT_EQ(LocalPathOfAddress("C:\\tool\\notice.html"), "C:\\tool\\notice.html");
  EXPECT_EQ(LocalPathOfAddress("C:/tool/notice.html"), "C:\\tool\\notice.html");
  EXPECT_EQ(LocalPathOfAddress("\\\\server\\share\\n.html"), "\\\\server\\share\\n.html");
  // Percent escapes are bytes; a broken one stays as written.
  EXPECT_EQ(LocalPathOfAddress("file:///C:/%B9%AB.html"), "C:\\\xB9\xAB.html");
  EXPECT_EQ(LocalPathOfAddress("file:///C:/100%.html"), "C:\\100%.html");
}

TEST(NoticeAddress, OtherAddressesNeedTheBrowserEngine) {
  EXPECT_EQ(LocalPathOfAddress("https://example.com/notice.html"), std::nullopt);
  EXPECT_EQ(LocalPathOfAddress("http://example.com/C:/x"), std::nullopt);
  EXPECT_EQ(LocalPathOfAddress("notice.html"), std::nullopt);
  EXPECT_EQ(LocalPathOfAddress(""), std::nullopt);
  EXPECT_EQ(LocalPathOfAddress("C:"), std::nullopt);
  EXPECT_EQ(LocalPathOfAddress("file:relative.html"), std::nullopt);
}

TEST(PageCharset, TheMarkTheDeclarationOrTheBytesDecide) {
  EXPECT_EQ(DetectPageEncoding("\xEF\xBB\xBF<p>").charset, PageCharset::kUtf8);
  EXPECT_EQ(DetectPageEncoding("\xEF\xBB\xBF<p>").bomBytes, 3u);
  EXPECT_EQ(DetectPageEncoding("<meta charset=\"UTF-8\">").charset, PageCharset::kUtf8);
  // A declared GBK page stays GBK even when its bytes happen to be valid UTF-8.
  EXPECT_EQ(DetectPageEncoding("<meta http-equiv=Content-Type content=\"text/html; "
                               "charset=gb2312\">\xC3\xA9")
                .charset,
            PageCharset::kGbk);
  EXPECT_EQ(DetectPageEncoding("<p>\xE5\x85\xAC\xE5\x91\x8A</p>").charset, PageCharset::kUtf8);
  EXPECT_EQ(DetectPageEncoding("<p>\xB9\xAB\xB8\xE6</p>").charset, PageCharset::kGbk);
  EXPECT_EQ(DetectPageEncoding("<p>ascii</p>").charset, PageCharset::kGbk);
}

TEST(PageCharset, Utf8ValidationRejectsBrokenAndOverlongSequences) {
  EXPECT_TRUE(IsValidUtf8("a\xE5\x85\xAC\xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\xE5\x85"));          // cut off
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xB9\xAB"));          // GBK
}

}  // namespace
}  // namespace app

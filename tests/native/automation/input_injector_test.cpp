#include "automation/input_injector.h"

#include <gtest/gtest.h>

#include "automation/gbk_text.h"
#include "platform/api_values.h"
#include "tests/fakes/fake_desktop.h"

namespace automation {
namespace {

using fake::FakeDesktop;
using fake::PostedMessage;

class InputInjectorTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  platform::Hwnd target = desktop.AddWindow(0, "Qt5152QWindowIcon", "CoffeeTime 0.99");
};

TEST_F(InputInjectorTest, LeftClickPostsMoveDownUpAtOnePoint) {
  PostClick(desktop, target, 520, 560);
  ASSERT_EQ(desktop.posted.size(), 3u);
  const uint32_t messages[] = {0x0200, 0x0201, 0x0202};
  const uint32_t wParams[] = {2, 1, 0};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(desktop.posted[i].window, target);
    EXPECT_EQ(desktop.posted[i].message, messages[i]);
    EXPECT_EQ(desktop.posted[i].wParam, wParams[i]);
    EXPECT_EQ(desktop.posted[i].lParam, 0x02300208u);
    EXPECT_FALSE(desktop.posted[i].unicode);
  }
}

TEST_F(InputInjectorTest, OmittedCoordinatesAreTwoAndWindowZeroIsTheDesktop) {
  PostClick(desktop, 0);
  ASSERT_EQ(desktop.posted.size(), 3u);
  EXPECT_EQ(desktop.posted[0].lParam, 0x00020002u);
  EXPECT_EQ(desktop.posted[0].window, desktop.GetDesktopWindow());
  EXPECT_NE(desktop.posted[0].window, 0u);
}

TEST_F(InputInjectorTest, NegativeXBorrowsFromTheHighWord) {
  EXPECT_EQ(ClickLParam(-1, 1), 0x0000FFFFu);
  EXPECT_EQ(ClickLParam(444, 192), 192u * 65536u + 444u);
}

TEST_F(InputInjectorTest, RightDoubleClickEndsWithContextMenuInScreenCoordinates) {
  desktop.Window(target).rect = {100, 200, 700, 600};
  PostClick(desktop, target, 10, 20, kRight, kDoubleClick);
  ASSERT_EQ(desktop.posted.size(), 5u);
  EXPECT_EQ(desktop.posted[1].message, 0x0204u);
  EXPECT_EQ(desktop.posted[1].wParam, 2u);
  EXPECT_EQ(desktop.posted[3].message, 0x0206u);
  const PostedMessage& menu = desktop.posted[4];
  EXPECT_EQ(menu.message, 0x007Bu);
  EXPECT_EQ(menu.wParam, target);
  // Client origin of a fake top-level window is (left + 8, top + 31).
  EXPECT_EQ(menu.lParam, (200u + 31 + 20) << 16 | (100u + 8 + 10));
}

TEST_F(InputInjectorTest, WheelPostsOnlyTheWheelMessage) {
  PostClick(desktop, target, 0, 0, kWheelBackward);
  ASSERT_EQ(desktop.posted.size(), 1u);
  EXPECT_EQ(desktop.posted[0].message, 0x020Au);
  EXPECT_EQ(desktop.posted[0].wParam, 0xFF880010u);
}

TEST_F(InputInjectorTest, UnknownKindPostsOnlyTheMove) {
  PostClick(desktop, target, 1, 1, kLeft, 9);
  ASSERT_EQ(desktop.posted.size(), 1u);
  EXPECT_EQ(desktop.posted[0].message, 0x0200u);
}

TEST_F(InputInjectorTest, TypedPathPostsOnlyCharacters) {
  TypeText(desktop.AsPlatform(), target, "C:\\a");
  ASSERT_EQ(desktop.posted.size(), 4u);
  const uint32_t expected[] = {0x43, 0x3A, 0x5C, 0x61};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(desktop.posted[i].message, platform::kWmChar);
    EXPECT_EQ(desktop.posted[i].wParam, expected[i]);
    EXPECT_TRUE(desktop.posted[i].unicode);
  }
  // The colon carries the scan code of virtual key 186, the 'a' that of virtual key 65.
  EXPECT_EQ(desktop.posted[1].lParam, KeyMessageParam(1, 0x27, false, false, false, false));
  EXPECT_EQ(desktop.posted[3].lParam, KeyMessageParam(1, 0x1E, false, false, false, false));
}

TEST_F(InputInjectorTest, DoubleByteCharactersBecomeOneUtf16Unit) {
  TypeText(desktop.AsPlatform(), target, "魔");
  ASSERT_EQ(desktop.posted.size(), 1u);
  EXPECT_EQ(desktop.posted[0].wParam, 0x9B54u);
  // A character whose GBK trail byte is 0x5C is one character, not a backslash.
  desktop.posted.clear();
  TypeText(desktop.AsPlatform(), target, "\x81\x5C");
  ASSERT_EQ(desktop.posted.size(), 1u);
  EXPECT_EQ(desktop.posted[0].wParam, 0x4E57u);
}

TEST_F(InputInjectorTest, EmptyTextPostsNothing) {
  TypeText(desktop.AsPlatform(), target, "");
  EXPECT_TRUE(desktop.posted.empty());
  EXPECT_TRUE(ToUtf16(desktop, "", false).empty());
  EXPECT_EQ(ToUtf16(desktop, "ab", false), std::u16string(u"ab\0", 3));
  EXPECT_EQ(ToUtf16(desktop, "ab", true), u"ab");
}

TEST_F(InputInjectorTest, KeyPressIsDownThenUpWithReleaseFlags) {
  PostKey(desktop, target, 'A', kKeyPress, true);
  ASSERT_EQ(desktop.posted.size(), 2u);
  EXPECT_EQ(desktop.posted[0].message, platform::kWmSysKeyDown);
  EXPECT_EQ(desktop.posted[0].lParam, 0x011E0001u);
  EXPECT_EQ(desktop.posted[1].message, platform::kWmSysKeyUp);
  EXPECT_EQ(desktop.posted[1].lParam, 0xC11E0001u);
}

TEST_F(InputInjectorTest, TransparencyReplacesTheExtendedStyle) {
  desktop.Window(target).exStyle = 0x100;
  SetWindowTransparency(desktop, target, 10);
  EXPECT_EQ(desktop.Window(target).exStyle, platform::kWsExLayered);
  EXPECT_EQ(desktop.Window(target).alpha, 10);
  EXPECT_EQ(desktop.Window(target).layeredFlags, platform::kLwaAlpha);
  SetWindowTransparency(desktop, target, 0, 0x00FF00);
  EXPECT_EQ(desktop.Window(target).layeredFlags, platform::kLwaColorKey);
  SetWindowTransparency(desktop, target, 5, 0x00FF00, true);
  EXPECT_EQ(desktop.Window(target).exStyle, platform::kWsExLayered | platform::kWsExTransparent);
  EXPECT_EQ(desktop.Window(target).layeredFlags, platform::kLwaAlpha | platform::kLwaColorKey);
}

TEST_F(InputInjectorTest, StripWindowIconDropsLayeringAndBothIcons) {
  SetWindowTransparency(desktop, target, 2);
  StripWindowIcon(desktop, target);
  EXPECT_EQ(desktop.Window(target).exStyle, 0x10101u);
  ASSERT_EQ(desktop.sent.size(), 2u);
  EXPECT_EQ(desktop.sent[0].message, platform::kWmSetIcon);
  EXPECT_EQ(desktop.sent[0].wParam, 1u);
  EXPECT_EQ(desktop.sent[1].wParam, 0u);
}

TEST_F(InputInjectorTest, CloseIsPostedAsUnicode) {
  PostClose(desktop, target);
  ASSERT_EQ(desktop.posted.size(), 1u);
  EXPECT_EQ(desktop.posted[0].message, platform::kWmClose);
  EXPECT_TRUE(desktop.posted[0].unicode);
}

}  // namespace
}  // namespace automation

#include "automation/window_finder.h"

#include <gtest/gtest.h>

#include "automation/file_access.h"
#include "tests/fakes/fake_desktop.h"

namespace automation {
namespace {

using fake::FakeDesktop;

TEST(WindowFinder, EmptyTextsGoToThePlatformAsAny) {
  FakeDesktop desktop;
  const auto first = desktop.AddWindow(0, "A", "one");
  desktop.AddWindow(0, "B", "two");
  EXPECT_EQ(LocateWindow(desktop), first);
  EXPECT_EQ(LocateWindow(desktop, 0, first), LocateWindow(desktop, 0, 0, "B"));
}

TEST(WindowFinder, TitlesMatchWholeAndParentZeroMeansTopLevelOnly) {
  FakeDesktop desktop;
  const auto loaded = desktop.AddWindow(0, "Qt5152QWindowIcon", "CoffeeTime 0.99  /  bios.bin");
  desktop.AddWindow(loaded, "Qt5152QWindowIcon", "CoffeeTime 0.99");
  EXPECT_EQ(LocateWindow(desktop, 0, 0, "Qt5152QWindowIcon", "CoffeeTime 0.99"), 0u);
  EXPECT_EQ(LocateWindow(desktop, 0, 0, "Qt5152QWindowIcon", "CoffeeTime 0.99  /  bios.bin"),
            loaded);
}

TEST(WindowFinder, StyleAndBoundsReadZeroForNoWindow) {
  FakeDesktop desktop;
  const auto w = desktop.AddWindow(0, "Qt5QWindowIcon", "FIT", {10, 20, 110, 70});
  desktop.Window(w).style = 0x96CF0000;
  EXPECT_EQ(WindowStyleOf(desktop, w), 0x96CF0000u);
  EXPECT_EQ(WindowBoundsOf(desktop, w), (WindowBounds{10, 20, 100, 50}));
  EXPECT_EQ(WindowStyleOf(desktop, 0xDEAD), 0u);
  EXPECT_EQ(WindowBoundsOf(desktop, 0xDEAD), (WindowBounds{0, 0, 0, 0}));
}

TEST(WindowFinder, RespondingProbeCostsAtMost128Ms) {
  FakeDesktop desktop;
  const auto w = desktop.AddWindow(0, "C", "T");
  EXPECT_TRUE(IsWindowResponding(desktop, w));
  desktop.Window(w).responding = false;
  const int64_t before = desktop.NowMs();
  EXPECT_FALSE(IsWindowResponding(desktop, w));
  EXPECT_EQ(desktop.NowMs() - before, 128);
  EXPECT_FALSE(IsWindowResponding(desktop, 0xDEAD));
}

TEST(WindowFinder, ClassNameAndLiveness) {
  FakeDesktop desktop;
  const auto w = desktop.AddWindow(0, "Internet Explorer_Server", "");
  EXPECT_EQ(ClassNameOf(desktop, w), "Internet Explorer_Server");
  EXPECT_EQ(ClassNameOf(desktop, 0xDEAD), "") << "a missing window has no class";
  EXPECT_TRUE(IsLiveWindow(desktop, w));
  desktop.RemoveWindow(w);
  EXPECT_FALSE(IsLiveWindow(desktop, w));
}

TEST(FileExists, FilesYesDirectoriesNoWildcardsByFirstMatch) {
  FakeDesktop desktop;
  desktop.AddFile(u"C:\\tool\\orvellanQZ\\ov.exe");
  desktop.AddFile(u"C:\\tool\\orvellanQZ", 0x10);
  desktop.AddFile(u"C:\\新建\\bios.bin");
  EXPECT_TRUE(FileExists(desktop, "C:\\tool\\orvellanQZ\\ov.exe"));
  EXPECT_FALSE(FileExists(desktop, "C:\\tool\\orvellanQZ"));
  EXPECT_TRUE(FileExists(desktop, "C:\\tool\\orvellanQZ\\*.exe"));
  EXPECT_TRUE(FileExists(desktop, "C:\\新建\\bios.bin"));
  EXPECT_FALSE(FileExists(desktop, "C:\\missing"));
  EXPECT_FALSE(FileExists(desktop, ""));
  EXPECT_EQ(desktop.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace automation

#include "automation/file_dialogs.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_desktop.h"

namespace automation {
namespace {

using fake::FakeDesktop;
using namespace std::string_literals;

TEST(FileDialogs, NativeFilterPieces) {
  EXPECT_EQ(BuildNativeFilter("*BIN"), "*BIN\0\0"s);
  EXPECT_EQ(BuildNativeFilter("所有文件(*.*)|*.*"), "所有文件(*.*)\0*.*\0\0"s);
}

TEST(FileDialogs, SaveDialogRecordAndCapacity) {
  FakeDesktop desktop;
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  const std::string chosen = ShowSaveFileDialog(
      desktop.AsPlatform(), {.owner = 0x42, .initialDir = "C:\\tool",
                             .title = "请选择需要保存路径和名称", .defaultName = "ORVELLAN",
                             .filter = "*BIN"});
  EXPECT_EQ(chosen, "D:\\out\\ORVELLAN");
  ASSERT_EQ(desktop.dialogs.size(), 1u);
  const auto& shown = desktop.dialogs[0];
  EXPECT_TRUE(shown.save);
  EXPECT_EQ(shown.structSize, 76u);
  EXPECT_EQ(shown.owner, 0x42u);
  EXPECT_EQ(shown.filter, "*BIN\0\0"s);
  EXPECT_EQ(shown.maxFile, 504u);
  EXPECT_EQ(shown.initialFile, "ORVELLAN");
  EXPECT_EQ(shown.filterIndex, 1u);
  EXPECT_EQ(shown.maxFileTitle, 512u);
  EXPECT_EQ(shown.initialDir, "C:\\tool");
}

TEST(FileDialogs, OpenDialogDefaultsAndCancelRestoresDirectory) {
  FakeDesktop desktop;
  desktop.SetCurrentDirectory("C:\\start");
  EXPECT_EQ(ShowOpenFileDialog(desktop.AsPlatform(), {.owner = 1}), "");
  ASSERT_EQ(desktop.dialogs.size(), 1u);
  EXPECT_EQ(desktop.dialogs[0].title, "打开文件");
  EXPECT_EQ(desktop.dialogs[0].filter, "所有文件(*.*)\0*.*\0\0"s);
  EXPECT_EQ(desktop.dialogs[0].initialDir, "C:\\start");
  EXPECT_EQ(desktop.dialogs[0].maxFile, 512u);
  EXPECT_EQ(desktop.CurrentDirectory(), "C:\\start");
}

TEST(FileDialogs, KeepDirectoryLeavesTheDialogsChoice) {
  FakeDesktop desktop;
  desktop.SetCurrentDirectory("C:\\start");
  desktop.openDialogAnswers.push_back("C:\\x\\b.bin");
  EXPECT_EQ(ShowOpenFileDialog(desktop.AsPlatform(), {.keepDirectory = true}), "C:\\x\\b.bin");
  EXPECT_NE(desktop.CurrentDirectory(), "C:\\start");
}

TEST(FileDialogs, OverlongDefaultNameIsDroppedNotOverrun) {
  FakeDesktop desktop;
  ShowSaveFileDialog(desktop.AsPlatform(), {.defaultName = std::string(600, 'n')});
  ASSERT_EQ(desktop.dialogs.size(), 1u);
  EXPECT_EQ(desktop.dialogs[0].initialFile, "");
  EXPECT_EQ(desktop.dialogs[0].maxFile, 512u);
}

}  // namespace
}  // namespace automation

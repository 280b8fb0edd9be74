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

// What the user is shown (title, the folder it opens in, the name offered, the filter's pieces,
// over the owner window), and the choice coming back.
TEST(FileDialogs, SaveDialogShowsItsRequestAndGivesTheChoice) {
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
  EXPECT_EQ(shown.owner, 0x42u);
  EXPECT_EQ(shown.title, "请选择需要保存路径和名称");
  EXPECT_EQ(shown.filter, "*BIN\0\0"s);
  EXPECT_EQ(shown.initialFile, "ORVELLAN");
  EXPECT_EQ(shown.initialDir, "C:\\tool");
}

// The answer must fit the 512-byte file buffer, of which the offered name keeps its share.
TEST(FileDialogs, AnAnswerThatDoesNotFitTheBufferIsTooLong) {
  const struct {
    bool save;
    size_t length;
    DialogEnd end;
  } cases[] = {{true, 503, DialogEnd::kChosen}, {true, 504, DialogEnd::kNameTooLong},
               {false, 511, DialogEnd::kChosen}, {false, 512, DialogEnd::kNameTooLong}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.length));
    FakeDesktop desktop;
    const std::string path = "D:\\" + std::string(c.length - 3, 'n');
    (c.save ? desktop.saveDialogAnswers : desktop.openDialogAnswers).push_back(path);
    const DialogAnswer answer = c.save ? AskSaveFile(desktop.AsPlatform(), {.defaultName = "ORVELLAN"})
                                       : AskOpenFile(desktop.AsPlatform(), {});
    EXPECT_EQ(answer.end, c.end);
    EXPECT_EQ(answer.path, c.end == DialogEnd::kChosen ? path : "");
  }
}

TEST(FileDialogs, OpenDialogDefaultsAndCancelRestoresDirectory) {
  FakeDesktop desktop;
  desktop.SetCurrentDirectory("C:\\start");
  EXPECT_EQ(ShowOpenFileDialog(desktop.AsPlatform(), {.owner = 1}), "");
  ASSERT_EQ(desktop.dialogs.size(), 1u);
  EXPECT_EQ(desktop.dialogs[0].title, "打开文件");
  EXPECT_EQ(desktop.dialogs[0].filter, "所有文件(*.*)\0*.*\0\0"s);
  EXPECT_EQ(desktop.dialogs[0].initialDir, "C:\\start");
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
  const std::string path = "D:\\" + std::string(508, 'n');  // 511 bytes: the whole buffer's room
  desktop.saveDialogAnswers.push_back(path);
  const DialogAnswer answer =
      AskSaveFile(desktop.AsPlatform(), {.defaultName = std::string(600, 'n')});
  ASSERT_EQ(desktop.dialogs.size(), 1u);
  EXPECT_EQ(desktop.dialogs[0].initialFile, "");
  EXPECT_EQ(answer.end, DialogEnd::kChosen);
  EXPECT_EQ(answer.path, path);
}

}  // namespace
}  // namespace automation

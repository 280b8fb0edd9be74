#include "automation/win32/console_runner.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace automation {
namespace {

// A file of known content in the temporary directory, removed at the end of the test.
class TempFile {
 public:
  explicit TempFile(const std::string& content) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    path_ = std::string(dir) + "bmt_runner_" + std::to_string(GetCurrentProcessId()) + ".txt";
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    if (f != nullptr) {
      std::fwrite(content.data(), 1, content.size(), f);
      std::fclose(f);
    }
  }
  ~TempFile() { DeleteFileA(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string NumberedLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + " of the output\r\n";
  return text;
}

TEST(ConsoleRunner, OutputLargerThanAPipeBufferComesBackComplete) {
  const std::string content = NumberedLines(12000);  // about 300 KB
  ASSERT_GT(content.size(), 256u * 1024u);
  TempFile file(content);
  int chunks = 0;
  const std::string output = RunConsoleCommand("type \"" + file.path() + "\"",
                                               [&](const char*, intptr_t, intptr_t) {
                                                 ++chunks;
                                                 return 0;
                                               });
  ASSERT_EQ(output.size(), content.size());
  EXPECT_TRUE(output == content);
  EXPECT_GT(chunks, 1);  // it arrived in pieces
}

TEST(ConsoleRunner, TheCallbackSeesEachChunkNulTerminatedWithTwoZeros) {
  std::string seen;
  std::vector<intptr_t> extras;
  const std::string output = RunConsoleCommand("echo alpha& echo beta",
                                               [&](const char* chunk, intptr_t a, intptr_t b) {
                                                 seen += chunk;
                                                 extras.push_back(a);
                                                 extras.push_back(b);
                                                 return 0;
                                               });
  EXPECT_EQ(output, "alpha\r\nbeta\r\n");
  EXPECT_EQ(seen, output);
  for (intptr_t extra : extras) EXPECT_EQ(extra, 0);
}

TEST(ConsoleRunner, ANonZeroCallbackStopsWithExactlyTheFirstChunk) {
  TempFile file(NumberedLines(12000));
  std::string firstChunk;
  int calls = 0;
  const std::string output = RunConsoleCommand("type \"" + file.path() + "\"",
                                               [&](const char* chunk, intptr_t, intptr_t) {
                                                 ++calls;
                                                 firstChunk = chunk;
                                                 return 1;
                                               });
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(output.empty());
  EXPECT_EQ(output, firstChunk);
}

TEST(ConsoleRunner, ACommandWithoutOutputGivesEmptyTextAndNoCallback) {
  int calls = 0;
  const std::string output = RunConsoleCommand("rem nothing", [&](const char*, intptr_t, intptr_t) {
    ++calls;
    return 0;
  });
  EXPECT_EQ(output, "");
  EXPECT_EQ(calls, 0);
}

TEST(ConsoleRunner, StandardErrorIsCollectedToo) {
  EXPECT_EQ(RunConsoleCommand("echo to-error 1>&2"), "to-error \r\n");
}

TEST(ConsoleRunner, TheCommandLineStartsWithTheInterpreter) {
  EXPECT_EQ(CommandInterpreterPrefix(), "cmd.exe /c ");
  // A program found first under the interpreter's name reports the line it was started with.
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string dir(exe);
  dir.resize(dir.find_last_of('\\') + 1);
  const std::string standIn = dir + "cmd.exe";
  ASSERT_TRUE(CopyFileA((dir + "command_line_echo.exe").c_str(), standIn.c_str(), FALSE));
  const std::string output = RunConsoleCommand("dir /b \"C:\\some folder\"");
  DeleteFileA(standIn.c_str());
  EXPECT_EQ(output, "cmd.exe /c dir /b \"C:\\some folder\"");
}

TEST(ConsoleRunner, ACommandReadingInputSeesItsEndInsteadOfItsOwnOutput) {
  const DWORD start = GetTickCount();
  const std::string output = RunConsoleCommand("echo before& set /p answer=& echo after");
  EXPECT_LT(GetTickCount() - start, 20000u);
  EXPECT_NE(output.find("before"), std::string::npos) << output;
  EXPECT_NE(output.find("after"), std::string::npos) << output;
}

TEST(ConsoleRunner, OutputWrittenJustBeforeTheEndIsNeverLost) {
  for (int run = 0; run < 15; ++run) {
    EXPECT_EQ(RunConsoleCommand("echo last words"), "last words\r\n") << "run " << run;
  }
}

// A 64-bit system has the directory; a 32-bit process learns which kind it runs on from its
// own WOW64 state (a 32-bit Wine prefix has none).
TEST(ConsoleRunner, SixtyFourBitProgramsRunOnlyWhereThereIsAWow64Directory) {
  BOOL wow64Process = FALSE;
  ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64Process));
  EXPECT_EQ(IsWow64System(), sizeof(void*) == 8 || wow64Process);
}

}  // namespace
}  // namespace automation

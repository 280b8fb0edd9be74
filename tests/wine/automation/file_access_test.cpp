#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "automation/file_access.h"
#include "platform/win32/win32_platform.h"

namespace automation {
namespace {

std::string TempFolder() {
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  return std::string(path) + "bmt_file_access";
}

TEST(FileExistsOnWindows, FileDirectoryWildcardAndChineseNames) {
  platform::SystemApi& system = platform::Win32Platform().system;
  const std::string folder = TempFolder();
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string file = folder + "\\新建 bios.bin";
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);

  EXPECT_TRUE(FileExists(system, file));
  EXPECT_FALSE(FileExists(system, folder));
  EXPECT_TRUE(FileExists(system, folder + "\\*.bin"));
  EXPECT_FALSE(FileExists(system, folder + "\\*.exe"));
  EXPECT_FALSE(FileExists(system, folder + "\\missing.bin"));
  EXPECT_FALSE(FileExists(system, ""));

  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace automation

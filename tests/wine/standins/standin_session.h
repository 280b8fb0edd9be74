#pragma once
// A started stand-in patcher and the toolkit calls the tool makes on it.
#include <gtest/gtest.h>

#include <string>

#include "automation/window_finder.h"
#include "platform/platform.h"
#include "platform/win32/win32_handles.h"
#include "standins/image_format/bios_image.h"
#include "tests/e2e/harness/process_group.h"

namespace standin_test {

using platform::Hwnd;

class PatcherSession : public ::testing::Test {
 protected:
  // Starts ov.exe hidden, as the tool does, and finds its start window (at most 10 s).
  Hwnd Start(const std::wstring& fault = L"");
  // The tool's load sequence: click the input, type the GBK path, click load.
  void TypeAndLoad(const std::string& gbkPath);
  // The loaded window whose title carries `fileName` once its height differs (at most 15 s).
  Hwnd WaitForLoaded(const std::string& fileName);
  // Writes `bytes` as `name` into a fresh folder; the GBK path of the file.
  std::string WriteSample(const std::wstring& folder, const std::wstring& name,
                          const standin::Bytes& bytes);
  // The four ME replacement clicks, as the tool posts them.
  void ReplaceMe(Hwnd loaded);
  // Save chain down to the file-name box; 0 where a level is missing.
  Hwnd FindSaveNameBox();
  // Polls IsWindowResponding until it answers (true) or timeoutMs passed.
  bool WaitUntilResponding(Hwnd window, unsigned timeoutMs);

  platform::Platform& pf();
  e2e::ProcessGroup group_;
  DWORD processId_ = 0;
  Hwnd start_ = 0;
};

std::string Gbk(const std::wstring& text);

}  // namespace standin_test

#include "tests/wine/standins/standin_session.h"

#include "automation/input_injector.h"
#include "automation/pumping_wait.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/harness/harness_paths.h"
#include "tests/e2e/harness/image_files.h"
#include "tests/e2e/harness/waits.h"
#include "tests/e2e/harness/window_probe.h"

namespace standin_test {

std::string Gbk(const std::wstring& text) { return e2e::ToGbk(text); }

platform::Platform& PatcherSession::pf() { return platform::Win32Platform(); }

Hwnd PatcherSession::Start(const std::wstring& fault) {
  e2e::EnvironmentVariables env;
  if (!fault.empty()) env.push_back({L"BMT_STANDIN_FAULT", fault});
  processId_ = group_.Start(e2e::RunFolder() + L"\\orvellanQZ\\ov.exe", SW_HIDE, env);
  EXPECT_NE(processId_, 0u) << "ov.exe did not start";
  e2e::WaitUntil([&] {
    start_ = automation::LocateWindow(pf().windows, 0, 0, "Qt5152QWindowIcon", "CoffeeTime 0.99");
    return start_ != 0;
  }, 10000);
  return start_;
}

void PatcherSession::TypeAndLoad(const std::string& gbkPath) {
  automation::PostClick(pf().windows, start_, 275, 160);
  automation::PumpingWait(pf(), 300);
  automation::TypeText(pf(), start_, gbkPath);
  automation::PumpingWait(pf(), 100);
  automation::PostClick(pf().windows, start_, 444, 192);
  automation::PumpingWait(pf(), 100);
}

Hwnd PatcherSession::WaitForLoaded(const std::string& fileName) {
  const automation::WindowBounds startBounds = automation::WindowBoundsOf(pf().windows, start_);
  Hwnd loaded = 0;
  e2e::WaitUntil([&] {
    loaded = automation::LocateWindow(pf().windows, 0, 0, "Qt5152QWindowIcon",
                                      "CoffeeTime 0.99  /  " + fileName);
    return loaded != 0 &&
           automation::WindowBoundsOf(pf().windows, loaded).height != startBounds.height;
  }, 15000, 200);
  return loaded;
}

std::string PatcherSession::WriteSample(const std::wstring& folder, const std::wstring& name,
                                        const standin::Bytes& bytes) {
  const std::wstring dir = e2e::ScratchFolder(folder);
  const std::wstring path = dir + L"\\" + name;
  EXPECT_TRUE(e2e::WriteFileBytes(path, bytes));
  return Gbk(path);
}

void PatcherSession::ReplaceMe(Hwnd loaded) {
  automation::PostClick(pf().windows, loaded, 176, 135);
  automation::PumpingWait(pf(), 200);
  automation::PostClick(pf().windows, loaded, 399, 451);
  automation::PumpingWait(pf(), 200);
  automation::PostClick(pf().windows, loaded, 380, 502);
  automation::PumpingWait(pf(), 200);
  automation::PostClick(pf().windows, loaded, 100, 502);
  automation::PumpingWait(pf(), 300);
}

Hwnd PatcherSession::FindSaveNameBox() {
  Hwnd level = automation::LocateWindow(pf().windows, 0, 0, "#32770", "Save image");
  for (const char* cls : {"DUIViewWndClassName", "DirectUIHWND", "FloatNotifySink", "ComboBox",
                          "Edit"}) {
    if (level == 0) return 0;
    level = automation::LocateWindow(pf().windows, level, 0, cls, "");
  }
  return level;
}

bool PatcherSession::WaitUntilResponding(Hwnd window, unsigned timeoutMs) {
  return e2e::WaitUntil([&] { return automation::IsWindowResponding(pf().windows, window); },
                        timeoutMs, 100);
}

}  // namespace standin_test

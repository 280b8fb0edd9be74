// The stand-in patcher: one window driven from outside by clicks and typed characters.
// Started as "ov.exe --write-own-labels FOLDER" it only writes the own-art fault's label
// pictures into FOLDER (exit code 0 when all were written), for tests that play a user who cut
// them from the window.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "standins/coffeetime/fault_mode.h"
#include "standins/coffeetime/input_record.h"
#include "standins/coffeetime/own_art.h"
#include "standins/coffeetime/patcher_window.h"

namespace {

standin::FaultModes FaultsFromEnvironment() {
  char buffer[256] = {};
  const DWORD length = GetEnvironmentVariableA(standin::kFaultVariable, buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  return standin::ParseFaultModes(std::string(buffer, length));
}

// The folder of "--write-own-labels FOLDER", empty when the command line asks nothing of it.
std::u16string OwnLabelsFolder() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return {};
  std::u16string folder;
  if (count == 3 && std::wstring(arguments[1]) == L"--write-own-labels") {
    folder = reinterpret_cast<const char16_t*>(arguments[2]);
  }
  LocalFree(arguments);
  return folder;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  if (const std::u16string folder = OwnLabelsFolder(); !folder.empty()) {
    return standin::WriteOwnArtLabels(folder) ? 0 : 1;
  }
  standin::InputRecord record;
  standin::PatcherWindow patcher(instance, FaultsFromEnvironment(),
                                 [&record](const MSG& message) { record.Note(message); });
  if (!patcher.Create(showCommand)) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    record.Note(message);
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

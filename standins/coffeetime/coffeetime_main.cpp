// The stand-in patcher: one window driven from outside by clicks and typed characters.
#include <windows.h>

#include <string>

#include "standins/coffeetime/fault_mode.h"
#include "standins/coffeetime/input_record.h"
#include "standins/coffeetime/patcher_window.h"

namespace {

standin::FaultMode FaultFromEnvironment() {
  char buffer[64] = {};
  const DWORD length = GetEnvironmentVariableA(standin::kFaultVariable, buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return standin::FaultMode::kNone;
  return standin::ParseFaultMode(std::string(buffer, length));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  standin::InputRecord record;
  standin::PatcherWindow patcher(instance, FaultFromEnvironment(),
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

// Writes its own command line to standard output: stands in for the command interpreter in
// the runner's test.
#include <windows.h>

int main() {
  const char* line = GetCommandLineA();
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, lstrlenA(line), &written, nullptr);
  return 0;
}

#pragma once
// The main window's controls as the user must find them, written down from the form's layout
// independently of the program's own table.
#include <string>
#include <vector>

namespace apptest {

struct ExpectedControl {
  std::string name;
  const char* windowClass;  // null: not checked (the page viewer hosts another component)
  std::string parent;       // empty: the main window
  int x, y, width, height;
  const char* text;         // null: not checked here; exact otherwise
  bool enabledAfterStart;
  bool tabStop;
};

std::vector<ExpectedControl> ExpectedControls();

}  // namespace apptest

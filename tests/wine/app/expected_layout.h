#pragma once
// The main window's controls as the user must find them after start-up: the product's own
// control table, read with what each kind of control is as a window (its class, whether it
// starts enabled) and which texts it must show.
#include <optional>
#include <string>
#include <vector>

namespace apptest {

struct ExpectedControl {
  std::string name;
  const char* windowClass;  // null: not checked (the page viewer hosts another component)
  std::string parent;       // empty: the main window
  int x, y, width, height;
  std::optional<std::string> text;  // nothing: not checked here; exact otherwise
  bool enabledAfterStart;
  bool tabStop;
};

// Every control of the table that has a window of its own, in the table's order.
std::vector<ExpectedControl> ExpectedControls();

}  // namespace apptest

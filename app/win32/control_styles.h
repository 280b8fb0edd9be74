#pragma once
// The Win32 window class and styles each kind of control is created with.
#include <windows.h>

#include "app/control_table.h"

namespace app {

struct ControlStyle {
  const char* className;
  DWORD style;    // on top of WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS
  DWORD exStyle;
};

ControlStyle StyleOf(ControlKind kind);
// The complete style: the kind's own, plus visibility, Tab stop and the initial disabled state.
DWORD FullStyleOf(ControlKind kind);

bool IsContainer(ControlKind kind);  // has child controls of its own
bool IsOwnerDrawn(ControlKind kind);

}  // namespace app

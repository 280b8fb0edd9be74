#include "app/win32/control_styles.h"

#include <commctrl.h>

namespace app {
namespace {

struct KindStyle {
  ControlKind kind;
  ControlStyle style;
};

// Containers pass Tab navigation into their children (WS_EX_CONTROLPARENT) and leave them
// unpainted (WS_CLIPCHILDREN). Labels and pictures are drawn by the main window so that they
// can be transparent and scale.
constexpr KindStyle kStyles[] = {
    {ControlKind::kGroupBox, {"Button", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}},
    {ControlKind::kFrame, {"Static", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}},
    {ControlKind::kButton, {"Button", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0}},
    {ControlKind::kCheckBox, {"Button", BS_AUTOCHECKBOX | BS_FLAT, 0}},
    {ControlKind::kLabel, {"Static", SS_OWNERDRAW, 0}},
    {ControlKind::kWrapLabel, {"Static", SS_OWNERDRAW, 0}},
    {ControlKind::kEditLine, {"Edit", WS_BORDER | ES_LEFT | ES_AUTOHSCROLL, 0}},
    {ControlKind::kEditMulti,
     {"Edit", WS_BORDER | ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, 0}},
    {ControlKind::kPictureBox, {"Static", SS_OWNERDRAW | SS_NOTIFY, 0}},
    {ControlKind::kListView, {WC_LISTVIEWA, WS_BORDER | LVS_REPORT | LVS_SINGLESEL, 0}},
    {ControlKind::kPageViewer, {"Static", 0, 0}},  // created by the page viewer's own code
    {ControlKind::kTimer, {"", 0, 0}},
};

}  // namespace

ControlStyle StyleOf(ControlKind kind) {
  for (const KindStyle& entry : kStyles) {
    if (entry.kind == kind) return entry.style;
  }
  return {"Static", 0, 0};
}

DWORD FullStyleOf(ControlKind kind) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | StyleOf(kind).style;
  if (TakesTabStop(kind)) style |= WS_TABSTOP;
  if (DisabledAtCreation(kind)) style |= WS_DISABLED;
  return style;
}

bool IsContainer(ControlKind kind) {
  return kind == ControlKind::kGroupBox || kind == ControlKind::kFrame;
}

bool IsOwnerDrawn(ControlKind kind) {
  return kind == ControlKind::kLabel || kind == ControlKind::kWrapLabel ||
         kind == ControlKind::kPictureBox;
}

}  // namespace app

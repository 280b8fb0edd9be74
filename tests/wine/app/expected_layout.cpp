#include "expected_layout.h"

#include "app/control_table.h"
#include "workflow/form.h"

namespace apptest {

namespace {

using app::ControlKind;

const char* WindowClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kGroupBox:
    case ControlKind::kButton:
    case ControlKind::kCheckBox: return "Button";
    case ControlKind::kFrame:
    case ControlKind::kLabel:
    case ControlKind::kWrapLabel:
    case ControlKind::kPictureBox: return "Static";
    case ControlKind::kEditLine:
    case ControlKind::kEditMulti: return "Edit";
    case ControlKind::kListView: return "SysListView32";
    case ControlKind::kPageViewer:
    case ControlKind::kTimer: break;
  }
  return nullptr;
}

// The edit boxes are for reading only, and the microcode boxes stay disabled until the
// microcode area is unlocked.
bool EnabledAfterStart(ControlKind kind) {
  return kind != ControlKind::kEditLine && kind != ControlKind::kEditMulti &&
         kind != ControlKind::kCheckBox;
}

// Captions, labels and the path box show the table's text; what the program writes at run
// time (the status box, the online count) is not checked here.
std::optional<std::string> TextShown(const app::ControlSpec& spec) {
  switch (spec.kind) {
    case ControlKind::kGroupBox:
    case ControlKind::kButton:
    case ControlKind::kCheckBox:
    case ControlKind::kLabel:
    case ControlKind::kWrapLabel:
    case ControlKind::kEditLine:
      if (spec.name == workflow::controls::kOnlineCountLabel) return std::nullopt;
      return std::string(spec.text);
    default: return std::nullopt;
  }
}

}  // namespace

std::vector<ExpectedControl> ExpectedControls() {
  std::vector<ExpectedControl> controls;
  for (const app::ControlSpec& spec : app::ControlTable()) {
    if (spec.kind == ControlKind::kTimer) continue;
    controls.push_back({std::string(spec.name), WindowClassOf(spec.kind), std::string(spec.parent),
                        spec.x, spec.y, spec.width, spec.height, TextShown(spec),
                        EnabledAfterStart(spec.kind), app::TakesTabStop(spec.kind)});
  }
  return controls;
}

}  // namespace apptest

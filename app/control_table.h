#pragma once
// The main window and its 43 controls as data: one row per control, in creation order (which
// is also the stacking and Tab order among siblings). The window code creates everything from
// this table in one pass; nothing about the layout lives anywhere else.
#include <cstdint>
#include <span>
#include <string_view>

namespace app {

enum class ControlKind {
  kGroupBox,
  kFrame,       // plain rectangle: button-face fill, 1-pixel black outline
  kButton,
  kCheckBox,
  kLabel,       // transparent one-line text, vertically centred
  kWrapLabel,   // transparent text, top-aligned, word-wrapped
  kEditLine,
  kEditMulti,
  kPictureBox,
  kListView,
  kPageViewer,
  kTimer,       // no window of its own
};

struct FontSpec {
  std::string_view face;
  int pixelHeight;  // character height; the LOGFONT height is its negative
  int weight;
};

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

enum class Picture { kNone, kBanner, kRefresh };

// What a control's event starts.
enum class FormEvent {
  kNone,
  kOpenClicked,
  kReadClicked,
  kMicrocodeClicked,
  kRefreshPressed,  // left button pressed on the refresh picture
  kLicenceClicked,
  kMakeClicked,
  kNoticeTick,
};

struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  std::string_view parent;  // empty: the main window
  int x, y, width, height;
  std::string_view text;
  Rgb colour;                // text colour of labels and the list view
  const FontSpec* font;      // null: DEFAULT_GUI_FONT
  Picture picture;
  FormEvent event;
  std::string_view stackAbove;  // a sibling this control must lie directly above
};

struct MainWindowSpec {
  std::string_view title;
  int width, height;
};

const MainWindowSpec& MainWindowLayout();
std::span<const ControlSpec> ControlTable();
// Row of the control of that name, or null.
const ControlSpec* FindControl(std::string_view name);
// The control's window identifier (its child-window id), or -1 for an unknown name. Clear of
// IDOK, IDCANCEL and the other dialog identifiers.
int ControlId(std::string_view name);
int ControlIndexOfId(int id);  // -1 when the id is no control's
constexpr int kFirstControlId = 1000;

// Per-kind rules of the form.
bool TakesTabStop(ControlKind kind);
bool DisabledAtCreation(ControlKind kind);
bool HasWindow(ControlKind kind);

// List view columns: header text and width.
struct ListColumn {
  std::string_view header;
  int width;
};
std::span<const ListColumn> MicrocodeListColumns();

}  // namespace app

#pragma once
// The main window: creates itself and every control from the control table, owns their fonts,
// pictures and timer, paints the controls it draws itself and turns control events into form
// events.
#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

#include "app/control_table.h"
#include "app/form_rules.h"
#include "app/picture_decoding.h"
#include "platform/win32/scoped_handles.h"

namespace app {

// The main window's class: how another start of the tool finds the running one.
inline constexpr char kMainWindowClass[] = "BiosMakerMainWindow";

struct FormHandlers {
  std::function<void()> created;     // window and all controls exist; the window is not shown
  std::function<void()> destroying;  // the controls still exist
  // Asked when the window is to be closed (close box, Esc, system menu); false keeps it open.
  std::function<bool()> mayClose;
  std::function<void(FormEvent)> event;
};

class MainWindow {
 public:
  MainWindow() = default;
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window and its controls, centred and top-most but hidden, then runs the
  // created handler. False when the window could not be created.
  bool Create(HINSTANCE instance, FormHandlers handlers);
  void Show();
  // Tab and Esc handling for the message loop and for waits that pump messages.
  bool PreTranslate(MSG* message);

  HWND Handle() const { return window_; }
  // The control's window; null for the timer, unknown names and after destruction.
  HWND ControlHandle(std::string_view name) const;
  // Shows the picture in the picture box, scaled; false when it is no picture box.
  bool SetPicture(std::string_view name, const RgbaPicture& picture);
  // Timer interval rule of the form (see DecideIntervalChange).
  void SetTimerInterval(std::string_view name, int milliseconds);
  int TimerInterval(std::string_view name) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR index, DWORD_PTR self);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleControlMessage(size_t index, HWND control, UINT message, WPARAM wParam,
                               LPARAM lParam);
  bool CreateControls(HINSTANCE instance);
  HWND CreateControl(HINSTANCE instance, size_t index, HWND parent);
  void ApplyStacking();
  HFONT FontFor(const FontSpec* font);
  int IndexOf(std::string_view name) const;
  int IndexOfWindow(HWND control) const;
  void Raise(FormEvent event);
  void ReleaseResources();

  HWND window_ = nullptr;
  FormHandlers handlers_;
  std::vector<HWND> controls_;    // parallel to the control table
  std::vector<platform::UniqueBitmap> pictures_;  // parallel to the control table
  std::vector<int> intervals_;    // parallel to the control table (timers)
  std::vector<std::pair<const FontSpec*, platform::UniqueFont>> fonts_;
  platform::UniqueBrush whiteBrush_;
  HCURSOR handCursor_ = nullptr;
  HWND lastFocus_ = nullptr;
};

}  // namespace app

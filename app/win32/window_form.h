#pragma once
// The control operations the steps call, carried out on the main window's controls.
#include "app/win32/main_window.h"
#include "workflow/form.h"

namespace app {

class WindowForm final : public workflow::Form {
 public:
  explicit WindowForm(MainWindow& window) : window_(window) {}

  void SetDisabled(std::string_view control, bool disabled) override;
  bool IsChecked(std::string_view control) override;
  void SetCaption(std::string_view control, const std::string& text) override;
  std::string GetText(std::string_view control) override;
  void SetText(std::string_view control, const std::string& text) override;
  void AppendText(std::string_view control, const std::string& text) override;
  void SetPicture(std::string_view control, std::string_view imageFile) override;
  void SetInterval(std::string_view control, int milliseconds) override;
  void Navigate(std::string_view control, const std::string& url) override;
  platform::Hwnd NativeHandle(std::string_view control) override;
  void ClearRows(std::string_view control) override;
  int AppendRow(std::string_view control, const std::string& text) override;
  void SetCell(std::string_view control, int row, int column, const std::string& text) override;
  void SetTitle(const std::string& text) override;
  int Left() override;
  int Top() override;
  int Width() override;
  int Height() override;
  void SetLeft(int value) override;
  void SetTop(int value) override;
  void SetWidth(int value) override;
  void SetHeight(int value) override;

 private:
  RECT OuterRect();
  void MoveOuterRect(const RECT& rect);

  MainWindow& window_;
};

}  // namespace app

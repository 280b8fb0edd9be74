#pragma once
// The main window's controls for native workflow tests: holds their state and records every
// operation in order.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "workflow/form.h"

namespace fake {

class FakeForm final : public workflow::Form {
 public:
  FakeForm();

  // State, by control name.
  std::map<std::string, std::string> texts;
  std::map<std::string, bool> disabled;
  std::map<std::string, bool> checked;
  std::map<std::string, std::string> captions;
  std::map<std::string, int> intervals;
  std::map<std::string, std::string> urls;
  std::map<std::string, size_t> pictureBytes;
  std::vector<std::vector<std::string>> rows;  // the list view's rows, two cells each
  std::string title;
  int left = 850, top = 630, width = 859, height = 180;
  platform::Hwnd mainWindow = 0x777;
  std::map<std::string, platform::Hwnd, std::less<>> handles;  // controls' windows (else 0x900)
  std::vector<std::string> log;  // "SetDisabled 按钮5 1", ...
  // The entries of `log`, each cut after its operation and control ("SetText 编辑框3").
  std::vector<std::string> Operations() const;
  std::vector<int64_t> logTimes;  // when each entry of `log` was made, by `clock`
  std::function<int64_t()> clock = [] { return int64_t{0}; };
  // When the first entry of `log` that starts with `entry` was made; -1 when there is none.
  int64_t TimeOf(const std::string& entry) const;

  // Status box lines as written, without the initial text.
  std::string StatusWritten() const;
  bool IsDisabled(const std::string& control) const;

  void SetDisabled(std::string_view control, bool value) override;
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
  int Left() override { return left; }
  int Top() override { return top; }
  int Width() override { return width; }
  int Height() override { return height; }
  void SetLeft(int value) override;
  void SetTop(int value) override;
  void SetWidth(int value) override;
  void SetHeight(int value) override;

 private:
  void Note(std::string entry);
};

}  // namespace fake

#pragma once
// A small window of the test's own with the controls the notice board uses (count label,
// notice box, page viewer, notice timer), reached through the form's control operations.
#include <windows.h>

#include <functional>
#include <string>

#include "workflow/form.h"

namespace notice_test {

class NoticeTestWindow final : public workflow::Form {
 public:
  NoticeTestWindow() = default;
  ~NoticeTestWindow() override;
  // Creates the windows; as in the program, after the page reader exists.
  void Create();
  NoticeTestWindow(const NoticeTestWindow&) = delete;
  NoticeTestWindow& operator=(const NoticeTestWindow&) = delete;

  // Runs on every tick of the notice timer.
  std::function<void()> onTick;

  // GBK text of a control, read back from its window.
  std::string TextOf(std::string_view control);

  void SetDisabled(std::string_view, bool) override {}
  bool IsChecked(std::string_view) override { return false; }
  void SetCaption(std::string_view, const std::string&) override {}
  std::string GetText(std::string_view control) override { return TextOf(control); }
  void SetText(std::string_view control, const std::string& text) override;
  void AppendText(std::string_view, const std::string&) override {}
  void SetPicture(std::string_view, std::string_view) override {}
  void SetInterval(std::string_view control, int milliseconds) override;
  void Navigate(std::string_view control, const std::string& url) override;
  platform::Hwnd NativeHandle(std::string_view control) override;
  void ClearRows(std::string_view) override {}
  int AppendRow(std::string_view, const std::string&) override { return 0; }
  void SetCell(std::string_view, int, int, const std::string&) override {}
  void SetTitle(const std::string&) override {}
  int Left() override { return 0; }
  int Top() override { return 0; }
  int Width() override { return 0; }
  int Height() override { return 0; }
  void SetLeft(int) override {}
  void SetTop(int) override {}
  void SetWidth(int) override {}
  void SetHeight(int) override {}

  int ticks() const { return ticks_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND ControlWindow(std::string_view control);

  HWND main_ = nullptr;
  HWND label_ = nullptr;
  HWND noticeBox_ = nullptr;
  HWND viewer_ = nullptr;
  int interval_ = 0;
  int ticks_ = 0;
};

// Dispatches this thread's messages until `done` holds or `timeoutMs` has passed.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

std::wstring WideOfGbk(std::string_view text);
std::string GbkOfWide(std::wstring_view text);

}  // namespace notice_test

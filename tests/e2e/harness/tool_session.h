#pragma once
// One run of the tool from its run folder, driven like a user would: buttons, check boxes,
// the file dialogs, the status box and message boxes. Every wait is bounded; the tool and all
// it started are ended when the session is destroyed.
#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/harness/process_group.h"

namespace e2e {

enum class BoxIcon { kNone, kInformation, kExclamation };

struct MessageBoxInfo {
  HWND window = nullptr;
  std::wstring text;
  std::wstring caption;
  BoxIcon icon = BoxIcon::kNone;
};

class ToolSession {
 public:
  // Starts BiosMaker.exe shown and waits for its main window (true when it appeared).
  bool Start(const EnvironmentVariables& extra = {}, DWORD timeoutMs = 20000);
  // Starts it shown without waiting for anything: the run folder's, or the one at `exe`.
  bool Launch(const EnvironmentVariables& extra = {}, const std::wstring& exe = {});
  // Waits for the main window of the started process to show (true when it did).
  bool WaitForMainWindow(DWORD timeoutMs);
  HWND MainWindow() const { return main_; }
  DWORD ProcessId() const { return processId_; }
  ProcessGroup& Processes() { return group_; }

  // Posts BM_CLICK to the main window's button (or check box) with this caption.
  bool PressButton(const std::wstring& caption);
  // Ticks or clears the check box with this caption (no change when already so).
  bool SetCheckBox(const std::wstring& caption, bool ticked);

  // A control of the main window by its form name ("按钮4", "W906EA", ...); null when absent.
  HWND Control(const char* gbkName) const;
  bool IsEnabled(const char* gbkName) const;
  bool IsChecked(const char* gbkName) const;
  std::wstring Caption(const char* gbkName) const;
  // The main window's outer rectangle.
  RECT Bounds() const;

  // The status box's whole text.
  std::wstring StatusText();
  bool WaitForStatus(const std::wstring& fragment, DWORD timeoutMs);

  // A dialog ("#32770") of the tool's process other than a message box.
  HWND WaitForFileDialog(DWORD timeoutMs);
  // Types the path into the file dialog's name box and presses its OK button.
  bool FillFileDialog(const std::wstring& path, DWORD timeoutMs);
  // Presses the file dialog's Cancel button.
  bool CancelFileDialog(DWORD timeoutMs);

  std::optional<MessageBoxInfo> WaitForMessageBox(DWORD timeoutMs);
  // Presses OK and waits (at most 3 s) for the box to go.
  bool DismissMessageBox(const MessageBoxInfo& box);
  // Presses the box's button `id` (IDOK, IDYES, IDNO, ...); true once the box is gone.
  bool AnswerMessageBox(const MessageBoxInfo& box, int id);

 private:
  ProcessGroup group_;
  DWORD processId_ = 0;
  HWND main_ = nullptr;
};

}  // namespace e2e

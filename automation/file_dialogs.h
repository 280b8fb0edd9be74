#pragma once
// The common open and save file dialogs, in their ANSI 76-byte form.
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace automation {

// Omitted fields take the dialog's defaults.
struct FileDialogRequest {
  platform::Hwnd owner = 0;
  std::optional<std::string> initialDir{};   // default: the current directory
  std::optional<std::string> title{};        // default: "保存文件" / "打开文件"
  std::optional<std::string> defaultName{};  // save dialog only
  std::optional<std::string> filter{};       // "description|pattern|..."
  int filterIndex = 0;                     // save dialog only; 0 means 1
  bool keepDirectory = false;              // false: the current directory is restored
};

// "a|b|c" becomes "a\0b\0c\0\0".
std::string BuildNativeFilter(std::string_view filterText);

// How a file dialog ended.
enum class DialogEnd {
  kChosen,
  kCancelled,
  kNameTooLong,  // the name typed or chosen does not fit the dialog's file buffer
  kFailed,       // the dialog could not run
};

struct DialogAnswer {
  DialogEnd end = DialogEnd::kCancelled;
  std::string path;  // the chosen path (kChosen only)
};

DialogAnswer AskSaveFile(platform::Platform& platform, const FileDialogRequest& request);
DialogAnswer AskOpenFile(platform::Platform& platform, const FileDialogRequest& request);

// The chosen path, or empty text when the user cancels (or the dialog fails).
std::string ShowSaveFileDialog(platform::Platform& platform, const FileDialogRequest& request);
std::string ShowOpenFileDialog(platform::Platform& platform, const FileDialogRequest& request);

}  // namespace automation

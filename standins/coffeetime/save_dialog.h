#pragma once
// The patcher's "Save image" dialog: a modeless dialog whose children repeat the window-class
// chain of the platform's file dialog down to its file-name box, plus a "保存(&S)" button.
#include <windows.h>

#include <functional>
#include <string>

namespace standin {

// Called with the file-name box's text when the save button is pressed; the dialog then closes.
using SaveHandler = std::function<void(const std::u16string& path)>;

// Opens the dialog owned by `owner`; returns it, or nullptr when it could not be created.
// The dialog destroys itself when saved or cancelled.
HWND OpenSaveDialog(HINSTANCE instance, HWND owner, SaveHandler onSave);

}  // namespace standin

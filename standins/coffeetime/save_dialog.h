#pragma once
// The patcher's "Save image" dialog: a modal dialog whose children repeat the window-class chain
// of the platform's file dialog down to its file-name box, plus a "保存(&S)" button. As the
// platform's dialog does, it disables its owner, runs its own message loop, and opens with a
// default name in the file-name box, fully selected, so typed characters replace it.
#include <windows.h>

#include <functional>
#include <string>

namespace standin {

// Called with the file-name box's text when the save button is pressed, after the dialog has
// closed.
using SaveHandler = std::function<void(const std::u16string& path)>;
// Sees every message the dialog's loop takes from the queue, before it is dispatched.
using MessageObserver = std::function<void(const MSG& message)>;

constexpr const char16_t* kDefaultSaveName = u"CoffeeTime_image.bin";

// Shows the dialog owned by `owner` and returns once it is closed (saved, cancelled, or its
// owner destroyed). A quit message that comes meanwhile is left in the queue.
void RunSaveDialog(HINSTANCE instance, HWND owner, SaveHandler onSave,
                   const MessageObserver& observe);

}  // namespace standin

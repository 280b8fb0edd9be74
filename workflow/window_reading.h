#pragma once
// Reading CoffeeTime's loaded window: label searches that give a window just shown the time to
// paint, and what its labels tell of the ME state. The window is taken as drawn the way our
// label pictures know only when it shows one of the vendor file's microcodes.
#include <string_view>

#include "imaging/image_finder.h"
#include "imaging/label_templates.h"
#include "workflow/step_context.h"

namespace workflow {

// FindImage over the whole loaded window. A window that gives no picture (one just shown may
// not have painted yet) is captured again, pumping, until it does or 2 s have passed; only then
// is it reported unseen. Unseen too when the tool is closing.
imaging::FindStatus SearchLoadedWindow(StepContext& ctx, std::string_view picture);

// Either rendering of a microcode label.
imaging::FindStatus SearchLabel(StepContext& ctx, const imaging::MicrocodeLabel& label);

enum class MeOnScreen {
  kEnabled,     // the ME field shows "Enabled"
  kOff,         // it does not, and the window shows a microcode of the vendor file
  kUnreadable,  // it does not, but nothing else we know is found either: no evidence
  kUnseen,      // the window gives no picture
};

// One look at the ME field and, unless "Enabled" is found, at the labels of the known
// microcodes that the vendor file holds.
MeOnScreen ReadMeOnScreen(StepContext& ctx);

}  // namespace workflow

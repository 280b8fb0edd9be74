#pragma once
// Reading CoffeeTime's loaded window: label searches that give a window just shown the time to
// paint, and what its labels tell of the ME state. The window is taken as drawn the way our
// label pictures know only when it shows one of the vendor file's microcodes.
#include <string_view>

#include "imaging/image_finder.h"
#include "imaging/label_templates.h"
#include "workflow/step_context.h"

namespace workflow {

// Whether loading the labels folder's pictures is told in the status box.
enum class Telling { kSilently, kToTheUser };

// Loads the labels folder's pictures into the state, for the searches that follow. Told to the
// user: how many were loaded (when the folder holds any counted file), the first five counted
// files that cannot be used with the reason, and the rest counted in one line.
void LoadFolderLabels(StepContext& ctx, Telling telling);

// FindImage over the whole loaded window. A window that gives no picture (one just shown may
// not have painted yet) is captured again, pumping, until it does or 2 s have passed; only then
// is it reported unseen. Unseen too when the tool is closing.
imaging::FindStatus SearchLoadedWindow(StepContext& ctx, std::string_view picture);

// Which pictures a label search takes besides the stored ones.
enum class FolderPictures { kWith, kWithout };

// A microcode label: the labels folder's pictures of it (unless kWithout), then both stored
// renderings. Found when any one is found.
imaging::FindStatus SearchLabel(StepContext& ctx, const imaging::MicrocodeLabel& label,
                                FolderPictures folder = FolderPictures::kWith);

enum class MeOnScreen {
  kEnabled,     // the ME field shows "Enabled"
  kOff,         // it does not, and the window shows a microcode of the vendor file
  kUnreadable,  // it does not, but nothing else we know is found either: no evidence
  kUnseen,      // the window gives no picture
};

// One look at the ME field (the labels folder's pictures of it, then the stored one) and,
// unless "Enabled" is found, at the labels of the known microcodes that the vendor file holds.
// A microcode found only by a picture of the labels folder shows the window readable only when
// the folder has a picture of the ME field too: our stored ME picture says nothing of a window
// drawn the way the user's pictures are.
MeOnScreen ReadMeOnScreen(StepContext& ctx);

}  // namespace workflow

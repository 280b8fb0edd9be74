#pragma once
// When CoffeeTime's window could not be read with the label pictures we have, the picture of
// it that was searched is handed to the user, to cut their own label pictures from:
// "<tool folder>\labels\截图\CoffeeTime窗口-H_M.bmp". The only thing the tool writes into the
// tool folder.
#include "workflow/step_context.h"

namespace workflow {

// Saves the last searched picture of the loaded window as a 24-bit BMP, once per read (the
// read's flag in the state says whether it has), making the two folders as needed and never
// replacing a file ("-2", "-3", ... are added to the name). One status line says where, or that
// it could not be saved and why (a file where a folder should be, a folder that cannot be
// written, the minute's 99 names taken).
void SaveWindowPictureForLabels(StepContext& ctx);

}  // namespace workflow

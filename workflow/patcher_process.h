#pragma once
// The patcher processes this run of the tool starts. They run hidden, so the user cannot close
// them: the tool closes what it started when a read is given up and when it exits.
#include "workflow/step_context.h"

namespace workflow {

// Closes a patcher left from an earlier rejected or abandoned read, then starts the patcher
// hidden and remembers its process. False when it could not be started.
bool StartPatcher(StepContext& ctx);

// Posts WM_CLOSE to every top-level patcher window of the remembered process and lets the
// process go. Before a read has finished, a patcher still running after a short grace is
// ended: a hung one would never close, and it holds nothing of the user's yet. After a read
// its windows are only asked to close, so an image it is writing is not cut short.
void CloseStartedPatcher(StepContext& ctx);

}  // namespace workflow

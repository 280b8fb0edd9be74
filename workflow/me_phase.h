#pragma once
// The ME phase of "读取", once CoffeeTime shows the loaded image: ME 11.8.77.3664 flashed, then
// the ME switched off on what CoffeeTime's window shows, and only on that.
#include "workflow/step_context.h"

namespace workflow {

// Flashes the ME and switches it off (or says why not). False when the read stops here: the
// flash did not finish (the user is told and the tool is back before a read), or the tool is
// closing.
bool ReplaceAndDisableMe(StepContext& ctx);

}  // namespace workflow

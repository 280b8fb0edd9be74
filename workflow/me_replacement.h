#pragma once
#include "workflow/step_context.h"

namespace workflow {

// The rest of a read once CoffeeTime shows the loaded image: flash ME 11.8.77.3664, switch the
// ME off, report the read, enlarge the main window and list the microcodes.
void ReplaceAndDisableMe(StepContext& ctx);

}  // namespace workflow

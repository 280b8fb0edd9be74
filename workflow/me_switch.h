#pragma once
#include "workflow/step_context.h"

namespace workflow {

// Shows the loaded window for capture and switches the ME off when its field shows "Enabled",
// then looks again until the field no longer shows it. Sets `meShownOff` only on evidence from
// the screen, and says in the status box what it could not tell. Ends at least 1200 ms after
// it looked, as CoffeeTime needs; false when the tool is closing.
bool SwitchMeOff(StepContext& ctx);

}  // namespace workflow

#pragma once
// What a step asks before it goes on: is the tool closing (after every pause), and has a read
// finished (before it touches the patcher's loaded window)? Once the tool is closing, a step
// returns at once, posts nothing more to the driven programs and tells the user nothing.
#include <cstdint>

#include "workflow/step_context.h"

namespace workflow {

// PumpingWait for `ms`; false when the tool is closing (now or already before).
[[nodiscard]] bool Pause(StepContext& ctx, int64_t ms);

inline bool Closing(const StepContext& ctx) { return ctx.state.closing; }

// True once a read has finished; otherwise one status line says that a BIOS must be read
// first.
bool ReadFinished(StepContext& ctx);

}  // namespace workflow

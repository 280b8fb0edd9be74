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

// True while CoffeeTime's loaded window is there. Asked before anything is posted to it and
// when a wait on it ends. When it is gone: one status line says so, and the tool is taken back
// to where it was before a read, so that "打开" starts again.
bool LoadedWindowThere(StepContext& ctx);

// "打开" enabled, "读取" disabled, the list emptied, the microcode area locked.
void ReturnToBeforeRead(StepContext& ctx);

}  // namespace workflow

#pragma once
// The one way the system pauses: sleeps on a waitable timer while dispatching the GUI
// thread's messages, so the window repaints and its timers and buttons keep working.
#include <cstdint>

#include "platform/platform.h"

namespace automation {

enum class TimeUnit : int { kMilliseconds = 0, kSeconds = 1, kMinutes = 2, kHours = 3 };

// Returns once the time has passed (true). A negative duration counts as 0. Where the timer
// cannot be created or armed, or the wait fails, it still waits the full time, pumping,
// without spinning. Returns false at once when the thread's quit message is pending, or as
// soon as it arrives while pumping: the program is closing and the caller must stop.
bool PumpingWait(platform::Platform& platform, int64_t duration,
                 TimeUnit unit = TimeUnit::kMilliseconds);

}  // namespace automation

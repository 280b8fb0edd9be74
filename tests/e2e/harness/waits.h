#pragma once
// Bounded waiting: every wait of the harness ends by itself.
#include <windows.h>

#include <functional>

namespace e2e {

// Polls `condition` every pollMs until it holds (true) or timeoutMs passed (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 50);

// Sleeps while dispatching this thread's messages.
void Pause(DWORD ms);

}  // namespace e2e

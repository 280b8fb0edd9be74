#include "automation/pumping_wait.h"

#include <algorithm>

#include "platform/api_values.h"

namespace automation {

namespace {

using namespace platform;

constexpr uint32_t kFallbackSliceMs = 50;

double FactorOf(TimeUnit unit) {
  switch (unit) {
    case TimeUnit::kSeconds: return 1000.0;
    case TimeUnit::kMinutes: return 60000.0;
    case TimeUnit::kHours: return 3600000.0;
    default: return 1.0;
  }
}

// Waits until the tick count reaches `deadline` without a timer: sleeps in the message wait
// with a timeout, or in plain sleeps when even that fails, pumping in between. False when
// the quit message came.
bool WaitByClock(Platform& p, uint64_t deadline) {
  for (uint64_t now = p.system.GetTickCount64(); now < deadline;
       now = p.system.GetTickCount64()) {
    const auto remaining = static_cast<uint32_t>(std::min<uint64_t>(deadline - now, 0x7FFFFFFF));
    const uint32_t r = p.windows.MsgWaitForMultipleObjects(0, nullptr, false, remaining, kQsAllInput);
    if (r == kWaitFailed) p.system.Sleep(std::min(remaining, kFallbackSliceMs));
    if (!p.windows.ProcessPendingMessages()) return false;
  }
  return true;
}

}  // namespace

bool PumpingWait(Platform& p, int64_t duration, TimeUnit unit) {
  const double milliseconds = std::max<double>(0.0, static_cast<double>(duration) * FactorOf(unit));
  const auto dueTime = static_cast<int64_t>(-(milliseconds * 10000.0));
  const uint64_t start = p.system.GetTickCount64();
  const uint64_t deadline = start + static_cast<uint64_t>(milliseconds);
  // A pending quit wakes every message wait at once; waiting on would only spin.
  if (p.windows.QuitPending()) return false;
  // The message wait wakes only for messages that arrive from now on: what is already queued
  // (a close posted right behind the press that started this step) is dispatched first.
  if (!p.windows.ProcessPendingMessages()) return false;

  const Handle timer = p.system.CreateWaitableTimerA();
  if (timer == 0) return WaitByClock(p, deadline);
  if (!p.system.SetWaitableTimer(timer, dueTime)) {
    p.system.CloseHandle(timer);
    return WaitByClock(p, deadline);
  }
  bool passed = true;
  for (;;) {
    const uint32_t r = p.windows.MsgWaitForMultipleObjects(1, &timer, false, kInfinite, kQsAllInput);
    if (r == kWaitObject0) break;
    if (r == kWaitFailed) {
      passed = WaitByClock(p, deadline);
      break;
    }
    if (!p.windows.ProcessPendingMessages()) {
      passed = false;
      break;
    }
  }
  p.system.CloseHandle(timer);
  return passed;
}

}  // namespace automation

#pragma once
// Small rules of the form that do not depend on the window system.
#include <array>
#include <cstddef>

namespace app {

// Left (or top) edge that centres a window of `size` on a screen of `screen` pixels; the
// quotient is truncated toward zero, also when the window is larger than the screen.
int CenteredOrigin(int screen, int size);

// What setting a timer's interval does to a timer that currently has `current` ms.
struct IntervalChange {
  int interval = 0;     // the interval the timer has afterwards
  bool stop = false;    // stop the running timer
  bool start = false;   // (re)start it with `interval`
};
IntervalChange DecideIntervalChange(int current, int requested);

// Keeps one event from running again while its handler is still running (a handler that
// waits pumps messages, so a second press could otherwise start the same step twice).
template <std::size_t kEvents>
class EventGate {
 public:
  // True when the event may run now; the caller must call Leave(event) when it returns.
  bool TryEnter(std::size_t event) {
    if (event >= kEvents || running_[event]) return false;
    running_[event] = true;
    return true;
  }
  void Leave(std::size_t event) {
    if (event < kEvents) running_[event] = false;
  }
  bool IsRunning(std::size_t event) const { return event < kEvents && running_[event]; }

 private:
  std::array<bool, kEvents> running_{};
};

}  // namespace app

#pragma once
// Small rules of the form that do not depend on the window system.

namespace app {

// What setting a timer's interval does to a timer that currently has `current` ms.
struct IntervalChange {
  int interval = 0;     // the interval the timer has afterwards
  bool stop = false;    // stop the running timer
  bool start = false;   // (re)start it with `interval`
};
IntervalChange DecideIntervalChange(int current, int requested);

}  // namespace app

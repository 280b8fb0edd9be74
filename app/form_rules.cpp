#include "app/form_rules.h"

namespace app {

int CenteredOrigin(int screen, int size) {
  // C++ integer division truncates toward zero, as the placement rule asks.
  return (screen - size) / 2;
}

IntervalChange DecideIntervalChange(int current, int requested) {
  int interval = requested < 0 ? 0 : requested;
  if (interval == current) return {current, false, false};
  return {interval, current > 0, interval > 0};
}

}  // namespace app

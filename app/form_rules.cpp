#include "app/form_rules.h"

namespace app {

IntervalChange DecideIntervalChange(int current, int requested) {
  int interval = requested < 0 ? 0 : requested;
  if (interval == current) return {current, false, false};
  return {interval, current > 0, interval > 0};
}

}  // namespace app

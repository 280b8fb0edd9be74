#pragma once
// One tool per user session. Two would drive each other's CoffeeTime (its start windows all
// have the same class and title), and closing one would close both.
#include <windows.h>

#include "platform/win32/scoped_handles.h"

namespace app {

struct InstanceClaim {
  platform::UniqueHandle mutex;  // held for the life of the process; empty when not made
  bool otherRunning = false;     // another start of the tool holds the session's name
};

// Takes the session's name of the running tool (a mutex in the session's own namespace). When
// the name cannot be had at all, the tool is let run: nothing tells it that another one does.
InstanceClaim ClaimInstance();

// Tells the user that the tool already runs and, once the box is closed, brings the running
// tool's main window to the front (restored, when it was minimised) where the platform allows.
void PointToRunningInstance();

}  // namespace app

#pragma once
// The three seams together, as the toolkit and the workflow receive them.
#include "platform/dialog_api.h"
#include "platform/system_api.h"
#include "platform/window_api.h"

namespace platform {

struct Platform {
  WindowApi& windows;
  SystemApi& system;
  DialogApi& dialogs;
};

}  // namespace platform

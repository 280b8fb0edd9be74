#pragma once
// Everything a step handler reaches: the platform, the main window's controls, the image
// search and the shared state.
#include <string_view>

#include "imaging/image_finder.h"
#include "platform/platform.h"
#include "workflow/form.h"
#include "workflow/workflow_state.h"

namespace workflow {

struct StepContext {
  platform::Platform& platform;
  Form& form;
  imaging::ImageFinder& finder;
  WorkflowState& state;
  std::string_view bannerPicture;  // PNG file bytes for the banner after a read
};

}  // namespace workflow

#pragma once
// 图片框2, the refresh picture (and the end of a read and of a confirm): which of the nine
// microcodes CoffeeTime's loaded window shows, listed in the form.
#include <cstdint>
#include <vector>

#include "workflow/step_context.h"

namespace workflow {

// The refresh picture: reloads the labels folder's pictures and lists the microcodes again.
void DetectMicrocodes(StepContext& ctx);

struct DetectionResult {
  int rows = 0;               // microcodes listed
  std::vector<uint32_t> listed;  // their CPUIDs, in list order
  bool windowUnseen = false;  // the window could not be captured at all
};
// Fills the list from the labels found in CoffeeTime's loaded window.
DetectionResult DetectMicrocodeList(StepContext& ctx);

}  // namespace workflow

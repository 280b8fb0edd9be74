#pragma once
// The nine microcodes the form offers, one record each: the form's check box, CoffeeTime's
// cell and the stored pictures of its label; and what several steps do with all nine.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/label_templates.h"
#include "workflow/coffee_time_ui.h"
#include "workflow/step_context.h"

namespace workflow {

struct MicrocodeSlot {
  std::string_view cpuid;             // as the list and the status box write it
  uint32_t value = 0;                 // the same as a number
  std::string checkBox;               // the form's check box: "W" and the CPUID
  coffee_time::MicrocodeCell cell;    // where CoffeeTime takes the tick
  imaging::MicrocodeLabel pictures;   // the stored pictures of its label
};

// In the order the detection tries them (CoffeeTime's cell table's order).
const std::array<MicrocodeSlot, 9>& MicrocodeSlots();

// The slot of a check box of the form; the first slot for a name that is none.
const MicrocodeSlot& SlotOfCheckBox(std::string_view checkBox);

// Enables or disables the nine check boxes, in the order the unlock enables them (start-up,
// a confirm and a read that cannot go on disable them).
void SetCheckBoxesDisabled(StepContext& ctx, bool disabled);

// The CPUIDs a made image must hold: those the last confirm applied and those ticked now, in
// table order.
std::vector<uint32_t> WantedMicrocodes(StepContext& ctx);

}  // namespace workflow

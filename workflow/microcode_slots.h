#pragma once
// The nine microcodes the form offers, one record each: the form's check box, CoffeeTime's
// cell and the stored pictures of its label.
#include <array>
#include <string>
#include <string_view>

#include "imaging/label_templates.h"
#include "workflow/coffee_time_ui.h"

namespace workflow {

struct MicrocodeSlot {
  std::string_view cpuid;             // as the list and the status box write it
  std::string checkBox;               // the form's check box: "W" and the CPUID
  coffee_time::MicrocodeCell cell;    // where CoffeeTime takes the tick
  imaging::MicrocodeLabel pictures;   // the stored pictures of its label
};

// In the order the detection tries them (CoffeeTime's cell table's order).
const std::array<MicrocodeSlot, 9>& MicrocodeSlots();

// The slot of a check box of the form; the first slot for a name that is none.
const MicrocodeSlot& SlotOfCheckBox(std::string_view checkBox);

}  // namespace workflow

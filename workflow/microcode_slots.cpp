#include "workflow/microcode_slots.h"

#include <string>
#include <utility>

namespace workflow {

namespace {

// The stored pictures of the label that reads `cpuid` (none when there is no such label).
imaging::MicrocodeLabel PicturesOf(std::string_view cpuid) {
  for (const imaging::MicrocodeLabel& label : imaging::MicrocodeLabels()) {
    if (label.cpuid == cpuid) return label;
  }
  return {cpuid, {}, {}};
}

std::array<MicrocodeSlot, 9> MakeSlots() {
  std::array<MicrocodeSlot, 9> slots;
  for (size_t i = 0; i < slots.size(); ++i) {
    const coffee_time::MicrocodeCell& cell = coffee_time::kMicrocodeCells[i];
    std::string checkBox = "W";
    checkBox.append(cell.cpuid);
    slots[i] = {cell.cpuid, std::move(checkBox), cell, PicturesOf(cell.cpuid)};
  }
  return slots;
}

}  // namespace

const std::array<MicrocodeSlot, 9>& MicrocodeSlots() {
  static const std::array<MicrocodeSlot, 9> slots = MakeSlots();
  return slots;
}

const MicrocodeSlot& SlotOfCheckBox(std::string_view checkBox) {
  for (const MicrocodeSlot& slot : MicrocodeSlots()) {
    if (slot.checkBox == checkBox) return slot;
  }
  return MicrocodeSlots()[0];
}

}  // namespace workflow

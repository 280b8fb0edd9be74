#include "workflow/microcode_slots.h"

#include <algorithm>
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
    const auto value = static_cast<uint32_t>(std::stoul(std::string(cell.cpuid), nullptr, 16));
    slots[i] = {cell.cpuid, value, std::move(checkBox), cell, PicturesOf(cell.cpuid)};
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

void SetCheckBoxesDisabled(StepContext& ctx, bool disabled) {
  static constexpr std::array<std::string_view, 9> kToggleOrder = {
      "W506E0", "W506E8", "W506E3", "W506E1", "W906ED", "W906EC", "W906EB", "W906EA", "W906E9"};
  for (std::string_view box : kToggleOrder) ctx.form.SetDisabled(box, disabled);
}

std::vector<uint32_t> WantedMicrocodes(StepContext& ctx) {
  const std::vector<uint32_t>& applied = ctx.state.appliedMicrocodes;
  std::vector<uint32_t> wanted;
  for (const MicrocodeSlot& slot : MicrocodeSlots()) {
    const bool wasApplied = std::find(applied.begin(), applied.end(), slot.value) != applied.end();
    if (wasApplied || ctx.form.IsChecked(slot.checkBox)) wanted.push_back(slot.value);
  }
  return wanted;
}

}  // namespace workflow

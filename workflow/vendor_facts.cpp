#include "workflow/vendor_facts.h"

namespace workflow {

std::vector<uint32_t> VendorCpuids(const WorkflowState& state) {
  std::vector<uint32_t> cpuids;
  if (!state.vendorFacts) return cpuids;
  for (const firmware::MicrocodeEntry& entry : firmware::DistinctMicrocodes(*state.vendorFacts)) {
    cpuids.push_back(entry.cpuid);
  }
  return cpuids;
}

std::vector<uint32_t> VendorFitCpuids(const WorkflowState& state) {
  return state.vendorFacts ? firmware::FitCpuids(*state.vendorFacts) : std::vector<uint32_t>{};
}

std::optional<bool> VendorHapBit(const WorkflowState& state) {
  if (!state.vendorFacts || !state.vendorFacts->descriptorOffset) return std::nullopt;
  return state.vendorFacts->hapSet;
}

}  // namespace workflow

#include "workflow/vendor_facts.h"

namespace workflow {

std::vector<uint32_t> VendorCpuids(const WorkflowState& state) {
  return state.vendorFacts ? firmware::DistinctCpuids(*state.vendorFacts) : std::vector<uint32_t>{};
}

std::vector<uint32_t> VendorFitCpuids(const WorkflowState& state) {
  return state.vendorFacts ? firmware::FitCpuids(*state.vendorFacts) : std::vector<uint32_t>{};
}

std::optional<bool> VendorHapBit(const WorkflowState& state) {
  if (!state.vendorFacts || !state.vendorFacts->descriptorOffset) return std::nullopt;
  return state.vendorFacts->hapSet;
}

}  // namespace workflow

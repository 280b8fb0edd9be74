#pragma once
// What the vendor file holds, as the steps ask it, from the facts read after "打开". Numbers
// until a line is written.
#include <cstdint>
#include <optional>
#include <vector>

#include "workflow/workflow_state.h"

namespace workflow {

// Each CPUID of its valid updates once, in file order; empty while unread.
std::vector<uint32_t> VendorCpuids(const WorkflowState& state);

// The CPUIDs its FIT lists; empty while unread or without a FIT.
std::vector<uint32_t> VendorFitCpuids(const WorkflowState& state);

// Its ME-disable strap when it has a descriptor: the file's word on the ME state, which
// outranks what the patcher's window seems to show.
std::optional<bool> VendorHapBit(const WorkflowState& state);

}  // namespace workflow

#include "standins/coffeetime/patcher_edits.h"

namespace standin {

void FlashReplacementMe(Bytes& image, FaultMode fault) {
  if (fault == FaultMode::kKeepOldMe) return;
  const ParseResult parsed = ParseImage(image);
  if (parsed.ok()) SetMeState(image, kReplacementMe, parsed.summary.meEnabled);
}

bool SwitchMeOff(Bytes& image, FaultMode fault) {
  if (fault == FaultMode::kStuckMeSwitch) return false;
  const ParseResult parsed = ParseImage(image);
  return parsed.ok() && parsed.summary.meEnabled && SetMeState(image, parsed.summary.me, false);
}

int ApplyMicrocodes(Bytes& image, const std::vector<uint32_t>& applied, uint32_t lastTicked,
                    FaultMode fault) {
  const FitListing fit = fault == FaultMode::kStaleFit ? FitListing::kKeep : FitListing::kRelist;
  int added = 0;
  for (uint32_t cpuid : applied) {
    if (fault == FaultMode::kDropMicrocode && cpuid == lastTicked) {
      ++added;  // claimed, never written
      continue;
    }
    added += AddMicrocode(image, cpuid, fit) == AddResult::kAdded;
  }
  return added;
}

}  // namespace standin

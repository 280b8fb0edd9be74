#include "standins/coffeetime/patcher_edits.h"

#include "standins/image_format/volume_edits.h"

namespace standin {

void FlashReplacementMe(Bytes& image, FaultModes faults) {
  if (faults.Has(FaultMode::kKeepOldMe)) return;
  const ParseResult parsed = ParseImage(image);
  if (parsed.ok()) SetMeState(image, kReplacementMe, parsed.summary.meEnabled);
}

bool SwitchMeOff(Bytes& image, FaultModes faults) {
  if (faults.Has(FaultMode::kStuckMeSwitch)) return false;
  const ParseResult parsed = ParseImage(image);
  return parsed.ok() && parsed.summary.meEnabled && SetMeState(image, parsed.summary.me, false);
}

int ApplyMicrocodes(Bytes& image, const std::vector<uint32_t>& applied, uint32_t lastTicked,
                    FaultModes faults) {
  const FitListing fit = faults.Has(FaultMode::kStaleFit) ? FitListing::kKeep : FitListing::kRelist;
  int added = 0;
  for (uint32_t cpuid : applied) {
    if (faults.Has(FaultMode::kDropMicrocode) && cpuid == lastTicked) {
      ++added;  // claimed, never written
      continue;
    }
    added += AddMicrocode(image, cpuid, fit) == AddResult::kAdded;
  }
  return added;
}

Bytes ImageToSave(const Bytes& image, FaultModes faults) {
  Bytes saved = image;
  if (faults.Has(FaultMode::kLoseMac)) SetMacAddress(saved, kLostMac);
  if (faults.Has(FaultMode::kDropFile)) RemoveCodeFile(saved, kDroppedCodeFile);
  if (faults.Has(FaultMode::kResetSettings)) EraseSettingsStore(saved);
  if (faults.Has(FaultMode::kMoveFiles)) ReverseCodeFiles(saved);
  return saved;
}

}  // namespace standin

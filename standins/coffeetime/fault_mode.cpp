#include "standins/coffeetime/fault_mode.h"

#include <array>
#include <utility>

namespace standin {

namespace {

constexpr std::array<std::pair<FaultMode, std::string_view>, 13> kNames{{
    {FaultMode::kNone, ""},
    {FaultMode::kRejectAll, "reject-all"},
    {FaultMode::kNeverFinishLoad, "never-finish-load"},
    {FaultMode::kHangFlash, "hang-flash"},
    {FaultMode::kNoSaveDialog, "no-save-dialog"},
    {FaultMode::kLateWrite, "late-write"},
    {FaultMode::kExitAbruptly, "exit-abruptly"},
    {FaultMode::kDropMicrocode, "drop-microcode"},
    {FaultMode::kKeepOldMe, "keep-old-me"},
    {FaultMode::kLatePaint, "late-paint"},
    {FaultMode::kOwnArt, "own-art"},
    {FaultMode::kStuckMeSwitch, "stuck-me-switch"},
    {FaultMode::kStaleFit, "stale-fit"},
}};

}  // namespace

FaultMode ParseFaultMode(std::string_view name) {
  for (const auto& [mode, text] : kNames) {
    if (!text.empty() && text == name) return mode;
  }
  return FaultMode::kNone;
}

std::string_view FaultModeName(FaultMode mode) {
  for (const auto& [m, text] : kNames) {
    if (m == mode) return text;
  }
  return "";
}

}  // namespace standin

#include "standins/coffeetime/fault_mode.h"

#include <array>
#include <utility>

namespace standin {

namespace {

constexpr std::array<std::pair<FaultMode, std::string_view>, 17> kNames{{
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
    {FaultMode::kLoseMac, "lose-mac"},
    {FaultMode::kDropFile, "drop-file"},
    {FaultMode::kResetSettings, "reset-settings"},
    {FaultMode::kMoveFiles, "move-files"},
}};
static_assert(kNames.size() <= 32, "FaultModes holds one bit per mode");

}  // namespace

FaultMode ParseFaultMode(std::string_view name) {
  for (const auto& [mode, text] : kNames) {
    if (!text.empty() && text == name) return mode;
  }
  return FaultMode::kNone;
}

FaultModes ParseFaultModes(std::string_view names) {
  FaultModes modes;
  while (!names.empty()) {
    const size_t comma = names.find(',');
    const FaultMode mode = ParseFaultMode(names.substr(0, comma));
    if (mode != FaultMode::kNone) modes.bits |= 1u << int(mode);
    names = comma == std::string_view::npos ? std::string_view{} : names.substr(comma + 1);
  }
  return modes;
}

std::string_view FaultModeName(FaultMode mode) {
  for (const auto& [m, text] : kNames) {
    if (m == mode) return text;
  }
  return "";
}

}  // namespace standin

#pragma once
// What the patcher's ME flash, ME switch and microcode apply do to the loaded image, and what
// its save writes, the faults it can be told to show included. The window carries these out
// and redraws.
#include <cstdint>
#include <vector>

#include "standins/coffeetime/fault_mode.h"
#include "standins/image_format/bios_image.h"
#include "standins/image_format/gbe_region.h"

namespace standin {

// Writes the replacement ME version and keeps the ME state; keep-old-me leaves the image.
void FlashReplacementMe(Bytes& image, FaultModes faults);

// Switches the ME off; false when it was already off (or the image does not parse) and, under
// stuck-me-switch, always, the image left as it was.
bool SwitchMeOff(Bytes& image, FaultModes faults);

// Adds an update for each of `applied` and relists the FIT; drop-microcode leaves out
// `lastTicked`, stale-fit leaves the FIT as it was. The count the window reports: every CPUID
// that was added or, under drop-microcode, would have been.
int ApplyMicrocodes(Bytes& image, const std::vector<uint32_t>& applied, uint32_t lastTicked,
                    FaultModes faults);

// The MAC address lose-mac writes.
constexpr MacAddress kLostMac{0x02, 0x53, 0x54, 0x4E, 0x44, 0xEE};
// The code file drop-file leaves out (0 the first).
constexpr size_t kDroppedCodeFile = 2;

// The bytes the save writes: the loaded image, or a copy with what lose-mac, drop-file,
// reset-settings and move-files do to it.
Bytes ImageToSave(const Bytes& image, FaultModes faults);

}  // namespace standin

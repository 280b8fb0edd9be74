#pragma once
// The firmware volumes of the stand-in's BIOS region besides the microcode volume: the settings
// store and the code volume. Their contents are synthetic (no real variables, no real code) but
// laid out as real ones are.
#include <cstddef>
#include <cstdint>
#include <span>

#include "standins/image_format/guid.h"

namespace standin {

// The code volume's name, in its extended header.
constexpr Guid kCodeVolumeName = StandInGuid(0x20);

// A volume of kSettingsStoreSize bytes at `at`: its header, then a variable store; the rest 0xFF.
void WriteSettingsStore(std::span<uint8_t> image, size_t at);

// A volume of kCodeVolumeSize bytes at `at`: its header and extended header, the six code files,
// a pad file, and the volume top file in its last kVolumeTopFileSize bytes, whose FIT pointer
// is left 0 for the FIT's writer.
void WriteCodeVolume(std::span<uint8_t> image, size_t at);

}  // namespace standin

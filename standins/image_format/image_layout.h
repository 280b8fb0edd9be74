#pragma once
// Offsets and constants of the stand-in patcher's image format (see README.md in this folder).
// All integers in the file are little-endian.
#include <cstddef>
#include <cstdint>

namespace standin {

constexpr uint32_t kDescriptorSignature = 0x0FF0A55Au;
constexpr size_t kSignatureOffset = 0x10;
constexpr size_t kLayoutVersionOffset = 0x14;
constexpr size_t kMeRegionOffsetField = 0x18;
constexpr size_t kMeRegionSizeField = 0x1C;
constexpr size_t kMicrocodeRegionOffsetField = 0x20;
constexpr size_t kMicrocodeRegionSizeField = 0x24;
constexpr size_t kDescriptorSize = 0x1000;  // regions start at or after this
constexpr uint32_t kLayoutVersion = 1;

// ME region: "$FPT", then major, minor, hotfix, build (16 bits each), then a flags word.
constexpr char kMeTag[4] = {'$', 'F', 'P', 'T'};
constexpr size_t kMeVersionOffset = 4;
constexpr size_t kMeFlagsOffset = 12;
constexpr size_t kMeHeaderSize = 16;
constexpr uint32_t kMeEnabledFlag = 1;

// Microcode updates: the standard 48-byte update header, then the update data.
constexpr size_t kUpdateHeaderSize = 48;
constexpr size_t kUpdateHeaderVersionOffset = 0;
constexpr size_t kUpdateRevisionOffset = 4;
constexpr size_t kUpdateDateOffset = 8;
constexpr size_t kUpdateSignatureOffset = 12;  // processor signature: the CPUID
constexpr size_t kUpdateChecksumOffset = 16;
constexpr size_t kUpdateLoaderRevisionOffset = 20;
constexpr size_t kUpdateFlagsOffset = 24;
constexpr size_t kUpdateDataSizeOffset = 28;
constexpr size_t kUpdateTotalSizeOffset = 32;
constexpr size_t kUpdateTotalSizeUnit = 1024;
constexpr uint32_t kFreeSpaceWord = 0xFFFFFFFFu;  // first word of an unused slot

// Images above this size are refused before they are read.
constexpr size_t kMaxImageSize = 64u * 1024u * 1024u;

}  // namespace standin

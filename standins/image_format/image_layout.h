#pragma once
// Offsets and constants of the images the stand-in patcher reads and writes (see README.md in
// this folder). All integers in the file are little-endian.
#include <cstddef>
#include <cstdint>

#include "standins/image_format/guid.h"

namespace standin {

// Images above this size are refused before they are read.
constexpr size_t kMaxImageSize = 64u * 1024u * 1024u;

// Flash descriptor: at file offset 0, or behind a capsule header. Region addresses count from
// the descriptor's start.
constexpr uint32_t kDescriptorSignature = 0x0FF0A55Au;
constexpr size_t kSignatureOffset = 0x10;
constexpr size_t kFlmap0Offset = 0x14;
constexpr size_t kFlmap1Offset = 0x18;
constexpr size_t kDescriptorSize = 0x1000;  // region 0; the other regions start after it
constexpr size_t kCapsuleHeaderSize = 0x800;

// FLMAP0 written by the builder: component base 0x30, region base (FRBA) 0x40.
constexpr uint32_t kFlmap0 = 0x00040003u;
constexpr size_t kRegionBaseField = 16;  // FRBA is FLMAP0 bits 16..23, in units of 16 bytes
// FLREGn: base >> 12 in bits 0..14, limit >> 12 in bits 16..30; base above limit = unused.
constexpr uint32_t kUnusedRegion = 0x00007FFFu;
constexpr int kDescriptorRegion = 0;
constexpr int kBiosRegion = 1;
constexpr int kMeRegion = 2;
constexpr int kGbeRegion = 3;
constexpr int kWrittenRegions = 10;  // FLREG0..9; the builder marks 4..9 unused

// PCH straps: FLMAP1 bits 16..23 give their base (FPSBA) in units of 16 bytes, bits 24..31
// their count (PSL) in dwords. The table lies inside the descriptor.
constexpr size_t kStrapBaseField = 16;
constexpr size_t kStrapLengthField = 24;
// FLMAP1 written by the builder: master base 0x80 (two masters, not written), FPSBA 0x100,
// PSL 18; the straps lie well after FLREG0..9.
constexpr uint32_t kFlmap1 = 0x12100208u;
// PCHSTRP0 bit 16, HAP: set = the ME is switched off after bring-up; clear = the ME runs.
constexpr uint32_t kHapBit = 1u << 16;

// ME region: a $FPT partition table at its start.
constexpr char kFptTag[4] = {'$', 'F', 'P', 'T'};
constexpr size_t kFptCountOffset = 4;
constexpr size_t kFptHeaderVersionOffset = 8;
constexpr size_t kFptEntryVersionOffset = 9;
constexpr size_t kFptHeaderLengthOffset = 0xA;
constexpr size_t kFptChecksumOffset = 0xB;  // the header's bytes sum to 0 (mod 256)
constexpr uint8_t kFptHeaderLength = 0x20;
constexpr size_t kFptEntrySize = 32;
constexpr size_t kFptEntryOffsetField = 8;  // partition offset from the ME region's start
constexpr size_t kFptEntryLengthField = 12;

// FTPR: a $CPD directory at the partition's start whose entry "FTPR.man" is the manifest.
constexpr char kCodePartition[4] = {'F', 'T', 'P', 'R'};
constexpr char kCpdTag[4] = {'$', 'C', 'P', 'D'};
constexpr size_t kCpdCountOffset = 4;
constexpr size_t kCpdHeaderLengthOffset = 0xA;
constexpr size_t kCpdChecksumOffset = 0xB;
constexpr size_t kCpdNameOffset = 0xC;
constexpr uint8_t kCpdHeaderLength = 0x10;
constexpr size_t kCpdEntrySize = 24;
constexpr size_t kCpdEntryNameSize = 12;
constexpr size_t kCpdEntryOffsetField = 12;  // from the partition's start, bits 0..24
constexpr uint32_t kCpdOffsetMask = 0x01FFFFFFu;
constexpr size_t kCpdEntryLengthField = 16;
constexpr char kManifestEntry[] = "FTPR.man";

// CSE manifest header.
constexpr char kManifestTag[4] = {'$', 'M', 'N', '2'};
constexpr size_t kManifestTagOffset = 0x1C;
constexpr size_t kManifestVendorOffset = 0x10;  // the tag's offset − 12
constexpr uint32_t kIntelVendor = 0x8086u;
constexpr size_t kManifestVersionOffset = 0x24;  // major, minor, hotfix, build: 16 bits each
constexpr size_t kManifestHeaderSize = 0x284;    // header, key and signature

// GbE region (region 3): the network controller's settings in its first 4 KiB bank, the MAC
// address in its first 6 bytes and a checksum word making 16-bit words 0..0x3F sum to 0xBABA.
constexpr size_t kGbeRegionSize = 0x2000;
constexpr size_t kMacAddressSize = 6;
constexpr size_t kGbeChecksumWord = 0x3F;
constexpr uint16_t kGbeWordSum = 0xBABA;

// BIOS region: firmware volumes (firmware_volume.h). At its start the microcode volume, whose
// raw file named kMicrocodeFile holds the FIT area and after it the updates, one after the
// other; the file ends after the last one and grows into the volume's free space.
constexpr Guid kMicrocodeFile = StandInGuid(0x01);
constexpr size_t kFitAreaSize = 0xFA0;  // the file's first data bytes: kFitCapacity entries
// The settings store: a volume of the NV-data file system holding a variable store.
constexpr size_t kSettingsStoreInBios = 0x60000;
constexpr size_t kSettingsStoreSize = 0x20000;
// The code volume fills the region's last MiB: code files, a pad file, and the volume top file
// in the last 4 KiB, which holds the FIT pointer.
constexpr size_t kCodeVolumeSize = 0x100000;
constexpr size_t kVolumeTopFileSize = 0x1000;

// The Firmware Interface Table: its pointer 0x40 below the BIOS region's end, the table itself
// in the microcode file's FIT area; the Boot Guard entries of a recipe that asks for them point
// at blocks of 0xFF (no real ACM or manifests) in the code volume's pad file.
constexpr size_t kFitPointerBelowBiosEnd = 0x40;
constexpr size_t kFitCapacity = 250;  // entries of 16 bytes, the header included
constexpr size_t kStartupAcmBelowBiosEnd = 0x40000;
constexpr size_t kKeyManifestBelowBiosEnd = 0x30000;
constexpr size_t kBootPolicyBelowBiosEnd = 0x20000;

// Microcode updates: Intel's 48-byte update header, the update data, and optionally the
// extended signature table.
constexpr size_t kUpdateHeaderSize = 48;
constexpr size_t kUpdateHeaderVersionOffset = 0;
constexpr size_t kUpdateRevisionOffset = 4;
constexpr size_t kUpdateDateOffset = 8;  // BCD mmddyyyy
constexpr size_t kUpdateSignatureOffset = 12;  // processor signature: the CPUID
constexpr size_t kUpdateChecksumOffset = 16;
constexpr size_t kUpdateLoaderRevisionOffset = 20;
constexpr size_t kUpdateFlagsOffset = 24;
constexpr size_t kUpdateDataSizeOffset = 28;
constexpr size_t kUpdateTotalSizeOffset = 32;
constexpr size_t kUpdateTotalSizeUnit = 1024;

// Extended signature table: count, checksum, 12 reserved bytes, then 12-byte entries.
constexpr size_t kExtendedHeaderSize = 20;
constexpr size_t kExtendedChecksumOffset = 4;
constexpr size_t kExtendedEntrySize = 12;
constexpr size_t kExtendedFlagsField = 4;
constexpr size_t kExtendedChecksumField = 8;

}  // namespace standin

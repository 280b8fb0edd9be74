#pragma once
// Firmware images for tests, benchmarks and fuzzer seeds, written word by word into a byte
// vector: flash descriptors, CSE manifests, partition tables, microcode updates with a
// correct checksum, Firmware Interface Tables, firmware volumes and their files. Header-only so that the benchmark and the fuzz build can use it too.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "firmware/image_facts.h"

namespace firmware_test {

class ImageBuilder {
 public:
  explicit ImageBuilder(size_t size, uint8_t fill = 0xFF) : bytes_(size, fill) {}

  ImageBuilder& U16(size_t at, uint16_t v) {
    bytes_.at(at + 1);
    bytes_[at] = static_cast<uint8_t>(v);
    bytes_[at + 1] = static_cast<uint8_t>(v >> 8);
    return *this;
  }
  ImageBuilder& U32(size_t at, uint32_t v) {
    U16(at, static_cast<uint16_t>(v));
    return U16(at + 2, static_cast<uint16_t>(v >> 16));
  }
  ImageBuilder& Text(size_t at, std::string_view text) {
    bytes_.at(at + text.size() - 1);
    std::memcpy(bytes_.data() + at, text.data(), text.size());
    return *this;
  }
  uint32_t Word(size_t at) const {
    return uint32_t{bytes_.at(at)} | uint32_t{bytes_.at(at + 1)} << 8 |
           uint32_t{bytes_.at(at + 2)} << 16 | uint32_t{bytes_.at(at + 3)} << 24;
  }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// FLREG word of a region [base, limit]; base and limit as byte addresses from the descriptor.
constexpr uint32_t Flreg(uint32_t base, uint32_t limit) {
  return ((limit >> 12) & 0x7FFF) << 16 | ((base >> 12) & 0x7FFF);
}
constexpr uint32_t kUnusedFlreg = 0x00007FFF;  // base 0x7FFF000 above limit 0xFFF
constexpr size_t kRegionTableAt = 0x40;        // FRBA the builder writes
constexpr size_t kPchStrapsAt = 0x100;         // FPSBA the builder writes
constexpr uint32_t kHapBit = 1u << 16;         // of PCHSTRP0

// A descriptor starting at `at`: signature at +0x10, FLMAP0 with FRBA 0x40, FLMAP1 with FPSBA
// 0x100, the FLREG words, and PCHSTRP0 with HAP as given.
inline void PutDescriptor(ImageBuilder& image, size_t at, const std::vector<uint32_t>& flregs,
                          bool hapSet = false) {
  image.U32(at + 0x10, 0x0FF0A55A).U32(at + 0x14, uint32_t{kRegionTableAt >> 4} << 16);
  image.U32(at + 0x18, uint32_t{kPchStrapsAt >> 4} << 16);
  image.U32(at + kPchStrapsAt, hapSet ? kHapBit : 0);
  for (size_t i = 0; i < flregs.size(); ++i) image.U32(at + kRegionTableAt + 4 * i, flregs[i]);
}

// A CSE manifest tag at `tag`: the vendor word 12 bytes before it, the version 8 after.
inline void PutManifest(ImageBuilder& image, size_t tag, firmware::MeVersion version,
                        uint32_t vendor = 0x8086) {
  image.U32(tag - 12, vendor).Text(tag, "$MN2");
  image.U16(tag + 8, version.major).U16(tag + 10, version.minor);
  image.U16(tag + 12, version.hotfix).U16(tag + 14, version.build);
}

struct Partition {
  std::string_view name;  // four characters
  uint32_t offset = 0;    // from the region's start
  uint32_t length = 0;
};
// A partition table whose "$FPT" marker is at `marker`, entries 0x20 bytes behind it; the
// header's checksum byte makes its 0x20 bytes sum to 0.
inline void PutPartitionTable(ImageBuilder& image, size_t marker, const std::vector<Partition>& entries) {
  constexpr uint8_t kHeaderLength = 0x20;
  std::fill_n(image.bytes().begin() + static_cast<std::ptrdiff_t>(marker), kHeaderLength, uint8_t{0});
  image.Text(marker, "$FPT").U32(marker + 4, static_cast<uint32_t>(entries.size()));
  image.bytes().at(marker + 8) = 0x20;  // header version
  image.bytes().at(marker + 9) = 0x10;  // entry version
  image.bytes().at(marker + 0xA) = kHeaderLength;
  uint8_t sum = 0;
  for (size_t i = 0; i < kHeaderLength; ++i) sum = static_cast<uint8_t>(sum + image.bytes()[marker + i]);
  image.bytes().at(marker + 0xB) = static_cast<uint8_t>(0 - sum);
  for (size_t i = 0; i < entries.size(); ++i) {
    const size_t entry = marker + kHeaderLength + 32 * i;
    image.Text(entry, entries[i].name).U32(entry + 8, entries[i].offset).U32(entry + 12, entries[i].length);
  }
}

struct Update {
  uint32_t revision = 0xB4;
  uint32_t date = 0x02282019;  // BCD mmddyyyy
  uint32_t cpuid = 0x906EA;
  uint32_t dataSize = 1024 - 48;  // as stored: 0 means 2000
  uint32_t totalSize = 1024;      // as stored: 0 means 2048
  std::vector<uint32_t> extended = {};  // when given, a table of these follows the data
  uint32_t headerVersion = 1;
  uint32_t loaderRevision = 1;
};

// Sets the checksum word of the update at `at` so that the words of `total` bytes (as many of
// them as the image holds) sum to 0.
inline void FixChecksum(ImageBuilder& image, size_t at, uint64_t total) {
  image.U32(at + 16, 0);
  uint32_t sum = 0;
  for (uint64_t i = 0; i < total && at + i + 4 <= image.bytes().size(); i += 4) sum += image.Word(at + i);
  image.U32(at + 16, 0u - sum);
}

// Writes the update's header (and extended table) at `at` and sets the checksum so that the
// words of its total size sum to 0; the data bytes are whatever the image holds there.
inline void PutMicrocode(ImageBuilder& image, size_t at, const Update& u) {
  const uint32_t data = u.dataSize == 0 ? 2000 : u.dataSize;
  const uint32_t total = u.totalSize == 0 ? 2048 : u.totalSize;
  image.U32(at, u.headerVersion).U32(at + 4, u.revision).U32(at + 8, u.date).U32(at + 12, u.cpuid);
  image.U32(at + 16, 0).U32(at + 20, u.loaderRevision).U32(at + 24, 0x2);
  image.U32(at + 28, u.dataSize).U32(at + 32, u.totalSize);
  for (size_t i = 36; i < 48; i += 4) image.U32(at + i, 0);
  if (!u.extended.empty()) {
    const size_t table = at + 48 + data;
    image.U32(table, static_cast<uint32_t>(u.extended.size()));
    for (size_t i = 4; i < 20; i += 4) image.U32(table + i, 0);
    for (size_t i = 0; i < u.extended.size(); ++i) {
      image.U32(table + 20 + 12 * i, u.extended[i]).U32(table + 24 + 12 * i, 0x2).U32(table + 28 + 12 * i, 0);
    }
  }
  FixChecksum(image, at, total);
}

// The physical address of file offset `offset` when the BIOS region ends at file offset `top`,
// which sits at 4 GiB.
constexpr uint64_t FitAddress(size_t top, size_t offset) { return (uint64_t{1} << 32) - (top - offset); }

struct FitEntry {
  uint64_t address = 0;
  uint8_t type = 1;  // byte 14 as written: microcode 1, startup ACM 2, key manifest 0x0B, boot policy 0x0C
};

// A FIT at file offset `at`: the "_FIT_   " header whose count is `count` (0: the entries and
// the header), then the entries; and the pointer to it at `top` - 0x40.
inline void PutFit(ImageBuilder& image, size_t top, size_t at, const std::vector<FitEntry>& entries,
                   uint32_t count = 0) {
  const uint32_t written = count != 0 ? count : static_cast<uint32_t>(entries.size() + 1);
  image.Text(at, "_FIT_   ").U32(at + 8, written & 0xFFFFFF).U32(at + 12, 0x0100);
  for (size_t i = 0; i < entries.size(); ++i) {
    const size_t entry = at + 16 * (i + 1);
    image.U32(entry, static_cast<uint32_t>(entries[i].address)).U32(entry + 4, static_cast<uint32_t>(entries[i].address >> 32));
    image.U32(entry + 8, 0).U32(entry + 12, 0x0100u | uint32_t{entries[i].type} << 16);
  }
  image.U32(top - 0x40, static_cast<uint32_t>(FitAddress(top, at)));
}

// A GUID as stored: the first three fields little-endian.
inline std::array<uint8_t, 16> GuidBytes(uint32_t a, uint16_t b, uint16_t c, uint64_t d) {
  std::array<uint8_t, 16> bytes{};
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(a >> (8 * i));
  for (int i = 0; i < 2; ++i) bytes[4 + i] = static_cast<uint8_t>(b >> (8 * i));
  for (int i = 0; i < 2; ++i) bytes[6 + i] = static_cast<uint8_t>(c >> (8 * i));
  for (int i = 0; i < 8; ++i) bytes[8 + i] = static_cast<uint8_t>(d >> (8 * (7 - i)));
  return bytes;
}
inline const std::array<uint8_t, 16> kFfs2Guid = GuidBytes(0x8C8CE578, 0x8A3D, 0x4F1C, 0x9935896185C32DD3);
inline const std::array<uint8_t, 16> kFfs3Guid = GuidBytes(0x5473C07A, 0x3DCB, 0x4DCA, 0xBD6F1E9689E7349A);
inline const std::array<uint8_t, 16> kNvDataGuid = GuidBytes(0xFFF12B8D, 0x7696, 0x4C8B, 0xA9852747075B4F50);

struct Volume {
  std::array<uint8_t, 16> fileSystem = kFfs2Guid;
  uint64_t length = 0x10000;
  uint16_t headerLength = 0x48;
  uint16_t extHeaderOffset = 0;  // when set, an extended header of `extHeaderSize` bytes is written there
  uint32_t extHeaderSize = 0x14;
};

// A firmware volume header at `at` with a block map of 4 KiB blocks and a right checksum.
inline void PutVolume(ImageBuilder& image, size_t at, const Volume& v) {
  std::fill_n(image.bytes().begin() + static_cast<std::ptrdiff_t>(at), v.headerLength, uint8_t{0});
  std::memcpy(image.bytes().data() + at + 0x10, v.fileSystem.data(), 16);
  image.U32(at + 0x20, static_cast<uint32_t>(v.length)).U32(at + 0x24, static_cast<uint32_t>(v.length >> 32));
  image.Text(at + 0x28, "_FVH").U32(at + 0x2C, 0x0004FEFF).U16(at + 0x30, v.headerLength);
  image.U16(at + 0x34, v.extHeaderOffset).bytes().at(at + 0x37) = 2;
  image.U32(at + 0x38, static_cast<uint32_t>(v.length / 0x1000)).U32(at + 0x3C, 0x1000);
  uint16_t sum = 0;
  for (size_t i = 0; i < v.headerLength; i += 2) sum = static_cast<uint16_t>(sum + image.bytes()[at + i] + (image.bytes()[at + i + 1] << 8));
  image.U16(at + 0x32, static_cast<uint16_t>(0 - sum));
  if (v.extHeaderOffset != 0) image.U32(at + v.extHeaderOffset + 0x10, v.extHeaderSize);
}

struct File {
  std::array<uint8_t, 16> name{};
  uint8_t type = 0x07;
  uint64_t size = 0x100;  // header included
  bool large = false;     // attribute 0x01: a 32-byte header with a 64-bit size
  uint8_t fill = 0x5A;    // every byte after the header
};

// A file header at `at`, its data filled with `fill`; returns where the next file goes.
inline size_t PutFile(ImageBuilder& image, size_t at, const File& f) {
  const size_t header = f.large ? 32 : 24;
  std::memcpy(image.bytes().data() + at, f.name.data(), 16);
  image.U16(at + 0x10, 0xAAAA);
  image.bytes().at(at + 0x12) = f.type;
  image.bytes().at(at + 0x13) = f.large ? 0x01 : 0x00;
  const uint32_t small = f.large ? 0 : static_cast<uint32_t>(f.size);
  image.U16(at + 0x14, static_cast<uint16_t>(small)).bytes().at(at + 0x16) = static_cast<uint8_t>(small >> 16);
  image.bytes().at(at + 0x17) = 0xF8;
  if (f.large) image.U32(at + 24, static_cast<uint32_t>(f.size)).U32(at + 28, static_cast<uint32_t>(f.size >> 32));
  std::fill_n(image.bytes().begin() + static_cast<std::ptrdiff_t>(at + header), f.size - header, f.fill);
  return (at + f.size + 7) / 8 * 8;
}

}  // namespace firmware_test

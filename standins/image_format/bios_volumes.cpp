#include "standins/image_format/bios_volumes.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "standins/image_format/firmware_volume.h"
#include "standins/image_format/image_layout.h"
#include "standins/image_format/synthetic_bytes.h"

namespace standin {

namespace {

// The variable store: "$VSS", its size, format 0x5A, state 0xFE, 6 reserved bytes; then the
// variables, each a 32-byte header (start 0x55AA, state 0x3F, reserved, attributes, name
// size, data size, vendor GUID), its UTF-16 name and its data, at 4-byte steps.
constexpr char kStoreTag[4] = {'$', 'V', 'S', 'S'};
constexpr size_t kStoreHeaderSize = 16;
constexpr uint8_t kStoreFormatted = 0x5A;
constexpr uint8_t kStoreHealthy = 0xFE;
constexpr size_t kVariableHeaderSize = 32;
constexpr uint16_t kVariableStart = 0x55AA;
constexpr uint8_t kVariableAdded = 0x3F;
constexpr uint32_t kNvBootRuntime = 0x07;
constexpr Guid kGlobalVariables{0x8BE4DF61, 0x93CA, 0x11D2,
                                {0xAA, 0x0D, 0x00, 0xE0, 0x98, 0x03, 0x2B, 0x8C}};

struct Variable {
  std::string_view name;
  Guid vendor;
  size_t dataSize;
};

constexpr std::array<Variable, 5> kVariables{{
    {"Setup", StandInGuid(0x30), 64},
    {"BootOrder", kGlobalVariables, 4},
    {"Timeout", kGlobalVariables, 2},
    {"Lang", kGlobalVariables, 4},
    {"StandInBoard", StandInGuid(0x30), 32},
}};

struct CodeFile {
  Guid name;
  uint8_t type;
  size_t dataSize;  // some not multiples of 8, so the files after them are aligned
  bool large;       // the 32-byte header
};

constexpr std::array<CodeFile, 6> kCodeFiles{{
    {StandInGuid(0x10), kPeimFileType, 0x1A00, false},
    {StandInGuid(0x11), kDxeCoreFileType, 0x2345, false},
    {StandInGuid(0x12), kDriverFileType, 0x0F3C, false},
    {StandInGuid(0x13), kFreeformFileType, 0x3000, true},
    {StandInGuid(0x14), kDriverFileType, 0x1111, false},
    {StandInGuid(0x15), kApplicationFileType, 0x2802, false},
}};

constexpr uint32_t kCodeSeed = 0x53544E44u;
constexpr uint32_t kTopFileSeed = 0x5345435Fu;

size_t AlignTo4(size_t offset) { return (offset + 3) / 4 * 4; }

// Variable data: deterministic bytes that are never 0xFF.
void FillVariableData(std::span<uint8_t> data, size_t seed) {
  for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t((seed * 61 + i * 29) % 0xFF);
}

void WriteVariableStore(std::span<uint8_t> image, size_t at, size_t size) {
  std::copy_n(kStoreTag, 4, image.begin() + ptrdiff_t(at));
  WriteU32(image, at + 4, uint32_t(size));
  image[at + 8] = kStoreFormatted;
  image[at + 9] = kStoreHealthy;
  std::fill_n(image.begin() + ptrdiff_t(at + 10), 6, uint8_t{0});
  size_t v = at + kStoreHeaderSize;
  for (size_t n = 0; n < kVariables.size(); ++n) {
    const Variable& variable = kVariables[n];
    const size_t nameSize = 2 * (variable.name.size() + 1);
    const size_t end = v + kVariableHeaderSize + nameSize + variable.dataSize;
    std::fill(image.begin() + ptrdiff_t(v), image.begin() + ptrdiff_t(AlignTo4(end)), uint8_t{0});
    WriteU16(image, v, kVariableStart);
    image[v + 2] = kVariableAdded;
    WriteU32(image, v + 4, kNvBootRuntime);
    WriteU32(image, v + 8, uint32_t(nameSize));
    WriteU32(image, v + 12, uint32_t(variable.dataSize));
    WriteGuid(image, v + 16, variable.vendor);
    for (size_t i = 0; i < variable.name.size(); ++i) {
      image[v + kVariableHeaderSize + 2 * i] = uint8_t(variable.name[i]);
    }
    FillVariableData(image.subspan(end - variable.dataSize, variable.dataSize), n + 1);
    v = AlignTo4(end);
  }
}

}  // namespace

void WriteSettingsStore(std::span<uint8_t> image, size_t at) {
  std::fill_n(image.begin() + ptrdiff_t(at), kSettingsStoreSize, uint8_t{0xFF});
  WriteVolumeHeader(image, at, kNvDataFileSystem, kSettingsStoreSize);
  WriteVariableStore(image, at + kVolumeHeaderSize, kSettingsStoreSize - kVolumeHeaderSize);
}

void WriteCodeVolume(std::span<uint8_t> image, size_t at) {
  WriteVolumeHeader(image, at, kFfs3FileSystem, kCodeVolumeSize, kCodeVolumeName);
  std::vector<Bytes> files;
  for (size_t i = 0; i < kCodeFiles.size(); ++i) {
    const CodeFile& file = kCodeFiles[i];
    Bytes data(file.dataSize);
    FillXorshift(data, kCodeSeed + uint32_t(i) * 0x9E3779B9u);
    files.push_back(MakeFile(file.name, file.type, data, file.large));
  }
  const size_t top = at + kCodeVolumeSize - kVolumeTopFileSize;
  const size_t first = at + AlignFile(kVolumeHeaderSize + kExtHeaderSize);
  LayOutFiles(image, first, top, files);

  Bytes data(kVolumeTopFileSize - kFileHeaderSize);
  FillXorshift(data, kTopFileSeed);
  const size_t pointer = data.size() - kFitPointerBelowBiosEnd;
  std::fill_n(data.begin() + ptrdiff_t(pointer), 8, uint8_t{0});
  const Bytes topFile = MakeFile(kVolumeTopFile, kSecurityCoreFileType, data);
  std::copy(topFile.begin(), topFile.end(), image.begin() + ptrdiff_t(top));
}

}  // namespace standin

#pragma once
// Firmware volumes and their FFS files, laid out the way UEFI PI firmware stores them with erase
// polarity 1: free space and pad data are 0xFF. The stand-in writes every file with a valid
// header checksum, no data checksum (0xAA) and the state byte 0xF8.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "standins/image_format/byte_order.h"
#include "standins/image_format/guid.h"

namespace standin {

// Volume header (EFI_FIRMWARE_VOLUME_HEADER) and its optional extended header.
constexpr char kVolumeSignature[4] = {'_', 'F', 'V', 'H'};
constexpr size_t kVolumeFileSystemOffset = 0x10;
constexpr size_t kVolumeLengthOffset = 0x20;  // 64 bits
constexpr size_t kVolumeSignatureOffset = 0x28;
constexpr size_t kVolumeAttributesOffset = 0x2C;
constexpr size_t kVolumeHeaderLengthOffset = 0x30;
constexpr size_t kVolumeChecksumOffset = 0x32;  // the header's 16-bit words sum to 0
constexpr size_t kVolumeExtHeaderOffset = 0x34;  // 0: none
constexpr size_t kVolumeRevisionOffset = 0x37;
constexpr size_t kVolumeBlockMapOffset = 0x38;  // {count, length} pairs ended by {0, 0}
constexpr size_t kVolumeHeaderSize = 0x48;      // the stand-in's: one block-map pair
constexpr size_t kVolumeBlockSize = 0x1000;
constexpr uint8_t kVolumeRevision = 2;
constexpr uint32_t kVolumeAttributes = 0x0004FEFFu;  // bit 11: erase polarity 1
constexpr size_t kExtHeaderSize = 0x14;              // the volume's name, then this size
constexpr size_t kExtHeaderSizeOffset = kGuidSize;

// File header (EFI_FFS_FILE_HEADER, and EFI_FFS_FILE_HEADER2 for large files).
constexpr size_t kFileHeaderSize = 0x18;
constexpr size_t kLargeFileHeaderSize = 0x20;
constexpr size_t kFileHeaderChecksumOffset = 0x10;
constexpr size_t kFileDataChecksumOffset = 0x11;
constexpr size_t kFileTypeOffset = 0x12;
constexpr size_t kFileAttributesOffset = 0x13;
constexpr size_t kFileSizeOffset = 0x14;  // 24 bits; 0 in a large file
constexpr size_t kFileStateOffset = 0x17;
constexpr size_t kFileLargeSizeOffset = 0x18;  // 64 bits, large files only
constexpr uint8_t kLargeFileAttribute = 0x01;
constexpr uint8_t kNoDataChecksum = 0xAA;
constexpr uint8_t kFileStateValid = 0xF8;
constexpr size_t kFileAlignment = 8;  // files follow one another at this alignment
constexpr uint8_t kRawFileType = 0x01;
constexpr uint8_t kFreeformFileType = 0x02;
constexpr uint8_t kSecurityCoreFileType = 0x03;
constexpr uint8_t kDxeCoreFileType = 0x05;
constexpr uint8_t kPeimFileType = 0x06;
constexpr uint8_t kDriverFileType = 0x07;
constexpr uint8_t kApplicationFileType = 0x09;
constexpr uint8_t kPadFileType = 0xF0;

// Volume file systems and file names the stand-in uses from the public UEFI PI format.
constexpr Guid kFfs2FileSystem{0x8C8CE578, 0x8A3D, 0x4F1C,
                               {0x99, 0x35, 0x89, 0x61, 0x85, 0xC3, 0x2D, 0xD3}};
constexpr Guid kFfs3FileSystem{0x5473C07A, 0x3DCB, 0x4DCA,
                               {0xBD, 0x6F, 0x1E, 0x96, 0x89, 0xE7, 0x34, 0x9A}};
constexpr Guid kNvDataFileSystem{0xFFF12B8D, 0x7696, 0x4C8B,
                                 {0xA9, 0x85, 0x27, 0x47, 0x07, 0x5B, 0x4F, 0x50}};
constexpr Guid kVolumeTopFile{0x1BA0062E, 0xC779, 0x4582,
                              {0x85, 0x66, 0x33, 0x6A, 0xE8, 0xF7, 0x8F, 0x09}};

struct Volume {
  size_t offset = 0, length = 0, headerLength = 0;
  Guid fileSystem;
  size_t firstFile = 0;  // file offset of the first file's header
  size_t end() const { return offset + length; }
};

struct FfsFile {
  size_t offset = 0, size = 0, headerSize = 0;  // size counts the header
  Guid name;
  uint8_t type = 0;
  size_t dataOffset() const { return offset + headerSize; }
  size_t end() const { return offset + size; }
};

inline size_t AlignFile(size_t offset) {
  return (offset + kFileAlignment - 1) / kFileAlignment * kFileAlignment;
}

// Writes the header of a volume of `length` bytes (a multiple of kVolumeBlockSize) at `at` and,
// when it is given a name, the extended header right after it. The body is left as it is.
void WriteVolumeHeader(std::span<uint8_t> image, size_t at, const Guid& fileSystem, size_t length,
                       std::optional<Guid> name = std::nullopt);

// The volume whose header is at `at`, when its signature, checksum and lengths hold and it ends
// by `limit`.
std::optional<Volume> ReadVolume(std::span<const uint8_t> image, size_t at, size_t limit);

// The volumes whose headers lie at kVolumeBlockSize steps from `begin`, all ending by `end`.
std::vector<Volume> FindVolumes(std::span<const uint8_t> image, size_t begin, size_t end);

// The volume's files in order, up to its free space or the first header that does not hold
// (its checksum wrong, its size too small or past the volume's end).
std::vector<FfsFile> ListFiles(std::span<const uint8_t> image, const Volume& volume);

// A whole file, header and `data`; `large` gives it the 32-byte header.
Bytes MakeFile(const Guid& name, uint8_t type, std::span<const uint8_t> data, bool large = false);

// Rewrites the size in the header of the file at `at`, and its header checksum.
void SetFileSize(std::span<uint8_t> image, size_t at, size_t size);

// Writes `files` one after another from `begin`, each at the next 8-byte boundary (0xFF
// between), and a pad file from after the last one to `end`. False, and the bytes left as they
// were, when they do not fit.
bool LayOutFiles(std::span<uint8_t> image, size_t begin, size_t end, std::span<const Bytes> files);

}  // namespace standin

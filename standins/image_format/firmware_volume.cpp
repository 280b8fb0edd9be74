#include "standins/image_format/firmware_volume.h"

#include <algorithm>
#include <cstring>

namespace standin {

namespace {

constexpr size_t kMaxSmallFileSize = 0xFFFFFF;  // what the 24-bit size field holds

// The 16-bit words of `size` bytes from `at`, summed modulo 2^16.
uint16_t SumU16(std::span<const uint8_t> image, size_t at, size_t size) {
  uint16_t sum = 0;
  for (size_t i = 0; i + 2 <= size; i += 2) sum = uint16_t(sum + ReadU16(image, at + i));
  return sum;
}

// The header's bytes with the state and the data checksum taken as 0, summed modulo 256.
uint8_t FileHeaderSum(std::span<const uint8_t> image, size_t at, size_t headerSize) {
  uint8_t sum = 0;
  for (size_t i = 0; i < headerSize; ++i) {
    if (i != kFileStateOffset && i != kFileDataChecksumOffset) sum = uint8_t(sum + image[at + i]);
  }
  return sum;
}

void WriteFileHeaderChecksum(std::span<uint8_t> image, size_t at, size_t headerSize) {
  image[at + kFileHeaderChecksumOffset] = 0;
  image[at + kFileHeaderChecksumOffset] = uint8_t(0 - FileHeaderSum(image, at, headerSize));
}

size_t HeaderSizeOf(std::span<const uint8_t> image, size_t at) {
  return (image[at + kFileAttributesOffset] & kLargeFileAttribute) ? kLargeFileHeaderSize
                                                                    : kFileHeaderSize;
}

void WriteSizeField(std::span<uint8_t> image, size_t at, size_t size) {
  const bool large = HeaderSizeOf(image, at) == kLargeFileHeaderSize;
  const size_t small = large ? 0 : size;
  for (size_t i = 0; i < 3; ++i) image[at + kFileSizeOffset + i] = uint8_t(small >> (8 * i));
  if (large) WriteU64(image, at + kFileLargeSizeOffset, size);
}

}  // namespace

void WriteVolumeHeader(std::span<uint8_t> image, size_t at, const Guid& fileSystem, size_t length,
                       std::optional<Guid> name) {
  std::fill_n(image.begin() + ptrdiff_t(at), kVolumeHeaderSize, uint8_t{0});
  WriteGuid(image, at + kVolumeFileSystemOffset, fileSystem);
  WriteU64(image, at + kVolumeLengthOffset, length);
  std::copy_n(kVolumeSignature, 4, image.begin() + ptrdiff_t(at + kVolumeSignatureOffset));
  WriteU32(image, at + kVolumeAttributesOffset, kVolumeAttributes);
  WriteU16(image, at + kVolumeHeaderLengthOffset, uint16_t(kVolumeHeaderSize));
  WriteU16(image, at + kVolumeExtHeaderOffset, name ? uint16_t(kVolumeHeaderSize) : 0);
  image[at + kVolumeRevisionOffset] = kVolumeRevision;
  WriteU32(image, at + kVolumeBlockMapOffset, uint32_t(length / kVolumeBlockSize));
  WriteU32(image, at + kVolumeBlockMapOffset + 4, uint32_t(kVolumeBlockSize));
  WriteU16(image, at + kVolumeChecksumOffset,
           uint16_t(0 - SumU16(image, at, kVolumeHeaderSize)));
  if (name) {
    WriteGuid(image, at + kVolumeHeaderSize, *name);
    WriteU32(image, at + kVolumeHeaderSize + kExtHeaderSizeOffset, uint32_t(kExtHeaderSize));
  }
}

std::optional<Volume> ReadVolume(std::span<const uint8_t> image, size_t at, size_t limit) {
  if (limit > image.size() || at > limit || limit - at < kVolumeHeaderSize ||
      std::memcmp(&image[at + kVolumeSignatureOffset], kVolumeSignature, 4) != 0) {
    return std::nullopt;
  }
  Volume volume{at, 0, ReadU16(image, at + kVolumeHeaderLengthOffset),
                ReadGuid(image, at + kVolumeFileSystemOffset), 0};
  const uint64_t length = ReadU64(image, at + kVolumeLengthOffset);
  if (length > limit - at || volume.headerLength < kVolumeBlockMapOffset + 8 ||
      volume.headerLength > length || SumU16(image, at, volume.headerLength) != 0) {
    return std::nullopt;
  }
  volume.length = size_t(length);
  size_t bodyStart = volume.headerLength;
  if (const size_t ext = ReadU16(image, at + kVolumeExtHeaderOffset); ext != 0) {
    if (ext > volume.length || volume.length - ext < kExtHeaderSize) return std::nullopt;
    const uint32_t extSize = ReadU32(image, at + ext + kExtHeaderSizeOffset);
    if (extSize < kExtHeaderSize || extSize > volume.length - ext) return std::nullopt;
    bodyStart = ext + extSize;
  }
  volume.firstFile = at + AlignFile(bodyStart);
  return volume;
}

std::vector<Volume> FindVolumes(std::span<const uint8_t> image, size_t begin, size_t end) {
  std::vector<Volume> volumes;
  for (size_t at = begin; at < end && end - at >= kVolumeHeaderSize;) {
    const std::optional<Volume> volume = ReadVolume(image, at, end);
    if (!volume) {
      at += kVolumeBlockSize;
      continue;
    }
    volumes.push_back(*volume);
    at += std::max(kVolumeBlockSize, (volume->length + kVolumeBlockSize - 1) / kVolumeBlockSize *
                                         kVolumeBlockSize);
  }
  return volumes;
}

std::vector<FfsFile> ListFiles(std::span<const uint8_t> image, const Volume& volume) {
  std::vector<FfsFile> files;
  size_t at = volume.firstFile;
  while (at < volume.end() && volume.end() - at >= kFileHeaderSize) {
    const auto header = image.subspan(at, kFileHeaderSize);
    if (std::all_of(header.begin(), header.end(), [](uint8_t b) { return b == 0xFF; })) break;
    const size_t headerSize = HeaderSizeOf(image, at);
    if (volume.end() - at < headerSize) break;
    const uint64_t size = headerSize == kLargeFileHeaderSize
                              ? ReadU64(image, at + kFileLargeSizeOffset)
                              : ReadU32(image, at + kFileSizeOffset) & kMaxSmallFileSize;
    if (size < headerSize || size > volume.end() - at || FileHeaderSum(image, at, headerSize) != 0)
      break;
    files.push_back(
        {at, size_t(size), headerSize, ReadGuid(image, at), image[at + kFileTypeOffset]});
    at = volume.offset + AlignFile(at + size_t(size) - volume.offset);
  }
  return files;
}

Bytes MakeFile(const Guid& name, uint8_t type, std::span<const uint8_t> data, bool large) {
  large = large || kFileHeaderSize + data.size() > kMaxSmallFileSize;
  const size_t headerSize = large ? kLargeFileHeaderSize : kFileHeaderSize;
  Bytes file(headerSize, 0);
  file.insert(file.end(), data.begin(), data.end());
  WriteGuid(file, 0, name);
  file[kFileDataChecksumOffset] = kNoDataChecksum;
  file[kFileTypeOffset] = type;
  file[kFileAttributesOffset] = large ? kLargeFileAttribute : 0;
  file[kFileStateOffset] = kFileStateValid;
  WriteSizeField(file, 0, file.size());
  WriteFileHeaderChecksum(file, 0, headerSize);
  return file;
}

void SetFileSize(std::span<uint8_t> image, size_t at, size_t size) {
  WriteSizeField(image, at, size);
  WriteFileHeaderChecksum(image, at, HeaderSizeOf(image, at));
}

bool LayOutFiles(std::span<uint8_t> image, size_t begin, size_t end, std::span<const Bytes> files) {
  std::vector<size_t> offsets;
  size_t at = begin;
  for (const Bytes& file : files) {
    at = begin + AlignFile(at - begin);
    offsets.push_back(at);
    at += file.size();
  }
  if (at > end) return false;
  std::fill(image.begin() + ptrdiff_t(begin), image.begin() + ptrdiff_t(end), uint8_t{0xFF});
  for (size_t i = 0; i < files.size(); ++i) {
    std::copy(files[i].begin(), files[i].end(), image.begin() + ptrdiff_t(offsets[i]));
  }
  const size_t pad = begin + AlignFile(at - begin);
  if (pad > end || end - pad < kFileHeaderSize) return true;  // no room for a pad header
  const bool large = end - pad > kMaxSmallFileSize;
  const size_t padHeader = large ? kLargeFileHeaderSize : kFileHeaderSize;
  const Bytes padFile =
      MakeFile(kErasedGuid, kPadFileType, Bytes(end - pad - padHeader, 0xFF), large);
  std::copy(padFile.begin(), padFile.end(), image.begin() + ptrdiff_t(pad));
  return true;
}

}  // namespace standin

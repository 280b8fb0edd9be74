#pragma once
// Little-endian reads and writes of the image's integers. Callers check the bounds.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace standin {

using Bytes = std::vector<uint8_t>;

inline uint16_t ReadU16(std::span<const uint8_t> bytes, size_t offset) {
  return uint16_t(bytes[offset] | bytes[offset + 1] << 8);
}

inline uint32_t ReadU32(std::span<const uint8_t> bytes, size_t offset) {
  return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 |
         uint32_t(bytes[offset + 2]) << 16 | uint32_t(bytes[offset + 3]) << 24;
}

inline void WriteU16(std::span<uint8_t> bytes, size_t offset, uint16_t value) {
  bytes[offset] = uint8_t(value);
  bytes[offset + 1] = uint8_t(value >> 8);
}

inline void WriteU32(std::span<uint8_t> bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = uint8_t(value >> (8 * i));
}

inline uint64_t ReadU64(std::span<const uint8_t> bytes, size_t offset) {
  return uint64_t(ReadU32(bytes, offset)) | uint64_t(ReadU32(bytes, offset + 4)) << 32;
}

inline void WriteU64(std::span<uint8_t> bytes, size_t offset, uint64_t value) {
  WriteU32(bytes, offset, uint32_t(value));
  WriteU32(bytes, offset + 4, uint32_t(value >> 32));
}

// The sum of the 32-bit words, modulo 2^32; a trailing partial word is not counted.
inline uint32_t SumWords(std::span<const uint8_t> bytes) {
  uint32_t sum = 0;
  for (size_t i = 0; i + 4 <= bytes.size(); i += 4) sum += ReadU32(bytes, i);
  return sum;
}

}  // namespace standin

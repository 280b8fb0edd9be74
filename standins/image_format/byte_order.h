#pragma once
// Little-endian reads and writes of the image's integers. Callers check the bounds.
#include <cstddef>
#include <cstdint>
#include <span>

namespace standin {

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

// The sum of the 32-bit words, modulo 2^32; a trailing partial word is not counted.
inline uint32_t SumWords(std::span<const uint8_t> bytes) {
  uint32_t sum = 0;
  for (size_t i = 0; i + 4 <= bytes.size(); i += 4) sum += ReadU32(bytes, i);
  return sum;
}

}  // namespace standin

#pragma once
// Bounds-checked little-endian reads from an image. Offsets and lengths taken from the image
// are 32-bit values that may sit near 2^32, so every check is done in 64 bits: on a 32-bit
// build `offset + length` in size_t would wrap and pass.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

namespace firmware {

using Bytes = std::span<const uint8_t>;

// True when [offset, offset + length) lies inside a buffer of `size` bytes.
inline bool Fits(size_t size, uint64_t offset, uint64_t length) {
  return offset <= size && length <= size - offset;
}

// Unchecked loads for scans that have checked their range already.
inline uint16_t LoadU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t LoadU32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

inline std::optional<uint8_t> ReadU8(Bytes bytes, uint64_t offset) {
  if (!Fits(bytes.size(), offset, 1)) return std::nullopt;
  return bytes[static_cast<size_t>(offset)];
}
inline std::optional<uint16_t> ReadU16(Bytes bytes, uint64_t offset) {
  if (!Fits(bytes.size(), offset, 2)) return std::nullopt;
  return LoadU16(bytes.data() + offset);
}
inline std::optional<uint32_t> ReadU32(Bytes bytes, uint64_t offset) {
  if (!Fits(bytes.size(), offset, 4)) return std::nullopt;
  return LoadU32(bytes.data() + offset);
}

// The part [offset, offset + length) of `bytes`, or nothing when it does not fit.
inline std::optional<Bytes> Slice(Bytes bytes, uint64_t offset, uint64_t length) {
  if (!Fits(bytes.size(), offset, length)) return std::nullopt;
  return bytes.subspan(static_cast<size_t>(offset), static_cast<size_t>(length));
}

// True when the four bytes at `offset` are `tag`.
inline bool HasTag(Bytes bytes, uint64_t offset, const char (&tag)[5]) {
  return Fits(bytes.size(), offset, 4) && std::memcmp(bytes.data() + offset, tag, 4) == 0;
}

}  // namespace firmware

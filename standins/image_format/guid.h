#pragma once
// GUIDs as firmware stores them: the registry layout, its first three fields little-endian.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "standins/image_format/byte_order.h"

namespace standin {

struct Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0, data3 = 0;
  std::array<uint8_t, 8> data4{};
  bool operator==(const Guid&) const = default;
};

constexpr size_t kGuidSize = 16;

// The stand-in's own synthetic names: 53544E44-5354-4E44-A000-0000000000nn ("STND"), so that
// nobody takes them for a vendor's.
constexpr Guid StandInGuid(uint8_t number) {
  return {0x53544E44, 0x5354, 0x4E44, {0xA0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, number}};
}

// The name of pad files, as erased flash reads.
constexpr Guid kErasedGuid{0xFFFFFFFFu, 0xFFFF, 0xFFFF,
                           {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};

inline void WriteGuid(std::span<uint8_t> bytes, size_t offset, const Guid& guid) {
  WriteU32(bytes, offset, guid.data1);
  WriteU16(bytes, offset + 4, guid.data2);
  WriteU16(bytes, offset + 6, guid.data3);
  for (size_t i = 0; i < guid.data4.size(); ++i) bytes[offset + 8 + i] = guid.data4[i];
}

inline Guid ReadGuid(std::span<const uint8_t> bytes, size_t offset) {
  Guid guid{ReadU32(bytes, offset), ReadU16(bytes, offset + 4), ReadU16(bytes, offset + 6), {}};
  for (size_t i = 0; i < guid.data4.size(); ++i) guid.data4[i] = bytes[offset + 8 + i];
  return guid;
}

}  // namespace standin

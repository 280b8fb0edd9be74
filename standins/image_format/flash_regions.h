#pragma once
// Where the flash descriptor and the regions its FLREGn entries give lie in a file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace standin {

struct FileSpan {
  size_t offset = 0, size = 0;
  size_t end() const { return offset + size; }
};

// `size` bytes at `offset` lie inside `outer`; checked without overflow.
inline bool Contains(FileSpan outer, size_t offset, size_t size) {
  return offset >= outer.offset && offset <= outer.end() && size <= outer.end() - offset;
}

// The descriptor's file offset: 0, or behind a capsule header.
std::optional<size_t> FindDescriptor(std::span<const uint8_t> image);

// FLREGn of the descriptor at `descriptor` as file offsets, whether or not they lie inside the
// file; none when the region is unused (its base above its limit).
std::optional<FileSpan> DecodeRegion(std::span<const uint8_t> image, size_t descriptor, int n);

// Region n of the file's descriptor, when there is one and the region lies inside the file.
std::optional<FileSpan> RegionOf(std::span<const uint8_t> image, int n);

}  // namespace standin

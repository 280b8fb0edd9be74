#pragma once
// Sums of the 32-bit little-endian words of 4-byte-aligned spans of an image, for the
// microcode checksum. Spans are summed directly until the words summed so far exceed the
// image's own word count; from then on a table of prefix sums per 16 bytes, built once,
// answers each span with at most six words summed directly. A crafted image with many
// overlapping candidates thus costs about three passes over its words instead of one pass
// per candidate.
#include <cstdint>
#include <memory>

#include "firmware/byte_reader.h"

namespace firmware {

class WordSums {
 public:
  explicit WordSums(Bytes image) : image_(image) {}
  // Sum modulo 2^32 of the words of [offset, offset + length); both multiples of 4 and inside
  // the image.
  uint32_t Sum(size_t offset, size_t length);

 private:
  Bytes image_;
  uint64_t wordsSummed_ = 0;
  static constexpr size_t kSpanBytes = 16;
  std::unique_ptr<uint32_t[]> prefix_;  // [k]: sum of the words before byte k * 16; when needed
};

}  // namespace firmware

#pragma once
// Sums of the little-endian words (16- or 32-bit) of aligned spans of an image, for the
// microcode checksum and the firmware volume header's. Spans are summed directly until the
// words summed so far exceed the image's own word count; from then on a table of prefix sums
// per 16 bytes, built once, answers each span with at most a few words summed directly. A
// crafted image with many overlapping candidates thus costs about three passes over its words
// instead of one pass per candidate.
#include <cstdint>
#include <memory>

#include "firmware/byte_reader.h"

namespace firmware {

template <typename Word>
class WordSumsOf {
 public:
  explicit WordSumsOf(Bytes image) : image_(image) {}
  // Sum modulo 2^(8 * sizeof(Word)) of the words of [offset, offset + length); both multiples
  // of the word's size and inside the image.
  Word Sum(size_t offset, size_t length);

 private:
  static Word DirectSum(const uint8_t* p, size_t words);
  Bytes image_;
  uint64_t wordsSummed_ = 0;
  static constexpr size_t kSpanBytes = 16;
  std::unique_ptr<Word[]> prefix_;  // [k]: sum of the words before byte k * 16; when needed
};

using WordSums = WordSumsOf<uint32_t>;
using HalfWordSums = WordSumsOf<uint16_t>;

extern template class WordSumsOf<uint16_t>;
extern template class WordSumsOf<uint32_t>;

}  // namespace firmware

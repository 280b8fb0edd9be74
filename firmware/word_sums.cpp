#include "firmware/word_sums.h"

namespace firmware {
namespace {

uint32_t DirectSum(const uint8_t* p, size_t words) {
  uint32_t sum = 0;
  for (size_t i = 0; i < words; ++i) sum += LoadU32(p + i * 4);
  return sum;
}

}  // namespace

uint32_t WordSums::Sum(size_t offset, size_t length) {
  const size_t words = length / 4;
  if (!prefix_ && wordsSummed_ + words <= image_.size() / 4) {
    wordsSummed_ += words;
    return DirectSum(image_.data() + offset, words);
  }
  if (!prefix_) {
    const size_t entries = image_.size() / kSpanBytes;
    prefix_.reset(new uint32_t[entries + 1]);  // left uninitialised: every entry is written
    uint32_t running = 0;
    for (size_t k = 0; k < entries; ++k) {
      prefix_[k] = running;
      running += DirectSum(image_.data() + k * kSpanBytes, kSpanBytes / 4);
    }
    prefix_[entries] = running;
  }
  // Whole spans from the table; the words between a span's start and `offset` (or the end)
  // directly.
  const size_t first = offset / kSpanBytes, last = (offset + length) / kSpanBytes;
  const size_t headWords = (offset % kSpanBytes) / 4, tailWords = ((offset + length) % kSpanBytes) / 4;
  return prefix_[last] - prefix_[first] - DirectSum(image_.data() + first * kSpanBytes, headWords) +
         DirectSum(image_.data() + last * kSpanBytes, tailWords);
}

}  // namespace firmware

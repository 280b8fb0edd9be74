#include "firmware/word_sums.h"

namespace firmware {

template <typename Word>
Word WordSumsOf<Word>::DirectSum(const uint8_t* p, size_t words) {
  Word sum = 0;
  for (size_t i = 0; i < words; ++i) {
    if constexpr (sizeof(Word) == 2) {
      sum = static_cast<Word>(sum + LoadU16(p + i * 2));
    } else {
      sum += LoadU32(p + i * 4);
    }
  }
  return sum;
}

template <typename Word>
Word WordSumsOf<Word>::Sum(size_t offset, size_t length) {
  const size_t words = length / sizeof(Word);
  if (!prefix_ && wordsSummed_ + words <= image_.size() / sizeof(Word)) {
    wordsSummed_ += words;
    return DirectSum(image_.data() + offset, words);
  }
  constexpr size_t kWordsPerSpan = kSpanBytes / sizeof(Word);
  if (!prefix_) {
    const size_t entries = image_.size() / kSpanBytes;
    prefix_.reset(new Word[entries + 1]);  // left uninitialised: every entry is written
    Word running = 0;
    for (size_t k = 0; k < entries; ++k) {
      prefix_[k] = running;
      running = static_cast<Word>(running + DirectSum(image_.data() + k * kSpanBytes, kWordsPerSpan));
    }
    prefix_[entries] = running;
  }
  // Whole spans from the table; the words between a span's start and `offset` (or the end)
  // directly.
  const size_t first = offset / kSpanBytes, last = (offset + length) / kSpanBytes;
  const size_t headWords = (offset % kSpanBytes) / sizeof(Word);
  const size_t tailWords = ((offset + length) % kSpanBytes) / sizeof(Word);
  return static_cast<Word>(prefix_[last] - prefix_[first] -
                           DirectSum(image_.data() + first * kSpanBytes, headWords) +
                           DirectSum(image_.data() + last * kSpanBytes, tailWords));
}

template class WordSumsOf<uint16_t>;
template class WordSumsOf<uint32_t>;

}  // namespace firmware

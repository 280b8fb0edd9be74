#include "firmware/word_sums.h"

namespace firmware {

uint32_t WordSums::Sum(size_t offset, size_t length) {
  const size_t words = length / 4;
  if (prefix_.empty() && wordsSummed_ + words <= image_.size() / 4) {
    wordsSummed_ += words;
    const uint8_t* p = image_.data() + offset;
    uint32_t sum = 0;
    for (size_t i = 0; i < words; ++i) sum += LoadU32(p + i * 4);
    return sum;
  }
  if (prefix_.empty()) {
    const size_t imageWords = image_.size() / 4;
    prefix_.resize(imageWords + 1);
    uint32_t running = 0;
    for (size_t k = 0; k < imageWords; ++k) {
      prefix_[k] = running;
      running += LoadU32(image_.data() + k * 4);
    }
    prefix_[imageWords] = running;
  }
  return prefix_[offset / 4 + words] - prefix_[offset / 4];
}

}  // namespace firmware

// CompareImages and ComparisonReport fed with two arbitrary images: the input's first four
// bytes (little-endian, modulo what follows) give the first image's length, the rest is the
// second. Besides the sanitizers: every file and block the walk reports lies inside its image,
// in offset order and apart; an image compared with itself shows nothing changed; counts hold.
#include <cstddef>
#include <cstdint>
#include <span>

#include "firmware/flash_layout.h"
#include "firmware/image_comparison.h"
#include "firmware/image_facts.h"

namespace {

void CheckLayout(std::span<const uint8_t> image) {
  const firmware::FlashLayout layout = firmware::ReadFlashLayout(image);
  size_t previousEnd = 0;
  for (const firmware::FlashFile& file : layout.files) {
    if (file.offset < previousEnd || file.size < file.headerSize || file.size > image.size() - file.offset) {
      __builtin_trap();
    }
    previousEnd = file.offset + file.size;
  }
  for (const firmware::FlashBlock& block : layout.blocks) {
    if (block.size > image.size() || block.offset > image.size() - block.size) __builtin_trap();
  }
  for (const auto& region : layout.regions) {
    if (region && (region->begin > region->end || region->end > image.size())) __builtin_trap();
  }
}

void CheckSelf(std::span<const uint8_t> image, const firmware::ImageFacts& facts) {
  const firmware::ImageComparison self = firmware::CompareImages({image, facts}, {image, facts});
  if (!self.files.empty() || !self.blocks.empty() || self.sameFiles != self.originalFiles) __builtin_trap();
  if (self.originalPrefix != self.madePrefix || self.originalSize != self.madeSize) __builtin_trap();
  for (const firmware::RegionComparison& region : self.regions) {
    if (region.state != firmware::RegionState::kSame) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const uint32_t asked = uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
                         uint32_t{data[3]} << 24;
  const std::span<const uint8_t> rest(data + 4, size - 4);
  const size_t split = asked % (rest.size() + 1);
  const std::span<const uint8_t> original = rest.first(split), made = rest.subspan(split);
  const firmware::ImageFacts originalFacts = firmware::InspectImage(original);
  const firmware::ImageFacts madeFacts = firmware::InspectImage(made);
  const firmware::ImageComparison comparison =
      firmware::CompareImages({original, originalFacts}, {made, madeFacts});
  if (comparison.sameFiles > comparison.originalFiles) __builtin_trap();
  size_t notSame = 0;
  for (const firmware::FileComparison& file : comparison.files) notSame += file.change != firmware::PartChange::kAdded;
  if (comparison.sameFiles + notSame != comparison.originalFiles) __builtin_trap();
  CheckLayout(original);
  CheckLayout(made);
  CheckSelf(original, originalFacts);
  firmware::ComparisonReport(comparison);
  return 0;
}

// The colour-capture search against the plain reference on pictures the input describes:
// header bytes pick the capture's size and depth, the template's size, a few colours and a
// shape (free pixels, or every capture row repeating the template's first row); the rest of
// the input picks colours pixel by pixel. Any difference in the found offset stops the run.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/colour_reduction.h"
#include "imaging/colour_search.h"
#include "imaging/reference/plain_search.h"

namespace {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

struct Colours {
  imaging::Rgb list[4];
  int count;
  // A colour of the list, moved within its cell by the low bits of `pick`.
  imaging::Rgb Pick(uint8_t pick) const {
    const imaging::Rgb base = list[pick % count];
    const int delta = (pick >> 2) % 8 - 4;
    return imaging::JitterWithinCell(base, delta, -delta, delta / 2);
  }
};

void Put(uint8_t* p, imaging::Rgb colour) { p[0] = colour.blue, p[1] = colour.green, p[2] = colour.red; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  const int32_t width = 1 + in.Byte() % 64, height = 1 + in.Byte() % 32;
  const int bytesPerPixel = in.Byte() % 2 == 0 ? 3 : 4;
  const int32_t patternWidth = 1 + in.Byte() % 12, patternHeight = 1 + in.Byte() % 8;
  const uint8_t shape = in.Byte();
  Colours colours{{}, 1 + in.Byte() % 4};
  for (int i = 0; i < colours.count; ++i) colours.list[i] = {in.Byte(), in.Byte(), in.Byte()};

  imaging::ColourImage pattern{patternWidth, patternHeight, {}};
  pattern.pixels.assign(static_cast<size_t>(pattern.stride() * patternHeight), 0);
  for (int32_t y = 0; y < patternHeight; ++y) {
    for (int32_t x = 0; x < patternWidth; ++x) {
      Put(&pattern.pixels[static_cast<size_t>(pattern.stride() * y + x * 3)], colours.Pick(in.Byte()));
    }
  }

  // Row padding and fourth bytes are left as the input gives them; they are no colour.
  const int64_t stride = imaging::RowStride(width, 8 * bytesPerPixel);
  std::vector<uint8_t> capture(static_cast<size_t>(stride * height));
  for (uint8_t& b : capture) b = in.Byte();
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint8_t* p = &capture[static_cast<size_t>(stride * y + int64_t{x} * bytesPerPixel)];
      if (shape % 2 == 1) {  // the template's first row repeated, one pixel in 256 changed
        const uint8_t pick = in.Byte();
        const uint8_t* first = &pattern.pixels[static_cast<size_t>((x % patternWidth) * 3)];
        Put(p, pick == 0 ? colours.Pick(in.Byte()) : imaging::Rgb{first[2], first[1], first[0]});
      } else {
        Put(p, colours.Pick(in.Byte()));
      }
    }
  }

  const imaging::ColourView view{capture.data(), width, height, stride, bytesPerPixel};
  const imaging::IndexedImage reducedPattern = imaging::ReduceToIndexed(pattern);
  const int64_t found = imaging::FindTemplateInColour(view, reducedPattern.pixels.data(), patternWidth,
                                                      patternHeight, reducedPattern.stride());
  const int64_t expected = imaging::reference::FindByByteRows(
      imaging::reference::ReduceByTrial(view), imaging::reference::ReduceByTrial(imaging::ViewOf(pattern)));
  if (found != expected) __builtin_trap();
  return 0;
}

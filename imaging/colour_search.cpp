#include "imaging/colour_search.h"

#include <algorithm>

#include "imaging/bmp_decoder.h"
#include "imaging/box_scan.h"
#include "imaging/colour_cells.h"
#include "imaging/colour_reduction.h"
#include "imaging/template_search.h"

namespace imaging {
namespace {

// One template pixel: where it lies from a candidate's position, and the entry it must have.
struct Probe {
  int64_t offset;
  uint8_t value;
};

constexpr int kMaxChecks = 3;

struct SearchPlan {
  Probe key;
  Probe checks[kMaxChecks];
  int checkCount = 0;
};

int BoxVolume(uint8_t entry) {
  const ColourBox& box = EntryBox(entry);
  int volume = 1;
  for (int c = 0; c < 3; ++c) volume *= std::max(0, box.high[c] - box.low[c] + 1) / kCellSize;
  return volume;
}

// The key is the rarest entry of the template (of equally rare ones, the one fewest colours
// reduce to); the checks are the first pixels of the next rarest other entries, so a plain
// area that holds the key's entry fails a candidate on the first check.
SearchPlan PlanSearch(const uint8_t* pixels, int32_t width, int32_t height, int64_t templateStride,
                      int64_t captureStride) {
  int64_t counts[256] = {};
  int64_t firstAt[256];
  std::fill(std::begin(firstAt), std::end(firstAt), -1);
  for (int32_t j = 0; j < height; ++j) {
    for (int32_t i = 0; i < width; ++i) {
      const uint8_t value = pixels[templateStride * j + i];
      if (counts[value]++ == 0) firstAt[value] = captureStride * j + i;
    }
  }
  int order[256];
  int present = 0;
  for (int value = 0; value < 256; ++value) {
    if (counts[value] > 0) order[present++] = value;
  }
  std::sort(order, order + present, [&](int a, int b) {
    if (counts[a] != counts[b]) return counts[a] < counts[b];
    const int volumeA = BoxVolume(static_cast<uint8_t>(a)), volumeB = BoxVolume(static_cast<uint8_t>(b));
    return volumeA != volumeB ? volumeA < volumeB : a < b;
  });
  SearchPlan plan;
  const auto probeOf = [&](int value) { return Probe{firstAt[value], static_cast<uint8_t>(value)}; };
  plan.key = probeOf(order[0]);
  for (int k = 1; k < present && plan.checkCount < kMaxChecks; ++k) {
    plan.checks[plan.checkCount++] = probeOf(order[k]);
  }
  return plan;
}

// The capture as the reduced picture it stands for, read one byte at a time.
class ReducedCapture {
 public:
  explicit ReducedCapture(const ColourView& capture)
      : capture_(capture), cells_(CellEntries()), stride_(RowStride(capture.width, 8)) {}

  int64_t stride() const { return stride_; }
  int64_t size() const { return stride_ * capture_.height; }

  uint8_t Entry(int32_t x, int64_t y) const {
    return EntryOfPixel(cells_, capture_.pixels + capture_.stride * y + int64_t{x} * capture_.bytesPerPixel);
  }
  // Padding bytes are 0.
  uint8_t At(int64_t offset) const {
    const int64_t x = offset % stride_;
    return x < capture_.width ? Entry(static_cast<int32_t>(x), offset / stride_) : 0;
  }

  // Whether the template's rows all equal the reduced bytes from `offset` on at the stride.
  bool RowsEqual(int64_t offset, const uint8_t* pixels, int32_t width, int32_t height,
                 int64_t templateStride) const {
    const int64_t x = offset % stride_, y = offset / stride_;
    if (x + width <= capture_.width) {  // inside the pixels: no padding, no wrapping
      for (int32_t j = 0; j < height; ++j) {
        const uint8_t* raw = capture_.pixels + capture_.stride * (y + j) + x * capture_.bytesPerPixel;
        const uint8_t* row = pixels + templateStride * j;
        for (int32_t i = 0; i < width; ++i, raw += capture_.bytesPerPixel) {
          if (EntryOfPixel(cells_, raw) != row[i]) return false;
        }
      }
      return true;
    }
    for (int32_t j = 0; j < height; ++j) {
      for (int32_t i = 0; i < width; ++i) {
        if (At(offset + stride_ * j + i) != pixels[templateStride * j + i]) return false;
      }
    }
    return true;
  }

 private:
  const ColourView& capture_;
  const std::array<uint8_t, kCellCount>& cells_;
  int64_t stride_;
};

}  // namespace

int64_t FindTemplateInColour(const ColourView& capture, const uint8_t* templatePixels,
                             int32_t templateWidth, int32_t templateHeight,
                             int64_t templateStride) {
  if (templateWidth <= 0 || templateHeight <= 0 || capture.width <= 0 || capture.height <= 0) {
    return -1;
  }
  const ReducedCapture reduced(capture);
  const int64_t stride = reduced.stride();
  // Every row must fit whole: a row cut short by the end of the capture compares unequal.
  const int64_t span = stride * (templateHeight - 1) + templateWidth;
  if (span > reduced.size()) return -1;
  const int64_t lastStart = reduced.size() - span;
  const SearchPlan plan =
      PlanSearch(templatePixels, templateWidth, templateHeight, templateStride, stride);
  const ColourBox& box = EntryBox(plan.key.value);

  const auto matchesAt = [&](int64_t start) {
    for (int k = 0; k < plan.checkCount; ++k) {
      if (reduced.At(start + plan.checks[k].offset) != plan.checks[k].value) return false;
    }
    return reduced.RowsEqual(start, templatePixels, templateWidth, templateHeight, templateStride);
  };

  // The key's byte for candidates 0 .. lastStart, row by row of the reduced capture.
  const int64_t firstKey = plan.key.offset, lastKey = lastStart + plan.key.offset;
  for (int64_t y = firstKey / stride; y <= lastKey / stride; ++y) {
    const int64_t rowStart = y * stride;
    const int64_t from = std::max<int64_t>(firstKey - rowStart, 0);
    const int64_t to = std::min<int64_t>(lastKey - rowStart, stride - 1);  // inclusive
    const int32_t pixelEnd = static_cast<int32_t>(std::min<int64_t>(to + 1, capture.width));
    const uint8_t* raw = capture.pixels + capture.stride * y;
    for (int32_t x = NextPixelInBox(raw, static_cast<int32_t>(std::min<int64_t>(from, pixelEnd)),
                                    pixelEnd, capture.bytesPerPixel, box);
         x < pixelEnd; x = NextPixelInBox(raw, x + 1, pixelEnd, capture.bytesPerPixel, box)) {
      const int64_t start = rowStart + x - plan.key.offset;
      if (reduced.Entry(x, y) == plan.key.value && matchesAt(start)) return start;
    }
    if (plan.key.value != 0) continue;  // padding bytes are 0
    for (int64_t x = std::max<int64_t>(from, capture.width); x <= to; ++x) {
      if (matchesAt(rowStart + x - plan.key.offset)) return rowStart + x - plan.key.offset;
    }
  }
  return -1;
}

MatchPoint SearchTemplate(const ColourView& capture, const IndexedImage& pattern, int32_t shiftX,
                          int32_t shiftY) {
  if (capture.pixels == nullptr || capture.width <= 0 || capture.height <= 0) return {};
  if (pattern.width <= 0 || pattern.height <= 0 ||
      pattern.pixels.size() < static_cast<size_t>(pattern.stride() * pattern.height)) {
    return {};
  }
  const int64_t offset = FindTemplateInColour(capture, pattern.pixels.data(), pattern.width,
                                              pattern.height, pattern.stride());
  if (offset < 0) return {};
  return MatchPointAt(offset, RowStride(capture.width, 8), capture.height, pattern.width,
                      pattern.height, shiftX, shiftY);
}

MatchPoint SearchBmpTemplate(const ColourView& capture, std::string_view templateBmp,
                             int32_t shiftX, int32_t shiftY) {
  const auto decoded = DecodeBmp(templateBmp);
  if (!decoded) return {};
  return SearchTemplate(capture, ReduceToIndexed(*decoded), shiftX, shiftY);
}

}  // namespace imaging

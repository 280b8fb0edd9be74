#include "imaging/colour_search.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "imaging/bmp_decoder.h"
#include "imaging/box_scan.h"
#include "imaging/colour_cells.h"
#include "imaging/colour_reduction.h"
#include "imaging/template_search.h"

namespace imaging {
namespace {

// One template pixel and the entry it must have.
struct Probe {
  int32_t row, column;
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

// Up to 32 x 32 capture pixels spread evenly over the picture.
std::vector<const uint8_t*> SpreadPixels(const ColourView& capture) {
  constexpr int32_t kPerSide = 32;
  std::vector<const uint8_t*> pixels;
  const int32_t rows = std::min(capture.height, kPerSide), columns = std::min(capture.width, kPerSide);
  pixels.reserve(static_cast<size_t>(rows * columns));
  for (int32_t r = 0; r < rows; ++r) {
    const uint8_t* row = capture.pixels + capture.stride * (int64_t{r} * capture.height / rows);
    for (int32_t c = 0; c < columns; ++c) {
      pixels.push_back(row + int64_t{c} * capture.width / columns * capture.bytesPerPixel);
    }
  }
  return pixels;
}

// The key is the template entry whose box the fewest of a spread of capture pixels fall in
// (then the one rarest in the template, then the one fewest colours reduce to): every capture
// pixel in that box costs a look. The checks are the first pixels of the next entries in the
// same order, so a plain area that holds the key's entry fails a candidate on the first check.
SearchPlan PlanSearch(const ColourView& capture, const uint8_t* pixels, int32_t width,
                      int32_t height, int64_t templateStride) {
  int64_t counts[256] = {};
  Probe first[256] = {};
  for (int32_t j = 0; j < height; ++j) {
    for (int32_t i = 0; i < width; ++i) {
      const uint8_t value = pixels[templateStride * j + i];
      if (counts[value]++ == 0) first[value] = Probe{j, i, value};
    }
  }
  const std::vector<const uint8_t*> spread = SpreadPixels(capture);
  struct Rank {
    int64_t sampled, count;
    int volume, value;
    bool operator<(const Rank& o) const {
      return std::tie(sampled, count, volume, value) < std::tie(o.sampled, o.count, o.volume, o.value);
    }
  };
  std::vector<Rank> ranks;
  for (int value = 0; value < 256; ++value) {
    if (counts[value] == 0) continue;
    const ColourBox& box = EntryBox(static_cast<uint8_t>(value));
    const int64_t sampled = std::count_if(spread.begin(), spread.end(),
                                          [&](const uint8_t* p) { return PixelInBox(p, box); });
    ranks.push_back(Rank{sampled, counts[value], BoxVolume(static_cast<uint8_t>(value)), value});
  }
  std::sort(ranks.begin(), ranks.end());
  SearchPlan plan;
  plan.key = first[ranks[0].value];
  for (size_t k = 1; k < ranks.size() && plan.checkCount < kMaxChecks; ++k) {
    plan.checks[plan.checkCount++] = first[ranks[k].value];
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
  // The byte `rows` rows and `columns` columns from the pixel (x, y), which may lie in the
  // padding or, past either end of the row, wrap into the row before or after.
  uint8_t Near(int32_t x, int64_t y, int32_t rows, int32_t columns) const {
    const int64_t column = int64_t{x} + columns;
    if (column < 0 || column >= stride_) return At((y + rows) * stride_ + column);
    return column < capture_.width ? Entry(static_cast<int32_t>(column), y + rows) : 0;
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
      PlanSearch(capture, templatePixels, templateWidth, templateHeight, templateStride);
  const BoxScan scan = PrepareBoxScan(EntryBox(plan.key.value), capture.bytesPerPixel);
  const int64_t keyOffset = stride * plan.key.row + plan.key.column;

  // The candidate whose key pixel is the byte at (x, y).
  const auto matchesAt = [&](int32_t x, int64_t y) {
    for (int k = 0; k < plan.checkCount; ++k) {
      const Probe& check = plan.checks[k];
      if (reduced.Near(x, y, check.row - plan.key.row, check.column - plan.key.column) != check.value) {
        return false;
      }
    }
    return reduced.RowsEqual(stride * y + x - keyOffset, templatePixels, templateWidth,
                             templateHeight, templateStride);
  };

  // The key's byte for candidates 0 .. lastStart, row by row of the reduced capture.
  const int64_t firstKey = keyOffset, lastKey = lastStart + keyOffset;
  for (int64_t y = firstKey / stride; y <= lastKey / stride; ++y) {
    const int64_t rowStart = y * stride;
    const int64_t from = std::max<int64_t>(firstKey - rowStart, 0);
    const int64_t to = std::min<int64_t>(lastKey - rowStart, stride - 1);  // inclusive
    const int32_t pixelEnd = static_cast<int32_t>(std::min<int64_t>(to + 1, capture.width));
    const uint8_t* raw = capture.pixels + capture.stride * y;
    for (int32_t x = NextPixelInBox(scan, raw, static_cast<int32_t>(std::min<int64_t>(from, pixelEnd)), pixelEnd);
         x < pixelEnd; x = NextPixelInBox(scan, raw, x + 1, pixelEnd)) {
      if (reduced.Entry(x, y) == plan.key.value && matchesAt(x, y)) return rowStart + x - keyOffset;
    }
    if (plan.key.value != 0) continue;  // padding bytes are 0
    for (int64_t x = std::max<int64_t>(from, capture.width); x <= to; ++x) {
      if (matchesAt(static_cast<int32_t>(x), y)) return rowStart + x - keyOffset;
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

#include "imaging/template_search.h"

#include <cstring>

#include "imaging/bmp_decoder.h"
#include "imaging/colour_reduction.h"

namespace imaging {
namespace {

// First position >= from at which needle[0, length) occurs in hay[0, size), or -1.
int64_t FindBytes(const uint8_t* hay, size_t size, size_t from, const uint8_t* needle,
                  size_t length) {
  if (length == 0 || size < length) return -1;
  const size_t lastStart = size - length;
  const uint8_t first = needle[0];
  const uint8_t last = needle[length - 1];
  size_t pos = from;
  while (pos <= lastStart) {
    const void* hit = std::memchr(hay + pos, first, lastStart - pos + 1);
    if (hit == nullptr) return -1;
    pos = static_cast<size_t>(static_cast<const uint8_t*>(hit) - hay);
    if (hay[pos + length - 1] == last && std::memcmp(hay + pos, needle, length) == 0) {
      return static_cast<int64_t>(pos);
    }
    ++pos;
  }
  return -1;
}

}  // namespace

int64_t FindTemplateOffset(const uint8_t* capture, size_t captureSize, int64_t captureStride,
                           const uint8_t* templatePixels, int32_t templateWidth,
                           int32_t templateHeight, int64_t templateStride) {
  if (templateWidth <= 0 || templateHeight <= 0 || captureStride <= 0) return -1;
  const size_t w = static_cast<size_t>(templateWidth);
  // Every row must fit whole: a row cut short by the end of the capture compares unequal.
  const uint64_t span = static_cast<uint64_t>(captureStride) * (templateHeight - 1) + w;
  if (span > captureSize) return -1;
  const size_t lastStart = captureSize - static_cast<size_t>(span);

  size_t from = 0;
  while (from <= lastStart) {
    const int64_t hit = FindBytes(capture, lastStart + w, from, templatePixels, w);
    if (hit < 0) return -1;
    const size_t pos = static_cast<size_t>(hit);
    bool allRows = true;
    for (int32_t j = 1; j < templateHeight && allRows; ++j) {
      allRows = std::memcmp(capture + pos + static_cast<size_t>(captureStride) * j,
                            templatePixels + static_cast<size_t>(templateStride) * j, w) == 0;
    }
    if (allRows) return hit;
    from = pos + 1;
  }
  return -1;
}

MatchPoint MatchPointAt(int64_t offset, int64_t captureStride, int32_t captureHeight,
                        int32_t templateWidth, int32_t templateHeight, int32_t shiftX,
                        int32_t shiftY) {
  const int64_t column = offset % captureStride;
  const int64_t bottomUpRow = offset / captureStride;
  MatchPoint point;
  point.x = static_cast<int32_t>(column + templateWidth / 2 + shiftX);
  point.y = static_cast<int32_t>((captureHeight - bottomUpRow - 1) - templateHeight / 2 + shiftY);
  return point;
}

MatchPoint SearchTemplate(const IndexedImage& capture, const IndexedImage& pattern,
                          int32_t shiftX, int32_t shiftY) {
  if (capture.width <= 0 || capture.height <= 0 || capture.pixels.empty()) return {};
  if (pattern.width <= 0 || pattern.height <= 0 ||
      pattern.pixels.size() < static_cast<size_t>(pattern.stride() * pattern.height)) {
    return {};
  }
  const int64_t offset =
      FindTemplateOffset(capture.pixels.data(), capture.pixels.size(), capture.stride(),
                         pattern.pixels.data(), pattern.width, pattern.height, pattern.stride());
  if (offset < 0) return {};
  return MatchPointAt(offset, capture.stride(), capture.height, pattern.width, pattern.height,
                      shiftX, shiftY);
}

MatchPoint SearchBmpTemplate(const IndexedImage& capture, std::string_view templateBmp,
                             int32_t shiftX, int32_t shiftY) {
  const auto decoded = DecodeBmp(templateBmp);
  if (!decoded) return {};
  return SearchTemplate(capture, ReduceToIndexed(*decoded), shiftX, shiftY);
}

}  // namespace imaging

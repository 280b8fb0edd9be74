#include "imaging/template_search.h"

#include <cstring>

#include "imaging/bmp_decoder.h"
#include "imaging/colour_reduction.h"

namespace imaging {
namespace {

// One template pixel checked before the full rows: the one whose entry is rarest in the
// template (usually ink), so that a candidate in a plain area fails after one comparison.
struct Probe {
  size_t captureOffset;  // from the candidate's position
  uint8_t value;
};

Probe ChooseProbe(const uint8_t* pixels, int32_t width, int32_t height, int64_t templateStride,
                  int64_t captureStride) {
  size_t counts[256] = {};
  for (int32_t j = 0; j < height; ++j) {
    for (int32_t i = 0; i < width; ++i) ++counts[pixels[templateStride * j + i]];
  }
  Probe probe{0, pixels[0]};
  size_t rarest = counts[pixels[0]];
  for (int32_t j = 0; j < height; ++j) {
    for (int32_t i = 0; i < width; ++i) {
      const uint8_t value = pixels[templateStride * j + i];
      if (counts[value] < rarest) {
        rarest = counts[value];
        probe = Probe{static_cast<size_t>(captureStride * j + i), value};
      }
    }
  }
  return probe;
}

bool RowsEqual(const uint8_t* candidate, int64_t captureStride, const uint8_t* pixels,
               int32_t width, int32_t height, int64_t templateStride) {
  for (int32_t j = 0; j < height; ++j) {
    if (std::memcmp(candidate + captureStride * j, pixels + templateStride * j,
                    static_cast<size_t>(width)) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

int64_t FindTemplateOffset(const uint8_t* capture, size_t captureSize, int64_t captureStride,
                           const uint8_t* templatePixels, int32_t templateWidth,
                           int32_t templateHeight, int64_t templateStride) {
  if (templateWidth <= 0 || templateHeight <= 0 || captureStride <= 0) return -1;
  // Every row must fit whole: a row cut short by the end of the capture compares unequal, so
  // no candidate past lastStart can match.
  const uint64_t span =
      static_cast<uint64_t>(captureStride) * (templateHeight - 1) + static_cast<uint64_t>(templateWidth);
  if (span > captureSize) return -1;
  const size_t lastStart = captureSize - static_cast<size_t>(span);
  const Probe probe =
      ChooseProbe(templatePixels, templateWidth, templateHeight, templateStride, captureStride);
  const uint8_t first = templatePixels[0];

  // Candidates are the positions where the first row's first byte occurs, in byte order; the
  // library scan skips sparse stretches, the plain loop walks dense ones without a call per byte.
  size_t pos = 0;
  while (pos <= lastStart) {
    if (capture[pos] != first) {
      const void* hit = std::memchr(capture + pos, first, lastStart - pos + 1);
      if (hit == nullptr) return -1;
      pos = static_cast<size_t>(static_cast<const uint8_t*>(hit) - capture);
    }
    if (capture[pos + probe.captureOffset] == probe.value &&
        RowsEqual(capture + pos, captureStride, templatePixels, templateWidth, templateHeight,
                  templateStride)) {
      return static_cast<int64_t>(pos);
    }
    ++pos;
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

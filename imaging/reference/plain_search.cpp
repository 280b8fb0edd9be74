#include "imaging/reference/plain_search.h"

#include <algorithm>
#include <cstring>

#include "imaging/palettes.h"
#include "imaging/template_search.h"

namespace imaging::reference {

uint8_t EntryByTrial(uint8_t red, uint8_t green, uint8_t blue) {
  // Doubled units: the centre of the 8-wide cell holding v is 2 * (v & ~7) + 7.
  const int cr = 2 * (red & ~7) + 7, cg = 2 * (green & ~7) + 7, cb = 2 * (blue & ~7) + 7;
  int best = 0, bestDistance = 1 << 30;
  for (int i = 0; i < 256; ++i) {
    const Rgb entry = Palette256Entry(i);
    const int dr = cr - 2 * entry.red, dg = cg - 2 * entry.green, db = cb - 2 * entry.blue;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) bestDistance = distance, best = i;
  }
  return static_cast<uint8_t>(best);
}

IndexedImage ReduceByTrial(const ColourView& image) {
  IndexedImage out{image.width, image.height, {}};
  out.pixels.assign(static_cast<size_t>(out.stride() * out.height), 0);
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) {
      const uint8_t* p = image.pixels + image.stride * y + int64_t{x} * image.bytesPerPixel;
      out.pixels[static_cast<size_t>(out.stride() * y + x)] = EntryByTrial(p[2], p[1], p[0]);
    }
  }
  return out;
}

int64_t FindByByteRows(const IndexedImage& capture, const IndexedImage& pattern) {
  const std::vector<uint8_t>& c = capture.pixels;
  const size_t w = static_cast<size_t>(pattern.width);
  const size_t stride = static_cast<size_t>(capture.stride());
  if (w == 0 || pattern.height <= 0 || c.size() < w) return -1;
  const auto row = [&](int32_t j) { return &pattern.pixels[static_cast<size_t>(pattern.stride() * j)]; };
  for (size_t pos = 0; pos + w <= c.size(); ++pos) {
    if (std::memcmp(&c[pos], row(0), w) != 0) continue;
    bool equal = true;
    for (int32_t j = 1; j < pattern.height && equal; ++j) {
      const size_t start = pos + stride * static_cast<size_t>(j);
      const size_t length = start >= c.size() ? 0 : std::min(w, c.size() - start);
      equal = length == w && std::memcmp(&c[start], row(j), w) == 0;
    }
    if (equal) return static_cast<int64_t>(pos);
  }
  return -1;
}

MatchPoint SearchPlainly(const ColourView& capture, const ColourImage& pattern) {
  const IndexedImage c = ReduceByTrial(capture);
  const int64_t offset = FindByByteRows(c, ReduceByTrial(ViewOf(pattern)));
  if (offset < 0) return {};
  return MatchPointAt(offset, c.stride(), c.height, pattern.width, pattern.height, 0, 0);
}

}  // namespace imaging::reference

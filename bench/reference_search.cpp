#include "reference_search.h"

#include "imaging/palettes.h"

namespace bench {

imaging::IndexedImage ReferenceReduce(const imaging::ColourImage& image) {
  imaging::Rgb table[256];
  for (int i = 0; i < 256; ++i) table[i] = imaging::Palette256Entry(i);
  imaging::IndexedImage out{image.width, image.height, {}};
  out.pixels.assign(static_cast<size_t>(out.stride() * out.height), 0);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = &image.pixels[static_cast<size_t>(image.stride() * y + x * 3)];
      // Doubled units: the centre of the 8-wide cell holding v is 2 * (v & ~7) + 7.
      const int cb = 2 * (p[0] & ~7) + 7, cg = 2 * (p[1] & ~7) + 7, cr = 2 * (p[2] & ~7) + 7;
      int best = 0, bestDistance = 1 << 30;
      for (int i = 0; i < 256; ++i) {
        const int dr = cr - 2 * table[i].red, dg = cg - 2 * table[i].green,
                  db = cb - 2 * table[i].blue;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) bestDistance = d, best = i;
      }
      out.pixels[static_cast<size_t>(out.stride() * y + x)] = static_cast<uint8_t>(best);
    }
  }
  return out;
}

imaging::MatchPoint ReferenceSearch(const imaging::ColourImage& capture,
                                    const imaging::ColourImage& pattern) {
  const imaging::IndexedImage c = ReferenceReduce(capture);
  const imaging::IndexedImage t = ReferenceReduce(pattern);
  // Bottom-up rows: the first hit is the lowest, then the leftmost.
  for (int y = 0; y + t.height <= c.height; ++y) {
    for (int x = 0; x + t.width <= c.width; ++x) {
      bool equal = true;
      for (int j = 0; j < t.height && equal; ++j) {
        for (int i = 0; i < t.width && equal; ++i) {
          equal = c.pixels[static_cast<size_t>(c.stride() * (y + j) + x + i)] ==
                  t.pixels[static_cast<size_t>(t.stride() * j + i)];
        }
      }
      if (equal) {
        return imaging::MatchPoint{x + t.width / 2, (c.height - y - 1) - t.height / 2};
      }
    }
  }
  return {};
}

}  // namespace bench

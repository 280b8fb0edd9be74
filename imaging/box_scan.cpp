#include "imaging/box_scan.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace imaging {
namespace {

int32_t NextPixelInBoxPlain(const uint8_t* row, int32_t from, int32_t end, int bytesPerPixel,
                            const ColourBox& box) {
  for (int32_t x = from; x < end; ++x) {
    if (PixelInBox(row + int64_t{x} * bytesPerPixel, box)) return x;
  }
  return end;
}

#if defined(__SSE2__)

// 16 pixels a step. Each byte is tested against the bounds of its channel (low <= v <= high
// exactly when min(max(v, low), high) == v); a pixel is in the box when all its bytes are.
__m128i BytesInBounds(const uint8_t* bytes, const BoxScan& scan, int lane) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(scan.low[lane]));
  const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(scan.high[lane]));
  return _mm_cmpeq_epi8(_mm_min_epu8(_mm_max_epu8(v, low), high), v);
}

uint64_t Mask16(__m128i bytes) { return static_cast<uint32_t>(_mm_movemask_epi8(bytes)); }

int32_t NextPixelInBox24(const BoxScan& scan, const uint8_t* row, int32_t from, int32_t end) {
  constexpr uint64_t kFirstByteOfEachPixel = 0x249249249249ull;  // every third of 48 bits
  int32_t x = from;
  for (; x + 16 <= end; x += 16) {
    const uint8_t* p = row + int64_t{x} * 3;
    const uint64_t bytes = Mask16(BytesInBounds(p, scan, 0)) |
                           Mask16(BytesInBounds(p + 16, scan, 1)) << 16 |
                           Mask16(BytesInBounds(p + 32, scan, 2)) << 32;
    const uint64_t pixels = bytes & (bytes >> 1) & (bytes >> 2) & kFirstByteOfEachPixel;
    if (pixels != 0) return x + std::countr_zero(pixels) / 3;
  }
  return NextPixelInBoxPlain(row, x, end, 3, scan.box);
}

int32_t NextPixelInBox32(const BoxScan& scan, const uint8_t* row, int32_t from, int32_t end) {
  const __m128i allSet = _mm_set1_epi32(-1);
  int32_t x = from;
  for (; x + 16 <= end; x += 16) {
    const uint8_t* p = row + int64_t{x} * 4;
    // One 32-bit lane per pixel, all ones when the pixel is in the box; packed to a byte each.
    const __m128i a = _mm_cmpeq_epi32(BytesInBounds(p, scan, 0), allSet);
    const __m128i b = _mm_cmpeq_epi32(BytesInBounds(p + 16, scan, 0), allSet);
    const __m128i c = _mm_cmpeq_epi32(BytesInBounds(p + 32, scan, 0), allSet);
    const __m128i d = _mm_cmpeq_epi32(BytesInBounds(p + 48, scan, 0), allSet);
    const __m128i packed = _mm_packs_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d));
    const uint32_t pixels = static_cast<uint32_t>(_mm_movemask_epi8(packed));
    if (pixels != 0) return x + std::countr_zero(pixels);
  }
  return NextPixelInBoxPlain(row, x, end, 4, scan.box);
}

#endif

}  // namespace

BoxScan PrepareBoxScan(const ColourBox& box, int bytesPerPixel) {
  BoxScan scan{box, bytesPerPixel, {}, {}};
  for (int lane = 0; lane < 3; ++lane) {
    for (int i = 0; i < 16; ++i) {
      const int channel = (16 * lane + i) % bytesPerPixel;
      scan.low[lane][i] = channel < 3 ? box.low[channel] : 0;
      scan.high[lane][i] = channel < 3 ? box.high[channel] : 255;
    }
  }
  return scan;
}

int32_t NextPixelInBox(const BoxScan& scan, const uint8_t* row, int32_t from, int32_t end) {
#if defined(__SSE2__)
  if (scan.bytesPerPixel == 3) return NextPixelInBox24(scan, row, from, end);
  if (scan.bytesPerPixel == 4) return NextPixelInBox32(scan, row, from, end);
#endif
  return NextPixelInBoxPlain(row, from, end, scan.bytesPerPixel, scan.box);
}

}  // namespace imaging

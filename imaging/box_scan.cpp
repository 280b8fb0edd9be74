#include "imaging/box_scan.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace imaging {
namespace {

bool InBox(const uint8_t* pixel, const ColourBox& box) {
  for (int c = 0; c < 3; ++c) {
    if (pixel[c] < box.low[c] || pixel[c] > box.high[c]) return false;
  }
  return true;
}

int32_t NextPixelInBoxPlain(const uint8_t* row, int32_t from, int32_t end, int bytesPerPixel,
                            const ColourBox& box) {
  for (int32_t x = from; x < end; ++x) {
    if (InBox(row + int64_t{x} * bytesPerPixel, box)) return x;
  }
  return end;
}

#if defined(__SSE2__)

// 16 pixels a step. Each byte is tested against the bounds of its channel (low <= v <= high
// exactly when min(max(v, low), high) == v); a pixel is in the box when all its bytes are.
struct ChannelBounds {
  __m128i low, high;
};

// Bounds for 16 bytes whose first byte is channel `phase` of a pixel of `bytesPerPixel` bytes;
// a fourth byte takes any value.
ChannelBounds BoundsFrom(const ColourBox& box, int bytesPerPixel, int phase) {
  alignas(16) uint8_t low[16], high[16];
  for (int i = 0; i < 16; ++i) {
    const int channel = (phase + i) % bytesPerPixel;
    low[i] = channel < 3 ? box.low[channel] : 0;
    high[i] = channel < 3 ? box.high[channel] : 255;
  }
  return {_mm_load_si128(reinterpret_cast<const __m128i*>(low)),
          _mm_load_si128(reinterpret_cast<const __m128i*>(high))};
}

__m128i BytesInBounds(const uint8_t* bytes, const ChannelBounds& bounds) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  return _mm_cmpeq_epi8(_mm_min_epu8(_mm_max_epu8(v, bounds.low), bounds.high), v);
}

int32_t NextPixelInBox24(const uint8_t* row, int32_t from, int32_t end, const ColourBox& box) {
  const ChannelBounds bounds[3] = {BoundsFrom(box, 3, 0), BoundsFrom(box, 3, 1),
                                   BoundsFrom(box, 3, 2)};
  constexpr uint64_t kFirstByteOfEachPixel = 0x249249249249ull;  // every third of 48 bits
  int32_t x = from;
  for (; x + 16 <= end; x += 16) {
    const uint8_t* p = row + int64_t{x} * 3;
    const uint64_t bytes =
        static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(BytesInBounds(p, bounds[0])))) |
        static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(BytesInBounds(p + 16, bounds[1])))) << 16 |
        static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(BytesInBounds(p + 32, bounds[2])))) << 32;
    const uint64_t pixels = bytes & (bytes >> 1) & (bytes >> 2) & kFirstByteOfEachPixel;
    if (pixels != 0) return x + std::countr_zero(pixels) / 3;
  }
  return NextPixelInBoxPlain(row, x, end, 3, box);
}

int32_t NextPixelInBox32(const uint8_t* row, int32_t from, int32_t end, const ColourBox& box) {
  const ChannelBounds bounds = BoundsFrom(box, 4, 0);
  const __m128i allSet = _mm_set1_epi32(-1);
  int32_t x = from;
  for (; x + 16 <= end; x += 16) {
    const uint8_t* p = row + int64_t{x} * 4;
    // One 32-bit lane per pixel, all ones when the pixel is in the box; packed to a byte each.
    const __m128i a = _mm_cmpeq_epi32(BytesInBounds(p, bounds), allSet);
    const __m128i b = _mm_cmpeq_epi32(BytesInBounds(p + 16, bounds), allSet);
    const __m128i c = _mm_cmpeq_epi32(BytesInBounds(p + 32, bounds), allSet);
    const __m128i d = _mm_cmpeq_epi32(BytesInBounds(p + 48, bounds), allSet);
    const __m128i packed = _mm_packs_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d));
    const uint32_t pixels = static_cast<uint32_t>(_mm_movemask_epi8(packed));
    if (pixels != 0) return x + std::countr_zero(pixels);
  }
  return NextPixelInBoxPlain(row, x, end, 4, box);
}

#endif

}  // namespace

int32_t NextPixelInBox(const uint8_t* row, int32_t from, int32_t end, int bytesPerPixel,
                       const ColourBox& box) {
#if defined(__SSE2__)
  if (bytesPerPixel == 3) return NextPixelInBox24(row, from, end, box);
  if (bytesPerPixel == 4) return NextPixelInBox32(row, from, end, box);
#endif
  return NextPixelInBoxPlain(row, from, end, bytesPerPixel, box);
}

}  // namespace imaging

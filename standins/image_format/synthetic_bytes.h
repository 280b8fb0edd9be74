#pragma once
// The stand-in's synthetic contents: a xorshift stream, so that different seeds give different
// bytes and every run gives the same ones.
#include <cstdint>
#include <span>

namespace standin {

// `state` must not be 0 (the stream would stay 0).
inline void FillXorshift(std::span<uint8_t> bytes, uint32_t state) {
  for (uint8_t& byte : bytes) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = uint8_t(state);
  }
}

}  // namespace standin

// Input: one byte giving where to split, then two BMP files (template, capture) back to back.
// Both are decoded and reduced; the template is searched in the capture, and also in the raw
// bytes taken as a reduced capture of a width chosen by the input. The template is also taken
// as a picture a user put in the labels folder: when it is accepted, what the search is given
// must be a 24-bit picture within the limits that shows the same pixels.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "imaging/bmp_decoder.h"
#include "imaging/colour_reduction.h"
#include "imaging/label_picture.h"
#include "imaging/template_search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t split = 1 + (size - 1) * data[0] / 256;
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const std::string_view templateBytes = all.substr(1, split - 1);
  const std::string_view captureBytes = all.substr(split);

  if (const auto usable = imaging::ReadLabelPicture(templateBytes).picture) {
    const auto given = imaging::DecodeBmp(*usable);
    const auto original = imaging::DecodeBmp(templateBytes);
    if (!given || !original || static_cast<uint8_t>((*usable)[28]) != 24) __builtin_trap();
    if (given->width > imaging::kMaxLabelPictureWidth) __builtin_trap();
    if (given->height > imaging::kMaxLabelPictureHeight) __builtin_trap();
    if (given->pixels != original->pixels) __builtin_trap();
  }

  const auto decoded = imaging::DecodeBmp(captureBytes);
  if (decoded) {
    const imaging::IndexedImage capture = imaging::ReduceToIndexed(*decoded);
    const imaging::MatchPoint point = imaging::SearchBmpTemplate(capture, templateBytes);
    if (point.found() && (point.x < 0 || point.y < -decoded->height)) __builtin_trap();
  }

  // The capture bytes as an already reduced picture whose width the first byte picks.
  imaging::IndexedImage raw;
  raw.width = 1 + data[0] % 64;
  raw.height = static_cast<int32_t>(captureBytes.size() / static_cast<size_t>(raw.stride()));
  raw.pixels.assign(captureBytes.begin(), captureBytes.begin() + raw.stride() * raw.height);
  imaging::SearchBmpTemplate(raw, templateBytes);
  return 0;
}

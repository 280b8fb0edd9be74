#pragma once
// The label pictures stored in the program: two renderings of each of nine microcode labels of
// the driven tool's table, and its ME state field reading "Enabled". Each is a complete 24-bit
// bottom-up BMP file.
#include <array>
#include <string_view>

namespace imaging {

struct MicrocodeLabel {
  std::string_view cpuid;     // the text written into the list when found, e.g. "506E1"
  std::string_view primary;   // BMP file bytes
  std::string_view fallback;  // BMP file bytes
};

// In the order the detection tries them: 506E1, 506E3, 506E8, 906E9, 906EA, 906EB, 906EC,
// 906ED, 506E0.
const std::array<MicrocodeLabel, 9>& MicrocodeLabels();

// 118 x 15: "Enabled" and the field's circular two-arrow refresh icon.
std::string_view MeEnabledLabel();

}  // namespace imaging

#pragma once
// A 5 x 7 pixel font of our own, drawn for the label pictures: the digits, A to F and the
// lower-case letters of "Enabled".
#include <array>
#include <string_view>

namespace labelgen {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

// Seven rows of five characters, '#' = ink; all dots for a character the font lacks.
const std::array<std::string_view, kGlyphHeight>& GlyphRows(char c);

bool FontHas(char c);

}  // namespace labelgen

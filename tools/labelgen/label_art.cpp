#include "tools/labelgen/label_art.h"

#include <string_view>

#include "tools/labelgen/pixel_font.h"

namespace labelgen {
namespace {

using imaging::ColourImage;
using imaging::Rgb;

enum class Rendering { kPlain, kSmoothed };

struct CellPicture {
  std::string_view fileName;
  int width;
  int height;
  std::string_view text;          // the cell's CPUID
  std::string_view nextCellText;  // empty: the picture ends at the cell's right border
  Rendering rendering;
  bool horizontalBorders;  // false: a cut through the middle of the row
};

constexpr int kCellWidth = 51;     // the column separator is the cell's last column
constexpr int kTextLeft = 11;      // centres five glyphs in the cell
constexpr int kNextTextLeft = 3;   // left-aligned text in the following column

constexpr CellPicture kCells[] = {
    {"506E1_primary.bmp", 51, 24, "506E1", "", Rendering::kPlain, true},
    {"506E1_fallback.bmp", 51, 21, "506E1", "", Rendering::kSmoothed, true},
    {"506E3_primary.bmp", 51, 24, "506E3", "", Rendering::kPlain, true},
    {"506E3_fallback.bmp", 51, 22, "506E3", "", Rendering::kSmoothed, true},
    {"506E8_primary.bmp", 51, 24, "506E8", "", Rendering::kPlain, true},
    {"506E8_fallback.bmp", 51, 21, "506E8", "", Rendering::kSmoothed, true},
    {"906E9_primary.bmp", 51, 24, "906E9", "", Rendering::kPlain, true},
    {"906E9_fallback.bmp", 51, 21, "906E9", "", Rendering::kSmoothed, true},
    {"906EA_primary.bmp", 51, 24, "906EA", "", Rendering::kPlain, true},
    {"906EA_fallback.bmp", 51, 22, "906EA", "", Rendering::kSmoothed, true},
    {"906EB_primary.bmp", 64, 16, "906EB", "EA", Rendering::kPlain, false},
    {"906EB_fallback.bmp", 66, 21, "906EB", "EA", Rendering::kSmoothed, true},
    {"906EC_primary.bmp", 51, 24, "906EC", "", Rendering::kPlain, true},
    {"906EC_fallback.bmp", 51, 22, "906EC", "", Rendering::kSmoothed, true},
    {"906ED_primary.bmp", 51, 24, "906ED", "", Rendering::kPlain, true},
    {"906ED_fallback.bmp", 51, 22, "906ED", "", Rendering::kSmoothed, true},
    {"506E0_primary.bmp", 74, 24, "906EB", "A4", Rendering::kPlain, true},
    {"506E0_fallback.bmp", 72, 20, "906EB", "A4", Rendering::kSmoothed, true},
};

// Drawing in top-down coordinates on a bottom-up picture; pixels outside are dropped.
class Canvas {
 public:
  Canvas(int width, int height, Rgb background) {
    image_.width = width;
    image_.height = height;
    image_.pixels.assign(static_cast<size_t>(image_.stride() * height), 0);
    FillRect(0, 0, width, height, background);
  }
  void Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return;
    uint8_t* p = &image_.pixels[static_cast<size_t>(image_.stride() * (image_.height - 1 - y) + x * 3)];
    p[0] = c.blue;
    p[1] = c.green;
    p[2] = c.red;
  }
  void FillRect(int left, int top, int width, int height, Rgb c) {
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) Set(x, y, c);
    }
  }
  void Text(int left, int top, std::string_view text, Rendering rendering, Rgb ink) {
    for (size_t i = 0; i < text.size(); ++i) {
      const auto& rows = GlyphRows(text[i]);
      const int x0 = left + static_cast<int>(i) * kGlyphAdvance;
      for (int y = 0; y < kGlyphHeight; ++y) {
        for (int x = 0; x < kGlyphWidth; ++x) {
          if (rows[y][x] != '#') continue;
          Set(x0 + x, top + y, ink);
          // The smoothed rendering leaves a lighter fringe right of each stroke.
          const bool nextIsInk = x + 1 < kGlyphWidth && rows[y][x + 1] == '#';
          if (rendering == Rendering::kSmoothed && !nextIsInk) Set(x0 + x + 1, top + y, kSmoothedInk);
        }
      }
    }
  }
  ColourImage Take() { return std::move(image_); }

 private:
  ColourImage image_;
};

ColourImage DrawCell(const CellPicture& cell) {
  Canvas canvas(cell.width, cell.height, kCellBackground);
  if (cell.horizontalBorders) {
    canvas.FillRect(0, 0, cell.width, 1, kCellBorder);
    canvas.FillRect(0, cell.height - 1, cell.width, 1, kCellBorder);
  }
  canvas.FillRect(0, 0, 1, cell.height, kCellBorder);
  canvas.FillRect(kCellWidth - 1, 0, 1, cell.height, kCellBorder);
  const int textTop = (cell.height - kGlyphHeight) / 2;
  canvas.Text(kTextLeft, textTop, cell.text, cell.rendering, kInk);
  canvas.Text(kCellWidth + kNextTextLeft, textTop, cell.nextCellText, cell.rendering, kInk);
  return canvas.Take();
}

// The ME state field: "Enabled", a separator, and two arrows chasing each other round a ring.
ColourImage DrawMeState() {
  constexpr int kWidth = 118, kHeight = 15, kSeparator = 100;
  Canvas canvas(kWidth, kHeight, kFieldBackground);
  canvas.FillRect(0, 0, kWidth, 1, kCellBorder);
  canvas.FillRect(0, kHeight - 1, kWidth, 1, kCellBorder);
  canvas.FillRect(0, 0, 1, kHeight, kCellBorder);
  canvas.FillRect(kSeparator, 0, 1, kHeight, kCellBorder);
  canvas.Text(3, (kHeight - kGlyphHeight) / 2, "Enabled", Rendering::kPlain, kInk);

  const int cx = 109, cy = 7;
  for (int dy = -6; dy <= 6; ++dy) {
    for (int dx = -6; dx <= 6; ++dx) {
      const int r2 = dx * dx + dy * dy;
      const bool ring = r2 >= 16 && r2 <= 30;
      const bool gap = (dx >= 2 && dy < 0 && dy >= -3) || (dx <= -2 && dy > 0 && dy <= 3);
      if (ring && !gap) canvas.Set(cx + dx, cy + dy, kIconInk);
    }
  }
  // Arrowheads at the two gaps: one pointing down on the right, one pointing up on the left.
  for (int i = 0; i < 3; ++i) {
    canvas.FillRect(cx + 3 + i, cy - 2 + i, 5 - 2 * i, 1, kIconInk);
    canvas.FillRect(cx - 7 + i, cy + 2 - i, 5 - 2 * i, 1, kIconInk);
  }
  return canvas.Take();
}

}  // namespace

std::vector<LabelPicture> DrawAllLabels() {
  std::vector<LabelPicture> pictures;
  for (const CellPicture& cell : kCells) {
    pictures.push_back({std::string(cell.fileName), DrawCell(cell)});
  }
  pictures.push_back({"ME_enabled.bmp", DrawMeState()});
  return pictures;
}

}  // namespace labelgen

#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace artgen {
namespace {

constexpr int kSubsamples = 4;
constexpr double kPi = 3.14159265358979323846;

Colour Over(Colour under, Colour over, double coverage) {
  double a = over.a * coverage;
  double outA = a + under.a * (1 - a);
  if (outA <= 0) return {0, 0, 0, 0};
  auto mix = [&](double u, double o) { return (o * a + u * under.a * (1 - a)) / outA; };
  return {mix(under.r, over.r), mix(under.g, over.g), mix(under.b, over.b), outA};
}

// Rows of the 5x7 font: bit 4 is the leftmost dot.
struct Glyph {
  char letter;
  uint8_t rows[7];
};
constexpr Glyph kGlyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}}, {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {' ', {0, 0, 0, 0, 0, 0, 0}},
};

const Glyph* FindGlyph(char letter) {
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.letter == letter) return &glyph;
  }
  return nullptr;
}

}  // namespace

Canvas MakeCanvas(int width, int height, Colour fill) {
  Canvas canvas;
  canvas.width = width;
  canvas.height = height;
  canvas.pixels.assign(static_cast<size_t>(width) * height, fill);
  return canvas;
}

void FillShapeWith(Canvas& canvas, const Shape& shape,
                   const std::function<Colour(double, double)>& colourAt) {
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSubsamples; ++sy) {
        for (int sx = 0; sx < kSubsamples; ++sx) {
          if (shape(x + (sx + 0.5) / kSubsamples, y + (sy + 0.5) / kSubsamples)) ++hits;
        }
      }
      if (hits == 0) continue;
      Colour& pixel = canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
      pixel = Over(pixel, colourAt(x + 0.5, y + 0.5),
                   static_cast<double>(hits) / (kSubsamples * kSubsamples));
    }
  }
}

void FillShape(Canvas& canvas, const Shape& shape, Colour colour) {
  FillShapeWith(canvas, shape, [colour](double, double) { return colour; });
}

std::vector<uint8_t> ToRgba8(const Canvas& canvas) {
  std::vector<uint8_t> out;
  out.reserve(canvas.pixels.size() * 4);
  auto byte = [](double v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
  };
  for (const Colour& c : canvas.pixels) {
    out.push_back(byte(c.r));
    out.push_back(byte(c.g));
    out.push_back(byte(c.b));
    out.push_back(byte(c.a));
  }
  return out;
}

Shape RoundedRect(double left, double top, double right, double bottom, double radius) {
  return [=](double x, double y) {
    if (x < left || x >= right || y < top || y >= bottom) return false;
    double cx = std::clamp(x, left + radius, right - radius);
    double cy = std::clamp(y, top + radius, bottom - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
  };
}

Shape Disc(double cx, double cy, double radius) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; };
}

Shape Ring(double cx, double cy, double inner, double outer) {
  return Minus(Disc(cx, cy, outer), Disc(cx, cy, inner));
}

Shape Arc(double cx, double cy, double inner, double outer, double from, double to) {
  Shape ring = Ring(cx, cy, inner, outer);
  return [=](double x, double y) {
    if (!ring(x, y)) return false;
    double angle = std::atan2(y - cy, x - cx) * 180.0 / kPi;
    if (angle < 0) angle += 360.0;
    return from <= to ? (angle >= from && angle <= to) : (angle >= from || angle <= to);
  };
}

Shape Triangle(double x0, double y0, double x1, double y1, double x2, double y2) {
  return [=](double x, double y) {
    auto side = [&](double ax, double ay, double bx, double by) {
      return (bx - ax) * (y - ay) - (by - ay) * (x - ax);
    };
    double d0 = side(x0, y0, x1, y1), d1 = side(x1, y1, x2, y2), d2 = side(x2, y2, x0, y0);
    bool anyNegative = d0 < 0 || d1 < 0 || d2 < 0;
    bool anyPositive = d0 > 0 || d1 > 0 || d2 > 0;
    return !(anyNegative && anyPositive);
  };
}

Shape Union(Shape a, Shape b) {
  return [=](double x, double y) { return a(x, y) || b(x, y); };
}

Shape Minus(Shape a, Shape b) {
  return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

double BlockTextWidth(const char* text, double dot) {
  size_t n = std::strlen(text);
  return n == 0 ? 0 : (n * 6 - 1) * dot;
}

Shape BlockText(const char* text, double left, double top, double dot) {
  std::vector<const Glyph*> glyphs;
  for (const char* p = text; *p; ++p) glyphs.push_back(FindGlyph(*p));
  return [=](double x, double y) {
    int column = static_cast<int>(std::floor((x - left) / dot));
    int row = static_cast<int>(std::floor((y - top) / dot));
    if (column < 0 || row < 0 || row >= 7) return false;
    size_t index = static_cast<size_t>(column / 6);
    int dotColumn = column % 6;
    if (index >= glyphs.size() || dotColumn == 5 || glyphs[index] == nullptr) return false;
    return (glyphs[index]->rows[row] >> (4 - dotColumn) & 1) != 0;
  };
}

}  // namespace artgen

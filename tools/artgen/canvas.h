#pragma once
// A floating-point RGBA raster with anti-aliased shape filling, enough to draw the program's
// pictures from simple geometry.
#include <cstdint>
#include <functional>
#include <vector>

namespace artgen {

struct Colour {
  double r = 0, g = 0, b = 0, a = 1;  // 0..1, straight (not premultiplied) alpha
};

// Inside-test of a shape at a point given in pixel units.
using Shape = std::function<bool(double x, double y)>;

struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<Colour> pixels;  // top-down rows
};

Canvas MakeCanvas(int width, int height, Colour fill);
// Paints colour over the canvas where the shape is, with 4x4 supersampled coverage.
void FillShape(Canvas& canvas, const Shape& shape, Colour colour);
// Paints a per-pixel colour (source-over) where the shape is.
void FillShapeWith(Canvas& canvas, const Shape& shape,
                   const std::function<Colour(double x, double y)>& colourAt);

// 8-bit channels, top-down, RGBA order.
std::vector<uint8_t> ToRgba8(const Canvas& canvas);

// Shapes.
Shape RoundedRect(double left, double top, double right, double bottom, double radius);
Shape Disc(double cx, double cy, double radius);
Shape Ring(double cx, double cy, double inner, double outer);
// Ring sector from angle `from` to `to` (degrees, counter-clockwise from +x, y pointing down
// on screen so angles run clockwise visually).
Shape Arc(double cx, double cy, double inner, double outer, double from, double to);
Shape Triangle(double x0, double y0, double x1, double y1, double x2, double y2);
Shape Union(Shape a, Shape b);
Shape Minus(Shape a, Shape b);

// Text in a 5x7 block font (upper-case letters and digits used by the artwork), each font
// dot a square of `dot` pixels, letters one dot apart.
Shape BlockText(const char* text, double left, double top, double dot);
double BlockTextWidth(const char* text, double dot);

}  // namespace artgen

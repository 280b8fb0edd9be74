#include "artwork.h"

#include <cmath>

namespace artgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

Colour Mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

// A chip body with pins on all four sides.
void DrawChip(Canvas& canvas, double cx, double cy, double half, double pinLength, int pinsPerSide,
              Colour body, Colour pins) {
  double pitch = 2 * half / (pinsPerSide + 1);
  double pinHalfWidth = pitch * 0.28;
  for (int i = 1; i <= pinsPerSide; ++i) {
    double along = cx - half + pitch * i;
    double across = cy - half + pitch * i;
    FillShape(canvas, RoundedRect(along - pinHalfWidth, cy - half - pinLength, along + pinHalfWidth, cy - half + 1, 0), pins);
    FillShape(canvas, RoundedRect(along - pinHalfWidth, cy + half - 1, along + pinHalfWidth, cy + half + pinLength, 0), pins);
    FillShape(canvas, RoundedRect(cx - half - pinLength, across - pinHalfWidth, cx - half + 1, across + pinHalfWidth, 0), pins);
    FillShape(canvas, RoundedRect(cx + half - 1, across - pinHalfWidth, cx + half + pinLength, across + pinHalfWidth, 0), pins);
  }
  FillShape(canvas, RoundedRect(cx - half, cy - half, cx + half, cy + half, half * 0.15), body);
}

// One arrow of the refresh symbol: an arc from `from` to `to` degrees (clockwise on screen)
// with an arrowhead at `to` pointing along the turn.
Shape CircularArrow(double cx, double cy, double radius, double thickness, double from, double to) {
  Shape arc = Arc(cx, cy, radius - thickness / 2, radius + thickness / 2, from, to);
  double a = to * kPi / 180.0;
  double ex = cx + radius * std::cos(a), ey = cy + radius * std::sin(a);
  double tx = -std::sin(a), ty = std::cos(a);  // direction of travel (clockwise on screen)
  double nx = std::cos(a), ny = std::sin(a);   // outward
  double head = thickness * 1.35, length = thickness * 1.9;
  Shape tip = Triangle(ex + nx * head, ey + ny * head, ex - nx * head, ey - ny * head,
                       ex + tx * length, ey + ty * length);
  return Union(arc, tip);
}

}  // namespace

Canvas DrawBanner() {
  constexpr int kWidth = 976, kHeight = 195;
  Canvas canvas = MakeCanvas(kWidth, kHeight, {0, 0, 0, 0});
  Colour deep{0.05, 0.12, 0.30, 1}, teal{0.02, 0.45, 0.55, 1};
  FillShapeWith(canvas, RoundedRect(0, 0, kWidth, kHeight, 22), [&](double x, double y) {
    return Mix(deep, teal, 0.7 * x / kWidth + 0.3 * y / kHeight);
  });
  // Circuit traces: horizontal runs with a bend and a pad at the end.
  Colour trace{0.55, 0.85, 0.95, 0.35};
  for (int i = 0; i < 9; ++i) {
    double y = 22 + i * 19;
    double start = 600 + (i * 37) % 110;
    FillShape(canvas, RoundedRect(start, y - 1.5, 790, y + 1.5, 1), trace);
    FillShape(canvas, Ring(start, y, 3, 6), trace);
  }
  DrawChip(canvas, 860, 97, 52, 16, 6, {0.10, 0.14, 0.20, 1}, {0.85, 0.75, 0.35, 1});
  FillShape(canvas, BlockText("1151", 860 - BlockTextWidth("1151", 3) / 2, 86.5, 3), {0.85, 0.75, 0.35, 1});
  Colour title{1, 1, 1, 1};
  FillShape(canvas, BlockText("BIOS MOD", 40, 38, 11), title);
  FillShape(canvas, BlockText("LGA 1151 - ME 11.8", 42, 138, 4), {0.80, 0.92, 1.0, 0.9});
  return canvas;
}

Canvas DrawRefreshSymbol() {
  constexpr int kSize = 512;
  Colour ground{0.94, 0.94, 0.94, 1}, ink{0.22, 0.22, 0.22, 1};
  Canvas canvas = MakeCanvas(kSize, kSize, ground);
  double c = kSize / 2.0;
  FillShape(canvas, CircularArrow(c, c, 170, 56, 200, 330), ink);
  FillShape(canvas, CircularArrow(c, c, 170, 56, 20, 150), ink);
  return canvas;
}

Canvas DrawIcon() {
  constexpr int kSize = 64;
  Canvas canvas = MakeCanvas(kSize, kSize, {0, 0, 0, 0});
  DrawChip(canvas, 32, 32, 21, 8, 4, {0.08, 0.30, 0.62, 1}, {0.85, 0.75, 0.35, 1});
  FillShape(canvas, RoundedRect(17, 17, 47, 47, 3), {0.15, 0.45, 0.80, 1});
  // A lightning stroke: the image gets rewritten.
  FillShape(canvas, Triangle(36, 18, 24, 35, 33, 35), {1, 0.85, 0.2, 1});
  FillShape(canvas, Triangle(31, 31, 40, 31, 28, 47), {1, 0.85, 0.2, 1});
  return canvas;
}

}  // namespace artgen

// Building blocks shared by the rasterizer's families (lines, shapes, arcs,
// brushes): span painting, the quarter-ellipse walk, the polygon rule and
// the wide-pen stroke. Coordinates
// here are 64-bit so that a shape built from 32-bit corners plus a pen's
// reach never overflows.
//
// Bounded work: nothing here keeps a whole outline. Curves are walked point
// by point and each point is used at once; whatever is kept (rows, crossings,
// coverage) is bounded by the surface's size, and every loop over rows or
// columns is clipped to the surface first.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/raster.h"

namespace ip::platform {

struct Point64 {
  int64_t x = 0;
  int64_t y = 0;
  bool operator==(const Point64& other) const { return x == other.x && y == other.y; }
};

// Paints [x0, x1) of row y with the brush; everything outside the surface is
// dropped.
void PaintSpan(Surface& surface, const RasterBrush& brush, int64_t y, int64_t x0, int64_t x1);

// Paints [x0, x1) of row y in one colour, clipped to the surface.
inline void PaintSolidSpan(Surface& surface, Pixel color, int64_t y, int64_t x0, int64_t x1) {
  if (y < 0 || y >= surface.height) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, surface.width);
  if (x0 >= x1) return;
  FillPixels(surface.Row(static_cast<int>(y)) + x0, static_cast<size_t>(x1 - x0), color);
}

inline void PaintPixel(Surface& surface, int64_t x, int64_t y, Pixel color) {
  if (x >= 0 && y >= 0 && x < surface.width && y < surface.height) {
    surface.pixels[static_cast<size_t>(y) * static_cast<size_t>(surface.width) + static_cast<size_t>(x)] = color;
  }
}

// Integer quarter-ellipse walk for a w x h ellipse (w, h >= 1): calls
// visit(Point64) for the points (x, y) of the lower-right quarter, from
// (w-1, h/2) to (w/2, h-1), each step moving one pixel in x, y or both
// (Alois Zingl, "A Rasterizing Algorithm for Drawing Curves", 2012). Tall
// narrow ellipses whose walk stops before the last row are finished down the
// middle column.
template <typename Visit>
void WalkQuarterEllipse(int64_t w, int64_t h, Visit visit) {
  const int64_t a = w - 1;
  const int64_t b = h - 1;
  const int64_t bOdd = b & 1;
  const int64_t a8 = 8 * a * a;
  const int64_t b8 = 8 * b * b;
  int64_t dx = 4 * b * b * (1 - a);
  int64_t dy = 4 * a * a * (1 + bOdd);
  int64_t err = dx + dy + a * a * bOdd;
  int64_t x = a;
  int64_t y = h / 2;
  int64_t lastY = y;
  while (x >= w / 2) {
    visit(Point64{x, y});
    lastY = y;
    const int64_t e2 = 2 * err;
    const int64_t dyBefore = dy;
    if (e2 >= dx) {
      --x;
      dx += b8;
      err += dx;
    }
    if (e2 <= dyBefore) {
      ++y;
      dy += a8;
      err += dy;
    }
  }
  if (w >= 3) {
    for (int64_t tipY = lastY + 1; tipY <= b; ++tipY) visit(Point64{w / 2, tipY});
  }
}

// The first and last points of the walk and how many there are.
struct QuarterEnds {
  Point64 first;
  Point64 last;
  int64_t count = 0;
};
QuarterEnds QuarterEllipseEnds(int64_t w, int64_t h);

// Whether a round rectangle's corner is too small to be curved: it is then a
// plain rectangle.
inline bool IsSquareCornered(int64_t ew, int64_t eh) { return ew <= 2 || eh <= 2; }

// The cosmetic one-pixel line from `from` towards `to`, end pixel excluded.
void DrawCosmeticLine(Surface& surface, Pixel color, Point64 from, Point64 to);

// The polygon rule's x of an edge on successive rows, one addition per row:
// the edge from `top` to `bottom` (top.y < bottom.y) meets row y at
// top.x + ceil((y - top.y) * (bottom.x - top.x) / (bottom.y - top.y)).
class EdgeStepper {
 public:
  EdgeStepper() = default;
  // Starts at row firstRow >= top.y.
  EdgeStepper(Point64 top, Point64 bottom, int64_t firstRow);
  int64_t X() const { return x_; }
  void Step() {
    x_ += whole_;
    if (remainder_ < fraction_) {
      ++x_;
      remainder_ += height_ - fraction_;
    } else {
      remainder_ -= fraction_;
    }
  }

 private:
  int64_t height_ = 1;
  int64_t x_ = 0;
  int64_t remainder_ = 0;  // x's exact numerator falls short of a whole step by this, in [0, height)
  int64_t whole_ = 0;      // floor(run / height)
  int64_t fraction_ = 0;   // run - whole * height, in [0, height)
};

// A polygon filled with the nonzero winding rule, given edge by edge in any
// order (each closed polygon's edges together): scanline y meets each edge
// whose vertical range [y_top, y_bottom) holds y at the exact x, and a row's
// runs are [ceil(x_left), ceil(x_right)). Only rows of the surface are kept,
// so memory follows the surface, not the polygon.
class PolygonFill {
 public:
  explicit PolygonFill(const Surface& surface) : height_(surface.height) {}
  void AddEdge(Point64 from, Point64 to);
  void Paint(Surface& surface, const RasterBrush& brush);

 private:
  struct Crossing {
    int32_t y;
    int32_t winding;
    int64_t x;
  };
  int64_t height_;
  std::vector<Crossing> crossings_;
};

// A wide solid stroke (pen width >= 2): the union of its segments (bands for
// horizontal and vertical ones, quadrilaterals filled with the polygon rule
// for the others) and a round cap at every point, painted once in the pen
// colour. Feed it segments and caps in any order, with a cap at both ends of
// every segment (a path's every point); runs of caps along a row or a column
// and runs of equal unit steps are merged as they come, so a curve's outline
// costs per row of the surface, not per point of the curve. Only the rows
// [rowFrom, rowTo) of the surface are painted (callers pass the rows the
// stroke can reach; they are clipped to the surface).
class WideStroke {
 public:
  WideStroke(Surface& surface, Pixel color, int32_t width, int64_t rowFrom, int64_t rowTo);
  ~WideStroke();
  WideStroke(const WideStroke&) = delete;
  WideStroke& operator=(const WideStroke&) = delete;

  void Segment(Point64 from, Point64 to) {
    if (from == to) return;
    const Point64 d{to.x - from.x, to.y - from.y};
    const bool unit = d.x >= -1 && d.x <= 1 && d.y >= -1 && d.y <= 1;
    // A horizontal step's band is the column of the cap at its left end, a
    // vertical step's the middle row of the cap at its upper end.
    if (unit && (d.x == 0 || d.y == 0)) return;
    if (unit && segment_.active && segment_.step == d) {
      if (from == segment_.to) {
        segment_.to.x = to.x;
        segment_.to.y = to.y;
        return;
      }
      if (to == segment_.from) {
        segment_.from.x = from.x;
        segment_.from.y = from.y;
        return;
      }
    }
    FlushSegment();
    StartSegment(from, to, unit ? d : Point64{});
  }

  void Cap(Point64 at) {
    if (ExtendsCapRow(at) || ExtendsCapColumn(at)) return;
    FlushCaps();
    StartCaps(at);
  }

  // Paints everything given so far.
  void Finish();

 private:
  // Caps not yet painted: one point, a row of points [first.x, last.x] or a
  // column [first.y, last.y].
  struct CapRun {
    enum Kind : uint8_t { kNone, kPoint, kRow, kColumn };
    Kind kind = kNone;
    Point64 first;
    Point64 last;
  };
  // A segment not yet painted, possibly several equal unit steps joined end
  // to end.
  struct PendingSegment {
    bool active = false;
    Point64 from;
    Point64 to;
    Point64 step;  // the unit step it is made of, or (0, 0) for any other segment
  };

  bool ExtendsCapRow(Point64 p) {
    if ((caps_.kind != CapRun::kPoint && caps_.kind != CapRun::kRow) || p.y != caps_.first.y) return false;
    if (p.x < caps_.first.x - 1 || p.x > caps_.last.x + 1) return false;
    caps_.first.x = std::min(caps_.first.x, p.x);
    caps_.last.x = std::max(caps_.last.x, p.x);
    if (caps_.first.x != caps_.last.x) caps_.kind = CapRun::kRow;
    return true;
  }

  // Caps down a column merge only when the cap's rows widen towards its
  // middle row.
  bool ExtendsCapColumn(Point64 p) {
    if ((caps_.kind != CapRun::kPoint && caps_.kind != CapRun::kColumn) || p.x != caps_.first.x) return false;
    if (!capRowsNested_ || p.y < caps_.first.y - 1 || p.y > caps_.last.y + 1) return false;
    caps_.first.y = std::min(caps_.first.y, p.y);
    caps_.last.y = std::max(caps_.last.y, p.y);
    if (caps_.first.y != caps_.last.y) caps_.kind = CapRun::kColumn;
    return true;
  }

  // Field by field: copying whole points is compiled into 16-byte loads of
  // values just stored 8 bytes at a time, which stalls.
  void StartSegment(Point64 from, Point64 to, Point64 step) {
    segment_.active = true;
    segment_.from.x = from.x;
    segment_.from.y = from.y;
    segment_.to.x = to.x;
    segment_.to.y = to.y;
    segment_.step.x = step.x;
    segment_.step.y = step.y;
  }
  void StartCaps(Point64 at) {
    caps_.kind = CapRun::kPoint;
    caps_.first.x = caps_.last.x = at.x;
    caps_.first.y = caps_.last.y = at.y;
  }

  void FlushCaps();
  void FlushSegment();

  struct Impl;
  std::unique_ptr<Impl> impl_;
  bool capRowsNested_ = false;
  CapRun caps_;
  PendingSegment segment_;
};

// A wide solid path (pen width >= 2) through `points`, closed back to the
// first point when `closed`: every segment and a cap at every point.
void DrawWidePath(Surface& surface, Pixel color, int32_t width, const std::vector<Point64>& points, bool closed);

// Clamps a pen width to what the rasterizer draws: |width|, at most kMaxPenWidth.
int32_t EffectivePenWidth(int32_t width);

}  // namespace ip::platform

// Building blocks shared by the rasterizer's families (lines, shapes, arcs,
// brushes): span painting, the polygon rule, the quarter-ellipse walk and the
// filled round-rectangle rows. Coordinates here are 64-bit so that a shape
// built from 32-bit corners plus a pen's reach never overflows.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster.h"

namespace ip::platform {

struct Point64 {
  int64_t x = 0;
  int64_t y = 0;
};

// One row's run of pixels [left, right).
struct RowRun {
  int64_t left = 0;
  int64_t right = 0;
};

// Paints [x0, x1) of row y with the brush; everything outside the surface is
// dropped.
void PaintSpan(Surface& surface, const RasterBrush& brush, int64_t y, int64_t x0, int64_t x1);

// A region built from row runs that may overlap, restricted to one surface;
// painted once, each pixel at most one time.
class SpanRegion {
 public:
  explicit SpanRegion(const Surface& surface) : width_(surface.width), height_(surface.height) {}
  void Add(int64_t y, int64_t x0, int64_t x1);
  void AddRectangle(int64_t left, int64_t top, int64_t right, int64_t bottom);
  void Paint(Surface& surface, const RasterBrush& brush);

 private:
  struct Run {
    int32_t y, left, right;
  };
  int64_t width_;
  int64_t height_;
  std::vector<Run> runs_;
};

// Fills a closed polygon with the nonzero winding rule: scanlines from the
// top vertex to the bottom one (exclusive), each edge evaluated at integer y,
// runs [ceil(x_left), ceil(x_right)).
void FillPolygon(Surface& surface, const RasterBrush& brush, const std::vector<Point64>& points);
// The same polygon's runs added to a region.
void AddPolygon(SpanRegion& region, int64_t surfaceHeight, const std::vector<Point64>& points);

// The cosmetic one-pixel line from `from` towards `to`, end pixel excluded.
void DrawCosmeticLine(Surface& surface, Pixel color, Point64 from, Point64 to);

// A wide solid path (pen width >= 2): bands or quadrilaterals for the
// segments and a round cap at every point.
void DrawWidePath(Surface& surface, Pixel color, int32_t width, const std::vector<Point64>& points, bool closed);

// Integer quarter-ellipse walk for a w x h ellipse (w, h >= 1): points (x, y)
// of the lower-right quarter, from (w-1, h/2) to (w/2, h-1), each step moving
// one pixel in x, y or both. Tall narrow ellipses whose walk stops early are
// finished down the middle column.
std::vector<Point64> QuarterEllipse(int64_t w, int64_t h);

// For each row top .. bottom-1 of RoundRect(left, top, right, bottom, ew, eh)
// (ordered, non-empty box; corner already clamped), the run from the leftmost
// to the rightmost outline pixel, right edge exclusive. Only rows in
// [rowFrom, rowTo) are produced (`runs[0]` is row max(top, rowFrom)).
// A corner of 2 or less gives full rows [left, right - 1 + 1).
std::vector<RowRun> RoundRectRows(int64_t left, int64_t top, int64_t right, int64_t bottom, int64_t ew, int64_t eh,
                                  int64_t rowFrom, int64_t rowTo);

// Clamps a pen width to what the rasterizer draws: |width|, at most kMaxPenWidth.
int32_t EffectivePenWidth(int32_t width);

}  // namespace ip::platform

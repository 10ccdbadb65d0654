// Lines and paths. The cosmetic pen is Bresenham's line with GDI's octant
// bias, written in its closed form so that a clipped line starts exactly
// where the unclipped one would be: along the major axis, step s puts the
// minor coordinate at ceil(s * dminor / |dmajor| - 1/2) from the start (ties
// to the smaller coordinate), which is what the biased error term gives in
// every octant. A wide pen's path is one region made of bands,
// quadrilaterals and round caps, painted once in the pen colour (see
// raster_stroke.cpp).
#include <algorithm>
#include <cmath>

#include "platform/rounding.h"
#include "platform/raster_internal.h"

namespace ip::platform {

namespace {

int64_t FloorDiv128(__int128 numerator, int64_t denominator) {  // denominator > 0
  __int128 q = numerator / denominator;
  if (numerator % denominator < 0) --q;
  return static_cast<int64_t>(q);
}

// Walks the pixels of a line whose major axis is `u` (the other is `v`),
// restricted to major coordinates in [uClipLo, uClipHi). `plot(u, v)` gets
// each pixel.
template <typename Plot>
void WalkLine(int64_t u0, int64_t v0, int64_t du, int64_t dv, int64_t uClipLo, int64_t uClipHi, Plot plot) {
  const int64_t steps = du < 0 ? -du : du;
  const int64_t direction = du < 0 ? -1 : 1;
  // Steps s in [0, steps) whose major coordinate u0 + s*direction is visible.
  int64_t sFirst, sLast;  // inclusive
  if (direction > 0) {
    sFirst = uClipLo - u0;
    sLast = uClipHi - 1 - u0;
  } else {
    sFirst = u0 - (uClipHi - 1);
    sLast = u0 - uClipLo;
  }
  sFirst = std::max<int64_t>(sFirst, 0);
  sLast = std::min<int64_t>(sLast, steps - 1);
  if (sFirst > sLast) return;
  // v(s) = v0 + floor((2*s*dv + steps - 1) / (2*steps)), kept as quotient and remainder.
  const int64_t denominator = 2 * steps;
  int64_t quotient = 0, remainder = 0;
  constexpr int64_t kSmall = int64_t{1} << 30;  // then 2 * sFirst * dv fits 64 bits
  if (sFirst < kSmall && dv > -kSmall && dv < kSmall && steps < kSmall) {
    const int64_t numerator = 2 * sFirst * dv + (steps - 1);
    quotient = numerator / denominator - (numerator % denominator < 0 ? 1 : 0);
    remainder = numerator - quotient * denominator;
  } else {
    const __int128 numerator = static_cast<__int128>(2) * sFirst * dv + (steps - 1);
    quotient = FloorDiv128(numerator, denominator);
    remainder = static_cast<int64_t>(numerator - static_cast<__int128>(quotient) * denominator);
  }
  const int64_t increment = 2 * dv;  // |increment| <= denominator
  int64_t u = u0 + sFirst * direction;
  for (int64_t s = sFirst; s <= sLast; ++s) {
    plot(u, v0 + quotient);
    u += direction;
    remainder += increment;
    if (remainder >= denominator) {
      remainder -= denominator;
      ++quotient;
    } else if (remainder < 0) {
      remainder += denominator;
      --quotient;
    }
  }
}

// The rows a wide path can reach: its points' rows widened by the pen.
struct RowSpan {
  int64_t from, to;
};

RowSpan PathRows(const std::vector<Point64>& points, int32_t width) {
  int64_t top = points.front().y, bottom = top;
  for (const Point64& p : points) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  return {top - width, bottom + width + 1};
}

}  // namespace

void DrawCosmeticLine(Surface& surface, Pixel color, Point64 from, Point64 to) {
  const int64_t dx = to.x - from.x;
  const int64_t dy = to.y - from.y;
  if (dx == 0 && dy == 0) return;
  if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {  // one step: the start pixel alone
    PaintPixel(surface, from.x, from.y, color);
    return;
  }
  if (dy == 0) {  // the start pixel, never the end one
    if (dx > 0) {
      PaintSolidSpan(surface, color, from.y, from.x, to.x);
    } else {
      PaintSolidSpan(surface, color, from.y, to.x + 1, from.x + 1);
    }
    return;
  }
  const bool xMajor = (dx < 0 ? -dx : dx) > (dy < 0 ? -dy : dy);
  if (xMajor) {
    WalkLine(from.x, from.y, dx, dy, 0, surface.width,
             [&](int64_t x, int64_t y) { PaintPixel(surface, x, y, color); });
  } else {
    WalkLine(from.y, from.x, dy, dx, 0, surface.height,
             [&](int64_t y, int64_t x) { PaintPixel(surface, x, y, color); });
  }
}

void DrawWidePath(Surface& surface, Pixel color, int32_t width, const std::vector<Point64>& points, bool closed) {
  if (points.empty() || surface.Empty()) return;
  const RowSpan rows = PathRows(points, width);
  WideStroke stroke(surface, color, width, rows.from, rows.to);
  const size_t count = points.size();
  const size_t segments = closed && count > 1 ? count : count - 1;
  for (size_t i = 0; i < segments; ++i) stroke.Segment(points[i], points[(i + 1) % count]);
  for (const Point64& point : points) stroke.Cap(point);
  stroke.Finish();
}

void DrawLine(Surface& surface, const RasterPen& pen, RasterPoint from, RasterPoint to) {
  if (!pen.visible || surface.Empty()) return;
  const int32_t width = EffectivePenWidth(pen.width);
  if (width <= 1) {
    DrawCosmeticLine(surface, pen.color, {from.x, from.y}, {to.x, to.y});
  } else {
    const Point64 a{from.x, from.y}, b{to.x, to.y};
    WideStroke stroke(surface, pen.color, width, std::min(a.y, b.y) - width, std::max(a.y, b.y) + width + 1);
    stroke.Segment(a, b);
    stroke.Cap(a);
    stroke.Cap(b);
    stroke.Finish();
  }
}

void DrawPolyline(Surface& surface, const RasterPen& pen, const std::vector<RasterPoint>& points, bool closed) {
  if (!pen.visible || surface.Empty() || points.empty()) return;
  const int32_t width = EffectivePenWidth(pen.width);
  std::vector<Point64> path(points.size());
  for (size_t i = 0; i < points.size(); ++i) path[i] = {points[i].x, points[i].y};
  if (width > 1) {
    DrawWidePath(surface, pen.color, width, path, closed);
    return;
  }
  const size_t count = path.size();
  const size_t segments = closed && count > 1 ? count : count - 1;
  for (size_t i = 0; i < segments; ++i) DrawCosmeticLine(surface, pen.color, path[i], path[(i + 1) % count]);
}

}  // namespace ip::platform

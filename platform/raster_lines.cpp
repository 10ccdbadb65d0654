// Lines and paths. The cosmetic pen is Bresenham's line with GDI's octant
// bias, written in its closed form so that a clipped line starts exactly
// where the unclipped one would be: along the major axis, step s puts the
// minor coordinate at ceil(s * dminor / |dmajor| - 1/2) from the start (ties
// to the smaller coordinate), which is what the biased error term gives in
// every octant. A wide pen's path is one region made of bands,
// quadrilaterals and round caps, painted once in the pen colour.
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

void PaintPixel(Surface& surface, int64_t x, int64_t y, Pixel color) {
  if (x >= 0 && y >= 0 && x < surface.width && y < surface.height) {
    surface.pixels[static_cast<size_t>(y) * surface.width + static_cast<size_t>(x)] = color;
  }
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
  const __int128 numerator = static_cast<__int128>(2) * sFirst * dv + (steps - 1);
  int64_t quotient = FloorDiv128(numerator, denominator);
  int64_t remainder = static_cast<int64_t>(numerator - static_cast<__int128>(quotient) * denominator);
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

void DrawHorizontalRun(Surface& surface, Pixel color, int64_t y, int64_t x0, int64_t x1) {
  if (y < 0 || y >= surface.height) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, surface.width);
  if (x0 >= x1) return;
  Pixel* row = surface.Row(static_cast<int>(y));
  std::fill(row + x0, row + x1, color);
}

// Round half away from zero, as the wide-pen geometry asks.
int64_t RoundHalfAway(double value) {
  double r = value < 0 ? -std::floor(-value + 0.5) : std::floor(value + 0.5);
  return RoundToInt(r);
}

// The quadrilateral of a slanted wide segment.
std::vector<Point64> SegmentQuad(Point64 p1, Point64 p2, int32_t width) {
  const double dx = static_cast<double>(p2.x - p1.x);
  const double dy = static_cast<double>(p2.y - p1.y);
  const double length = std::sqrt(dx * dx + dy * dy);
  const double hx = width * std::fabs(dy) / length;
  const double hy = width * std::fabs(dx) / length;
  Point64 narrow{RoundHalfAway(hx / 2), RoundHalfAway(hy / 2)};
  Point64 wide{RoundHalfAway((hx + 1) / 2), RoundHalfAway((hy + 1) / 2)};
  if (dx < 0) {
    narrow.y = -narrow.y;
    wide.y = -wide.y;
  }
  if (dy < 0) {
    std::swap(narrow, wide);
    narrow.x = -narrow.x;
    wide.x = -wide.x;
  }
  return {{p1.x - narrow.x, p1.y + narrow.y},
          {p1.x + wide.x, p1.y - wide.y},
          {p2.x + wide.x, p2.y - wide.y},
          {p2.x - narrow.x, p2.y + narrow.y}};
}

void AddWideSegment(SpanRegion& region, int64_t surfaceHeight, int32_t width, Point64 p1, Point64 p2) {
  const int64_t half = width / 2;
  if (p1.y == p2.y && p1.x != p2.x) {
    region.AddRectangle(std::min(p1.x, p2.x), p1.y - half, std::max(p1.x, p2.x), p1.y - half + width);
  } else if (p1.x == p2.x && p1.y != p2.y) {
    region.AddRectangle(p1.x - half, std::min(p1.y, p2.y), p1.x - half + width, std::max(p1.y, p2.y));
  } else if (p1.x != p2.x) {
    AddPolygon(region, surfaceHeight, SegmentQuad(p1, p2, width));
  }
}

// The round cap of a wide pen: the filled ellipse of a width x width box
// whose top-left is (-width/2, -width/2); runs relative to the cap's point.
std::vector<RowRun> CapRuns(int32_t width) {
  const int64_t half = width / 2;
  return RoundRectRows(-half, -half, width - half, width - half, width, width, -half, width - half);
}

void AddCap(SpanRegion& region, const Surface& surface, const std::vector<RowRun>& cap, int32_t width,
            Point64 at) {
  const int64_t top = at.y - width / 2;
  const int64_t first = std::max<int64_t>(0, -top);
  const int64_t last = std::min<int64_t>(static_cast<int64_t>(cap.size()), surface.height - top);
  if (at.x + width < 0 || at.x - width >= surface.width) return;
  for (int64_t i = first; i < last; ++i) region.Add(top + i, at.x + cap[i].left, at.x + cap[i].right);
}

std::vector<Point64> ToPoint64(const std::vector<RasterPoint>& points) {
  std::vector<Point64> wide(points.size());
  for (size_t i = 0; i < points.size(); ++i) wide[i] = {points[i].x, points[i].y};
  return wide;
}

}  // namespace

void DrawCosmeticLine(Surface& surface, Pixel color, Point64 from, Point64 to) {
  const int64_t dx = to.x - from.x;
  const int64_t dy = to.y - from.y;
  if (dx == 0 && dy == 0) return;
  if (dy == 0) {  // the start pixel, never the end one
    if (dx > 0) {
      DrawHorizontalRun(surface, color, from.y, from.x, to.x);
    } else {
      DrawHorizontalRun(surface, color, from.y, to.x + 1, from.x + 1);
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
  SpanRegion region(surface);
  const size_t count = points.size();
  const size_t segments = closed && count > 1 ? count : count - 1;
  for (size_t i = 0; i < segments; ++i) {
    AddWideSegment(region, surface.height, width, points[i], points[(i + 1) % count]);
  }
  const std::vector<RowRun> cap = CapRuns(width);
  for (const Point64& point : points) AddCap(region, surface, cap, width, point);
  region.Paint(surface, SolidBrush(color));
}

void DrawLine(Surface& surface, const RasterPen& pen, RasterPoint from, RasterPoint to) {
  if (!pen.visible || surface.Empty()) return;
  const int32_t width = EffectivePenWidth(pen.width);
  if (width <= 1) {
    DrawCosmeticLine(surface, pen.color, {from.x, from.y}, {to.x, to.y});
  } else {
    DrawWidePath(surface, pen.color, width, {{from.x, from.y}, {to.x, to.y}}, false);
  }
}

void DrawPolyline(Surface& surface, const RasterPen& pen, const std::vector<RasterPoint>& points, bool closed) {
  if (!pen.visible || surface.Empty() || points.empty()) return;
  const int32_t width = EffectivePenWidth(pen.width);
  std::vector<Point64> path = ToPoint64(points);
  if (width > 1) {
    DrawWidePath(surface, pen.color, width, path, closed);
    return;
  }
  const size_t count = path.size();
  const size_t segments = closed && count > 1 ? count : count - 1;
  for (size_t i = 0; i < segments; ++i) DrawCosmeticLine(surface, pen.color, path[i], path[(i + 1) % count]);
}

}  // namespace ip::platform

// Pies and arcs. The ellipse of the whole box is a ring of 4n pixels (n from
// the quarter-ellipse walk), running counter-clockwise on screen from the
// rightmost pixel of the middle row. Each ring pixel has a direction from
// the centre; a radial picks, within its own quarter of the ring, the first
// ring pixel whose direction's angle is at least its own, comparing angles
// exactly with integer cross products.
// The curve is ring[start .. end-1] (indexes modulo 4n), where an end not
// after the start is moved on by 4n: equal indexes give the whole ring, and
// a start of 4n with an end of 0 gives no curve at all. A pie adds the box
// centre and is filled as a polygon.
#include <algorithm>

#include "platform/raster_internal.h"

namespace ip::platform {

namespace {

struct Ring {
  std::vector<Point64> pixels;
  std::vector<Point64> directions;  // y upward
};

Ring BuildRing(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  const int64_t w = right - left;
  const int64_t h = bottom - top;
  const int64_t halfW = w / 2;
  const int64_t halfH = h / 2;
  std::vector<Point64> r = QuarterEllipse(w, h);
  for (Point64& p : r) p = {p.x - halfW, p.y - halfH};
  const size_t n = r.size();
  Ring ring;
  ring.pixels.reserve(4 * n);
  ring.directions.reserve(4 * n);
  for (size_t j = 0; j < n; ++j) {
    ring.pixels.push_back({left + halfW + r[j].x, bottom - 1 - halfH - r[j].y});
    ring.directions.push_back({r[j].x, r[j].y});
  }
  for (size_t j = 0; j < n; ++j) {
    const Point64& q = r[n - 1 - j];
    ring.pixels.push_back({right - 1 - halfW - q.x, bottom - 1 - halfH - q.y});
    ring.directions.push_back({-q.x, q.y});
  }
  for (size_t j = 0; j < n; ++j) {
    ring.pixels.push_back({right - 1 - halfW - r[j].x, top + halfH + r[j].y});
    ring.directions.push_back({-r[j].x, -r[j].y});
  }
  for (size_t j = 0; j < n; ++j) {
    const Point64& q = r[n - 1 - j];
    ring.pixels.push_back({left + halfW + q.x, top + halfH + q.y});
    ring.directions.push_back({q.x, -q.y});
  }
  return ring;
}

// The quarter of the plane a radial falls in, counter-clockwise from +x with
// y upward: 0 (x >= 0, y >= 0), 1 (x < 0, y >= 0), 2 (x < 0, y < 0),
// 3 (x >= 0, y < 0).
size_t Quarter(Point64 v) {
  if (v.y >= 0) return v.x >= 0 ? 0 : 1;
  return v.x < 0 ? 2 : 3;
}

// Whether a ring pixel lying exactly on the radial (or at the centre) is
// passed over, per quarter.
constexpr bool kStrictInQuarter[4] = {false, false, false, true};

// The radial's ring index: within the ring quarter matching the radial's
// quarter, the first pixel whose direction is counter-clockwise of the
// radial (exact cross product; see kStrictInQuarter for pixels on it); else
// the start of the next quarter, which for the last quarter is 4n itself.
// A zero radial gives 0.
size_t RadialIndex(const Ring& ring, Point64 radial) {
  if (radial.x == 0 && radial.y == 0) return 0;
  const size_t n = ring.directions.size() / 4;
  const size_t quarter = Quarter(radial);
  const size_t first = quarter * n;
  for (size_t i = first; i < first + n; ++i) {
    const Point64& d = ring.directions[i];
    const __int128 cross = static_cast<__int128>(radial.x) * d.y - static_cast<__int128>(radial.y) * d.x;
    if (cross > 0 || (cross == 0 && !kStrictInQuarter[quarter])) return i;
  }
  return first + n;
}

// The curve's points from the start radial to the end radial.
std::vector<Point64> CurvePoints(int64_t left, int64_t top, int64_t right, int64_t bottom, RasterPoint start,
                                 RasterPoint end) {
  const Ring ring = BuildRing(left, top, right, bottom);
  const Point64 centre{left + (right - left) / 2, top + (bottom - top) / 2};
  const size_t size = ring.pixels.size();
  const size_t first = RadialIndex(ring, {start.x - centre.x, centre.y - start.y});
  size_t last = RadialIndex(ring, {end.x - centre.x, centre.y - end.y});
  if (last <= first) last += size;
  std::vector<Point64> points;
  points.reserve(last - first + 1);
  for (size_t i = first; i < last; ++i) points.push_back(ring.pixels[i % size]);
  return points;
}

bool CurveBoxDrawable(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  const int64_t w = right - left;
  const int64_t h = bottom - top;
  return w > 0 && h > 0 && w <= kMaxCurveExtent && h <= kMaxCurveExtent;
}

void StrokePath(Surface& surface, const RasterPen& pen, const std::vector<Point64>& points, bool closed) {
  const int32_t width = EffectivePenWidth(pen.width);
  if (width > 1) {
    DrawWidePath(surface, pen.color, width, points, closed);
    return;
  }
  const size_t count = points.size();
  if (count == 0) return;
  const size_t segments = closed ? count : count - 1;
  for (size_t i = 0; i < segments; ++i) DrawCosmeticLine(surface, pen.color, points[i], points[(i + 1) % count]);
}

}  // namespace

void DrawPie(Surface& surface, const RasterPen& pen, const RasterBrush& brush, int32_t left, int32_t top,
             int32_t right, int32_t bottom, RasterPoint start, RasterPoint end) {
  const int64_t l = std::min(left, right), r = std::max(left, right);
  const int64_t t = std::min(top, bottom), b = std::max(top, bottom);
  if (surface.Empty() || !CurveBoxDrawable(l, t, r, b)) return;
  std::vector<Point64> points = CurvePoints(l, t, r, b, start, end);
  points.push_back({l + (r - l) / 2, t + (b - t) / 2});
  FillPolygon(surface, brush, points);
  if (pen.visible) StrokePath(surface, pen, points, true);
}

void DrawArc(Surface& surface, const RasterPen& pen, int32_t left, int32_t top, int32_t right, int32_t bottom,
             RasterPoint start, RasterPoint end) {
  const int64_t l = std::min(left, right), r = std::max(left, right);
  const int64_t t = std::min(top, bottom), b = std::max(top, bottom);
  if (surface.Empty() || !pen.visible || !CurveBoxDrawable(l, t, r, b)) return;
  StrokePath(surface, pen, CurvePoints(l, t, r, b, start, end), false);
}

}  // namespace ip::platform

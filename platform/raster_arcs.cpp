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
//
// The ring is never kept: each quarter of it is walked again when needed,
// and every segment of the curve is used as soon as it is found, so a huge
// box costs time by its size but memory only by the surface.
#include <algorithm>

#include "platform/raster_internal.h"

// Points are pairs of 64-bit values: left to itself, GCC packs them into
// 16-byte registers through memory just written 8 bytes at a time, which
// stalls every call that takes points.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("no-tree-slp-vectorize")
#endif

namespace ip::platform {

namespace {

// The ring of the ellipse of a box, with its quarters. Quarter k holds ring
// indexes [k n, (k + 1) n); the even quarters run with the quarter walk, the
// odd ones against it.
struct Ring {
  int64_t left, top, right, bottom;
  int64_t halfW, halfH;
  int64_t n;
  Point64 walkFirst, walkLast;  // the quarter walk's first and last points

  Ring(int64_t l, int64_t t, int64_t r, int64_t b) : left(l), top(t), right(r), bottom(b) {
    halfW = (r - l) / 2;
    halfH = (b - t) / 2;
    const QuarterEnds ends = QuarterEllipseEnds(r - l, b - t);
    n = ends.count;
    walkFirst = ends.first;
    walkLast = ends.last;
  }

  int64_t Size() const { return 4 * n; }

  // The walk point q relative to the centre.
  Point64 Relative(Point64 q) const { return {q.x - halfW, q.y - halfH}; }

  // The pixel and the direction (y upward) of walk point q in quarter k.
  Point64 Pixel(int k, Point64 q) const {
    const Point64 r = Relative(q);
    switch (k) {
      case 0: return {left + halfW + r.x, bottom - 1 - halfH - r.y};
      case 1: return {right - 1 - halfW - r.x, bottom - 1 - halfH - r.y};
      case 2: return {right - 1 - halfW - r.x, top + halfH + r.y};
      default: return {left + halfW + r.x, top + halfH + r.y};
    }
  }
  Point64 Direction(int k, Point64 q) const {
    const Point64 r = Relative(q);
    switch (k) {
      case 0: return {r.x, r.y};
      case 1: return {-r.x, r.y};
      case 2: return {-r.x, -r.y};
      default: return {r.x, -r.y};
    }
  }

  // The ring index of the m-th walk point in quarter k.
  int64_t Index(int k, int64_t m) const { return k * n + (k % 2 == 0 ? m : n - 1 - m); }

  // Calls visit(ringIndex, pixel, walkPoint) for every point of quarter k,
  // in walk order.
  template <typename Visit>
  void WalkQuarter(int k, Visit visit) const {
    switch (k) {
      case 0: WalkQuarterOf<0>(visit); break;
      case 1: WalkQuarterOf<1>(visit); break;
      case 2: WalkQuarterOf<2>(visit); break;
      default: WalkQuarterOf<3>(visit); break;
    }
  }

  // The same with the quarter known when compiled, so that placing each
  // point costs no choice.
  template <int kQuarter, typename Visit>
  void WalkQuarterOf(Visit visit) const {
    int64_t index = Index(kQuarter, 0);
    const int64_t step = kQuarter % 2 == 0 ? 1 : -1;
    WalkQuarterEllipse(right - left, bottom - top, [&](Point64 q) {
      visit(index, Pixel(kQuarter, q), q);
      index += step;
    });
  }

  // The pixel of the first and the last index of quarter k.
  Point64 FirstPixel(int k) const { return Pixel(k, k % 2 == 0 ? walkFirst : walkLast); }
  Point64 LastPixel(int k) const { return Pixel(k, k % 2 == 0 ? walkLast : walkFirst); }
};

// The quarter of the plane a radial falls in, counter-clockwise from +x with
// y upward: 0 (x >= 0, y >= 0), 1 (x < 0, y >= 0), 2 (x < 0, y < 0),
// 3 (x >= 0, y < 0).
int Quarter(Point64 v) {
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
int64_t RadialIndex(const Ring& ring, Point64 radial) {
  if (radial.x == 0 && radial.y == 0) return 0;
  const int k = Quarter(radial);
  int64_t found = k * ring.n + ring.n;
  ring.WalkQuarter(k, [&](int64_t index, Point64, Point64 q) {
    const Point64 d = ring.Direction(k, q);
    const __int128 cross = static_cast<__int128>(radial.x) * d.y - static_cast<__int128>(radial.y) * d.x;
    if ((cross > 0 || (cross == 0 && !kStrictInQuarter[k])) && index < found) found = index;
  });
  return found;
}

// The curve: `length` ring points from ring index `first` on (modulo the
// ring's size), 0 to 4n of them.
struct Curve {
  Curve(const Ring& r, int64_t firstIndex, int64_t count)
      : ring(r), first(firstIndex), length(count), start(PixelAt(firstIndex)), end(PixelAt(firstIndex + count - 1)) {}

  const Ring& ring;
  int64_t first;
  int64_t length;

  // How far along the curve a ring index in [0, 4n) lies (first is in [0, 4n]).
  int64_t Offset(int64_t index) const {
    const int64_t offset = index - first;
    return offset < 0 ? offset + ring.Size() : offset;
  }
  bool HasPoint(int64_t index) const { return Offset(index) < length; }
  // Whether the curve goes on from this index to the next one.
  bool HasSegmentFrom(int64_t index) const { return Offset(index) + 1 < length; }

  Point64 Start() const { return start; }
  Point64 End() const { return end; }

  // Calls segment(from, to) for each step of the curve, quarter by quarter.
  template <typename Segment>
  void ForEachSegment(Segment segment) const {
    for (int k = 0; k < 4; ++k) {
      bool started = false;
      int64_t previousIndex = 0;
      Point64 previous;
      ring.WalkQuarter(k, [&](int64_t index, Point64 pixel, Point64) {
        if (started) {
          // Along the ring the smaller index comes first.
          if (index > previousIndex && HasSegmentFrom(previousIndex)) segment(previous, pixel);
          if (index < previousIndex && HasSegmentFrom(index)) segment(pixel, previous);
        }
        started = true;
        previousIndex = index;
        previous = pixel;
      });
      const int64_t lastOfQuarter = (k + 1) * ring.n - 1;
      if (HasSegmentFrom(lastOfQuarter)) segment(ring.LastPixel(k), ring.FirstPixel((k + 1) % 4));
    }
  }

  // Calls point(p) for each point of the curve, quarter by quarter.
  template <typename Point>
  void ForEachPoint(Point point) const {
    if (length == 0) return;
    for (int k = 0; k < 4; ++k) {
      ring.WalkQuarter(k, [&](int64_t index, Point64 pixel, Point64) {
        if (HasPoint(index)) point(pixel);
      });
    }
  }

 private:
  Point64 PixelAt(int64_t index) const {
    const int64_t size = ring.Size();
    const int64_t i = (index % size + size) % size;
    const int k = static_cast<int>(i / ring.n);
    const int64_t m = k % 2 == 0 ? i - k * ring.n : (k + 1) * ring.n - 1 - i;
    Point64 found;
    int64_t count = 0;
    WalkQuarterEllipse(ring.right - ring.left, ring.bottom - ring.top, [&](Point64 q) {
      if (count++ == m) found = ring.Pixel(k, q);
    });
    return found;
  }

  Point64 start;  // the pixels of the first and the last index
  Point64 end;
};

Curve MakeCurve(const Ring& ring, Point64 centre, RasterPoint start, RasterPoint end) {
  const int64_t first = RadialIndex(ring, {start.x - centre.x, centre.y - start.y});
  int64_t last = RadialIndex(ring, {end.x - centre.x, centre.y - end.y});
  if (last <= first) last += ring.Size();
  return {ring, first, last - first};
}

bool CurveBoxDrawable(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  const int64_t w = right - left;
  const int64_t h = bottom - top;
  return w > 0 && h > 0 && w <= kMaxCurveExtent && h <= kMaxCurveExtent;
}

// The pie's outline: the curve, then from its end to the centre and back to
// its start; with no curve, the centre alone.
template <typename Segment>
void ForEachPieSegment(const Curve& curve, Point64 centre, Segment segment) {
  if (curve.length == 0) return;
  curve.ForEachSegment(segment);
  segment(curve.End(), centre);
  segment(centre, curve.Start());
}

void FillPie(Surface& surface, const RasterBrush& brush, const Curve& curve, Point64 centre) {
  if (brush.kind == RasterBrush::Kind::kNone || curve.length + 1 < 3) return;
  PolygonFill fill(surface);
  ForEachPieSegment(curve, centre, [&](Point64 from, Point64 to) { fill.AddEdge(from, to); });
  fill.Paint(surface, brush);
}

void StrokePie(Surface& surface, const RasterPen& pen, const Curve& curve, Point64 centre, int64_t top,
               int64_t bottom) {
  const int32_t width = EffectivePenWidth(pen.width);
  if (width <= 1) {
    ForEachPieSegment(curve, centre, [&](Point64 from, Point64 to) { DrawCosmeticLine(surface, pen.color, from, to); });
    return;
  }
  WideStroke stroke(surface, pen.color, width, top - width, bottom + width);
  ForEachPieSegment(curve, centre, [&](Point64 from, Point64 to) { stroke.Segment(from, to); });
  curve.ForEachPoint([&](Point64 p) { stroke.Cap(p); });
  stroke.Cap(centre);
  stroke.Finish();
}

void StrokeArc(Surface& surface, const RasterPen& pen, const Curve& curve, int64_t top, int64_t bottom) {
  const int32_t width = EffectivePenWidth(pen.width);
  if (width <= 1) {
    curve.ForEachSegment([&](Point64 from, Point64 to) { DrawCosmeticLine(surface, pen.color, from, to); });
    return;
  }
  if (curve.length == 0) return;
  WideStroke stroke(surface, pen.color, width, top - width, bottom + width);
  curve.ForEachSegment([&](Point64 from, Point64 to) { stroke.Segment(from, to); });
  curve.ForEachPoint([&](Point64 p) { stroke.Cap(p); });
  stroke.Finish();
}

}  // namespace

void DrawPie(Surface& surface, const RasterPen& pen, const RasterBrush& brush, int32_t left, int32_t top,
             int32_t right, int32_t bottom, RasterPoint start, RasterPoint end) {
  const int64_t l = std::min(left, right), r = std::max(left, right);
  const int64_t t = std::min(top, bottom), b = std::max(top, bottom);
  if (surface.Empty() || !CurveBoxDrawable(l, t, r, b)) return;
  const Ring ring(l, t, r, b);
  const Point64 centre{l + (r - l) / 2, t + (b - t) / 2};
  const Curve curve = MakeCurve(ring, centre, start, end);
  FillPie(surface, brush, curve, centre);
  if (pen.visible) StrokePie(surface, pen, curve, centre, t, b);
}

void DrawArc(Surface& surface, const RasterPen& pen, int32_t left, int32_t top, int32_t right, int32_t bottom,
             RasterPoint start, RasterPoint end) {
  const int64_t l = std::min(left, right), r = std::max(left, right);
  const int64_t t = std::min(top, bottom), b = std::max(top, bottom);
  if (surface.Empty() || !pen.visible || !CurveBoxDrawable(l, t, r, b)) return;
  const Ring ring(l, t, r, b);
  const Point64 centre{l + (r - l) / 2, t + (b - t) / 2};
  StrokeArc(surface, pen, MakeCurve(ring, centre, start, end), t, b);
}

}  // namespace ip::platform

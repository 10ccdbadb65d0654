// Rectangles, rounded rectangles and ellipses. The corner arcs come from an
// integer quarter-ellipse walk (Alois Zingl, "A Rasterizing Algorithm for
// Drawing Curves", 2012) placed in the top-right corner and mirrored into the
// other three; the outline is the closed cosmetic or wide path through those
// points, and the brush fills each row between the row's outermost outline
// pixels before the pen is drawn over it.
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

struct Box {
  int64_t left, top, right, bottom;
  int64_t Width() const { return right - left; }
  int64_t Height() const { return bottom - top; }
};

Box OrderedBox(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

// Calls segment(from, to) for every segment of a rounded box's closed
// outline: the top-right arc placed from the quarter walk, mirrored to the
// top-left, both mirrored to the bottom, joined in counter-clockwise order
// starting at the right end of the top-right arc's middle row. The points are
// produced quarter by quarter, one walk each, and never kept.
// Where the rounded box's corners are: the top-right arc placed from the
// quarter walk, mirrored to the top-left, both mirrored to the bottom.
struct Corners {
  const Box& box;
  int64_t ew, eh;
  Point64 TopRight(Point64 q) const { return {box.right - ew + q.x, box.top + eh - 1 - q.y}; }
  Point64 MirrorX(Point64 p) const { return {box.left + box.right - 1 - p.x, p.y}; }
  Point64 MirrorY(Point64 p) const { return {p.x, box.top + box.bottom - 1 - p.y}; }
  Point64 TopLeft(Point64 q) const { return MirrorX(TopRight(q)); }
  Point64 BottomLeft(Point64 q) const { return MirrorY(TopLeft(q)); }
  Point64 BottomRight(Point64 q) const { return MirrorY(TopRight(q)); }
};

// The outline runs counter-clockwise from the right end of the top-right
// arc's middle row: the top-right arc with the walk, the top-left against
// it, the bottom-left with it, the bottom-right against it. Calls
// segment(from, to) for the four joins between the arcs.
template <typename Segment>
void ForEachRoundRectJoin(const Box& box, int64_t ew, int64_t eh, Segment segment) {
  const Corners c{box, ew, eh};
  const QuarterEnds ends = QuarterEllipseEnds(ew, eh);
  segment(c.TopRight(ends.last), c.TopLeft(ends.last));
  segment(c.TopLeft(ends.first), c.BottomLeft(ends.first));
  segment(c.BottomLeft(ends.last), c.BottomRight(ends.last));
  segment(c.BottomRight(ends.first), c.TopRight(ends.first));
}

// Calls segment(from, to) for every segment of a rounded box's closed
// outline, quarter by quarter, one walk each: the points are never kept.
template <typename Segment>
void ForEachRoundRectSegment(const Box& box, int64_t ew, int64_t eh, Segment segment) {
  const Corners c{box, ew, eh};
  const auto eachStep = [&](auto place, bool withWalk) {
    bool started = false;
    Point64 previous;
    WalkQuarterEllipse(ew, eh, [&](Point64 q) {
      const Point64 here = place(q);
      if (started) withWalk ? segment(previous, here) : segment(here, previous);
      previous = here;
      started = true;
    });
  };
  eachStep([&](Point64 q) { return c.TopRight(q); }, true);
  eachStep([&](Point64 q) { return c.TopLeft(q); }, false);
  eachStep([&](Point64 q) { return c.BottomLeft(q); }, true);
  eachStep([&](Point64 q) { return c.BottomRight(q); }, false);
  ForEachRoundRectJoin(box, ew, eh, segment);
}

std::vector<Point64> RectangleOutline(const Box& box) {
  const int64_t r = box.right - 1;
  const int64_t b = box.bottom - 1;
  return {{r, box.top}, {box.left, box.top}, {box.left, b}, {r, b}};
}

void DrawCosmeticRectangleOutline(Surface& surface, Pixel color, const Box& box) {
  const RasterBrush ink = SolidBrush(color);
  FillRectangle(surface, ink, box.left, box.top, box.right, box.top + 1);
  FillRectangle(surface, ink, box.left, box.bottom - 1, box.right, box.bottom);
  FillRectangle(surface, ink, box.left, box.top, box.left + 1, box.bottom);
  FillRectangle(surface, ink, box.right - 1, box.top, box.right, box.bottom);
}

// The brush on each row of a rounded box, from the row's leftmost to its
// rightmost outline pixel. Rows of the corner arcs are painted as the walk
// reaches them (the first, rightmost, point of a row gives its run, mirrored
// to the left and to the bottom); the rows between the arcs are whole.
void FillRows(Surface& surface, const RasterBrush& brush, const Box& box, int64_t ew, int64_t eh) {
  if (IsSquareCornered(ew, eh)) {
    FillRectangle(surface, brush, box.left, box.top, box.right, box.bottom);
    return;
  }
  if (box.bottom <= 0 || box.top >= surface.height) return;
  int64_t lastRow = INT64_MAX;
  WalkQuarterEllipse(ew, eh, [&](Point64 q) {
    const int64_t row = box.top + eh - 1 - q.y;
    if (row == lastRow) return;
    lastRow = row;
    const int64_t right = box.right - ew + q.x + 1;
    const int64_t left = box.left + box.right - right;
    const int64_t mirror = box.top + box.bottom - 1 - row;
    PaintSpan(surface, brush, row, left, right);
    if (mirror != row) PaintSpan(surface, brush, mirror, left, right);
  });
  const int64_t arcRows = eh - eh / 2;
  FillRectangle(surface, brush, box.left, box.top + arcRows, box.right, box.bottom - arcRows);
}

// With a null pen the brush covers the region [left, right-1) x [top, bottom-1).
void FillWithoutPen(Surface& surface, const RasterBrush& brush, const Box& box, int64_t ew, int64_t eh) {
  const Box inner{box.left, box.top, box.right - 1, box.bottom - 1};
  if (inner.Width() <= 0 || inner.Height() <= 0) return;
  FillRows(surface, brush, inner, std::min(ew, inner.Width()), std::min(eh, inner.Height()));
}

// A wide pen round a rounded box: every segment and a cap at every point
// (each point starts exactly one segment of the closed outline).
void DrawWideRoundRectOutline(Surface& surface, Pixel color, int32_t width, const Box& box, int64_t ew,
                              int64_t eh) {
  WideStroke stroke(surface, color, width, box.top - width, box.bottom + width);
  ForEachRoundRectSegment(box, ew, eh, [&](Point64 from, Point64 to) {
    stroke.Segment(from, to);
    stroke.Cap(from);
  });
  stroke.Finish();
}

// The one-pixel outline of a rounded box. Within an arc every segment is a
// single step, which paints its start alone, and every point starts a
// segment of the closed outline: so the arcs are their points, plotted in one
// walk for all four corners, and only the joins between the arcs are lines.
void DrawCosmeticRoundRectOutline(Surface& surface, Pixel color, const Box& box, int64_t ew, int64_t eh) {
  const int64_t mirrorX = box.left + box.right - 1, mirrorY = box.top + box.bottom - 1;
  WalkQuarterEllipse(ew, eh, [&](Point64 q) {
    const int64_t x = box.right - ew + q.x, y = box.top + eh - 1 - q.y;
    PaintPixel(surface, x, y, color);
    PaintPixel(surface, mirrorX - x, y, color);
    PaintPixel(surface, x, mirrorY - y, color);
    PaintPixel(surface, mirrorX - x, mirrorY - y, color);
  });
  ForEachRoundRectJoin(box, ew, eh, [&](Point64 from, Point64 to) { DrawCosmeticLine(surface, color, from, to); });
}

void DrawOutline(Surface& surface, const RasterPen& pen, const Box& box, int64_t ew, int64_t eh) {
  const int32_t width = EffectivePenWidth(pen.width);
  if (IsSquareCornered(ew, eh)) {
    if (width > 1) {
      DrawWidePath(surface, pen.color, width, RectangleOutline(box), true);
    } else if (box.Width() > 1 || box.Height() > 1) {
      // The closed one-pixel path of a 1 x 1 box has no length: nothing.
      DrawCosmeticRectangleOutline(surface, pen.color, box);
    }
    return;
  }
  if (width > 1) {
    DrawWideRoundRectOutline(surface, pen.color, width, box, ew, eh);
    return;
  }
  DrawCosmeticRoundRectOutline(surface, pen.color, box, ew, eh);
}

}  // namespace

QuarterEnds QuarterEllipseEnds(int64_t w, int64_t h) {
  QuarterEnds ends;
  WalkQuarterEllipse(w, h, [&](Point64 q) {
    if (ends.count == 0) ends.first = q;
    ends.last = q;
    ++ends.count;
  });
  return ends;
}

void DrawRoundRect(Surface& surface, const RasterPen& pen, const RasterBrush& brush, int32_t left, int32_t top,
                   int32_t right, int32_t bottom, int64_t cornerWidth, int64_t cornerHeight) {
  if (surface.Empty()) return;
  const Box box = OrderedBox(left, top, right, bottom);
  if (box.Width() == 0 || box.Height() == 0) return;
  const int64_t ew = std::clamp<int64_t>(cornerWidth, 0, box.Width());
  const int64_t eh = std::clamp<int64_t>(cornerHeight, 0, box.Height());
  if (!IsSquareCornered(ew, eh) && (ew > kMaxCurveExtent || eh > kMaxCurveExtent)) return;
  if (!pen.visible) {
    FillWithoutPen(surface, brush, box, ew, eh);
    return;
  }
  if (brush.kind != RasterBrush::Kind::kNone) {
    if (IsSquareCornered(ew, eh) && EffectivePenWidth(pen.width) <= 1) {
      FillRectangle(surface, brush, box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
    } else {
      FillRows(surface, brush, box, ew, eh);
    }
  }
  DrawOutline(surface, pen, box, ew, eh);
}

void DrawRectangle(Surface& surface, const RasterPen& pen, const RasterBrush& brush, int32_t left, int32_t top,
                   int32_t right, int32_t bottom) {
  DrawRoundRect(surface, pen, brush, left, top, right, bottom, 0, 0);
}

void DrawEllipse(Surface& surface, const RasterPen& pen, const RasterBrush& brush, int32_t left, int32_t top,
                 int32_t right, int32_t bottom) {
  const int64_t width = int64_t{right} - left;
  const int64_t height = int64_t{bottom} - top;
  DrawRoundRect(surface, pen, brush, left, top, right, bottom, width < 0 ? -width : width,
                height < 0 ? -height : height);
}

}  // namespace ip::platform

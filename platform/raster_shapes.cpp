// Rectangles, rounded rectangles and ellipses. The corner arcs come from an
// integer quarter-ellipse walk (Alois Zingl, "A Rasterizing Algorithm for
// Drawing Curves", 2012) placed in the top-right corner and mirrored into the
// other three; the outline is the closed cosmetic or wide path through those
// points, and the brush fills each row between the row's outermost outline
// pixels before the pen is drawn over it.
#include <algorithm>

#include "platform/raster_internal.h"

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

bool IsSquareCornered(int64_t ew, int64_t eh) { return ew <= 2 || eh <= 2; }

// The outline points of a rounded box, counter-clockwise from the right end
// of the top-right arc's middle row; consecutive duplicates removed.
std::vector<Point64> RoundRectOutline(const Box& box, int64_t ew, int64_t eh) {
  const std::vector<Point64> quarter = QuarterEllipse(ew, eh);
  std::vector<Point64> path;
  path.reserve(quarter.size() * 4);
  for (const Point64& q : quarter) path.push_back({box.right - ew + q.x, box.top + eh - 1 - q.y});
  const size_t topRight = path.size();
  for (size_t i = topRight; i-- > 0;) path.push_back({box.left + box.right - 1 - path[i].x, path[i].y});
  const size_t upperHalf = path.size();
  for (size_t i = upperHalf; i-- > 0;) path.push_back({path[i].x, box.top + box.bottom - 1 - path[i].y});
  std::vector<Point64> outline;
  outline.reserve(path.size());
  for (const Point64& p : path) {
    if (outline.empty() || outline.back().x != p.x || outline.back().y != p.y) outline.push_back(p);
  }
  while (outline.size() > 1 && outline.back().x == outline.front().x && outline.back().y == outline.front().y) {
    outline.pop_back();
  }
  return outline;
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

void FillRows(Surface& surface, const RasterBrush& brush, const Box& box, int64_t ew, int64_t eh) {
  const int64_t from = std::max<int64_t>(box.top, 0);
  const int64_t to = std::min<int64_t>(box.bottom, surface.height);
  if (from >= to) return;
  const std::vector<RowRun> rows = RoundRectRows(box.left, box.top, box.right, box.bottom, ew, eh, from, to);
  for (size_t i = 0; i < rows.size(); ++i) {
    PaintSpan(surface, brush, from + static_cast<int64_t>(i), rows[i].left, rows[i].right);
  }
}

// With a null pen the brush covers the region [left, right-1) x [top, bottom-1).
void FillWithoutPen(Surface& surface, const RasterBrush& brush, const Box& box, int64_t ew, int64_t eh) {
  const Box inner{box.left, box.top, box.right - 1, box.bottom - 1};
  if (inner.Width() <= 0 || inner.Height() <= 0) return;
  FillRows(surface, brush, inner, std::min(ew, inner.Width()), std::min(eh, inner.Height()));
}

void DrawOutline(Surface& surface, const RasterPen& pen, const Box& box, int64_t ew, int64_t eh) {
  const int32_t width = EffectivePenWidth(pen.width);
  const bool square = IsSquareCornered(ew, eh);
  if (width <= 1 && square) {
    // The closed one-pixel path of a 1 x 1 box has no length: nothing.
    if (box.Width() > 1 || box.Height() > 1) DrawCosmeticRectangleOutline(surface, pen.color, box);
    return;
  }
  const std::vector<Point64> outline = square ? RectangleOutline(box) : RoundRectOutline(box, ew, eh);
  if (width > 1) {
    DrawWidePath(surface, pen.color, width, outline, true);
    return;
  }
  for (size_t i = 0; i < outline.size(); ++i) {
    DrawCosmeticLine(surface, pen.color, outline[i], outline[(i + 1) % outline.size()]);
  }
}

}  // namespace

std::vector<Point64> QuarterEllipse(int64_t w, int64_t h) {
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
  std::vector<Point64> points;
  points.reserve(static_cast<size_t>(w / 2 + h / 2 + 2));
  while (x >= w / 2) {
    points.push_back({x, y});
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
  // A tall narrow ellipse leaves the walk before its last row: finish the
  // tip down the middle column.
  if (w >= 3) {
    for (int64_t tipY = points.back().y + 1; tipY <= b; ++tipY) points.push_back({w / 2, tipY});
  }
  return points;
}

std::vector<RowRun> RoundRectRows(int64_t left, int64_t top, int64_t right, int64_t bottom, int64_t ew, int64_t eh,
                                  int64_t rowFrom, int64_t rowTo) {
  const int64_t from = std::max(top, rowFrom);
  const int64_t to = std::min(bottom, rowTo);
  if (from >= to) return {};
  std::vector<RowRun> rows(static_cast<size_t>(to - from), RowRun{left, right});
  if (IsSquareCornered(ew, eh)) return rows;
  // Top-right arc: each point's row runs out to it (the first, rightmost,
  // point of a row wins); the same run mirrored to the bottom arc.
  std::vector<bool> fromArc(rows.size(), false);
  int64_t lastRow = INT64_MAX;
  for (const Point64& q : QuarterEllipse(ew, eh)) {
    const int64_t row = top + eh - 1 - q.y;
    if (row == lastRow) continue;
    lastRow = row;
    const int64_t px = right - ew + q.x;
    const RowRun run{left + right - 1 - px, px + 1};
    for (int64_t y : {row, top + bottom - 1 - row}) {
      if (y < from || y >= to) continue;
      const size_t i = static_cast<size_t>(y - from);
      rows[i] = fromArc[i] ? RowRun{std::min(rows[i].left, run.left), std::max(rows[i].right, run.right)} : run;
      fromArc[i] = true;
    }
  }
  return rows;
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

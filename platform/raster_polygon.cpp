// The polygon rule of GDI regions: a pixel is inside when its top-left
// corner is, with top and left edges inclusive and the nonzero winding rule.
// Scanline y meets each edge whose vertical range [y_top, y_bottom) holds y
// at the exact x, and a row's runs are [ceil(x_left), ceil(x_right)).
#include <algorithm>

#include "platform/raster_internal.h"

namespace ip::platform {

namespace {

struct Edge {
  Point64 top;     // the end with the smaller y
  Point64 bottom;  // the end with the larger y
  int winding;     // +1 downward, -1 upward
};

struct Crossing {
  int64_t x;
  int winding;
};

int64_t CeilDiv(__int128 numerator, int64_t denominator) {  // denominator > 0
  __int128 q = numerator / denominator;
  if (numerator % denominator > 0) ++q;
  return static_cast<int64_t>(q);
}

// ceil of the edge's x at row y (top.y <= y < bottom.y).
int64_t EdgeCeilX(const Edge& edge, int64_t y) {
  const int64_t height = edge.bottom.y - edge.top.y;
  const int64_t run = edge.bottom.x - edge.top.x;
  const int64_t rise = y - edge.top.y;
  constexpr int64_t kSmall = int64_t{1} << 30;
  if (rise < kSmall && run > -kSmall && run < kSmall) {
    const int64_t n = rise * run;
    int64_t q = n / height;
    if (n % height > 0) ++q;
    return edge.top.x + q;
  }
  return edge.top.x + CeilDiv(static_cast<__int128>(rise) * run, height);
}

std::vector<Edge> BuildEdges(const std::vector<Point64>& points) {
  std::vector<Edge> edges;
  edges.reserve(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    const Point64& a = points[i];
    const Point64& b = points[(i + 1) % points.size()];
    if (a.y == b.y) continue;
    edges.push_back(a.y < b.y ? Edge{a, b, 1} : Edge{b, a, -1});
  }
  std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.top.y < r.top.y; });
  return edges;
}

template <typename EmitRun>
void EmitCrossings(int64_t y, std::vector<Crossing>& crossings, EmitRun emit) {
  std::sort(crossings.begin(), crossings.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
  int winding = 0;
  for (size_t i = 0; i + 1 < crossings.size(); ++i) {
    winding += crossings[i].winding;
    if (winding != 0 && crossings[i].x < crossings[i + 1].x) emit(y, crossings[i].x, crossings[i + 1].x);
  }
}

// Calls emit(y, x0, x1) for the polygon's runs on rows [0, rowLimit).
template <typename EmitRun>
void ScanPolygon(const std::vector<Point64>& points, int64_t rowLimit, EmitRun emit) {
  if (points.size() < 3) return;
  std::vector<Edge> edges = BuildEdges(points);
  if (edges.empty()) return;
  int64_t yTop = edges.front().top.y;
  int64_t yBottom = yTop;
  for (const Edge& edge : edges) yBottom = std::max(yBottom, edge.bottom.y);
  yTop = std::max<int64_t>(yTop, 0);
  yBottom = std::min<int64_t>(yBottom, rowLimit);
  std::vector<const Edge*> active;
  std::vector<Crossing> crossings;
  size_t next = 0;
  for (int64_t y = yTop; y < yBottom; ++y) {
    while (next < edges.size() && edges[next].top.y <= y) active.push_back(&edges[next++]);
    std::erase_if(active, [y](const Edge* edge) { return edge->bottom.y <= y; });
    crossings.clear();
    for (const Edge* edge : active) crossings.push_back({EdgeCeilX(*edge, y), edge->winding});
    EmitCrossings(y, crossings, emit);
  }
}

}  // namespace

void FillPolygon(Surface& surface, const RasterBrush& brush, const std::vector<Point64>& points) {
  if (brush.kind == RasterBrush::Kind::kNone || surface.Empty()) return;
  ScanPolygon(points, surface.height,
              [&](int64_t y, int64_t x0, int64_t x1) { PaintSpan(surface, brush, y, x0, x1); });
}

void AddPolygon(SpanRegion& region, int64_t surfaceHeight, const std::vector<Point64>& points) {
  ScanPolygon(points, surfaceHeight, [&](int64_t y, int64_t x0, int64_t x1) { region.Add(y, x0, x1); });
}

void SpanRegion::Add(int64_t y, int64_t x0, int64_t x1) {
  if (y < 0 || y >= height_) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, width_);
  if (x0 < x1) runs_.push_back({static_cast<int32_t>(y), static_cast<int32_t>(x0), static_cast<int32_t>(x1)});
}

void SpanRegion::AddRectangle(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  top = std::max<int64_t>(top, 0);
  bottom = std::min<int64_t>(bottom, height_);
  for (int64_t y = top; y < bottom; ++y) Add(y, left, right);
}

// Groups the runs by row (a counting sort), sorts each row's runs by their
// start, merges overlapping and touching runs, and paints each merged run
// once.
void SpanRegion::Paint(Surface& surface, const RasterBrush& brush) {
  if (runs_.empty()) return;
  int32_t top = runs_.front().y, bottom = top;
  for (const Run& run : runs_) {
    top = std::min(top, run.y);
    bottom = std::max(bottom, run.y);
  }
  std::vector<size_t> rowStart(static_cast<size_t>(bottom - top) + 2, 0);
  for (const Run& run : runs_) ++rowStart[static_cast<size_t>(run.y - top) + 1];
  for (size_t i = 1; i < rowStart.size(); ++i) rowStart[i] += rowStart[i - 1];
  std::vector<Run> byRow(runs_.size());
  std::vector<size_t> fill(rowStart.begin(), rowStart.end() - 1);
  for (const Run& run : runs_) byRow[fill[static_cast<size_t>(run.y - top)]++] = run;
  for (size_t row = 0; row + 1 < rowStart.size(); ++row) {
    auto first = byRow.begin() + static_cast<ptrdiff_t>(rowStart[row]);
    auto last = byRow.begin() + static_cast<ptrdiff_t>(rowStart[row + 1]);
    std::sort(first, last, [](const Run& a, const Run& b) { return a.left < b.left; });
    while (first != last) {
      int32_t left = first->left, right = first->right;
      for (++first; first != last && first->left <= right; ++first) right = std::max(right, first->right);
      PaintSpan(surface, brush, top + static_cast<int64_t>(row), left, right);
    }
  }
  runs_.clear();
}

}  // namespace ip::platform

// The polygon rule of GDI regions: a pixel is inside when its top-left
// corner is, with top and left edges inclusive and the nonzero winding rule.
// Scanline y meets each edge whose vertical range [y_top, y_bottom) holds y
// at the exact x, and a row's runs are [ceil(x_left), ceil(x_right)).
#include <algorithm>

#include "platform/raster_internal.h"

namespace platform {

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

void PaintCrossings(Surface& surface, const RasterBrush& brush, int64_t y, std::vector<Crossing>& crossings) {
  std::sort(crossings.begin(), crossings.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
  int winding = 0;
  for (size_t i = 0; i + 1 < crossings.size(); ++i) {
    winding += crossings[i].winding;
    if (winding != 0) PaintSpan(surface, brush, y, crossings[i].x, crossings[i + 1].x);
  }
}

}  // namespace

void FillPolygon(Surface& surface, const RasterBrush& brush, const std::vector<Point64>& points) {
  if (brush.kind == RasterBrush::Kind::kNone || points.size() < 3 || surface.Empty()) return;
  std::vector<Edge> edges = BuildEdges(points);
  if (edges.empty()) return;
  int64_t yTop = edges.front().top.y;
  int64_t yBottom = yTop;
  for (const Edge& edge : edges) yBottom = std::max(yBottom, edge.bottom.y);
  yTop = std::max<int64_t>(yTop, 0);
  yBottom = std::min<int64_t>(yBottom, surface.height);
  std::vector<const Edge*> active;
  std::vector<Crossing> crossings;
  size_t next = 0;
  for (int64_t y = yTop; y < yBottom; ++y) {
    while (next < edges.size() && edges[next].top.y <= y) active.push_back(&edges[next++]);
    std::erase_if(active, [y](const Edge* edge) { return edge->bottom.y <= y; });
    crossings.clear();
    for (const Edge* edge : active) crossings.push_back({EdgeCeilX(*edge, y), edge->winding});
    PaintCrossings(surface, brush, y, crossings);
  }
}

}  // namespace platform

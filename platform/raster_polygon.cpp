// The polygon rule of GDI regions: a pixel is inside when its top-left
// corner is, with top and left edges inclusive and the nonzero winding rule.
// Scanline y meets each edge whose vertical range [y_top, y_bottom) holds y
// at the exact x, and a row's runs are [ceil(x_left), ceil(x_right)).
// Edges are turned into crossings on the surface's rows only, so a polygon
// of any size costs memory by the rows it covers on the surface.
#include <algorithm>

#include "platform/raster_internal.h"

namespace ip::platform {

namespace {

int64_t CeilDiv128(__int128 numerator, int64_t denominator) {  // denominator > 0
  __int128 q = numerator / denominator;
  if (numerator % denominator > 0) ++q;
  return static_cast<int64_t>(q);
}

int64_t CeilDiv(int64_t numerator, int64_t denominator) {  // denominator > 0
  int64_t q = numerator / denominator;
  if (numerator % denominator > 0) ++q;
  return q;
}

int64_t FloorDiv(int64_t numerator, int64_t denominator) {  // denominator > 0
  int64_t q = numerator / denominator;
  if (numerator % denominator < 0) --q;
  return q;
}

}  // namespace

EdgeStepper::EdgeStepper(Point64 top, Point64 bottom, int64_t firstRow) : height_(bottom.y - top.y) {
  const int64_t run = bottom.x - top.x;
  const int64_t rise = firstRow - top.y;
  constexpr int64_t kSmall = int64_t{1} << 30;  // products of two such values fit 64 bits
  if (rise < kSmall && run > -kSmall && run < kSmall) {
    const int64_t numerator = rise * run;
    const int64_t q = CeilDiv(numerator, height_);
    x_ = top.x + q;
    remainder_ = q * height_ - numerator;
  } else {
    const __int128 numerator = static_cast<__int128>(rise) * run;
    const int64_t q = CeilDiv128(numerator, height_);
    x_ = top.x + q;
    remainder_ = static_cast<int64_t>(static_cast<__int128>(q) * height_ - numerator);
  }
  whole_ = FloorDiv(run, height_);
  fraction_ = run - whole_ * height_;
}

void PolygonFill::AddEdge(Point64 from, Point64 to) {
  if (from.y == to.y) return;
  const int32_t winding = from.y < to.y ? 1 : -1;
  const Point64 top = from.y < to.y ? from : to;
  const Point64 bottom = from.y < to.y ? to : from;
  const int64_t first = std::max<int64_t>(top.y, 0);
  const int64_t end = std::min<int64_t>(bottom.y, height_);
  if (first >= end) return;
  if (bottom.y - top.y == 1) {  // one row, met at the top end: a curve's step
    crossings_.push_back({static_cast<int32_t>(first), winding, top.x});
    return;
  }
  EdgeStepper stepper(top, bottom, first);
  for (int64_t y = first; y < end; ++y) {
    crossings_.push_back({static_cast<int32_t>(y), winding, stepper.X()});
    stepper.Step();
  }
}

void PolygonFill::Paint(Surface& surface, const RasterBrush& brush) {
  std::sort(crossings_.begin(), crossings_.end(),
            [](const Crossing& a, const Crossing& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  int winding = 0;
  for (size_t i = 0; i + 1 < crossings_.size(); ++i) {
    const Crossing& here = crossings_[i];
    const Crossing& next = crossings_[i + 1];
    if (next.y != here.y) {
      winding = 0;
      continue;
    }
    winding += here.winding;
    if (winding != 0 && here.x < next.x) PaintSpan(surface, brush, here.y, here.x, next.x);
  }
  crossings_.clear();
}

}  // namespace ip::platform

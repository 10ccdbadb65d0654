// The wide-pen stroke: segments and round caps painted as one region, row
// by row of the surface.
//
// Every primitive gives at most one run per row: a cap's row of its ellipse,
// a band's columns, a quadrilateral's span between its two edges. The runs
// go into a coverage of the stroke's rows that merges them before painting.
// While the runs are few they are kept as a list and sorted; when they become
// many (a wide pen round a long curve) the coverage switches to counting
// starts and ends per pixel column, which costs the same per run however
// long the run is. Either way the memory is bounded by the surface.
//
// Primitives are merged as they arrive: consecutive caps along a row become
// one run of caps (their union on a row is one run from the first cap's left
// to the last cap's right), caps down a column one column of caps (their
// union on a row is the widest of the cap rows that reach it, the caps' rows
// being nested towards the middle), and consecutive equal unit steps one
// longer segment with the same corners.
#include <algorithm>
#include <cmath>

#include "host/rounding.h"
#include "platform/raster_internal.h"

namespace platform {

namespace {

// The round cap: the filled ellipse of a w x w box whose top-left is
// (-w/2, -w/2) relative to the cap's point. Row r (0 .. w-1, from the top)
// covers [Left(r), Right(r)). The rows are symmetric top to bottom and left
// to right, so only the upper half of the right ends is kept.
class CapShape {
 public:
  explicit CapShape(int32_t width) : width_(width), half_(width / 2), right_((width + 1) / 2, width - width / 2) {
    if (!IsSquareCornered(width, width)) TraceArc();
    for (size_t i = 1; i < right_.size(); ++i) nested_ = nested_ && right_[i - 1] <= right_[i];
  }

  int64_t Width() const { return width_; }
  int64_t Half() const { return half_; }
  int64_t Right(int64_t r) const { return right_[static_cast<size_t>(std::min(r, width_ - 1 - r))]; }
  int64_t Left(int64_t r) const { return (width_ & 1) - Right(r); }
  // The widest row (rows grow towards it from both ends when nested).
  int64_t MiddleRow() const { return (width_ - 1) / 2; }
  bool Nested() const { return nested_; }

 private:
  // Each quarter point gives its row the run out to it (the first, rightmost,
  // point of a row wins), mirrored to the other half.
  void TraceArc() {
    int64_t lastRow = -1;
    WalkQuarterEllipse(width_, width_, [&](Point64 q) {
      const int64_t row = width_ - 1 - q.y;
      if (row == lastRow) return;
      lastRow = row;
      const int64_t index = std::min(row, width_ - 1 - row);
      right_[static_cast<size_t>(index)] = static_cast<int32_t>(q.x - half_ + 1);
    });
  }

  int64_t width_;
  int64_t half_;
  std::vector<int32_t> right_;
  bool nested_ = true;
};

// Runs of covered pixels on a range of rows, merged and painted once.
class RowCoverage {
 public:
  RowCoverage(int width, int64_t rowFrom, int64_t rowTo)
      : width_(width), rowFrom_(rowFrom), rows_(std::max<int64_t>(rowTo - rowFrom, 0)) {
    constexpr int64_t kMinRunLimit = 64;
    constexpr int64_t kPixelsPerListedRun = 32;
    runLimit_ = static_cast<size_t>(std::max<int64_t>(kMinRunLimit, (width_ + 1) * rows_ / kPixelsPerListedRun));
  }

  int64_t RowFrom() const { return rowFrom_; }
  int64_t RowTo() const { return rowFrom_ + rows_; }

  // Adds [x0, x1) on row y (a row of the coverage).
  void Add(int64_t y, int64_t x0, int64_t x1) {
    x0 = std::max<int64_t>(x0, 0);
    x1 = std::min<int64_t>(x1, width_);
    if (x0 >= x1) return;
    const auto row = static_cast<size_t>(y - rowFrom_);
    if (counting_) {
      Count(row, x0, x1);
      return;
    }
    runs_.push_back({static_cast<int32_t>(row), static_cast<int32_t>(x0), static_cast<int32_t>(x1)});
    if (runs_.size() >= runLimit_) SwitchToCounting();
  }

  void Paint(Surface& surface, Pixel color) {
    if (counting_) {
      PaintCounted(surface, color);
    } else {
      PaintListed(surface, color);
    }
  }

 private:
  struct Run {
    int32_t row, left, right;
  };
  static constexpr uint32_t kNoCounts = UINT32_MAX;

  // A row covered from end to end needs no counts; any other row gets a
  // count of runs starting and ending at each column, made when first used.
  void Count(size_t row, int64_t x0, int64_t x1) {
    if (fullRows_[row]) return;
    if (x0 == 0 && x1 == width_) {
      fullRows_[row] = 1;
      return;
    }
    const size_t stride = static_cast<size_t>(width_ + 1);
    if (countsOfRow_[row] == kNoCounts) {
      countsOfRow_[row] = static_cast<uint32_t>(counts_.size() / stride);
      counts_.resize(counts_.size() + stride, 0);
    }
    int32_t* counts = counts_.data() + countsOfRow_[row] * stride;
    ++counts[x0];
    --counts[x1];
  }

  void SwitchToCounting() {
    counting_ = true;
    fullRows_.assign(static_cast<size_t>(rows_), 0);
    countsOfRow_.assign(static_cast<size_t>(rows_), kNoCounts);
    for (const Run& run : runs_) Count(static_cast<size_t>(run.row), run.left, run.right);
    std::vector<Run>().swap(runs_);
  }

  void PaintListed(Surface& surface, Pixel color) {
    std::sort(runs_.begin(), runs_.end(),
              [](const Run& a, const Run& b) { return a.row != b.row ? a.row < b.row : a.left < b.left; });
    for (size_t i = 0; i < runs_.size();) {
      const int32_t row = runs_[i].row;
      int32_t left = runs_[i].left, right = runs_[i].right;
      for (++i; i < runs_.size() && runs_[i].row == row && runs_[i].left <= right; ++i) {
        right = std::max(right, runs_[i].right);
      }
      PaintSolidSpan(surface, color, rowFrom_ + row, left, right);
    }
  }

  void PaintCounted(Surface& surface, Pixel color) {
    const size_t stride = static_cast<size_t>(width_ + 1);
    for (size_t row = 0; row < static_cast<size_t>(rows_); ++row) {
      const int64_t y = rowFrom_ + static_cast<int64_t>(row);
      if (fullRows_[row]) {
        PaintSolidSpan(surface, color, y, 0, width_);
      } else if (countsOfRow_[row] != kNoCounts) {
        PaintCountedRow(surface, color, y, counts_.data() + countsOfRow_[row] * stride);
      }
    }
  }

  // Paints where more runs have started than ended.
  void PaintCountedRow(Surface& surface, Pixel color, int64_t y, const int32_t* counts) {
    int32_t depth = 0;
    int64_t start = 0;
    for (int64_t x = 0; x <= width_; ++x) {
      if (counts[x] == 0) continue;
      const int32_t before = depth;
      depth += counts[x];
      if (before == 0 && depth > 0) start = x;
      if (before > 0 && depth == 0) PaintSolidSpan(surface, color, y, start, x);
    }
  }

  int64_t width_;
  int64_t rowFrom_;
  int64_t rows_;
  size_t runLimit_ = 0;
  bool counting_ = false;
  std::vector<Run> runs_;
  std::vector<uint8_t> fullRows_;
  std::vector<uint32_t> countsOfRow_;  // where each row's counts start in counts_, in rows
  std::vector<int32_t> counts_;
};

// Round half away from zero, as the wide-pen geometry asks.
int64_t RoundHalfAway(double value) {
  const double r = value < 0 ? -std::floor(-value + 0.5) : std::floor(value + 0.5);
  return RoundToInt(r);
}

// The two corner offsets of a slanted segment running in direction (dx, dy):
// the quadrilateral is from + (-narrow.x, narrow.y), from + (wide.x, -wide.y),
// to + (wide.x, -wide.y), to + (-narrow.x, narrow.y).
struct QuadOffsets {
  Point64 narrow;
  Point64 wide;
};

QuadOffsets SegmentOffsets(int64_t dxWhole, int64_t dyWhole, int32_t width) {
  const double dx = static_cast<double>(dxWhole);
  const double dy = static_cast<double>(dyWhole);
  const double length = std::sqrt(dx * dx + dy * dy);
  const double hx = width * std::fabs(dy) / length;
  const double hy = width * std::fabs(dx) / length;
  QuadOffsets o{{RoundHalfAway(hx / 2), RoundHalfAway(hy / 2)}, {RoundHalfAway((hx + 1) / 2), RoundHalfAway((hy + 1) / 2)}};
  if (dx < 0) {
    o.narrow.y = -o.narrow.y;
    o.wide.y = -o.wide.y;
  }
  if (dy < 0) {
    std::swap(o.narrow, o.wide);
    o.narrow.x = -o.narrow.x;
    o.wide.x = -o.wide.x;
  }
  return o;
}

// A run of caps: one point, a row of points [first.x, last.x] or a column
// [first.y, last.y].
struct CapRun {
  enum class Kind : uint8_t { kNone, kPoint, kRow, kColumn };
  Kind kind = Kind::kNone;
  Point64 first;
  Point64 last;
};

// A segment, possibly several equal unit steps joined end to end.
struct PendingSegment {
  bool active = false;
  Point64 from;
  Point64 to;
  Point64 step;  // the unit step it is made of, or (0, 0) for any other segment
};

bool IsUnitStep(Point64 d) { return d.x >= -1 && d.x <= 1 && d.y >= -1 && d.y <= 1; }

}  // namespace

struct WideStroke::Impl {
  Impl(Surface& target, Pixel ink, int32_t width, int64_t rowFrom, int64_t rowTo)
      : surface(target),
        color(ink),
        penWidth(width),
        cap(width),
        coverage(target.width, std::max<int64_t>(rowFrom, 0), std::min<int64_t>(rowTo, target.height)) {}

  void AddCap(Point64 p) {
    if (capRun.kind == CapRun::Kind::kNone) {
      capRun = {CapRun::Kind::kPoint, p, p};
      return;
    }
    if (ExtendsRow(p) || ExtendsColumn(p)) return;
    FlushCaps();
    capRun = {CapRun::Kind::kPoint, p, p};
  }

  bool ExtendsRow(Point64 p) {
    if (capRun.kind != CapRun::Kind::kPoint && capRun.kind != CapRun::Kind::kRow) return false;
    if (p.y != capRun.first.y) return false;
    const int64_t lo = std::min(capRun.first.x, capRun.last.x), hi = std::max(capRun.first.x, capRun.last.x);
    if (p.x < lo - 1 || p.x > hi + 1) return false;
    capRun.first.x = std::min(lo, p.x);
    capRun.last.x = std::max(hi, p.x);
    if (capRun.first.x != capRun.last.x) capRun.kind = CapRun::Kind::kRow;
    return true;
  }

  bool ExtendsColumn(Point64 p) {
    if (!cap.Nested()) return false;
    if (capRun.kind != CapRun::Kind::kPoint && capRun.kind != CapRun::Kind::kColumn) return false;
    if (p.x != capRun.first.x) return false;
    const int64_t lo = std::min(capRun.first.y, capRun.last.y), hi = std::max(capRun.first.y, capRun.last.y);
    if (p.y < lo - 1 || p.y > hi + 1) return false;
    capRun.first.y = std::min(lo, p.y);
    capRun.last.y = std::max(hi, p.y);
    if (capRun.first.y != capRun.last.y) capRun.kind = CapRun::Kind::kColumn;
    return true;
  }

  // Rows of the coverage in [top, bottom).
  int64_t ClipTop(int64_t top) const { return std::max(top, coverage.RowFrom()); }
  int64_t ClipBottom(int64_t bottom) const { return std::min(bottom, coverage.RowTo()); }
  bool OffColumns(int64_t left, int64_t right) const { return right <= 0 || left >= surface.width; }

  void FlushCaps() {
    const CapRun run = capRun;
    capRun.kind = CapRun::Kind::kNone;
    const int64_t w = cap.Width(), half = cap.Half();
    if (run.kind == CapRun::Kind::kNone || OffColumns(run.first.x - w, run.last.x + w)) return;
    if (run.kind == CapRun::Kind::kColumn) {
      const int64_t x = run.first.x;
      for (int64_t y = ClipTop(run.first.y - half), end = ClipBottom(run.last.y - half + w); y < end; ++y) {
        const int64_t lowest = std::max<int64_t>(0, y - run.last.y + half);
        const int64_t highest = std::min<int64_t>(w - 1, y - run.first.y + half);
        const int64_t r = std::clamp(cap.MiddleRow(), lowest, highest);
        coverage.Add(y, x + cap.Left(r), x + cap.Right(r));
      }
      return;
    }
    const int64_t top = run.first.y - half;
    for (int64_t y = ClipTop(top), end = ClipBottom(top + w); y < end; ++y) {
      coverage.Add(y, run.first.x + cap.Left(y - top), run.last.x + cap.Right(y - top));
    }
  }

  void AddSegment(Point64 from, Point64 to) {
    if (from == to) return;
    const Point64 d{to.x - from.x, to.y - from.y};
    const Point64 step = IsUnitStep(d) ? d : Point64{};
    if (segment.active && step == segment.step && !(step == Point64{})) {
      if (from == segment.to) {
        segment.to = to;
        return;
      }
      if (to == segment.from) {
        segment.from = from;
        return;
      }
    }
    FlushSegment();
    segment = {true, from, to, step};
  }

  void FlushSegment() {
    if (!segment.active) return;
    segment.active = false;
    const Point64 p1 = segment.from, p2 = segment.to;
    const int64_t w = penWidth, half = penWidth / 2;
    if (p1.y == p2.y) {
      AddRectangle(std::min(p1.x, p2.x), p1.y - half, std::max(p1.x, p2.x), p1.y - half + w);
    } else if (p1.x == p2.x) {
      AddRectangle(p1.x - half, std::min(p1.y, p2.y), p1.x - half + w, std::max(p1.y, p2.y));
    } else {
      const Point64 direction = segment.step == Point64{} ? Point64{p2.x - p1.x, p2.y - p1.y} : segment.step;
      const QuadOffsets o = SegmentOffsets(direction.x, direction.y, penWidth);
      AddConvexQuad({{p1.x - o.narrow.x, p1.y + o.narrow.y},
                     {p1.x + o.wide.x, p1.y - o.wide.y},
                     {p2.x + o.wide.x, p2.y - o.wide.y},
                     {p2.x - o.narrow.x, p2.y + o.narrow.y}});
    }
  }

  void AddRectangle(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    if (OffColumns(left, right)) return;
    for (int64_t y = ClipTop(top), end = ClipBottom(bottom); y < end; ++y) coverage.Add(y, left, right);
  }

  // A convex quadrilateral by the polygon rule: on each row its two edges
  // that span the row bound the run [ceil(x_left), ceil(x_right)).
  void AddConvexQuad(const Point64 (&corners)[4]) {
    int64_t top = corners[0].y, bottom = top, left = corners[0].x, right = left;
    for (const Point64& c : corners) {
      top = std::min(top, c.y);
      bottom = std::max(bottom, c.y);
      left = std::min(left, c.x);
      right = std::max(right, c.x);
    }
    const int64_t first = ClipTop(top), end = ClipBottom(bottom);
    if (first >= end || OffColumns(left, right + 1)) return;
    struct Edge {
      int64_t top = 0, bottom = 0;  // the rows it spans, clipped
      EdgeStepper stepper;
    };
    Edge edges[4];
    int count = 0;
    for (int i = 0; i < 4; ++i) {
      Point64 a = corners[i], b = corners[(i + 1) % 4];
      if (a.y == b.y) continue;
      if (a.y > b.y) std::swap(a, b);
      const int64_t start = std::max(a.y, first);
      edges[count++] = {start, std::min(b.y, end), EdgeStepper(a, b, start)};
    }
    for (int64_t y = first; y < end; ++y) {
      int64_t lo = INT64_MAX, hi = INT64_MIN;
      int active = 0;
      for (int i = 0; i < count; ++i) {
        Edge& edge = edges[i];
        if (y < edge.top || y >= edge.bottom) continue;
        ++active;
        lo = std::min(lo, edge.stepper.X());
        hi = std::max(hi, edge.stepper.X());
        edge.stepper.Step();
      }
      if (active >= 2) coverage.Add(y, lo, hi);
    }
  }

  Surface& surface;
  Pixel color;
  int32_t penWidth;
  CapShape cap;
  RowCoverage coverage;
  CapRun capRun;
  PendingSegment segment;
};

WideStroke::WideStroke(Surface& surface, Pixel color, int32_t width, int64_t rowFrom, int64_t rowTo)
    : impl_(std::make_unique<Impl>(surface, color, width, rowFrom, rowTo)) {}

WideStroke::~WideStroke() = default;

void WideStroke::Segment(Point64 from, Point64 to) { impl_->AddSegment(from, to); }

void WideStroke::Cap(Point64 at) { impl_->AddCap(at); }

void WideStroke::Finish() {
  impl_->FlushCaps();
  impl_->FlushSegment();
  impl_->coverage.Paint(impl_->surface, impl_->color);
}

}  // namespace platform

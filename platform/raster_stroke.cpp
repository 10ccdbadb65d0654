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

#include "platform/rounding.h"
#include "platform/raster_internal.h"

// Points are pairs of 64-bit values: left to itself, GCC packs them into
// 16-byte registers through memory just written 8 bytes at a time, which
// stalls every call that takes points.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("no-tree-slp-vectorize")
#endif

namespace ip::platform {

namespace {

// The round cap: the filled ellipse of a w x w box whose top-left is
// (-w/2, -w/2) relative to the cap's point. Row r (0 .. w-1, from the top)
// covers [Left(r), Right(r)). The rows are symmetric top to bottom and left
// to right, so only the upper half of the right ends is kept.
class CapShape {
 public:
  explicit CapShape(int32_t width) : width_(width), half_(width / 2) {
    const size_t rows = static_cast<size_t>(width + 1) / 2;
    if (rows > kInlineRows) large_.resize(rows);
    right_ = rows > kInlineRows ? large_.data() : small_;
    std::fill(right_, right_ + rows, static_cast<int32_t>(width - width / 2));
    if (!IsSquareCornered(width, width)) TraceArc();
    for (size_t i = 1; i < rows; ++i) nested_ = nested_ && right_[i - 1] <= right_[i];
  }
  CapShape(const CapShape&) = delete;
  CapShape& operator=(const CapShape&) = delete;

  int64_t Width() const { return width_; }
  int64_t Half() const { return half_; }
  int64_t Right(int64_t r) const { return right_[std::min(r, width_ - 1 - r)]; }
  int64_t Left(int64_t r) const { return (width_ & 1) - Right(r); }
  // The widest row (rows grow towards it from both ends when nested).
  int64_t MiddleRow() const { return (width_ - 1) / 2; }
  bool Nested() const { return nested_; }

 private:
  static constexpr size_t kInlineRows = 32;  // pens up to 64 wide keep their rows here

  // Each quarter point gives its row the run out to it (the first, rightmost,
  // point of a row wins), mirrored to the other half.
  void TraceArc() {
    int64_t lastRow = -1;
    WalkQuarterEllipse(width_, width_, [&](Point64 q) {
      const int64_t row = width_ - 1 - q.y;
      if (row == lastRow) return;
      lastRow = row;
      right_[std::min(row, width_ - 1 - row)] = static_cast<int32_t>(q.x - half_ + 1);
    });
  }

  int64_t width_;
  int64_t half_;
  int32_t small_[kInlineRows];
  std::vector<int32_t> large_;
  int32_t* right_;
  bool nested_ = true;
};

// The covered pixels of a range of rows, painted once. Each row keeps its
// covered runs as a few disjoint intervals, merging every new run into them
// as it comes. A row that would need more intervals than that (a wide
// zigzag) turns the whole coverage into counts of the runs starting and
// ending at each column, which take any number of runs at the same cost and
// are made only for rows that are not covered from end to end.
class RowCoverage {
 public:
  RowCoverage(int width, int64_t rowFrom, int64_t rowTo)
      : width_(width), rowFrom_(rowFrom), rows_(std::max<int64_t>(rowTo - rowFrom, 0)) {
    intervals_.resize(static_cast<size_t>(rows_));
  }

  int64_t RowFrom() const { return rowFrom_; }
  int64_t RowTo() const { return rowFrom_ + rows_; }

  // Adds [x0, x1) on row y (a row of the coverage).
  [[gnu::always_inline]] void Add(int64_t y, int64_t x0, int64_t x1) {
    x0 = std::max<int64_t>(x0, 0);
    x1 = std::min<int64_t>(x1, width_);
    if (x0 >= x1) return;
    const auto row = static_cast<size_t>(y - rowFrom_);
    if (!counting_ && intervals_[row].Merge(static_cast<int32_t>(x0), static_cast<int32_t>(x1))) return;
    AddCounted(row, x0, x1);
  }

  void Paint(Surface& surface, Pixel color) {
    for (size_t row = 0; row < static_cast<size_t>(rows_); ++row) {
      const int64_t y = rowFrom_ + static_cast<int64_t>(row);
      if (!counting_) {
        const Intervals& r = intervals_[row];
        for (int i = 0; i < r.count; ++i) PaintSolidSpan(surface, color, y, r.left[i], r.right[i]);
      } else if (fullRows_[row]) {
        PaintSolidSpan(surface, color, y, 0, width_);
      } else if (countsOfRow_[row] != kNoCounts) {
        PaintCountedRow(surface, color, y, counts_.data() + countsOfRow_[row] * Stride());
      }
    }
  }

 private:
  // Sorted, disjoint and not touching.
  struct Intervals {
    static constexpr int kMost = 6;
    int count = 0;
    int32_t left[kMost];
    int32_t right[kMost];

    // Merges [x0, x1) in; false when that would take more intervals than kept.
    bool Merge(int32_t x0, int32_t x1) {
      int i = 0;
      while (i < count && right[i] < x0) ++i;  // wholly before it, not touching
      if (i < count && left[i] <= x1) {        // overlaps or touches interval i
        left[i] = std::min(left[i], x0);
        if (x1 > right[i]) Widen(i, x1);
        return true;
      }
      if (count == kMost) return false;
      for (int j = count; j > i; --j) {
        left[j] = left[j - 1];
        right[j] = right[j - 1];
      }
      left[i] = x0;
      right[i] = x1;
      ++count;
      return true;
    }

    // Moves interval i's right end to x1, taking in the intervals it reaches.
    void Widen(int i, int32_t x1) {
      int next = i + 1;
      while (next < count && left[next] <= x1) x1 = std::max(x1, right[next++]);
      right[i] = x1;
      const int removed = next - i - 1;
      if (removed == 0) return;
      for (int j = i + 1; j + removed < count; ++j) {
        left[j] = left[j + removed];
        right[j] = right[j + removed];
      }
      count -= removed;
    }
  };
  static constexpr uint32_t kNoCounts = UINT32_MAX;

  size_t Stride() const { return static_cast<size_t>(width_ + 1); }

  void AddCounted(size_t row, int64_t x0, int64_t x1) {
    if (!counting_) SwitchToCounting();
    Count(row, x0, x1);
  }

  // A row covered from end to end needs no counts; any other row gets a
  // count of runs starting and ending at each column, made when first used.
  void Count(size_t row, int64_t x0, int64_t x1) {
    if (fullRows_[row]) return;
    if (x0 == 0 && x1 == width_) {
      fullRows_[row] = 1;
      return;
    }
    if (countsOfRow_[row] == kNoCounts) {
      countsOfRow_[row] = static_cast<uint32_t>(counts_.size() / Stride());
      counts_.resize(counts_.size() + Stride(), 0);
    }
    int32_t* counts = counts_.data() + countsOfRow_[row] * Stride();
    ++counts[x0];
    --counts[x1];
  }

  void SwitchToCounting() {
    counting_ = true;
    counts_.reserve(Stride() * static_cast<size_t>(rows_));  // filled as rows need it
    fullRows_.assign(static_cast<size_t>(rows_), 0);
    countsOfRow_.assign(static_cast<size_t>(rows_), kNoCounts);
    for (size_t row = 0; row < intervals_.size(); ++row) {
      const Intervals& r = intervals_[row];
      for (int i = 0; i < r.count; ++i) Count(row, r.left[i], r.right[i]);
    }
    std::vector<Intervals>().swap(intervals_);
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
  bool counting_ = false;
  std::vector<Intervals> intervals_;
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

// A convex quadrilateral by the polygon rule: on each row of [first, end)
// its two edges that span the row bound the run [ceil(x_left),
// ceil(x_right)), given to emit(y, x0, x1).
template <typename Emit>
void ForEachQuadRow(const Point64 (&corners)[4], int64_t first, int64_t end, Emit emit) {
  if (first >= end) return;
  struct Edge {
    int64_t top = 0, bottom = 0;  // the rows it spans within [first, end)
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
    if (active >= 2) emit(y, lo, hi);
  }
}

// A run on a row given relative to a point.
struct RelativeRun {
  int64_t row, left, right;
};

}  // namespace

struct WideStroke::Impl {
  Impl(Surface& target, Pixel ink, int32_t width, int64_t rowFrom, int64_t rowTo)
      : surface(target),
        color(ink),
        penWidth(width),
        cap(width),
        coverage(target.width, std::max<int64_t>(rowFrom, 0), std::min<int64_t>(rowTo, target.height)) {}

  // Rows of the coverage in [top, bottom).
  int64_t ClipTop(int64_t top) const { return std::max(top, coverage.RowFrom()); }
  int64_t ClipBottom(int64_t bottom) const { return std::min(bottom, coverage.RowTo()); }
  bool OffColumns(int64_t left, int64_t right) const { return right <= 0 || left >= surface.width; }

  // A row of caps covers, on each of its rows, from the first cap's left
  // to the last cap's right; a column of caps the widest of the cap rows
  // that reach the row.
  void PaintCaps(Point64 first, Point64 last, bool column) {
    const int64_t w = cap.Width(), half = cap.Half();
    if (OffColumns(first.x - w, last.x + w)) return;
    if (column) {
      const int64_t x = first.x;
      for (int64_t y = ClipTop(first.y - half), end = ClipBottom(last.y - half + w); y < end; ++y) {
        const int64_t lowest = std::max<int64_t>(0, y - last.y + half);
        const int64_t highest = std::min<int64_t>(w - 1, y - first.y + half);
        const int64_t r = std::clamp(cap.MiddleRow(), lowest, highest);
        coverage.Add(y, x + cap.Left(r), x + cap.Right(r));
      }
      return;
    }
    const int64_t top = first.y - half;
    for (int64_t y = ClipTop(top), end = ClipBottom(top + w); y < end; ++y) {
      coverage.Add(y, first.x + cap.Left(y - top), last.x + cap.Right(y - top));
    }
  }

  // A segment made of `step`s (or any segment when step is (0, 0)).
  void PaintSegment(Point64 p1, Point64 p2, Point64 step) {
    const int64_t w = penWidth, half = penWidth / 2;
    if (p1.y == p2.y) {
      AddRectangle(std::min(p1.x, p2.x), p1.y - half, std::max(p1.x, p2.x), p1.y - half + w);
    } else if (p1.x == p2.x) {
      AddRectangle(p1.x - half, std::min(p1.y, p2.y), p1.x - half + w, std::max(p1.y, p2.y));
    } else if (step == Point64{}) {
      AddQuad(p1, p2, SegmentOffsets(p2.x - p1.x, p2.y - p1.y, penWidth));
    } else {
      const UnitDiagonal& unit = Diagonal(step);
      if (!unit.tabled) {
        AddQuad(p1, p2, unit.offsets);
        return;
      }
      // Equal steps joined end to end make the same region as the steps one
      // by one; each step adds only its pixels outside the caps at its ends.
      for (Point64 at = p1; !(at == p2); at = {at.x + step.x, at.y + step.y}) AddRows(at, unit.beyondCaps);
    }
  }

  void AddRectangle(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    if (OffColumns(left, right)) return;
    for (int64_t y = ClipTop(top), end = ClipBottom(bottom); y < end; ++y) coverage.Add(y, left, right);
  }

  void AddQuad(Point64 p1, Point64 p2, const QuadOffsets& o) {
    const Point64 corners[4] = {{p1.x - o.narrow.x, p1.y + o.narrow.y},
                                {p1.x + o.wide.x, p1.y - o.wide.y},
                                {p2.x + o.wide.x, p2.y - o.wide.y},
                                {p2.x - o.narrow.x, p2.y + o.narrow.y}};
    int64_t top = corners[0].y, bottom = top, left = corners[0].x, right = left;
    for (const Point64& c : corners) {
      top = std::min(top, c.y);
      bottom = std::max(bottom, c.y);
      left = std::min(left, c.x);
      right = std::max(right, c.x);
    }
    if (OffColumns(left, right + 1)) return;
    ForEachQuadRow(corners, ClipTop(top), ClipBottom(bottom),
                   [&](int64_t y, int64_t x0, int64_t x1) { coverage.Add(y, x0, x1); });
  }

  // Runs given relative to a point.
  void AddRows(Point64 at, const std::vector<RelativeRun>& rows) {
    for (const RelativeRun& run : rows) {
      const int64_t y = at.y + run.row;
      if (y >= coverage.RowFrom() && y < coverage.RowTo()) coverage.Add(y, at.x + run.left, at.x + run.right);
    }
  }

  // A single diagonal step's quadrilateral is the same wherever it is: for
  // pens up to kTabledPenWidth its runs outside the caps at its two ends,
  // relative to its start, are made once per direction.
  static constexpr int32_t kTabledPenWidth = 64;
  struct UnitDiagonal {
    bool made = false;
    bool tabled = false;
    QuadOffsets offsets;
    std::vector<RelativeRun> beyondCaps;
  };

  const UnitDiagonal& Diagonal(Point64 step) {
    UnitDiagonal& unit = diagonals[(step.x > 0 ? 2 : 0) + (step.y > 0 ? 1 : 0)];
    if (unit.made) return unit;
    unit.made = true;
    unit.offsets = SegmentOffsets(step.x, step.y, penWidth);
    if (penWidth > kTabledPenWidth) return unit;
    unit.tabled = true;
    const QuadOffsets& o = unit.offsets;
    const Point64 corners[4] = {{-o.narrow.x, o.narrow.y},
                                {o.wide.x, -o.wide.y},
                                {step.x + o.wide.x, step.y - o.wide.y},
                                {step.x - o.narrow.x, step.y + o.narrow.y}};
    int64_t top = 0, bottom = 0;
    for (const Point64& c : corners) {
      top = std::min(top, c.y);
      bottom = std::max(bottom, c.y);
    }
    ForEachQuadRow(corners, top, bottom, [&](int64_t y, int64_t x0, int64_t x1) {
      SubtractCapRows(y, x0, x1, step, [&](int64_t l, int64_t r) { unit.beyondCaps.push_back({y, l, r}); });
    });
    return unit;
  }

  // [x0, x1) on row y (relative to a step's start) less the rows of the caps
  // at the step's two ends; emit(l, r) gets each piece left.
  template <typename Emit>
  void SubtractCapRows(int64_t y, int64_t x0, int64_t x1, Point64 step, Emit emit) const {
    RelativeRun covered[2];
    int count = 0;
    for (const Point64 at : {Point64{0, 0}, step}) {
      const int64_t r = y - at.y + cap.Half();
      if (r >= 0 && r < cap.Width()) covered[count++] = {y, at.x + cap.Left(r), at.x + cap.Right(r)};
    }
    if (count == 2 && covered[1].left < covered[0].left) std::swap(covered[0], covered[1]);
    int64_t from = x0;
    for (int i = 0; i < count; ++i) {
      if (covered[i].left > from) emit(from, std::min(x1, covered[i].left));
      from = std::max(from, covered[i].right);
      if (from >= x1) return;
    }
    if (from < x1) emit(from, x1);
  }

  Surface& surface;
  Pixel color;
  int32_t penWidth;
  CapShape cap;
  RowCoverage coverage;
  UnitDiagonal diagonals[4];
};

WideStroke::WideStroke(Surface& surface, Pixel color, int32_t width, int64_t rowFrom, int64_t rowTo)
    : impl_(std::make_unique<Impl>(surface, color, width, rowFrom, rowTo)), capRowsNested_(impl_->cap.Nested()) {}

WideStroke::~WideStroke() = default;

void WideStroke::FlushCaps() {
  if (caps_.kind != CapRun::kNone) impl_->PaintCaps(caps_.first, caps_.last, caps_.kind == CapRun::kColumn);
  caps_.kind = CapRun::kNone;
}

void WideStroke::FlushSegment() {
  if (segment_.active) impl_->PaintSegment(segment_.from, segment_.to, segment_.step);
  segment_.active = false;
}

void WideStroke::Finish() {
  FlushCaps();
  FlushSegment();
  impl_->coverage.Paint(impl_->surface, impl_->color);
}

}  // namespace ip::platform

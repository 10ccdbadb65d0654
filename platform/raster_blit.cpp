// Block and stretch copies. A stretch is two independent axis walks, each
// starting at its rectangle's origin corner: every visible destination column
// (row) is given the run of source columns (rows) that feed it, already
// clipped to the source surface; the pixel is then the AND of that block of
// source pixels, combined with the destination.
#include "platform/raster_blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ip::platform {

namespace {

constexpr Pixel kPixelMask = 0x00FFFFFF;

// One axis of a rectangle. The walk starts at `origin` and runs towards
// higher coordinates, or towards lower ones when the extent is negative; the
// pixels covered are first .. first + count - 1 either way.
struct AxisSpan {
  int64_t origin = 0;
  int64_t first = 0;
  int64_t count = 0;
  bool backwards = false;
  // The coordinate of the pixel `step` pixels along the walk.
  int64_t At(int64_t step) const { return backwards ? origin - step : origin + step; }
  // How far along the walk a coordinate is.
  int64_t StepOf(int64_t position) const { return backwards ? origin - position : position - origin; }
};

AxisSpan AxisSpanOf(int origin, int extent) {
  AxisSpan span;
  span.origin = origin;
  span.backwards = extent < 0;
  span.count = extent < 0 ? -int64_t{extent} : int64_t{extent};
  span.first = extent < 0 ? int64_t{origin} + extent + 1 : origin;
  return span;
}

// The source pixels [begin, end) that feed one destination pixel.
struct SourceRun {
  int begin = 0;
  int end = 0;
  bool Empty() const { return begin >= end; }
};

// One visible run of destination pixels along an axis, with its source runs.
struct AxisMap {
  int destBegin = 0;
  std::vector<SourceRun> runs;  // one per destination pixel from destBegin on
};

// First source index (of `sourceCount`) that lands on destination index i
// when shrinking: the smallest j with (2j + 1) D > 2 S i.
uint64_t FirstShrinkSource(uint64_t i, uint64_t sourceCount, uint64_t destCount) {
  uint64_t quotient = (2 * sourceCount * i) / destCount;
  return (quotient + 1) / 2;
}

// A source index range before clipping: rectangles may span the whole
// 32-bit range, so indexes are kept in 64 bits.
struct WideRun {
  int64_t begin = 0;
  int64_t end = 0;
};

// The source steps [begin, end) that feed destination step i of the walk.
WideRun NormalizedRun(uint64_t i, uint64_t sourceCount, uint64_t destCount) {
  if (destCount >= sourceCount) {
    // Enlarging: source ceil((2i + 1) S / 2D) - 1, ties to the lower index.
    uint64_t numerator = (2 * i + 1) * sourceCount;
    uint64_t k = (numerator + 2 * destCount - 1) / (2 * destCount) - 1;
    return {static_cast<int64_t>(k), static_cast<int64_t>(k + 1)};
  }
  if (destCount == 1) {
    // A single destination pixel drops the last source pixel.
    return {0, static_cast<int64_t>(sourceCount - 1)};
  }
  uint64_t begin = FirstShrinkSource(i, sourceCount, destCount);
  uint64_t end = FirstShrinkSource(i + 1, sourceCount, destCount);
  return {static_cast<int64_t>(begin), static_cast<int64_t>(end)};
}

// Maps the visible part of one destination axis to clipped source runs.
AxisMap MapAxis(int destOrigin, int destExtent, int destLimit, int sourceOrigin, int sourceExtent,
                int sourceLimit) {
  AxisMap map;
  AxisSpan dest = AxisSpanOf(destOrigin, destExtent);
  AxisSpan source = AxisSpanOf(sourceOrigin, sourceExtent);
  if (dest.count == 0 || source.count == 0) return map;
  int64_t visibleBegin = std::max<int64_t>(dest.first, 0);
  int64_t visibleEnd = std::min<int64_t>(dest.first + dest.count, destLimit);
  if (visibleBegin >= visibleEnd) return map;
  map.destBegin = static_cast<int>(visibleBegin);
  map.runs.reserve(static_cast<size_t>(visibleEnd - visibleBegin));
  for (int64_t position = visibleBegin; position < visibleEnd; ++position) {
    uint64_t step = static_cast<uint64_t>(dest.StepOf(position));
    WideRun run = NormalizedRun(step, static_cast<uint64_t>(source.count), static_cast<uint64_t>(dest.count));
    // Source steps [run.begin, run.end) as coordinates, lowest first.
    int64_t low = source.backwards ? source.At(run.end - 1) : source.At(run.begin);
    int64_t high = source.backwards ? source.At(run.begin) + 1 : source.At(run.end);
    int64_t begin = std::max<int64_t>(low, 0);
    int64_t end = std::min<int64_t>(high, sourceLimit);
    map.runs.push_back(begin < end ? SourceRun{static_cast<int>(begin), static_cast<int>(end)} : SourceRun{});
  }
  return map;
}

// The AND of all source pixels of a block.
Pixel AndOfBlock(const Surface& source, SourceRun columns, SourceRun rows) {
  Pixel value = ~Pixel{0};
  for (int y = rows.begin; y < rows.end; ++y) {
    const Pixel* row = source.Row(y);
    for (int x = columns.begin; x < columns.end; ++x) value &= row[x];
  }
  return value;
}

// One raster operation on one pixel, chosen when compiled. The unused top
// byte of the result is always 0, so surfaces keep their 0x00RRGGBB form.
template <RasterOp kOp>
Pixel Combine(Pixel source, Pixel destination) {
  Pixel result = source;
  if constexpr (kOp == RasterOp::kSrcPaint) result = source | destination;
  if constexpr (kOp == RasterOp::kSrcAnd) result = source & destination;
  if constexpr (kOp == RasterOp::kSrcInvert) result = source ^ destination;
  if constexpr (kOp == RasterOp::kSrcErase) result = source & ~destination;
  if constexpr (kOp == RasterOp::kNotSrcCopy) result = ~source;
  if constexpr (kOp == RasterOp::kNotSrcErase) result = ~(source | destination);
  if constexpr (kOp == RasterOp::kMergePaint) result = ~source | destination;
  return result & kPixelMask;
}

template <RasterOp kOp>
struct Combiner {
  Pixel operator()(Pixel source, Pixel destination) const { return Combine<kOp>(source, destination); }
};

// Calls work(combine) with the raster operation's Combiner (a type of its
// own each), so that loops over pixels choose the operation once, not per
// pixel.
template <typename Work>
void WithRasterOp(RasterOp op, Work work) {
  switch (op) {
    case RasterOp::kSrcCopy: work(Combiner<RasterOp::kSrcCopy>{}); break;
    case RasterOp::kSrcPaint: work(Combiner<RasterOp::kSrcPaint>{}); break;
    case RasterOp::kSrcAnd: work(Combiner<RasterOp::kSrcAnd>{}); break;
    case RasterOp::kSrcInvert: work(Combiner<RasterOp::kSrcInvert>{}); break;
    case RasterOp::kSrcErase: work(Combiner<RasterOp::kSrcErase>{}); break;
    case RasterOp::kNotSrcCopy: work(Combiner<RasterOp::kNotSrcCopy>{}); break;
    case RasterOp::kNotSrcErase: work(Combiner<RasterOp::kNotSrcErase>{}); break;
    case RasterOp::kMergePaint: work(Combiner<RasterOp::kMergePaint>{}); break;
  }
}

}  // namespace

Pixel ApplyRasterOp(RasterOp op, Pixel source, Pixel destination) {
  switch (op) {
    case RasterOp::kSrcCopy: return Combine<RasterOp::kSrcCopy>(source, destination);
    case RasterOp::kSrcPaint: return Combine<RasterOp::kSrcPaint>(source, destination);
    case RasterOp::kSrcAnd: return Combine<RasterOp::kSrcAnd>(source, destination);
    case RasterOp::kSrcInvert: return Combine<RasterOp::kSrcInvert>(source, destination);
    case RasterOp::kSrcErase: return Combine<RasterOp::kSrcErase>(source, destination);
    case RasterOp::kNotSrcCopy: return Combine<RasterOp::kNotSrcCopy>(source, destination);
    case RasterOp::kNotSrcErase: return Combine<RasterOp::kNotSrcErase>(source, destination);
    case RasterOp::kMergePaint: return Combine<RasterOp::kMergePaint>(source, destination);
  }
  return source & kPixelMask;
}

void BlockCopy(Surface& dest, int destX, int destY, int width, int height, const Surface& source, int sourceX,
               int sourceY, RasterOp op) {
  if (width <= 0 || height <= 0 || dest.Empty() || source.Empty()) return;
  // Clip in 64 bits: origins and sizes may be anywhere in the 32-bit range.
  int64_t left = std::max<int64_t>({0, -int64_t{sourceX} + destX, destX});
  int64_t top = std::max<int64_t>({0, -int64_t{sourceY} + destY, destY});
  int64_t right = std::min<int64_t>({int64_t{destX} + width, dest.width, int64_t{destX} - sourceX + source.width});
  int64_t bottom =
      std::min<int64_t>({int64_t{destY} + height, dest.height, int64_t{destY} - sourceY + source.height});
  if (left >= right || top >= bottom) return;
  const int64_t shiftX = int64_t{sourceX} - destX;
  const int64_t shiftY = int64_t{sourceY} - destY;
  for (int64_t y = top; y < bottom; ++y) {
    Pixel* out = dest.Row(static_cast<int>(y)) + left;
    const Pixel* in = source.Row(static_cast<int>(y + shiftY)) + shiftX + left;
    const auto count = static_cast<size_t>(right - left);
    if (op == RasterOp::kSrcCopy) {
      std::memmove(out, in, count * sizeof(Pixel));
    } else {
      WithRasterOp(op, [&](auto combine) {
        for (size_t x = 0; x < count; ++x) out[x] = combine(in[x], out[x]);
      });
    }
  }
}

void StretchCopy(Surface& dest, int destX, int destY, int destWidth, int destHeight, const Surface& source,
                 int sourceX, int sourceY, int sourceWidth, int sourceHeight, RasterOp op) {
  if (dest.Empty() || source.Empty()) return;
  const AxisMap columns = MapAxis(destX, destWidth, dest.width, sourceX, sourceWidth, source.width);
  const AxisMap rows = MapAxis(destY, destHeight, dest.height, sourceY, sourceHeight, source.height);
  WithRasterOp(op, [&](auto combine) {
    for (size_t r = 0; r < rows.runs.size(); ++r) {
      const SourceRun rowRun = rows.runs[r];
      if (rowRun.Empty()) continue;
      Pixel* out = dest.Row(rows.destBegin + static_cast<int>(r)) + columns.destBegin;
      const Pixel* in = source.Row(rowRun.begin);
      const bool oneRow = rowRun.end - rowRun.begin == 1;
      for (size_t c = 0; c < columns.runs.size(); ++c) {
        const SourceRun columnRun = columns.runs[c];
        if (columnRun.Empty()) continue;
        // Enlarging takes single pixels; shrinking ANDs blocks of them.
        const Pixel value = oneRow && columnRun.end - columnRun.begin == 1
                                ? in[columnRun.begin]
                                : AndOfBlock(source, columnRun, rowRun);
        out[c] = combine(value, out[c]);
      }
    }
  });
}

Surface StretchSurface(const Surface& source, int width, int height) {
  Surface result = MakeSurface(width, height, 0);
  if (result.Empty() || source.Empty()) return Surface{};
  StretchCopy(result, 0, 0, width, height, source, 0, 0, source.width, source.height, RasterOp::kSrcCopy);
  return result;
}

}  // namespace ip::platform

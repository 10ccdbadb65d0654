// The rasterizer: GDI's pixel rules for lines, rectangles, rounded
// rectangles, ellipses, pies and arcs on a pixel surface, with solid and
// hatch brushes. Integer algorithms throughout; every primitive clips once to
// the surface, and clipping never changes which pixels an unclipped primitive
// would light. Pixel (x, y) is the unit square whose top-left corner is
// (x, y); y grows downward; ranges are half-open.
//
// Pixel rules:
// - Cosmetic pen (width 0 or 1): lines are Bresenham lines that paint the
//   start pixel and never the end pixel. The major axis is x only when
//   |dx| > |dy| (45-degree lines are y-major); the minor coordinate is the
//   exact one rounded to nearest with half-way ties to the smaller value,
//   whichever way the line runs.
// - Wide pen (width >= 2): solid, round caps and joins. A path is one region
//   made of its segments (axis-aligned bands or quadrilaterals filled with
//   the polygon rule) and a round cap at every end and vertex.
// - Rectangles and round rectangles: corners are ordered first; an empty
//   width or height draws nothing; the outline covers columns L..R-1 and rows
//   T..B-1 (right and bottom edges excluded). The brush fills each row from
//   the leftmost to the rightmost outline pixel and the pen is drawn over it.
//   With a null pen the brush alone fills [L, R-1) x [T, B-1).
// - Curves: an integer quarter-ellipse walk (after Alois Zingl) gives the
//   corner arcs, mirrored into the four corners. Tall narrow ellipses have
//   their tips finished down the middle column.
// - Pies and arcs run counter-clockwise (on screen) from the ellipse point
//   of the first radial up to, not including, that of the second; equal
//   points give the whole ellipse. Pies are filled as a winding polygon of
//   the arc points and the centre: a pixel is in when its top-left corner is
//   inside, top and left edges inclusive.
// - Brushes: solid, or one of six 8 x 8 hatch patterns anchored at pixel
//   (0, 0); a hatch's gaps take the background colour when opaque and are
//   left alone when transparent.
// - Curved shapes larger than kMaxCurveExtent in either direction are not
//   drawn, and pens wider than kMaxPenWidth are drawn kMaxPenWidth wide, so
//   that absurd coordinates cost bounded work.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/surface.h"

namespace ip::platform {

constexpr int64_t kMaxCurveExtent = int64_t{1} << 16;
constexpr int32_t kMaxPenWidth = 1 << 14;

struct RasterPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const RasterPoint&) const = default;
};

// A solid pen; width 0 or 1 is the one-pixel cosmetic pen. A null pen draws
// nothing (a shape is then filled only).
struct RasterPen {
  bool visible = true;
  int32_t width = 0;
  Pixel color = 0;
};

// GDI hatch styles, in GDI's numbering.
enum class Hatch : uint8_t { kHorizontal, kVertical, kForwardDiagonal, kBackwardDiagonal, kCross, kDiagonalCross };
constexpr int kHatchCount = 6;

struct RasterBrush {
  enum class Kind : uint8_t { kNone, kSolid, kHatch };
  Kind kind = Kind::kNone;
  Pixel color = 0;
  Hatch hatch = Hatch::kHorizontal;
  bool opaqueGaps = true;  // hatch gaps painted with `background` (else untouched)
  Pixel background = 0;
};

RasterBrush SolidBrush(Pixel color);
RasterBrush HatchBrush(Hatch hatch, Pixel color, bool opaqueGaps, Pixel background);

// LineTo from `from` to `to`: the end pixel is not painted (cosmetic pen); a
// wide pen paints the band and both round caps.
void DrawLine(Surface& surface, const RasterPen& pen, RasterPoint from, RasterPoint to);

// A path through `points`, closed back to the first point when `closed`.
// The cosmetic pen draws each segment as DrawLine does; a wide pen draws the
// whole path as one region.
void DrawPolyline(Surface& surface, const RasterPen& pen, const std::vector<RasterPoint>& points, bool closed);

// RoundRect(l, t, r, b, cornerWidth, cornerHeight); corner sizes are clamped
// to the box and a corner of 2 or less in either direction gives a plain
// rectangle. Ellipse is a round rectangle whose corner is the whole box.
void DrawRoundRect(Surface& surface, const RasterPen& pen, const RasterBrush& brush, int32_t left, int32_t top,
                   int32_t right, int32_t bottom, int64_t cornerWidth, int64_t cornerHeight);
void DrawRectangle(Surface& surface, const RasterPen& pen, const RasterBrush& brush, int32_t left, int32_t top,
                   int32_t right, int32_t bottom);
void DrawEllipse(Surface& surface, const RasterPen& pen, const RasterBrush& brush, int32_t left, int32_t top,
                 int32_t right, int32_t bottom);

// Pie(l, t, r, b, start, end) and Arc(l, t, r, b, start, end): start and end
// are points on the radials from the box centre.
void DrawPie(Surface& surface, const RasterPen& pen, const RasterBrush& brush, int32_t left, int32_t top,
             int32_t right, int32_t bottom, RasterPoint start, RasterPoint end);
void DrawArc(Surface& surface, const RasterPen& pen, int32_t left, int32_t top, int32_t right, int32_t bottom,
             RasterPoint start, RasterPoint end);

// Fills [left, right) x [top, bottom) with a brush (clipped).
void FillRectangle(Surface& surface, const RasterBrush& brush, int64_t left, int64_t top, int64_t right,
                   int64_t bottom);

}  // namespace ip::platform

// Brushes: solid fills and GDI's six 8 x 8 hatch patterns, painted a row
// run at a time. Hatch patterns are anchored at the surface's pixel (0, 0):
// pixel (x, y) takes bit (x mod 8) of pattern row (y mod 8), 0x80 leftmost.
#include <algorithm>

#include "platform/raster_internal.h"

namespace ip::platform {

namespace {

// One byte per pattern row, bit 0x80 the leftmost pixel; indexed by Hatch.
constexpr uint8_t kHatchPatterns[kHatchCount][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};

constexpr int kPatternSide = 8;

// A pattern row paints column x (of the surface) when bit 0x80 >> (x mod 8)
// is set. With opaque gaps the row is one of eight pixels repeated; with
// transparent gaps only the set bits' columns are visited, eight apart.
void PaintHatchRun(Pixel* row, int x0, int x1, int y, const RasterBrush& brush) {
  const uint8_t bits = kHatchPatterns[static_cast<int>(brush.hatch) % kHatchCount][y & (kPatternSide - 1)];
  if (brush.opaqueGaps) {
    Pixel pattern[kPatternSide];
    for (int i = 0; i < kPatternSide; ++i) pattern[i] = (bits & (0x80 >> i)) ? brush.color : brush.background;
    for (int x = x0; x < x1; ++x) row[x] = pattern[x & (kPatternSide - 1)];
    return;
  }
  for (int bit = 0; bit < kPatternSide; ++bit) {
    if (!(bits & (0x80 >> bit))) continue;
    const int first = x0 + ((bit - x0) % kPatternSide + kPatternSide) % kPatternSide;  // first x >= x0 with x mod 8 == bit
    for (int x = first; x < x1; x += kPatternSide) row[x] = brush.color;
  }
}

}  // namespace

RasterBrush SolidBrush(Pixel color) {
  RasterBrush brush;
  brush.kind = RasterBrush::Kind::kSolid;
  brush.color = color;
  return brush;
}

RasterBrush HatchBrush(Hatch hatch, Pixel color, bool opaqueGaps, Pixel background) {
  RasterBrush brush;
  brush.kind = RasterBrush::Kind::kHatch;
  brush.hatch = hatch;
  brush.color = color;
  brush.opaqueGaps = opaqueGaps;
  brush.background = background;
  return brush;
}

void PaintSpan(Surface& surface, const RasterBrush& brush, int64_t y, int64_t x0, int64_t x1) {
  if (brush.kind == RasterBrush::Kind::kNone || y < 0 || y >= surface.height) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, surface.width);
  if (x0 >= x1) return;
  Pixel* row = surface.Row(static_cast<int>(y));
  if (brush.kind == RasterBrush::Kind::kSolid) {
    FillPixels(row + x0, static_cast<size_t>(x1 - x0), brush.color);
  } else {
    PaintHatchRun(row, static_cast<int>(x0), static_cast<int>(x1), static_cast<int>(y), brush);
  }
}

void FillRectangle(Surface& surface, const RasterBrush& brush, int64_t left, int64_t top, int64_t right,
                   int64_t bottom) {
  top = std::max<int64_t>(top, 0);
  bottom = std::min<int64_t>(bottom, surface.height);
  left = std::max<int64_t>(left, 0);
  right = std::min<int64_t>(right, surface.width);
  if (brush.kind == RasterBrush::Kind::kNone || top >= bottom || left >= right) return;
  if (brush.kind == RasterBrush::Kind::kHatch) {
    for (int64_t y = top; y < bottom; ++y) {
      PaintHatchRun(surface.Row(static_cast<int>(y)), static_cast<int>(left), static_cast<int>(right),
                    static_cast<int>(y), brush);
    }
    return;
  }
  const auto count = static_cast<size_t>(right - left);
  for (int64_t y = top; y < bottom; ++y) {
    Pixel* row = surface.Row(static_cast<int>(y)) + left;
    if (count == 1) {
      *row = brush.color;  // a column: no fill loop per row
    } else {
      FillPixels(row, count, brush.color);
    }
  }
}

int32_t EffectivePenWidth(int32_t width) {
  int64_t magnitude = width < 0 ? -int64_t{width} : int64_t{width};
  return static_cast<int32_t>(std::min<int64_t>(magnitude, kMaxPenWidth));
}

}  // namespace ip::platform

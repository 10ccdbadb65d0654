// Canvas drawing operations: current position, lines, boxes, pies and arcs,
// colours and pen width, drawn into the current canvas's bitmap by the
// rasterizer. Coordinates are float32 pixels rounded to nearest (ties to
// even); a drawing operation ends by repainting the control unless the canvas
// is in redraw-on-request mode.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "host/canvas_internal.h"
#include "host/window_records.h"
#include "instrument_panel/canvas.h"
#include "platform/raster.h"
#include "platform/rounding.h"

namespace ip {

namespace {

constexpr uint32_t kColorBits = 0x00FFFFFF;
constexpr uint32_t kMaxCorner = 100;
constexpr int32_t kMaxFillStyle = 6;
constexpr double kRadialLength = 5000.0;

// Adds a rounded offset to a coordinate; a sum outside the 32-bit range is
// INT32_MIN, like any other out-of-range conversion.
int32_t OffsetCoordinate(int32_t base, int32_t offset) {
  const int64_t sum = int64_t{base} + offset;
  return (sum < INT32_MIN || sum > INT32_MAX) ? INT32_MIN : static_cast<int32_t>(sum);
}

platform::RasterPoint TargetPoint(const CanvasState& canvas, float x, float y, int32_t relative) {
  const int32_t px = RoundToInt(x);
  const int32_t py = RoundToInt(y);
  if (relative == 0) return {px, py};
  return {OffsetCoordinate(canvas.currentX, px), OffsetCoordinate(canvas.currentY, py)};
}

// -1 is the foreground colour; the result keeps the low 24 bits.
uint32_t ResolveLineColor(const CanvasState& canvas, ColorRef color) {
  const uint32_t resolved = color == kColorCurrent ? canvas.foreColor : static_cast<uint32_t>(color);
  return resolved & kColorBits;
}

platform::RasterPen MakePen(const CanvasState& canvas, uint32_t colorRef) {
  platform::RasterPen pen;
  pen.width = canvas.penWidth;
  pen.color = platform::PixelFromColorRef(colorRef);
  return pen;
}

// Fill style above 6 (also any negative style) is 0, solid; 1..6 are the
// hatches, whose gaps show the text background colour unless transparent.
platform::RasterBrush MakeBrush(const CanvasState& canvas, uint32_t colorRef, int32_t fillStyle) {
  const platform::Pixel color = platform::PixelFromColorRef(colorRef);
  if (fillStyle <= 0 || fillStyle > kMaxFillStyle) return platform::SolidBrush(color);
  const bool opaque = canvas.backColor != kColorNone;
  const platform::Pixel background =
      platform::PixelFromColorRef(static_cast<uint32_t>(opaque ? canvas.backColor : 0) & kColorBits);
  return platform::HatchBrush(static_cast<platform::Hatch>(fillStyle - 1), color, opaque, background);
}

// Fill colour -1 is the line colour and -2 no fill.
platform::RasterBrush BoxBrush(const CanvasState& canvas, uint32_t lineColor, ColorRef fillColor,
                               int32_t fillStyle) {
  if (fillColor == kColorNone) return platform::RasterBrush{};
  const uint32_t fill = fillColor == kColorCurrent ? lineColor : static_cast<uint32_t>(fillColor) & kColorBits;
  return MakeBrush(canvas, fill, fillStyle);
}

int64_t CornerSize(int32_t corner, int64_t width, int64_t height) {
  const uint32_t percent = std::min(static_cast<uint32_t>(corner), kMaxCorner);
  return int64_t{percent} * std::min(width, height) / 100;
}

platform::RasterPoint RadialPoint(double cx, double cy, float angle) {
  const double a = static_cast<double>(angle);
  return {RoundToInt(cx + kRadialLength * std::cos(a)), RoundToInt(cy - kRadialLength * std::sin(a))};
}

}  // namespace

void CanvasMoveTo(float x, float y, int32_t relative) {
  WindowRecord* record = CurrentCanvasRecord();
  if (record == nullptr) return;
  const platform::RasterPoint target = TargetPoint(record->canvas, x, y, relative);
  record->canvas.currentX = target.x;
  record->canvas.currentY = target.y;
}

void CanvasLineTo(float x, float y, ColorRef color, int32_t relative) {
  WindowRecord* record = CurrentCanvasRecord();
  if (record == nullptr) return;
  CanvasState& canvas = record->canvas;
  const platform::RasterPoint from{canvas.currentX, canvas.currentY};
  const platform::RasterPoint to = TargetPoint(canvas, x, y, relative);
  canvas.currentX = to.x;
  canvas.currentY = to.y;
  platform::DrawLine(canvas.bitmap, MakePen(canvas, ResolveLineColor(canvas, color)), from, to);
  RepaintIfImmediate(*record);
}

void CanvasBox(float x1, float y1, float x2, float y2, int32_t corner, ColorRef lineColor, ColorRef fillColor,
               int32_t fillStyle) {
  WindowRecord* record = CurrentCanvasRecord();
  if (record == nullptr) return;
  CanvasState& canvas = record->canvas;
  int32_t left = RoundToInt(x1), top = RoundToInt(y1), right = RoundToInt(x2), bottom = RoundToInt(y2);
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const uint32_t line = ResolveLineColor(canvas, lineColor);
  const int64_t width = int64_t{right} - left;
  const int64_t height = int64_t{bottom} - top;
  int64_t cornerWidth, cornerHeight;
  if (corner == kCornerEllipse) {
    cornerWidth = width + 1;
    cornerHeight = height + 1;
  } else {
    cornerWidth = cornerHeight = CornerSize(corner, width, height);
  }
  platform::DrawRoundRect(canvas.bitmap, MakePen(canvas, line), BoxBrush(canvas, line, fillColor, fillStyle), left,
                          top, right, bottom, cornerWidth, cornerHeight);
  RepaintIfImmediate(*record);
}

void CanvasPie(float x1, float y1, float x2, float y2, float startAngle, float endAngle, ColorRef lineColor,
               ColorRef fillColor, int32_t fillStyle, int32_t mode) {
  WindowRecord* record = CurrentCanvasRecord();
  if (record == nullptr) return;
  CanvasState& canvas = record->canvas;
  const int32_t left = RoundToInt(x1), top = RoundToInt(y1), right = RoundToInt(x2), bottom = RoundToInt(y2);
  const double cx = (static_cast<double>(left) + right + 1) * 0.5;
  const double cy = (static_cast<double>(top) + bottom + 1) * 0.5;
  const platform::RasterPoint start = RadialPoint(cx, cy, startAngle);
  const platform::RasterPoint end = RadialPoint(cx, cy, endAngle);
  const uint32_t line = ResolveLineColor(canvas, lineColor);
  const platform::RasterPen pen = MakePen(canvas, line);
  if (mode & kPieMode) {
    platform::DrawPie(canvas.bitmap, pen, BoxBrush(canvas, line, fillColor, fillStyle), left, top, right, bottom,
                      start, end);
  } else {
    platform::DrawArc(canvas.bitmap, pen, left, top, right, bottom, start, end);
  }
  RepaintIfImmediate(*record);
}

void CanvasSetForeColor(ColorRef color) {
  WindowRecord* record = CurrentCanvasRecord();
  if (record == nullptr) return;
  const uint32_t resolved = color == kColorCurrent ? static_cast<uint32_t>(kSysColorWindowText)
                                                   : static_cast<uint32_t>(color);
  record->canvas.foreColor = resolved & kColorBits;
}

void CanvasSetBackColor(ColorRef color) {
  WindowRecord* record = CurrentCanvasRecord();
  if (record == nullptr) return;
  if (color == kColorNone) {
    record->canvas.backColor = kColorNone;
    return;
  }
  const uint32_t resolved = color == kColorCurrent ? static_cast<uint32_t>(kSysColorBtnFace)
                                                   : static_cast<uint32_t>(color);
  record->canvas.backColor = static_cast<int32_t>(resolved & kColorBits);
}

void CanvasSetLineWidth(int32_t width) {
  if (WindowRecord* record = CurrentCanvasRecord()) record->canvas.penWidth = width;
}

}  // namespace ip

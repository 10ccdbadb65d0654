// Canvas text operations: the canvas font, printing at the current position
// (the current position is the top-left of the text cell and advances by the
// text width), new lines, and text measurements.
#include <algorithm>
#include <limits>

#include "host/canvas_internal.h"
#include "host/canvas_text.h"
#include "host/error_report.h"
#include "instrument_panel/canvas.h"
#include "platform/font.h"

namespace ip {

namespace {

constexpr const char* kDefaultFaceName = "MS Sans Serif";
constexpr int32_t kDefaultPoints = 8;
constexpr uint32_t kMaxPoints = 72;
constexpr int32_t kLogPixelsY = 96;  // dots per inch of every canvas
constexpr int32_t kPointsPerInch = 72;
constexpr size_t kMaxFaceNameBytes = 31;  // LOGFONT face name without its terminator

constexpr int32_t kStyleBold = 1;
constexpr int32_t kStyleItalic = 2;
constexpr int32_t kStyleUnderline = 4;
constexpr int32_t kStyleStrikeOut = 8;


// The em size in pixels of a point size: the LOGFONT height is its negation.
int32_t EmPixelsOfPoints(int32_t points) {
  return points * kLogPixelsY / kPointsPerInch;
}

// Points 0 or above 72, compared unsigned (so every negative value too), become 8.
int32_t ClampPoints(int32_t points) {
  uint32_t unsignedPoints = static_cast<uint32_t>(points);
  return (unsignedPoints == 0 || unsignedPoints > kMaxPoints) ? kDefaultPoints : points;
}

// The face name as a LOGFONT holds it: up to its first NUL byte, at most 31 bytes.
std::string LogFontFaceName(const std::string& name) {
  std::string cut = name.substr(0, name.find('\0'));
  if (cut.size() > kMaxFaceNameBytes) cut.resize(kMaxFaceNameBytes);
  return cut;
}

// A position moved by a distance, held within the 32-bit range.
int32_t SaturatingAdd(int32_t position, int64_t distance) {
  int64_t sum = int64_t{position} + distance;
  return static_cast<int32_t>(
      std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t ClampToInt32(int64_t value) {
  return SaturatingAdd(0, value);
}

void UseFont(CanvasState& canvas, std::shared_ptr<const platform::Font> font) {
  const platform::FontMetrics& metrics = font->metrics;
  canvas.charWidth = metrics.aveCharWidth;
  canvas.lineHeight = metrics.height + metrics.externalLeading;
  canvas.fontHeight = metrics.height;
  canvas.font = std::move(font);
}

platform::TextPaint PaintOf(const CanvasState& canvas) {
  platform::TextPaint paint;
  paint.color = platform::PixelFromColorRef(canvas.foreColor & 0xFFFFFF);
  paint.opaque = canvas.backColor != kColorNone;
  paint.background = platform::PixelFromColorRef(static_cast<uint32_t>(canvas.backColor) & 0xFFFFFF);
  return paint;
}

CanvasState* CurrentCanvasState() {
  WindowRecord* record = CurrentCanvasRecord();
  return record ? &record->canvas : nullptr;
}

}  // namespace

void ApplyDefaultCanvasFont(CanvasState& canvas) {
  platform::FontRequest request;
  request.faceName = kDefaultFaceName;
  request.emPixels = EmPixelsOfPoints(kDefaultPoints);
  if (std::shared_ptr<const platform::Font> font = platform::OpenFont(request)) UseFont(canvas, std::move(font));
}

void CanvasSetFont(const std::string& faceName, int32_t points, int32_t style) {
  CanvasState* canvas = CurrentCanvasState();
  if (canvas == nullptr) return;
  platform::FontRequest request;
  request.faceName = LogFontFaceName(faceName);
  request.emPixels = EmPixelsOfPoints(ClampPoints(points));
  request.bold = (style & kStyleBold) != 0;
  request.italic = (style & kStyleItalic) != 0;
  request.underline = (style & kStyleUnderline) != 0;
  request.strikeOut = (style & kStyleStrikeOut) != 0;
  std::shared_ptr<const platform::Font> font = platform::OpenFont(request);
  if (font == nullptr) {
    SetLastError(ErrorCode::kFontNotMade);  // the old font and metrics stay
    return;
  }
  UseFont(*canvas, std::move(font));
}

void CanvasPrint(const std::string& text) {
  WindowRecord* record = CurrentCanvasRecord();
  if (record == nullptr || text.empty()) return;
  CanvasState& canvas = record->canvas;
  if (canvas.font == nullptr) return;
  platform::DrawText(canvas.bitmap, *canvas.font, canvas.currentX, canvas.currentY, text, PaintOf(canvas));
  canvas.currentX = SaturatingAdd(canvas.currentX, platform::TextWidth(*canvas.font, text));
  RepaintIfImmediate(*record);
}

void CanvasNewLine() {
  CanvasState* canvas = CurrentCanvasState();
  if (canvas == nullptr) return;
  canvas->currentX = 0;
  canvas->currentY = SaturatingAdd(canvas->currentY, canvas->lineHeight);
}

IntPair CanvasGetPos() {
  const CanvasState* canvas = CurrentCanvasState();
  if (canvas == nullptr) return {};
  return {canvas->currentX, canvas->currentY};
}

IntPair CanvasCharSize() {
  const CanvasState* canvas = CurrentCanvasState();
  if (canvas == nullptr) return {};
  return {canvas->charWidth, canvas->lineHeight};
}

IntPair CanvasTextSize(const std::string& text) {
  const CanvasState* canvas = CurrentCanvasState();
  if (canvas == nullptr || canvas->font == nullptr) return {};
  return {ClampToInt32(platform::TextWidth(*canvas->font, text)), canvas->fontHeight};
}

}  // namespace ip

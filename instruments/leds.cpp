// LED lamps: creation, level updates and the two painters.
#include "instrument_panel/leds.h"

#include <algorithm>
#include <cmath>

#include "host/error_report.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/colors.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/frames.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/keys.h"
#include "instrument_panel/labels.h"
#include "instrument_panel/lamps.h"
#include "instrument_panel/texts.h"
#include "instruments/instrument_state.h"
#include "platform/rounding.h"

namespace ip {

namespace {

const char* const kRectLampStyle = gauge_style::kLedLamp;
constexpr int32_t kRectLampPattern = 0;
constexpr int16_t kRectLampDivisions = 0;
constexpr int32_t kSquareCorners = 0;
constexpr int32_t kSolidFill = 0;

using LampPainter = void (*)(Handle, int32_t, const InstrumentRecord&, float, const std::string&,
                             const std::string&, ColorRef);

// Shared update rule of both lamp shapes.
void SetLampValue(Handle dialog, int32_t id, float level, const std::string& caption, LampPainter painter) {
  InstrumentRecord* record = InstrumentAt(id);
  if (record == nullptr) return;
  const std::string shown = caption.empty() ? Trimmed(record->caption.Read()) : caption;
  const std::string scheme = Trimmed(record->fillColor.Read());
  record->value = std::isnan(level) ? 0.0f : level;
  painter(dialog, id, *record, record->value, scheme, shown, record->textColor);
}

// The light: n + 1 nested shapes from the outside in, each inset by k / 2 at
// the left, top and bottom and by k at the right, coloured step by step.
void DrawLampLight(int32_t width, int32_t height, int32_t inset, int32_t corner, float level,
                   const std::string& scheme) {
  const int32_t steps = RoundToInt(std::min(width / 2.0, height / 2.0));
  const int32_t unit = RoundToInt(255.0 / width);
  for (int32_t k = 0; k <= steps; ++k) {
    const ColorRef color = LampColor(scheme, unit, k, level);
    const double half = k / 2.0;
    CanvasBox(static_cast<float>(inset + half), static_cast<float>(inset + half),
              static_cast<float>(static_cast<double>(width) - inset - k), static_cast<float>(height - inset - half), corner, color,
              color, kSolidFill);
  }
}

void DrawLampCaption(const std::string& caption, ColorRef captionColor) {
  if (caption.empty()) return;
  std::string text = caption;
  DrawTextLabel(text, captionColor, 0);
}

// The round lamp's bezel: frameWidth + 1 nested ellipses from black outside
// to mid-grey inside. From 256 rings on every ring is black, and once the
// reversed boxes have grown to twice the canvas each ellipse covers the whole
// canvas: later rings change nothing, so they are not drawn.
void DrawRoundBezel(int32_t width, int32_t height, int32_t rings) {
  const double stepQuotient = 255.0 / rings / 2;
  const int64_t grey = std::isfinite(stepQuotient) ? RoundToInt(stepQuotient) : 0;
  const int64_t coveringRing = 2 * (int64_t{width} + height) + 1;
  const int64_t lastRing = grey == 0 ? std::min<int64_t>(rings, coveringRing) : rings;
  for (int64_t k = 0; k <= lastRing; ++k) {
    const int64_t shade = std::clamp<int64_t>(grey * k, 0, 255);
    const ColorRef color = MakeColor(static_cast<int32_t>(shade), static_cast<int32_t>(shade),
                                     static_cast<int32_t>(shade));
    CanvasBox(static_cast<float>(k), static_cast<float>(k), static_cast<float>(width - k),
              static_cast<float>(height - k), kCornerEllipse, color, color, kSolidFill);
  }
}

}  // namespace

void CreateLedLamp(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                   const std::string& background, int32_t frameWidth, const std::string& frameColor, float level,
                   const std::string& scheme, const std::string& caption, ColorRef captionColor) {
  if (InstrumentAt(id) == nullptr) return;
  {
    // The gauge paints its background with the scheme as a colour name:
    // black rows, which the light covers. The scheme is checked as a scheme.
    const QuietReports quiet;
    CreateGauge(dialog, id, x, y, width, height, background, frameWidth, frameColor, level, kRectLampDivisions,
                caption, captionColor, kRectLampStyle, scheme, kRectLampPattern);
  }
  SetInstrumentKind(id, InstrumentKind::kLedLamp);
  SetLedLampValue(dialog, id, 0, "");
}

void CreateRoundLamp(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                     const std::string& /*background*/, int32_t frameWidth, const std::string& /*frameColor*/,
                     float level, const std::string& scheme, const std::string& caption, ColorRef captionColor) {
  InstrumentRecord* record = InstrumentAt(id);
  if (record == nullptr) return;
  AddCanvasControl(dialog, id, x, y, width, height, SS_NOTIFY, 0, nullptr, "");
  record->frameWidth = frameWidth;
  record->value = level;
  record->caption.Write(caption);
  record->textColor = captionColor;
  record->fillColor.Write(scheme);
  SetInstrumentKind(id, InstrumentKind::kRoundLamp);
  SetRoundLampValue(dialog, id, 0, "");
}

void SetLedLampValue(Handle dialog, int32_t id, float level, const std::string& caption) {
  SetLampValue(dialog, id, level, caption, DrawLedLamp);
}

void SetRoundLampValue(Handle dialog, int32_t id, float level, const std::string& caption) {
  SetLampValue(dialog, id, level, caption, DrawRoundLamp);
}

void DrawLedLamp(Handle dialog, int32_t id, const InstrumentRecord& record, float level, const std::string& scheme,
                 const std::string& caption, ColorRef captionColor) {
  CanvasAttach(dialog, id, kAttachRedrawOnRequest);
  const IntPair size = CanvasGetSize();
  if (size.first <= 0 || size.second <= 0) return;  // no canvas to paint on
  const std::string frameColor = record.frameColor.Read();
  DrawBevelTopLeft(record.frameWidth, frameColor);
  DrawBevelBottomRight(record.frameWidth, frameColor);
  DrawLampLight(size.first, size.second, record.frameWidth, kSquareCorners, level, scheme);
  DrawLampCaption(caption, captionColor);
  CanvasRedraw();
}

void DrawRoundLamp(Handle dialog, int32_t id, const InstrumentRecord& record, float level,
                   const std::string& scheme, const std::string& caption, ColorRef captionColor) {
  CanvasAttach(dialog, id, kAttachRedrawOnRequest);
  const IntPair size = CanvasGetSize();
  if (size.first <= 0 || size.second <= 0) return;  // no canvas to paint on
  const ColorRef surround = GetInstrumentSurroundColor(dialog);
  CanvasBox(0, 0, static_cast<float>(size.first), static_cast<float>(size.second), kSquareCorners, surround, surround,
            kSolidFill);
  DrawRoundBezel(size.first, size.second, record.frameWidth);
  DrawLampLight(size.first, size.second, record.frameWidth, kCornerEllipse, level, scheme);
  DrawLampCaption(caption, captionColor);
  CanvasRedraw();
}


float GetLampLevel(Handle, int32_t id) {
  const bool lamp = ExtrasOfKind(id, {InstrumentKind::kLedLamp, InstrumentKind::kRoundLamp}) != nullptr;
  return lamp ? InstrumentAt(id)->value : 0.0f;
}

}  // namespace ip

// Gauges and meters: creation, values, cursor readings and painting.
//
// Arithmetic follows the instrument's original machine: the constants 0.01,
// 0.2 and 2.55 are 32-bit floats, the ratios k (colour per step) and step
// (tick spacing) are stored as 32-bit floats, everything else is computed in
// extended precision, and coordinates reach the canvas as 32-bit floats that
// the canvas rounds to nearest, ties to even.
#include "instrument_panel/gauge.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "host/error_report.h"
#include "instrument_panel/backgrounds.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/colors.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/frames.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/keys.h"
#include "instrument_panel/labels.h"
#include "instrument_panel/numbers.h"
#include "instrument_panel/texts.h"
#include "instruments/instrument_state.h"
#include "platform/rounding.h"
#include "toolkit/far_lines.h"
#include "toolkit/key_tables.h"

namespace ip {

namespace {

using Real = long double;  // extended precision

constexpr Real kHundredth = 0.01f;
constexpr Real kTickFraction = 0.2f;
constexpr Real kShadePerPercent = 2.55f;
constexpr Real kFullScale = 100;
constexpr Real kFullChannel = 255;

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kTickColor = 0x6BCD6B;       // (107, 205, 107)
constexpr ColorRef kTickForeColor = 0xC0C0C0;   // (192, 192, 192), left set on the canvas
constexpr int32_t kBlurossoGreen = 15;          // green channel of the "ori_blurosso" bar
constexpr Real kCylinderRedBase = 155;          // red channel of the "ori_rosso" bar's edge rows
constexpr Real kWideNeedleLeft = 6;   // "ori_agone" body: p - 6 to p + 7 (right edge excluded)
constexpr Real kWideNeedleRight = 7;
constexpr Real kWideNeedleTop = 5;    // "ver_agone" body: d - 5 to d + 8 (bottom edge excluded)
constexpr Real kWideNeedleBottom = 8;
constexpr int32_t kCaptionPoints = 7;
const char* const kCaptionFace = "Arial";
const char* const kPercentCode = caption::kPercent;
const char* const kScaledCode = caption::kScaled;
const char* const kPercentMask = "###_%";
const char* const kScaledMask = "###";

// Shades beyond this saturate every colour name to black or white.
constexpr int32_t kShadeLimit = 1000;

// Round to nearest, ties to even, in extended precision; non-finite or out of
// range gives INT32_MIN like every conversion of the system.
int32_t RoundReal(Real value) { return RoundExtendedToInt(value); }

// Coordinates and lines are clamped far outside the canvas, which keeps the
// axis-aligned shapes of a gauge unchanged on the canvas while keeping huge
// values away from the integer conversion of the canvas.
constexpr auto Coord = &FarClampedCoord<Real>;
constexpr auto RelativeLine = &DrawFarRelativeLine<Real>;

// The blue-to-red ramp of the bars and segments: red grows with k * i, blue falls.
ColorRef RampColor(float k, Real i, int32_t green) {
  const Real red = static_cast<Real>(k) * i;
  return MakeColor(RoundReal(red), green, RoundReal(kFullChannel - red));
}

ColorRef WideNeedleFill(const std::string& fillColor, Real v) {
  const int32_t shade = RoundReal((kFullScale - v) * kShadePerPercent);
  return ColorFromName(fillColor, std::clamp(shade, -kShadeLimit, kShadeLimit));
}

void Box(Real x1, Real y1, Real x2, Real y2, ColorRef line, ColorRef fill) {
  CanvasBox(Coord(x1), Coord(y1), Coord(x2), Coord(y2), 0, line, fill, 0);
}

// What the level painters need: canvas size W x H, frame width T, value v
// (> 0), divisions S and the trimmed fill colour name.
struct GaugeFrame {
  Real w = 0;
  Real h = 0;
  Real t = 0;
  Real v = 0;
  int32_t divisions = 0;
  std::string fillColor;
};

// The last loop index worth drawing: `wanted` rounded, but not past `visible`,
// beyond which every step lies outside the canvas. Taking the smaller value
// before rounding gives the same picture and keeps huge values finite.
int32_t LastStep(Real wanted, Real visible) { return RoundReal(std::min(wanted, visible)); }

// The last of S segments worth drawing along a canvas side of `length`
// (W across, H upward) whose inner part, inside the frame, they share.
int32_t LastSegment(const GaugeFrame& g, Real length) {
  const Real s = g.divisions;
  const Real inner = length - 2 * g.t;
  const Real visible = inner > 0 ? s * (length - g.t) / inner + 1 : kFarAway<Real>;
  return LastStep(g.v * (s - 1) * kHundredth, visible);
}

// ---- Levels across ("ori_" styles) ----

// One column per step from the left inner edge; colour by column position.
void DrawBarAcross(const GaugeFrame& g) {
  const float k = static_cast<float>(kFullChannel / g.w);
  const int32_t n = LastStep(kHundredth * (g.w - 2 * g.t - 1) * g.v, g.w - g.t);
  for (int32_t i = 0; i <= n; ++i) RelativeLine(g.t + i, g.t, 0, g.h - 2 * g.t, RampColor(k, i, kBlurossoGreen));
}

// Touching segments, each 1/S of the inner width.
void DrawSegmentsAcross(const GaugeFrame& g) {
  const Real s = g.divisions;
  const Real inner = g.w - 2 * g.t;
  const float k = static_cast<float>(kFullChannel / s);
  const int32_t n = LastSegment(g, g.w);
  for (int32_t i = 0; i <= n; ++i) {
    const ColorRef color = RampColor(k, i, 0);
    Box(g.t + inner * i / s, g.t, g.t + inner * (i + 1) / s, g.h - g.t, color, color);
  }
}

// A red bar shaded like a cylinder: rows from the top and bottom inner edges
// toward the middle, lighter each step.
void DrawCylinderAcross(const GaugeFrame& g) {
  const float k = static_cast<float>(kFullChannel / g.h);
  const int32_t n = RoundReal((g.h - 2 * g.t) / 2);
  const Real length = kHundredth * (g.w - 2 * g.t) * g.v;
  for (int32_t i = 0; i <= n; ++i) {
    const Real lift = static_cast<Real>(k) * i;
    const ColorRef color = MakeColor(RoundReal(lift + kCylinderRedBase), RoundReal(lift), RoundReal(lift));
    RelativeLine(g.t, g.t + i, length, 0, color);
    RelativeLine(g.t, g.h - g.t - 1 - i, length, 0, color);
  }
}

Real NeedleX(const GaugeFrame& g) { return g.t + kHundredth * (g.w - 2 * g.t) * g.v; }

void DrawNeedleAcross(const GaugeFrame& g) { RelativeLine(NeedleX(g), g.t, 0, g.h - 2 * g.t, kRed); }

// A 13-column body in the fill colour (darker for lower values) with the red
// needle in its middle column.
void DrawWideNeedleAcross(const GaugeFrame& g) {
  const Real p = NeedleX(g);
  Box(p - kWideNeedleLeft, g.t, p + kWideNeedleRight, g.h - g.t, kBlack, WideNeedleFill(g.fillColor, g.v));
  RelativeLine(p, g.t + 1, 0, g.h - 2 * g.t - 2, kRed);
}

// ---- Levels upward ("ver_" styles) ----

// One row per step from the bottom inner row; colour by row position.
void DrawBarUpward(const GaugeFrame& g) {
  const float k = static_cast<float>(kFullChannel / g.h);
  const int32_t n = LastStep(kHundredth * (g.h - 2 * g.t) * g.v, g.h - g.t);
  for (int32_t i = 0; i <= n; ++i) RelativeLine(g.t, g.h - g.t - 1 - i, g.w - 2 * g.t, 0, RampColor(k, i, 0));
}

// Segments of 1/S of the inner height with a one-pixel gap between neighbours.
void DrawSegmentsUpward(const GaugeFrame& g) {
  const Real s = g.divisions;
  const Real inner = g.h - 2 * g.t;
  const float k = static_cast<float>(kFullChannel / s);
  const int32_t n = LastSegment(g, g.h);
  for (int32_t i = 0; i <= n; ++i) {
    const ColorRef color = RampColor(k, i, 0);
    Box(g.t, g.h - g.t - inner * i / s, g.w - g.t, g.h - g.t + 1 - inner * (i + 1) / s, color, color);
  }
}

Real NeedleY(const GaugeFrame& g) { return (g.h - g.t) - kHundredth * (g.h - 2 * g.t) * g.v; }

void DrawNeedleUpward(const GaugeFrame& g) {
  CanvasSetLineWidth(1);
  RelativeLine(g.t, NeedleY(g) + 1, g.w - 2 * g.t, 0, kRed);
  CanvasSetLineWidth(0);
}

// A 13-row body with the red needle on its seventh row.
void DrawWideNeedleUpward(const GaugeFrame& g) {
  const Real d = NeedleY(g);
  Box(g.t, d - kWideNeedleTop, g.w - g.t, d + kWideNeedleBottom, kBlack, WideNeedleFill(g.fillColor, g.v));
  RelativeLine(g.t + 1, d + 1, g.w - 2 * g.t - 2, 0, kRed);
}

// ---- The styles ----

enum class Axis : uint8_t { kNone, kAcross, kUpward };
using LevelPainter = void (*)(const GaugeFrame&);

// A style key, the way its level grows, its painter (none: no level) and
// whether it has ticks. Segmented styles need at least one division.
struct GaugeStyle {
  std::string_view name;
  Axis axis;
  LevelPainter painter;
  bool segmented;
  bool ticks;
};

constexpr GaugeStyle kStyles[] = {
    {gauge_style::kHorizontalBar, Axis::kAcross, DrawBarAcross, false, true},
    {gauge_style::kHorizontalSegments, Axis::kAcross, DrawSegmentsAcross, true, false},
    {gauge_style::kHorizontalCylinder, Axis::kAcross, DrawCylinderAcross, false, true},
    {gauge_style::kHorizontalNeedle, Axis::kAcross, DrawNeedleAcross, false, true},
    {gauge_style::kHorizontalWideNeedle, Axis::kAcross, DrawWideNeedleAcross, false, true},
    {gauge_style::kVerticalBar, Axis::kUpward, DrawBarUpward, false, true},
    {gauge_style::kVerticalSegments, Axis::kUpward, DrawSegmentsUpward, true, false},
    {gauge_style::kVerticalNeedle, Axis::kUpward, DrawNeedleUpward, false, true},
    {gauge_style::kVerticalWideNeedle, Axis::kUpward, DrawWideNeedleUpward, false, true},
    {gauge_style::kCaptionBox, Axis::kNone, nullptr, false, false},
    {gauge_style::kLedLamp, Axis::kNone, nullptr, false, false},
};

// The published list of keys is this table's list of names.
static_assert(SameKeys(kStyles, kGaugeStyles));

constexpr GaugeStyle kUnknownStyle{"", Axis::kNone, nullptr, false, false};

// The style of a key (compared exactly); an unknown key is reported and
// draws neither level nor ticks.
const GaugeStyle& FindStyle(const std::string& name) {
  for (const GaugeStyle& style : kStyles) {
    if (name == style.name) return style;
  }
  if (NamesSomething(name)) ReportUnknown(ErrorCode::kUnknownGaugeStyle, name);
  return kUnknownStyle;
}

void DrawLevel(const GaugeStyle& style, const GaugeFrame& g) {
  if (style.painter == nullptr || (style.segmented && g.divisions <= 0)) return;
  style.painter(g);
}

// S - 1 ticks: across, rising one fifth of the canvas height from the bottom
// inner row; upward, one fifth of the inner width from the left.
void DrawTicks(const GaugeStyle& style, const GaugeFrame& g) {
  if (g.divisions <= 0) return;
  CanvasSetForeColor(kTickForeColor);
  CanvasSetBackColor(kColorNone);
  if (!style.ticks) return;
  const Real s = g.divisions;
  if (style.axis == Axis::kAcross) {
    const float step = static_cast<float>((g.w - 2 * g.t) / s);
    for (int32_t j = 1; j < g.divisions; ++j) {
      RelativeLine(static_cast<Real>(step) * j + g.t, g.h - g.t - 1, 0, -kTickFraction * g.h, kTickColor);
    }
  } else {
    const float step = static_cast<float>((g.h - 2 * g.t) / s);
    for (int32_t j = 1; j < g.divisions; ++j) {
      RelativeLine(g.t + 1, static_cast<Real>(step) * j + g.t, kTickFraction * (g.w - 2 * g.t), 0, kTickColor);
    }
  }
}

// "%" becomes the value with a percent sign, "!" the value scaled to S.
std::string ExpandCaptionCode(const std::string& text, Real v, int32_t divisions) {
  std::string shown = text;
  if (shown == kPercentCode) shown = TrimLeft(FormatNumber(kPercentMask, static_cast<double>(v)));
  if (shown == kScaledCode) shown = TrimLeft(FormatNumber(kScaledMask, static_cast<double>(v * divisions / 100)));
  return shown;
}

// First paint: frame (box frame for a caption box, bevel otherwise) and
// background, then the capture of the picture as the control's snapshot.
void PaintStaticParts(Handle dialog, int32_t id, Handle control, const InstrumentRecord& record, int32_t frameWidth,
                      const std::string& styleName, const std::string& fillColor, int32_t pattern) {
  DeclareBackgroundSnapshots();
  CanvasAttach(dialog, id, kAttachRedrawOnRequest);
  const std::string frameColor = record.frameColor.Read();
  if (styleName.empty()) {
    DrawBoxFrame(frameWidth, frameColor);
  } else {
    DrawBevelTopLeft(frameWidth, frameColor);
    DrawBevelBottomRight(frameWidth, frameColor);
  }
  DrawPanelBackground(dialog, id, frameWidth, fillColor, pattern);
  if (std::string* snapshot = SnapshotAt(id)) *snapshot = CanvasGetBits();
  SetControlUserValue(control, kSlotSnapshotTaken, id);
}

}  // namespace

// ---- Creation ----

void CreateGauge(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                 const std::string& background, int32_t frameWidth, const std::string& frameColor, float value,
                 int16_t divisions, const std::string& caption, ColorRef textColor, const std::string& styleName,
                 const std::string& fillColor, int32_t pattern) {
  InstrumentRecord* record = InstrumentAt(id);
  if (!record) return;
  CreateInstrumentControl(dialog, id, x, y, width, height, background);
  record->frameWidth = frameWidth;
  record->frameColor.Write(frameColor);
  record->value = std::isfinite(value) ? value : 0.0f;  // a value that is not a number starts empty
  record->divisions = divisions;
  record->caption.Write(caption);
  record->textColor = textColor;
  record->styleName.Write(styleName);
  record->fillColor.Write(fillColor);
  record->pattern = pattern;
  SetInstrumentKind(id, InstrumentKind::kGauge);
  SetGaugeValue(dialog, id, value, "");
}

// ---- Values ----

void SetGaugeValue(Handle dialog, int32_t id, float value, const std::string& text) {
  InstrumentRecord* record = InstrumentAt(id);
  if (!record) return;
  std::string shown = text;
  if (text.empty()) {
    shown = Trimmed(record->caption.Read());
  } else {
    record->caption.Write(text);
  }
  // Negative values only repaint; values that are not finite numbers are ignored the same way.
  if (value >= 0 && std::isfinite(value)) record->value = value;
  DrawGauge(dialog, id, record->frameWidth, record->value, record->divisions, shown, record->textColor,
            Trimmed(record->styleName.Read()), Trimmed(record->fillColor.Read()), record->pattern);
}

void SetGaugeLevel(Handle dialog, int32_t id, float value) {
  InstrumentRecord* record = InstrumentAt(id);
  if (!record) return;
  // Any finite value is stored, negative ones included; a value that is not a
  // finite number keeps the old one.
  if (std::isfinite(value)) record->value = value;
  DrawGauge(dialog, id, record->frameWidth, record->value, record->divisions, Trimmed(record->caption.Read()),
            record->textColor, Trimmed(record->styleName.Read()), Trimmed(record->fillColor.Read()),
            record->pattern);
}

// ---- Cursor readings ----

float GaugeValueFromCursor(Handle dialog, int32_t id) {
  const InstrumentRecord* record = InstrumentAt(id);
  if (!record) return 0;
  const std::string style = LowerCase(record->styleName.Read());
  float result = 0;
  if (FindText(style, "ver", 1) > 0) result = static_cast<float>(kFullScale - CursorPercentDown(dialog, id));
  if (FindText(style, "ori", 1) > 0) result = CursorPercentAcross(dialog, id);
  return result;
}

float CursorPercentAcross(Handle dialog, int32_t id) {
  const int32_t width = GetControlSize(dialog, id).first;
  if (width == 0) return 0;  // no control, or one without width: nothing to point at
  const int32_t left = GetControlLocation(dialog, id).first;
  const int32_t cursorX = CursorClientPosition(dialog).first;
  const Real percent = (static_cast<Real>(cursorX) + 1 - left) * kFullScale / width;
  return static_cast<float>(std::min(kFullScale, percent));
}

float CursorPercentDown(Handle dialog, int32_t id) {
  const int32_t height = GetControlSize(dialog, id).second;
  if (height == 0) return 0;
  const int32_t top = GetControlLocation(dialog, id).second;
  const int32_t cursorY = CursorClientPosition(dialog).second;
  const Real percent = (static_cast<Real>(cursorY) - 1 - top) * kFullScale / height;
  return static_cast<float>(std::min(kFullScale, percent));
}

// ---- Painting ----

void DrawGauge(Handle dialog, int32_t id, int32_t frameWidth, float value, int16_t divisions, std::string text,
               ColorRef textColor, const std::string& styleName, const std::string& fillColor, int32_t pattern) {
  const InstrumentRecord* record = InstrumentAt(id);
  if (!record) return;
  if (!std::isfinite(value)) value = 0;  // drawn as an empty gauge

  const Handle control = GetControlHandle(dialog, id);
  const std::string* snapshot = SnapshotAt(id);
  const bool captured = GetControlUserValue(control, kSlotSnapshotTaken) != 0 && snapshot && !snapshot->empty();
  if (captured) {
    CanvasAttach(dialog, id, kAttachRedrawOnRequest);
    CanvasSetBits(*snapshot);
  } else {
    PaintStaticParts(dialog, id, control, *record, frameWidth, styleName, fillColor, pattern);
  }

  const IntPair size = CanvasGetSize();
  const GaugeFrame frame{static_cast<Real>(size.first), static_cast<Real>(size.second),
                         static_cast<Real>(frameWidth), static_cast<Real>(value), divisions, fillColor};
  text = ExpandCaptionCode(text, value, divisions);
  if (InstrumentExtras* extras = ExtrasAt(id)) extras->shownCaption = text;
  const GaugeStyle& style = FindStyle(styleName);
  if (value > 0 && size.first > 0 && size.second > 0) DrawLevel(style, frame);
  DrawTicks(style, frame);
  if (!text.empty()) {
    CanvasSetFont(kCaptionFace, kCaptionPoints, 0);
    DrawTextLabel(text, textColor, 0);
  }
  CanvasRedraw();
}


// ---- Reading back ----

float GetGaugeValue(Handle, int32_t id) {
  return ExtrasOfKind(id, {InstrumentKind::kGauge}) != nullptr ? InstrumentAt(id)->value : 0.0f;
}

std::string GetGaugeCaption(Handle, int32_t id) {
  const InstrumentExtras* extras = ExtrasOfKind(id, {InstrumentKind::kGauge});
  return extras != nullptr ? extras->shownCaption : std::string();
}

}  // namespace ip

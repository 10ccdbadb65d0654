// Knobs: the face painted once, then the number and pointer dot per turn.
#include "instrument_panel/knobs.h"

#include <algorithm>
#include <cmath>

#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/colors.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/labels.h"
#include "instrument_panel/numbers.h"
#include "instrument_panel/texts.h"
#include "instruments/instrument_state.h"
#include "instruments/knobs_internal.h"
#include "platform/rounding.h"

namespace ip {

namespace {

constexpr int32_t kWidestSlice = 180;
constexpr int32_t kOuterShineA = 40;   // light cones of the outer disc
constexpr int32_t kOuterShineB = 220;
constexpr int32_t kInnerShineA = 45;   // light cones of the inner disc
constexpr int32_t kInnerShineB = 225;
constexpr int32_t kRimLineWidth = 2;
constexpr int32_t kThinLine = 1;
constexpr int32_t kFullCircle = 360;
constexpr int32_t kTickRimGap = 2;
constexpr int32_t kSolidFill = 0;
constexpr int32_t kSquareCorners = 0;
// Factors kept as 32-bit floats (each a hair off its decimal value); the
// products and sums with them are computed in double precision.
constexpr double kPointerInsetFactor = 1.1f;
constexpr double kDotSizeFactor = 0.08f;
constexpr double kDotRadiusFactor = 0.8f;
constexpr double kCursorOffset = 0.01f;  // keeps the horizontal distance away from 0
constexpr int32_t kNumberDigits = 7;

const ColorRef kOuterRimColor = 0x000000;
const ColorRef kTickColor = 0x808080;
const ColorRef kNumberShadowColor = 0x000000;
const ColorRef kNumberColor = 0x00FFFF;  // yellow

double Pi() { return 4 * std::atan(1.0); }

// Two families of slices, narrowing and brightening, make two light cones.
void DrawShadedDisc(int32_t width, int32_t height, int32_t coneA, int32_t coneB, int32_t inset) {
  for (int32_t i = kWidestSlice; i >= 1; --i) {
    DrawKnobShine(width, height, coneA, i, inset);
    DrawKnobShine(width, height, coneB, i, inset);
  }
}

void DrawRim(float x1, float y1, float x2, float y2, ColorRef color) {
  CanvasSetLineWidth(kRimLineWidth);
  CanvasBox(x1, y1, x2, y2, kCornerEllipse, color, kColorNone, kSolidFill);
  CanvasSetLineWidth(kThinLine);
}

// Grey lines from the centre toward the rim every `step` degrees, 0 to 360.
// A step of 0 (720 ticks or more) or a negative step draws none.
void DrawTicks(int32_t width, int32_t height, int32_t step) {
  if (step <= 0) return;
  const double cx = width / 2.0;
  const double cy = height / 2.0;
  for (int32_t e = 0; e <= kFullCircle; e += step) {
    const double r = KnobDegreesToRadians(e - 90.0);
    CanvasMoveTo(static_cast<float>(cx), static_cast<float>(cy), 0);
    CanvasLineTo(static_cast<float>((cx - kTickRimGap) * std::cos(r)),
                 static_cast<float>(-(cy - kTickRimGap) * std::sin(r)), kTickColor, 1);
  }
}

// The position number, yellow with a black shadow one pixel down and right.
void DrawKnobNumber(float percent) {
  const std::string text = Trimmed(NumberToText(percent, kNumberDigits));
  const int32_t x = CenteredTextX(text);
  const int32_t y = CenteredTextY(text);
  CanvasSetForeColor(kNumberShadowColor);
  CanvasSetBackColor(kColorNone);
  CanvasMoveTo(static_cast<float>(x + 1), static_cast<float>(y + 1), 0);
  CanvasPrint(text);
  CanvasNewLine();
  CanvasSetForeColor(kNumberColor);
  CanvasSetBackColor(kColorNone);
  CanvasMoveTo(static_cast<float>(x), static_cast<float>(y), 0);
  CanvasPrint(text);
  CanvasNewLine();
}

// The pointer dot at 80 % of the ellipse of radii (W / 2 - inset, H / 2 - inset).
void DrawPointer(int32_t width, int32_t height, int32_t inset, int32_t angle) {
  const int32_t d = RoundToInt(kDotSizeFactor * height);
  const double r = KnobDegreesToRadians(angle - 90.0);
  const int32_t px = RoundToInt((width / 2.0 - inset) * std::cos(r));
  const int32_t py = RoundToInt(-std::sin(r) * (height / 2.0 - inset));
  const double dx = RoundToInt(kDotRadiusFactor * px);
  const double dy = RoundToInt(kDotRadiusFactor * py);
  DrawKnobDot(RoundToInt(width / 2.0 + dx - d), RoundToInt(height / 2.0 + dy - d),
              RoundToInt(width / 2.0 + dx + d), RoundToInt(height / 2.0 + dy + d));
}

}  // namespace

double KnobDegreesToRadians(double degrees) { return 2 * Pi() * (1 - degrees / 360); }

int32_t KnobTickStep(int32_t ticks) { return RoundToInt(static_cast<double>(kFullCircle) / ticks); }

float KnobPercent(int32_t angle, int32_t minAngle, int32_t maxAngle) {
  if (maxAngle == minAngle) return 0;
  const double span = static_cast<double>(maxAngle) - minAngle;
  return static_cast<float>(std::floor(100 * (static_cast<double>(angle) - minAngle) / span));
}

void DrawKnobShine(int32_t width, int32_t height, int32_t direction, int32_t sliceWidth, int32_t inset) {
  const int32_t grey = std::clamp<int64_t>(255 - 4 * int64_t{sliceWidth}, 0, 255);
  const ColorRef color = MakeColor(grey, grey, grey);
  const double half = sliceWidth / 2.0;
  CanvasPie(static_cast<float>(inset), static_cast<float>(inset), static_cast<float>(double{1} * width - inset),
            static_cast<float>(double{1} * height - inset),
            static_cast<float>(KnobDegreesToRadians(direction + half - 90)),
            static_cast<float>(KnobDegreesToRadians(direction - half - 90)), color, color, kSolidFill, kPieMode);
}

void DrawKnobDot(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const double span = static_cast<double>(x2) - x1;
  const int64_t shadeStep = span == 0 ? 0 : RoundToInt(255 / span);
  const int32_t rings = RoundToInt(span / 2);
  for (int32_t i = 1; i <= rings; ++i) {
    const int32_t light = static_cast<int32_t>(std::clamp<int64_t>(shadeStep * i, -1000, 1000));
    const ColorRef color = MakeColor(155 + light, 55 + light, 55 + light);
    CanvasBox(static_cast<float>(double{1} * x1 + i), static_cast<float>(double{1} * y1 + i),
              static_cast<float>(x2 - i / 2.0), static_cast<float>(y2 - i / 2.0), kCornerEllipse, color, color,
              kSolidFill);
  }
}

void CreateKnob(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                const std::string& background, int32_t bezel, int32_t ticks, int32_t minAngle, int32_t maxAngle,
                int32_t startPercent) {
  InstrumentRecord* record = InstrumentAt(id);
  if (record == nullptr) return;
  DeclareBackgroundSnapshots();
  CreateInstrumentControl(dialog, id, x, y, width, height, background);
  SetInstrumentKind(id, InstrumentKind::kKnob);
  CanvasAttach(dialog, id, kAttachRedrawOnRequest);
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  if (background.empty()) {
    const ColorRef surround = GetInstrumentSurroundColor(dialog);
    CanvasBox(0, 0, w, h, kSquareCorners, surround, surround, kSolidFill);
  }
  DrawShadedDisc(width, height, kOuterShineA, kOuterShineB, 0);
  DrawRim(0, 0, w, h, kOuterRimColor);
  DrawTicks(width, height, KnobTickStep(ticks));
  CanvasSetLineWidth(kThinLine);
  DrawShadedDisc(width, height, kInnerShineA, kInnerShineB, bezel);
  const float b = static_cast<float>(bezel);
  DrawRim(b, b, w - b, h - b, MakeColor(50, 50, 50));
  if (std::string* snapshot = SnapshotAt(id)) *snapshot = CanvasGetBits();
  record->frameWidth = RoundToInt(kPointerInsetFactor * bezel);
  record->divisions = static_cast<int16_t>(ticks);
  record->textColor = minAngle;
  record->pattern = maxAngle;
  const double span = static_cast<double>(maxAngle) - minAngle;
  DrawKnob(dialog, id, RoundToInt(minAngle + span * startPercent / 100));
  CanvasRedraw();
}

void DrawKnob(Handle dialog, int32_t id, int32_t angle) {
  InstrumentRecord* record = InstrumentAt(id);
  if (record == nullptr) return;
  const int32_t minAngle = record->textColor;
  const int32_t maxAngle = record->pattern;
  if (angle < minAngle || angle > maxAngle) return;
  record->value = KnobPercent(angle, minAngle, maxAngle);
  ExtrasAt(id)->knobAngle = angle;
  CanvasAttach(dialog, id, kAttachRedrawOnRequest);
  const IntPair size = CanvasGetSize();
  if (!RestoreSnapshot(id)) return;
  DrawKnobNumber(record->value);
  DrawPointer(size.first, size.second, record->frameWidth, angle);
  CanvasRedraw();
}

float KnobAngleFromCursor(Handle dialog, int32_t id) {
  const IntPair size = GetControlSize(dialog, id);
  const IntPair origin = GetControlLocation(dialog, id);
  const IntPair cursor = CursorClientPosition(dialog);
  const double x = (static_cast<double>(cursor.first) - origin.first) - size.first / 2.0 + kCursorOffset;
  const double y = size.second / 2.0 - (static_cast<double>(cursor.second) - origin.second);
  const double t = std::atan(y / x) * 180 / Pi();
  if (x > 0) return static_cast<float>(90 - t);
  if (x < 0) return static_cast<float>(-90 - t);
  return 0;
}


float GetKnobPercent(Handle, int32_t id) {
  return ExtrasOfKind(id, {InstrumentKind::kKnob}) != nullptr ? InstrumentAt(id)->value : 0.0f;
}

int32_t GetKnobAngle(Handle, int32_t id) {
  const InstrumentExtras* extras = ExtrasOfKind(id, {InstrumentKind::kKnob});
  return extras != nullptr ? extras->knobAngle : 0;
}

}  // namespace ip

// Marquee, text panels and the blackboard.
#include "instrument_panel/text_panels.h"

#include <algorithm>
#include <cmath>

#include "instrument_panel/backgrounds.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/colors.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/frames.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/labels.h"
#include "instrument_panel/texts.h"
#include "instruments/instrument_state.h"
#include "platform/rounding.h"

namespace ip {

namespace {

constexpr int32_t kBold = 1;
constexpr int32_t kPlain = 0;
const char* const kMarqueeFace = "Arial";
const char* const kPanelFace = "courier new";
const char* const kPanelFrameColor = "oro";
constexpr int32_t kPanelPattern = 3;
constexpr int16_t kSmallestGridPercent = 2;
const ColorRef kGridColor = 0x646464;  // (100, 100, 100)
constexpr double kBarDarkRed = 155;
constexpr double kBarHalfPercent = 0.005;  // each bar is half the width at level 100
const char* const kLineBreak = "\r\n";

// Horizontal then vertical grey lines every `step` pixels inside the frame.
void DrawGrid(int32_t width, int32_t height, int32_t f, double step) {
  if (!(step > 0)) return;  // a step of 0 would never advance
  for (double y = 0; y <= height - 1; y += step) {
    CanvasMoveTo(static_cast<float>(f), static_cast<float>(y + f), 0);
    CanvasLineTo(static_cast<float>(width - 2.0 * f), 0, kGridColor, 1);
  }
  for (double x = 0; x <= width - 2.0 * f - 1; x += step) {
    CanvasMoveTo(static_cast<float>(x + f), static_cast<float>(f), 0);
    CanvasLineTo(0, static_cast<float>(height - 2.0 * f), kGridColor, 1);
  }
}

// One line of `length` pixels from (x, y), left (negative) or right.
void DrawBarRow(double x, double y, double length, ColorRef color) {
  CanvasMoveTo(static_cast<float>(x), static_cast<float>(y), 0);
  CanvasLineTo(static_cast<float>(length), 0, color, 1);
}

// Four bars, upper and lower at each side, filled row by row from the top
// and bottom edges toward the middle, dark red outside and lighter inside.
// A bar that would reach past the far edge of the canvas is cut there, and
// rows that fall outside the canvas (a negative frame) are skipped: both
// look the same as drawing them in full.
void DrawLevelBars(int32_t width, int32_t height, int32_t f, float level) {
  const double shadeStep = kBarDarkRed / height;
  const double inner = width - 2.0 * f;
  const double longest = std::max(double{1} * width - f, double{1} * width);
  const double reach = std::min(kBarHalfPercent * inner * level, longest);
  const double lowerRightReach = std::min(kBarHalfPercent * (inner + 1) * level, longest);
  const double left = f;
  const double right = double{1} * width - f - 1;
  const int64_t firstRow = std::max<int64_t>(0, -int64_t{f});
  const double lastRow = std::min((height - 2.0 * f) / 2, double{1} * height - f - 1);
  for (int64_t y = firstRow; y <= lastRow; ++y) {
    const int32_t tint = RoundToInt(y * shadeStep);
    const ColorRef color = MakeColor(RoundToInt(kBarDarkRed + y * shadeStep), tint, tint);
    const double top = double{1} * f + y;
    const double bottom = double{1} * height - y - f - 1;
    DrawBarRow(left, top, reach + 1, color);
    DrawBarRow(left, bottom, reach + 1, color);
    DrawBarRow(right, top, -reach, color);
    DrawBarRow(right, bottom, -lowerRightReach, color);
  }
}

}  // namespace

void ScrollMarquee(Handle dialog, int32_t id, int32_t frameWidth, const std::string& frameColor,
                   const std::string& fillColor, int32_t pattern, const std::string& text, ColorRef textColor,
                   int32_t fontSize) {
  CanvasAttach(dialog, id, kAttachRedrawOnRequest);
  const IntPair size = CanvasGetSize();
  const int64_t cycle = int64_t{frameWidth} + size.second;
  if (cycle <= 0) return;  // no cycle to scroll through
  const Handle control = GetControlHandle(dialog, id);
  DrawPanelBackground(dialog, id, frameWidth, fillColor, pattern);
  CanvasSetFont(kMarqueeFace, fontSize, kBold);
  CanvasSetForeColor(textColor);
  CanvasSetBackColor(kColorNone);
  const int32_t textHeight = CanvasTextSize(text).second;
  const int64_t pos = (int64_t{GetControlUserValue(control, kSlotMarqueeScroll)} + 1) % cycle;
  CanvasMoveTo(static_cast<float>(CenteredTextX(text)), static_cast<float>(pos - textHeight + frameWidth), 0);
  CanvasPrint(text);
  CanvasNewLine();
  DrawBoxFrame(frameWidth, frameColor);
  CanvasRedraw();
  SetControlUserValue(control, kSlotMarqueeScroll, static_cast<int32_t>(pos));
}

void ShowTextPanel(Handle dialog, int32_t id, int32_t frameWidth, float level, int16_t gridPercent,
                   const std::string& text, int32_t fontSize, ColorRef textColor, const std::string& fillColor) {
  CanvasAttach(dialog, id, kAttachRedrawOnRequest);
  const IntPair size = CanvasGetSize();
  if (size.first <= 0 || size.second <= 0) return;  // no canvas to paint on
  const int32_t f = frameWidth;
  DrawBevelTopLeft(f, kPanelFrameColor);
  DrawBevelBottomRight(f, kPanelFrameColor);
  DrawPanelBackground(dialog, id, f, fillColor, kPanelPattern);
  if (gridPercent >= kSmallestGridPercent) {
    DrawGrid(size.first, size.second, f, (size.second - 2.0 * f - 1) * gridPercent / 100);
  }
  if (!text.empty()) {
    CanvasSetFont(kPanelFace, fontSize, kBold);
    CanvasSetForeColor(textColor);
    CanvasSetBackColor(kColorNone);
    CanvasMoveTo(static_cast<float>(CenteredTextX(text)), static_cast<float>(CenteredTextY(text)), 0);
    CanvasPrint(text);
    CanvasNewLine();
  }
  if (level > 0) DrawLevelBars(size.first, size.second, f, level);
  CanvasRedraw();
}

void WriteBlackboard(Handle dialog, int32_t id, const std::string& text) {
  const InstrumentRecord* record = InstrumentAt(id);
  if (record == nullptr) return;
  CanvasAttach(dialog, id, kAttachRedrawOnRequest);
  RestoreSnapshot(id);
  if (!text.empty()) {
    const int32_t margin = record->frameWidth;
    CanvasSetFont(kPanelFace, record->divisions, kPlain);
    CanvasSetForeColor(record->textColor);
    CanvasSetBackColor(kColorNone);
    CanvasMoveTo(static_cast<float>(margin), static_cast<float>(margin), 0);
    const int32_t lines = TextFieldCount(text, kLineBreak);
    for (int32_t i = 1; i <= lines; ++i) {
      CanvasPrint(TextField(text, kLineBreak, i));
      CanvasNewLine();
      const IntPair pos = CanvasGetPos();
      CanvasMoveTo(static_cast<float>(double{1} * pos.first + margin), static_cast<float>(pos.second), 0);
    }
  }
  CanvasRedraw();
}

}  // namespace ip

// Digital displays: the background built once, then one text per update.
#include "instrument_panel/display.h"

#include "instrument_panel/backgrounds.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/colors.h"
#include "instrument_panel/frames.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/labels.h"
#include "instrument_panel/texts.h"
#include "instruments/instrument_state.h"
#include "platform/rounding.h"

namespace ip {

namespace {

constexpr int32_t kRampPattern = 3;
constexpr float kRampDepth = 0.2f;  // the ramp covers a fifth of the height
constexpr double kRampSlope = 600;
constexpr int32_t kRampGreenLift = 45;
constexpr double kRampTopShade = 205;
constexpr int32_t kSquareCorners = 0;
constexpr int32_t kSolidFill = 0;
constexpr double kCharSizePerPoint = 1.2f;  // a 32-bit float; the quotient is taken in double
const char* const kDisplayFace = "courier new";

ColorRef ShadowColor() { return MakeColor(85, 130, 85); }

// Bevelled frame; without a fill colour the top-left edges are black, so the
// display looks sunken.
void DrawDisplayFrame(int32_t frameWidth, const std::string& frameColor, bool hasFillColor) {
  DrawBevelTopLeft(frameWidth, hasFillColor ? frameColor : "");
  DrawBevelBottomRight(frameWidth, frameColor);
}

// The display's own background: boxes sharing the bottom-right corner, the
// top-left corner one pixel further in each step, lightening inward.
void DrawDisplayRamp(int32_t width, int32_t height, int32_t frameWidth, const std::string& fillColor) {
  if (height <= 0) return;  // nothing to paint, and no division by zero
  const float depth = kRampDepth * static_cast<float>(height);
  for (float k = 0; k <= depth; k += 1) {
    const double fall = k * kRampSlope / height;
    ColorRef color;
    if (fillColor.empty()) {
      const int32_t v = RoundToInt(fall);
      color = MakeColor(v, v + kRampGreenLift, v);
    } else {
      color = ColorFromName(fillColor, RoundToInt(kRampTopShade - fall));
    }
    CanvasBox(static_cast<float>(frameWidth + k), static_cast<float>(frameWidth + k),
              static_cast<float>(double{1} * width - frameWidth), static_cast<float>(double{1} * height - frameWidth),
              kSquareCorners, color, color, kSolidFill);
  }
}

}  // namespace

int32_t DisplayFontPoints(int32_t charSize) {
  return RoundToInt(charSize / kCharSizePerPoint);
}

void CreateDigitalDisplay(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t& width, int32_t& height,
                          const std::string& background, int32_t frameWidth, const std::string& frameColor,
                          int32_t charSize, ColorRef textColor, const std::string& styleName,
                          const std::string& fillColor, int32_t pattern) {
  InstrumentRecord* record = InstrumentAt(id);
  if (record == nullptr) return;
  DeclareBackgroundSnapshots();
  CreateInstrumentControl(dialog, id, x, y, width, height, background);
  SetInstrumentKind(id, InstrumentKind::kDigitalDisplay);
  CanvasAttach(dialog, id, kAttachRedrawOnRequest);
  const IntPair size = CanvasGetSize();
  width = size.first;
  height = size.second;
  DrawDisplayFrame(frameWidth, frameColor, !fillColor.empty());
  record->frameWidth = frameWidth;
  record->frameColor.Write(frameColor);
  record->divisions = static_cast<int16_t>(charSize);
  record->textColor = textColor;
  record->styleName.Write(styleName);
  record->fillColor.Write(fillColor);
  record->pattern = pattern;
  if (pattern == kRampPattern) {
    DrawDisplayRamp(width, height, frameWidth, fillColor);
  } else {
    DrawPanelBackground(dialog, id, frameWidth, fillColor, pattern);
  }
  if (std::string* snapshot = SnapshotAt(id)) *snapshot = CanvasGetBits();
  CanvasRedraw();
  SetDisplayText(dialog, id, "");
}

void SetDisplayText(Handle dialog, int32_t id, const std::string& text) {
  const InstrumentRecord* record = InstrumentAt(id);
  if (record == nullptr) return;
  CanvasAttach(dialog, id, kAttachRedrawOnRequest);
  RestoreSnapshot(id);
  if (!text.empty()) {
    CanvasSetFont(kDisplayFace, DisplayFontPoints(record->divisions), 0);
    std::string label = text;
    DrawTextLabel(label, record->textColor, ShadowColor());
    DrawDisplayFrame(record->frameWidth, record->frameColor.Read(), !Trimmed(record->fillColor.Read()).empty());
  }
  CanvasRedraw();
  ExtrasAt(id)->displayText = text;
}

std::string GetDisplayText(Handle, int32_t id) {
  const InstrumentExtras* extras = ExtrasOfKind(id, {InstrumentKind::kDigitalDisplay});
  return extras != nullptr ? extras->displayText : std::string();
}

}  // namespace ip

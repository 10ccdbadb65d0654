// Two-state buttons and switches: creation, toggling, and the drawn face.
#include "instrument_panel/buttons.h"

#include <algorithm>

#include "host/canvas_internal.h"
#include "instrument_panel/backgrounds.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/frames.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/labels.h"
#include "instrument_panel/lamps.h"
#include "instrument_panel/texts.h"
#include "instruments/instrument_state.h"
#include "platform/rounding.h"

namespace ip {

namespace {

const char* const kLabelSeparator = "/";
const char* const kDefaultToggleLabels = "OFF/ON";
const char* const kOffLampScheme = "rosso";
const char* const kOnLampScheme = "verdino";
constexpr int32_t kLampLargestRadius = 5;
constexpr float kLampLevel = 100;

// frameWidth + 1 without overflowing at the top of the 32-bit range.
int32_t WiderFrame(int32_t frameWidth) {
  return static_cast<int32_t>(std::min<int64_t>(int64_t{frameWidth} + 1, INT32_MAX));
}

// The indicator lamp at the left end: six discs from radius 5 down to 0,
// each centred half its radius further right, brightest in the middle.
void DrawIndicatorLamp(int32_t height, bool on) {
  const int32_t unit = RoundToInt(255.0 / height);
  const char* scheme = on ? kOnLampScheme : kOffLampScheme;
  for (int32_t r = kLampLargestRadius; r >= 0; --r) {
    const ColorRef color = LampColor(scheme, unit, -r, kLampLevel);
    DrawLampDot(RoundToInt(height / 2.0 + r / 2.0), RoundToInt(height / 2.0), r, color);
  }
}

// Paints the drawn face of state `on`: frame (one pixel wider when ON),
// patterned face, indicator lamp and label.
void DrawButtonFace(Handle dialog, int32_t id, const InstrumentRecord& record, bool on, std::string label) {
  const IntPair size = CanvasGetSize();
  if (size.first <= 0 || size.second <= 0) return;  // no canvas to paint on
  int32_t frame = record.frameWidth;
  int32_t pattern = record.pattern;
  if (on) {
    pattern = RoundToInt(record.value);
    frame = WiderFrame(frame);
  }
  const std::string frameColor = record.frameColor.Read();
  DrawBevelTopLeft(frame, frameColor);
  DrawBevelBottomRight(frame, frameColor);
  DrawPanelBackground(dialog, id, frame, record.fillColor.Read(), pattern);
  DrawIndicatorLamp(size.second, on);
  DrawTextLabel(label, record.textColor, 0);
  CanvasRedraw();
}

void SetControlSlot(Handle dialog, int32_t id, int32_t slot, int32_t value) {
  SetControlUserValue(GetControlHandle(dialog, id), slot, value);
}

// Loads one face scaled to the control into a bitmap canvas that goes with the dialog.
Handle LoadFace(Handle dialog, const std::string& file, IntPair size) {
  const Handle face = LoadBitmapCanvas(file, size.first, size.second);
  GiveBitmapCanvasTo(face, dialog);
  return face;
}

}  // namespace

// Paints the OFF face at once and keeps both faces, scaled to the control,
// in bitmap canvases. Two blank names make a drawn OFF toggle button instead.
void LoadFaceBitmaps(Handle dialog, int32_t id, const std::string& first, const std::string& second) {
  CanvasAttach(dialog, id, 0);
  const IntPair size = CanvasGetSize();
  if (TrimLeft(first + second).empty()) {
    ToggleButton(dialog, id, kDefaultToggleLabels);
    ToggleButton(dialog, id, kDefaultToggleLabels);
    return;
  }
  CanvasRenderBitmap(first, 0, 0, static_cast<float>(size.first), static_cast<float>(size.second));
  SetControlSlot(dialog, id, kSlotOffFace, static_cast<int32_t>(LoadFace(dialog, first, size)));
  SetControlSlot(dialog, id, kSlotOnFace, static_cast<int32_t>(LoadFace(dialog, second, size)));
  SetControlSlot(dialog, id, kSlotFaceState, 0);
}

// Paints one bitmap over the control at once and keeps it as its only face.
void LoadFaceBitmap(Handle dialog, int32_t id, const std::string& file) {
  CanvasAttach(dialog, id, 0);
  const IntPair size = CanvasGetSize();
  if (TrimLeft(file).empty()) return;
  CanvasRenderBitmap(file, 0, 0, static_cast<float>(size.first), static_cast<float>(size.second));
  SetControlSlot(dialog, id, kSlotOffFace, static_cast<int32_t>(LoadFace(dialog, file, size)));
  SetControlSlot(dialog, id, kSlotFaceState, 0);
}

void CreateToggleButton(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                        const std::string& background, int32_t frameWidth, const std::string& frameColor,
                        const std::string& caption, ColorRef textColor, const std::string& fillColor,
                        int32_t offPattern, int32_t onPattern) {
  InstrumentRecord* record = InstrumentAt(id);
  if (record == nullptr) return;
  CreateInstrumentControl(dialog, id, x, y, width, height, background);
  record->frameWidth = frameWidth;
  record->frameColor.Write(frameColor);
  record->value = static_cast<float>(onPattern);
  record->caption.Write(caption);
  record->textColor = textColor;
  record->fillColor.Write(fillColor);
  record->pattern = offPattern;
  SetInstrumentKind(id, InstrumentKind::kToggleButton);
  // Through ON and back: the new button is shown OFF with slot 1 at 0.
  ToggleButton(dialog, id, "");
  ToggleButton(dialog, id, "");
}

void ToggleButton(Handle dialog, int32_t id, const std::string& labels) {
  const InstrumentRecord* record = InstrumentAt(id);
  if (record == nullptr) return;
  const Handle control = GetControlHandle(dialog, id);
  const int32_t state = GetControlUserValue(control, kSlotFaceState);
  const Handle offFace = static_cast<Handle>(GetControlUserValue(control, kSlotOffFace));
  const Handle onFace = static_cast<Handle>(GetControlUserValue(control, kSlotOnFace));
  // Immediate mode: a copied face shows at once without a redraw.
  CanvasAttach(dialog, id, 0);
  const std::string pair = labels.empty() ? Trimmed(record->caption.Read()) : labels;
  const bool turnOn = state == 0;
  SetControlUserValue(control, kSlotFaceState, turnOn ? 1 : 0);
  const Handle face = turnOn ? onFace : offFace;
  if (face != 0) {
    CanvasCopy(face, id, static_cast<int32_t>(SRCCOPY));
    return;
  }
  const std::string label = turnOn ? TextAfter(pair, kLabelSeparator) : TextBefore(pair, kLabelSeparator);
  DrawButtonFace(dialog, id, *record, turnOn, label);
}


int32_t GetButtonState(Handle dialog, int32_t id) {
  if (ExtrasOfKind(id, {InstrumentKind::kToggleButton, InstrumentKind::kBitmapSwitch}) == nullptr) return 0;
  return GetControlUserValue(GetControlHandle(dialog, id), kSlotFaceState) != 0 ? 1 : 0;
}

}  // namespace ip

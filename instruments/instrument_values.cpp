// Setting an instrument's value through the setter of its kind.
#include "instrument_panel/instrument_values.h"

#include <cmath>

#include "host/error_report.h"
#include "instrument_panel/buttons.h"
#include "instrument_panel/display.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/leds.h"
#include "instruments/instrument_state.h"

namespace ip {

namespace {

constexpr int64_t kFullScale = 100;

bool IsKind(int32_t id, std::initializer_list<InstrumentKind> kinds) { return ExtrasOfKind(id, kinds) != nullptr; }

// The first whole degree from minAngle whose position floor(100 (a - min) /
// (max - min)) reaches `percent`: min + ceil(range x percent / 100), in
// integers so that no rounding can fall short.
int32_t KnobAngleFor(int64_t percent, int32_t minAngle, int32_t maxAngle) {
  const int64_t range = int64_t{maxAngle} - minAngle;
  if (range <= 0) return minAngle;
  return static_cast<int32_t>(minAngle + (range * percent + kFullScale - 1) / kFullScale);
}

}  // namespace

bool SetKnobPercent(Handle dialog, int32_t id, float percent) {
  if (!IsKind(id, {InstrumentKind::kKnob})) return false;
  if (!(percent >= 0 && percent <= kFullScale)) return false;  // NaN included
  const InstrumentRecord& record = *InstrumentAt(id);
  const int32_t minAngle = record.textColor;  // the knob's record keeps its range here
  const int32_t maxAngle = record.pattern;
  DrawKnob(dialog, id, KnobAngleFor(static_cast<int64_t>(std::floor(percent)), minAngle, maxAngle));
  return true;
}

bool SetButtonState(Handle dialog, int32_t id, bool on, const std::string& labels) {
  if (!IsKind(id, {InstrumentKind::kToggleButton, InstrumentKind::kBitmapSwitch})) return false;
  if ((GetButtonState(dialog, id) != 0) != on) ToggleButton(dialog, id, labels);
  return true;
}

bool SetInstrumentValue(Handle dialog, int32_t id, float value, const std::string& text) {
  const InstrumentExtras* extras = ExtrasAt(id);
  if (extras == nullptr) return false;
  switch (extras->kind) {
    case InstrumentKind::kGauge:
      SetGaugeValue(dialog, id, value, text);
      return true;
    case InstrumentKind::kLedLamp:
      SetLedLampValue(dialog, id, value, text);
      return true;
    case InstrumentKind::kRoundLamp:
      SetRoundLampValue(dialog, id, value, text);
      return true;
    case InstrumentKind::kKnob:
      return SetKnobPercent(dialog, id, value);
    case InstrumentKind::kToggleButton:
    case InstrumentKind::kBitmapSwitch:
      return SetButtonState(dialog, id, value != 0, text);
    case InstrumentKind::kDigitalDisplay:
      SetDisplayText(dialog, id, text);
      return true;
    case InstrumentKind::kNone:
    case InstrumentKind::kCanvas:
      break;
  }
  SetLastError(ErrorCode::kWrongInstrumentKind);
  return false;
}

}  // namespace ip

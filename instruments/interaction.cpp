// Knobs and gauges that follow the mouse.
#include "instrument_panel/interaction.h"

#include "instrument_panel/dialog.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/keys.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/texts.h"
#include "instruments/instrument_state.h"
#include "platform/rounding.h"

namespace ip {

namespace {

// GetAsyncKeyState as a signed 16-bit value: down now, not newly pressed.
constexpr int16_t kButtonHeld = INT16_MIN;
const char* const kAcrossKey = "ori";
const char* const kUpwardKey = "ver";

bool ButtonHeld(int virtualKey) { return GetAsyncKeyState(virtualKey) == kButtonHeld; }

// The styles whose level the cursor can set (GaugeValueFromCursor's rule).
bool HasCursorAxis(int32_t id) {
  const InstrumentRecord* record = InstrumentAt(id);
  const std::string style = LowerCase(record->styleName.Read());
  return FindText(style, kAcrossKey, 1) > 0 || FindText(style, kUpwardKey, 1) > 0;
}

bool TurnKnob(Handle dialog, int32_t id) {
  if (GetAsyncKeyState(VK_LBUTTON) == 0) return false;
  DrawKnob(dialog, id, RoundToInt(KnobAngleFromCursor(dialog, id)));
  return true;
}

void MoveLevel(Handle dialog, int32_t id, const std::string& caption) {
  SetGaugeValue(dialog, id, GaugeValueFromCursor(dialog, id), caption);
}

bool DragGauge(Handle dialog, int32_t id, bool rightButtonToo) {
  bool moved = false;
  if (ButtonHeld(VK_LBUTTON)) {
    MoveLevel(dialog, id, "");
    moved = true;
  }
  if (rightButtonToo && ButtonHeld(VK_RBUTTON)) {
    MoveLevel(dialog, id, caption::kPercent);
    moved = true;
  }
  return moved;
}

}  // namespace

bool FollowMouse(Handle dialog, uint32_t message, uint32_t wParam, const FollowMouseOptions& options) {
  if (message != WM_SETCURSOR) return false;
  const int32_t id = GetDlgCtrlID(wParam);
  // These queries clear the "pressed since" bits, so that only presses made
  // from here on count.
  GetAsyncKeyState(VK_LBUTTON);
  GetAsyncKeyState(VK_RBUTTON);
  if (id < 0 || id > kInstrumentTableLast) return false;  // not an instrument: nothing to report
  if (options.follows && !options.follows(id)) return false;
  switch (InstrumentKindOf(id)) {
    case InstrumentKind::kKnob:
      return TurnKnob(dialog, id);
    case InstrumentKind::kGauge:
      if (!HasCursorAxis(id)) return false;
      return DragGauge(dialog, id, options.followsRightButton && options.followsRightButton(id));
    default:
      return false;
  }
}

}  // namespace ip

// Setting what an instrument shows without a call per kind: a knob by its
// position in percent, a button or switch by its state, and any instrument
// by one value and one text, each through the setter of its kind:
//
//   kind                     value                      text
//   gauge (any style)        level 0..100 (SetGaugeValue) caption ("" keeps the stored one)
//   LED lamp, round lamp     level 0..100               caption shown once ("" the default)
//   knob                     position in percent 0..100 not used
//   button, bitmap switch    0 OFF, anything else ON    label pair for a toggle ("" the stored caption)
//   digital display          not used                   the text shown
//
// Text panels, marquees and blackboards keep no description of themselves
// between calls; they are painted with their own calls (text_panels.h).
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

// Turns a knob to show floor(percent): to the first whole degree of its range
// whose position is at least that percentage. False, with nothing changed,
// for a percentage outside 0..100 (or NaN) or an instrument that is not a
// knob (ErrorCode::kWrongInstrumentKind).
bool SetKnobPercent(Handle dialog, int32_t id, float percent);
// Shows ON or OFF on a button or bitmap switch, toggling it with `labels`
// when it shows the other state. False for another kind of instrument.
bool SetButtonState(Handle dialog, int32_t id, bool on, const std::string& labels);
// Shows `value` and `text` with the setter of the instrument's kind (table
// above). False, with nothing changed, for a kind without a value (plain
// canvases, identifiers with no instrument) and for a knob refusing the value.
bool SetInstrumentValue(Handle dialog, int32_t id, float value, const std::string& text);

}  // namespace ip

// Knobs: a round rotary control. The face (a disc shaded with two light
// cones, tick marks, an inner disc) is painted once and kept as the control's
// background snapshot; every turn restores it and draws the position number
// and a red pointer dot.
//
// Angles are degrees clockwise from 12 o'clock (0 up, 90 right, -90 left).
// The record keeps: frameWidth = pointer inset round(1.1 x bezel),
// value = position in percent of the range (floored), divisions = ticks,
// textColor = minimum angle, pattern = maximum angle.
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

// Creates the knob; without a background bitmap its corners are painted in
// the dialog's instrument surround colour (instrument_table.h).
void CreateKnob(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                const std::string& background, int32_t bezel, int32_t ticks, int32_t minAngle, int32_t maxAngle,
                int32_t startPercent);

// Turns the knob to `angle`; an angle outside the knob's range changes nothing.
void DrawKnob(Handle dialog, int32_t id, int32_t angle);

// Where the knob points: in percent of its range (floored, as DrawKnob
// stores it) and in degrees. 0, with the error recorded, for an identifier
// outside the table or an instrument that is not a knob.
float GetKnobPercent(Handle dialog, int32_t id);
int32_t GetKnobAngle(Handle dialog, int32_t id);

// The cursor's angle round the control's centre, -180..180.
float KnobAngleFromCursor(Handle dialog, int32_t id);

// The position in percent for an angle: floor(100 x (angle - min) / (max - min)),
// 0 when the range is empty.
float KnobPercent(int32_t angle, int32_t minAngle, int32_t maxAngle);

// The tick step in degrees for a tick count: round(360 / ticks), INT32_MIN
// when the quotient is not finite (no ticks).
int32_t KnobTickStep(int32_t ticks);

// The pointer dot in the box (x1, y1)-(x2, y2): nested ellipses from dark red
// at the rim to pale red in the centre.
void DrawKnobDot(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// A knob angle in degrees (clockwise from 3 o'clock) as the counter-clockwise
// radians of the pie operation: 2 pi (1 - d / 360).
double KnobDegreesToRadians(double degrees);

}  // namespace ip

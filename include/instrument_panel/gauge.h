// Gauges and meters: a canvas control showing a level 0..100 in one of nine
// styles ("ori_" grows left to right, "ver_" grows upward; "blurosso" a
// blue-to-red bar, "vmeter" blue-to-red segments, "ori_rosso" a red
// cylinder bar, "ago" a thin needle, "agone" a wide needle) or, with an empty
// style, a framed caption box. The frame and background are painted once and
// kept as the control's snapshot; every repaint writes the snapshot back and
// draws level, ticks and caption over it.
//
// Caption codes: "%" shows the value as a percentage, "!" the value scaled to
// the number of divisions. A caption may start with "[<]" or "[>]" to sit
// flush left or right.
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

// Creates the control, writes its record and paints it for the first time.
void CreateGauge(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                 const std::string& background, int32_t frameWidth, const std::string& frameColor, float value,
                 int16_t divisions, const std::string& caption, ColorRef textColor, const std::string& styleName,
                 const std::string& fillColor, int32_t pattern);

// Stores a value of 0 or more (a negative one only repaints) and repaints.
// A non-empty text becomes the caption (cut to 20 characters) and is shown
// whole; an empty text shows the stored caption.
void SetGaugeValue(Handle dialog, int32_t id, float value, const std::string& text);
// Stores any value (a negative one draws no level) and repaints with the stored caption.
void SetGaugeLevel(Handle dialog, int32_t id, float value);

// The level the mouse cursor points at: across for "ori" styles, upward for
// "ver" styles, 0 for other styles.
float GaugeValueFromCursor(Handle dialog, int32_t id);
// min(100, (cursor x + 1 - control x) * 100 / control width); 0 for a zero-width control.
float CursorPercentAcross(Handle dialog, int32_t id);
// min(100, (cursor y - 1 - control y) * 100 / control height); 0 for a zero-height control.
float CursorPercentDown(Handle dialog, int32_t id);

// What the gauge shows: its value, and the caption as last painted (after
// the "%" and "!" codes, prefixes kept). 0 / empty, with the error recorded,
// for an identifier outside the table or an instrument that is not a gauge.
float GetGaugeValue(Handle dialog, int32_t id);
std::string GetGaugeCaption(Handle dialog, int32_t id);

// Paints the gauge: snapshot (or, the first time, frame, background and
// capture), level, ticks, caption, then shows the canvas.
void DrawGauge(Handle dialog, int32_t id, int32_t frameWidth, float value, int16_t divisions, std::string text,
               ColorRef textColor, const std::string& styleName, const std::string& fillColor, int32_t pattern);

}  // namespace ip

// Digital displays: a framed window showing one centred line of "courier new"
// text with a soft green-grey drop shadow. The frame and background are
// painted once and kept as the control's background snapshot; each new text
// costs one restore and one print. The text shown is kept beside the record
// for GetDisplayText.
//
// Record: frameWidth, frameColor (bevel), divisions = character size (font
// points = round(divisions / 1.2)), textColor, styleName (kept, unused),
// fillColor (background colour; empty = sunken frame, green ramp with
// pattern 3), pattern (3 = the display's own ramp, else a panel background).
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

// Creates the display and shows it empty. On return width and height hold
// the canvas's actual size.
void CreateDigitalDisplay(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t& width, int32_t& height,
                          const std::string& background, int32_t frameWidth, const std::string& frameColor,
                          int32_t charSize, ColorRef textColor, const std::string& styleName,
                          const std::string& fillColor, int32_t pattern);

// Replaces the text shown; the empty text blanks the display.
void SetDisplayText(Handle dialog, int32_t id, const std::string& text);

// The text the display last showed ("" when blank). Empty, with the error
// recorded, for an identifier outside the table or another kind.
std::string GetDisplayText(Handle dialog, int32_t id);

// The display font size in points for a character size: round(size / 1.2).
int32_t DisplayFontPoints(int32_t charSize);

}  // namespace ip

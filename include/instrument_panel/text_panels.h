// Text painters on plain canvas controls, called again and again:
//   marquee     one line of bold "Arial" sliding down one pixel per call behind
//               a box frame, over a patterned or bitmap background (scroll
//               position in control slot 5);
//   text panel  a small screen with an "oro" bevel, a background, an optional
//               square grid, one bold "courier new" line and red level bars
//               growing from both edges toward the middle;
//   blackboard  lines separated by CR LF written in "courier new" on a gauge,
//               starting frameWidth pixels in from the left and top.
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

// Repaints the marquee one step further. A canvas whose frame width plus
// height is 0 or less has no cycle and is left as it is.
void ScrollMarquee(Handle dialog, int32_t id, int32_t frameWidth, const std::string& frameColor,
                   const std::string& fillColor, int32_t pattern, const std::string& text, ColorRef textColor,
                   int32_t fontSize);

// Repaints a text panel. gridPercent above 1 draws a grid whose cells are
// gridPercent % of the inner height (none when that step is not positive);
// a level above 0 draws the bars (a NaN level draws none).
void ShowTextPanel(Handle dialog, int32_t id, int32_t frameWidth, float level, int16_t gridPercent,
                   const std::string& text, int32_t fontSize, ColorRef textColor, const std::string& fillColor);

// Restores the control's snapshot and writes the text on it, line by line.
void WriteBlackboard(Handle dialog, int32_t id, const std::string& text);

}  // namespace ip

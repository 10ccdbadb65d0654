// Lamp colours: LampColor gives the colour of one step of a lamp drawn as
// nested shapes (scheme, step unit u, step index k, level 0..100);
// DrawLampDot draws a filled circle.
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

ColorRef LampColor(const std::string& scheme, int32_t u, int32_t k, float level);
void DrawLampDot(int32_t cx, int32_t cy, int32_t r, ColorRef color);

}  // namespace ip

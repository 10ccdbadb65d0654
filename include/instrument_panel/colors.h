// Colour values and colour names: MakeColor composes a colour value from
// clamped channels; ColorFromName turns an Italian colour key or "#RRGGBB"
// into a colour darkened by `shade` (taken off every channel).
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

ColorRef MakeColor(int32_t red, int32_t green, int32_t blue);
ColorRef ColorFromName(const std::string& name, int32_t shade);

}  // namespace ip

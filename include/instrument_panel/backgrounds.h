// Panel backgrounds: the inside of an instrument's frame painted in one of
// seven patterns (0..5 shaded, 6 the control's own bitmap stretched).
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

void DrawPanelBackground(Handle dialog, int32_t id, int32_t frameWidth, const std::string& fillColor,
                         int32_t pattern);

}  // namespace ip

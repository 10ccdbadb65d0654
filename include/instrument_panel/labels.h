// Text labels: one line of text centred on the current canvas, or flush left
// ("[<]" prefix) or right ("[>]" prefix), with an optional drop shadow.
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

int32_t CenteredTextX(const std::string& text);
int32_t CenteredTextY(const std::string& text);
// Removes an alignment prefix from `text` (the caller sees the change).
void DrawTextLabel(std::string& text, ColorRef color, ColorRef shadowColor);

}  // namespace ip

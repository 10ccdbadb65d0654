// Host-internal part of the canvas text operations.
#pragma once

#include "host/window_records.h"

namespace ip {

// Gives a canvas the default font ("MS Sans Serif", 8 points) and its metrics.
void ApplyDefaultCanvasFont(CanvasState& canvas);

}  // namespace ip

// A stretch that repeats. An instrument whose background is its own bitmap
// stretches the same bitmap canvas onto the same place of its canvas on every
// repaint; CanvasStretchRepeated gives the same pixels as CanvasStretch with
// SRCCOPY, but once a canvas has been asked for the same stretch twice in a
// row with the source unchanged, it keeps the pixels that stretch writes and
// afterwards copies them row by row instead of scaling again.
#pragma once

#include <cstdint>

#include "instrument_panel/types.h"

namespace ip {

// CanvasStretch (sourceOwner, sourceId, ..., SRCCOPY) onto the current canvas.
void CanvasStretchRepeated(Handle sourceOwner, int32_t sourceId, float sx1, float sy1, float sx2, float sy2, float dx1,
                           float dy1, float dx2, float dy2);

// How many canvases keep a stretched picture (for tests that watch for leaks).
size_t KeptStretchCount();

}  // namespace ip

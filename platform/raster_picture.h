// Scaling a file picture to the size it is shown at, the way the system's
// picture loader does: pictures of more than one bit per pixel by bilinear
// sampling at d * S / D (top-left aligned, clamped at the edges, rounded per
// channel), one-bit pictures by the BLACKONWHITE stretch rule.
//
// Window: a rectangle of the scaled picture. Only the window's pixels are
// computed, each exactly as it is in the whole scaled picture, so a picture
// scaled to millions of pixels and mostly off the canvas costs only what
// lands on the canvas.
#pragma once

#include <cstdint>

#include "platform/bmp_file.h"
#include "platform/surface.h"

namespace ip::platform {

struct PictureWindow {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The window's pixels of the picture scaled to width x height (the window
// lies within [0, width) x [0, height)). Empty for an empty picture, an
// empty window or a window larger than any surface may be.
Surface ScalePictureWindow(const BmpPicture& picture, int width, int height, const PictureWindow& window);

// Where `position += step` in single precision stands after `count` steps
// from 0: the loader's sampling positions are summed this way, and a window
// far along a huge picture starts where the whole sum would have reached.
// Takes time by the float ranges crossed, not by count.
float SumOfFloatSteps(float step, int64_t count);

}  // namespace ip::platform

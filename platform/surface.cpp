// Pixel surfaces: allocation with a bound on size.
#include "platform/surface.h"

namespace ip::platform {

Surface MakeSurface(int width, int height, Pixel fill) {
  Surface s;
  if (width <= 0 || height <= 0) return s;
  if (int64_t{width} * height > kMaxSurfacePixels) return s;
  s.width = width;
  s.height = height;
  s.pixels.assign(static_cast<size_t>(width) * height, fill);
  return s;
}

}  // namespace ip::platform

// Whole-pixel display scaling: coordinates between window and screen pixels,
// the automatic scale, and pixel replication.
#include "platform/display_scale.h"

#include <algorithm>
#include <cmath>

namespace ip::platform {

int FloorDiv(int value, int divisor) {
  const int quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

int CeilDiv(int value, int divisor) { return -FloorDiv(-value, divisor); }

Rect LogicalWorkArea(Rect real, int scale) {
  return Rect{CeilDiv(real.left, scale), CeilDiv(real.top, scale), FloorDiv(real.right, scale),
              FloorDiv(real.bottom, scale)};
}

int ScaleForDensity(double dotsPerInch, int maxScale) {
  if (!(dotsPerInch > 0)) return 1;
  const double factor = std::floor(dotsPerInch / kBaseDotsPerInch + 0.5);
  return static_cast<int>(std::clamp(factor, 1.0, static_cast<double>(std::max(1, maxScale))));
}

int ChooseAutoScale(Rect realWorkArea, double dotsPerInch, int outerWidth, int outerHeight, int maxScale) {
  const int64_t roomWidth = int64_t{realWorkArea.Width()} * kAutoFitNumerator;
  const int64_t roomHeight = int64_t{realWorkArea.Height()} * kAutoFitNumerator;
  for (int scale = ScaleForDensity(dotsPerInch, maxScale); scale > 1; --scale) {
    const int64_t width = int64_t{std::max(0, outerWidth)} * scale * kAutoFitDenominator;
    const int64_t height = int64_t{std::max(0, outerHeight)} * scale * kAutoFitDenominator;
    if (width <= roomWidth && height <= roomHeight) return scale;
  }
  return 1;
}

void ReplicatePixels(const Surface& source, Rect area, int scale, Surface& target, Point to) {
  ReplicatePixels(source, area, scale, target.Row(to.y) + to.x, static_cast<size_t>(target.width));
}

void ReplicatePixels(const Surface& source, Rect area, int scale, Pixel* target, size_t targetPitch) {
  const size_t scaledWidth = static_cast<size_t>(area.Width()) * scale;
  for (int row = 0; row < area.Height(); ++row) {
    const Pixel* from = source.Row(area.top + row) + area.left;
    Pixel* firstCopy = target + static_cast<size_t>(row) * scale * targetPitch;
    if (scale == 1) {
      std::copy(from, from + area.Width(), firstCopy);
      continue;
    }
    Pixel* block = firstCopy;
    for (int x = 0; x < area.Width(); ++x, block += scale) std::fill(block, block + scale, from[x]);
    for (int copy = 1; copy < scale; ++copy) {
      std::copy(firstCopy, firstCopy + scaledWidth, firstCopy + static_cast<size_t>(copy) * targetPitch);
    }
  }
}

Surface ScaledCopy(const Surface& source, int scale) {
  if (scale <= 1 || source.Empty()) return source;
  Surface target = MakeSurface(source.width * scale, source.height * scale, 0);
  if (target.Empty()) return target;
  ReplicatePixels(source, Rect{0, 0, source.width, source.height}, scale, target, Point{0, 0});
  return target;
}

}  // namespace ip::platform

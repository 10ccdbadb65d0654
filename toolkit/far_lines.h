// Axis-aligned lines and coordinates that may lie far outside the canvas:
// values are brought within kFarAway of the origin before they reach the
// canvas, which keeps what shows on the canvas unchanged while keeping huge
// values away from the canvas's integer conversion. Templates, so that each
// painter keeps its own working precision (double or long double).
#pragma once

#include <algorithm>
#include <cmath>

#include "instrument_panel/canvas.h"

namespace ip {

// Coordinates further out than this are off every canvas.
template <typename Real>
inline constexpr Real kFarAway = static_cast<Real>(1.0e6);

// A coordinate clamped within kFarAway, as the canvas takes it.
template <typename Real>
float FarClampedCoord(Real value) {
  return static_cast<float>(std::clamp(value, -kFarAway<Real>, kFarAway<Real>));
}

// Brings both ends of a relative line within kFarAway of the origin, keeping
// its direction; a line that already lies there is left exactly as it is.
template <typename Real>
void ClampRelative(Real& start, Real& offset) {
  const Real end = start + offset;
  if (std::fabs(start) <= kFarAway<Real> && std::fabs(end) <= kFarAway<Real>) return;
  const Real clampedStart = std::clamp(start, -kFarAway<Real>, kFarAway<Real>);
  offset = std::clamp(end, -kFarAway<Real>, kFarAway<Real>) - clampedStart;
  start = clampedStart;
}

// A one-pixel line from (x, y) by the offset (dx, dy), end pixel excluded.
template <typename Real>
void DrawFarRelativeLine(Real x, Real y, Real dx, Real dy, ColorRef color) {
  ClampRelative(x, dx);
  ClampRelative(y, dy);
  CanvasMoveTo(static_cast<float>(x), static_cast<float>(y), 0);
  CanvasLineTo(static_cast<float>(dx), static_cast<float>(dy), color, 1);
}

}  // namespace ip

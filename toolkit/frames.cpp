// Shaded frames and bevels: stacks of one-pixel lines round the current
// canvas, each line one shade step darker than the one outside it.
#include "instrument_panel/frames.h"

#include <algorithm>

#include "instrument_panel/canvas.h"
#include "instrument_panel/colors.h"
#include "platform/rounding.h"

namespace ip {

namespace {

constexpr double kFullShade = 255.0;

// The shade of step `step` of `steps`: round(255 * step / steps), ties to even.
int32_t StepShade(int32_t step, int32_t steps) { return RoundToInt(kFullShade * step / steps); }

void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ColorRef color) {
  CanvasMoveTo(static_cast<float>(x1), static_cast<float>(y1), 0);
  CanvasLineTo(static_cast<float>(x2), static_cast<float>(y2), color, 0);
}

// Rings and lines with an index above max(W, H) lie wholly outside the
// canvas; stopping there draws the same picture for any thickness, however large.
int32_t VisibleSteps(int32_t thickness, const IntPair& size) {
  return std::min(thickness, std::max(size.first, size.second) + 1);
}

}  // namespace

// Ring i is the outline from (i, i) to (W - i, H - i) with shade 255 * i / N.
void DrawBoxFrame(int32_t thickness, const std::string& colorName) {
  const IntPair size = CanvasGetSize();
  const int32_t steps = VisibleSteps(thickness, size);
  for (int32_t i = 0; i < steps; ++i) {
    const ColorRef color = ColorFromName(colorName, StepShade(i, thickness));
    CanvasBox(static_cast<float>(i), static_cast<float>(i), static_cast<float>(size.first - i),
              static_cast<float>(size.second - i), 0, color, kColorNone, 0);
  }
}

// Left and top edges; the outermost line has the full colour.
void DrawBevelTopLeft(int32_t thickness, const std::string& colorName) {
  if (thickness < 1) return;
  const IntPair size = CanvasGetSize();
  const int32_t w = size.first, h = size.second;
  const int32_t steps = VisibleSteps(thickness, size);
  for (int32_t i = 0; i < steps; ++i) {
    const ColorRef color = ColorFromName(colorName, StepShade(i, thickness));
    DrawLine(i, i, i, h - i, color);
    DrawLine(i, i, w - i, i, color);
  }
}

// Right and bottom edges, drawn from the outside in; the innermost line has
// the full colour and the outermost is the darkest.
void DrawBevelBottomRight(int32_t thickness, const std::string& colorName) {
  if (thickness < 1) return;
  const IntPair size = CanvasGetSize();
  const int32_t w = size.first, h = size.second;
  for (int32_t i = VisibleSteps(thickness, size); i >= 1; --i) {
    const ColorRef color = ColorFromName(colorName, StepShade(thickness - i, thickness));
    DrawLine(w - i, i - 1, w - i, h - i, color);
    DrawLine(i, h - i, w - i + 1, h - i, color);
  }
}

}  // namespace ip

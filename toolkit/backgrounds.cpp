// Panel backgrounds: the inside of an instrument's frame, painted with one
// or two one-pixel lines per row or column (patterns 0, 1, 2, 4, 5), nested
// filled boxes (pattern 3) or the control's own bitmap stretched (pattern 6).
// Every shade is computed in floating point and rounded to nearest, ties to even.
#include "instrument_panel/backgrounds.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "host/error_report.h"
#include "host/stretch_memo.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/colors.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/keys.h"
#include "platform/rounding.h"
#include "toolkit/far_lines.h"

namespace ip {

namespace {

// The control user value slot that holds the instrument's bitmap canvas (its
// only, or OFF, face), put there when the instrument was created with a bitmap.
constexpr int32_t kSlotBitmapFace = 2;

constexpr double kFullShade = 255.0;
constexpr double kBandShadeStart = 205.0;   // pattern 3 with a colour name: first band box
constexpr double kBandShadeSpan = 600.0;    // pattern 3: shade change per canvas height
constexpr int32_t kBandGreenLift = 45;      // pattern 3 without a colour name: green above red and blue
constexpr double kBandFraction = static_cast<double>(0.1f);  // pattern 3: band width per canvas size

struct Area {
  int32_t w = 0;  // canvas width
  int32_t h = 0;  // canvas height
  int32_t t = 0;  // frame width
};

// Coordinates and lines are clamped far outside the canvas, which keeps
// absurd frame widths away from the integer conversion of the canvas.
constexpr auto Coord = &FarClampedCoord<double>;
constexpr auto DrawRelativeLine = &DrawFarRelativeLine<double>;

// The loop counters j of the line patterns draw rows or columns j - 1 and
// size - j, which lie on the canvas only for j in 1..size. Skipping the other
// values of j changes nothing on the canvas; it keeps a negative frame width
// from running the loop billions of times.
// Computed in 64 bits, so that no frame width overflows them.
int64_t FirstVisible(int32_t frameWidth) { return std::max<int64_t>(int64_t{frameWidth} + 1, 1); }
int64_t LastVisible(int64_t last, int32_t size) { return std::min<int64_t>(last, size); }

ColorRef Shade(const std::string& fillColor, double shade) { return ColorFromName(fillColor, RoundToInt(shade)); }

// 0: horizontal cylinder, rows drawn from the top and bottom inward.
void DrawHorizontalCylinder(const Area& a, const std::string& fill) {
  const int64_t last = LastVisible(RoundToInt(a.h / 2.0), a.h);
  for (int64_t j = FirstVisible(a.t); j <= last; ++j) {
    const ColorRef color = Shade(fill, kFullShade - kFullShade * j / a.h);
    DrawRelativeLine(a.t, static_cast<double>(j - 1), a.w - 2.0 * a.t, 0, color);
    DrawRelativeLine(a.t, a.h - j, a.w - 2.0 * a.t, 0, color);
  }
}

// 1: dark at the bottom, light at the top. 4: dark at the top, light at the bottom.
void DrawVerticalRamp(const Area& a, const std::string& fill, bool darkAtTop) {
  const int64_t last = LastVisible(int64_t{a.h} - a.t, a.h);
  for (int64_t j = FirstVisible(a.t); j <= last; ++j) {
    const ColorRef color = Shade(fill, kFullShade - kFullShade * j / a.h);
    const int64_t row = darkAtTop ? j - 1 : a.h - j;
    DrawRelativeLine(a.t, static_cast<double>(row), a.w - 2.0 * a.t, 0, color);
  }
}

// 2: vertical cylinder (dark sides). 5: vertical groove (light sides).
// The loop runs one column past the middle, so the halves overlap there.
void DrawVerticalColumns(const Area& a, const std::string& fill, bool groove) {
  const int64_t last = LastVisible(RoundToInt(a.w / 2.0 + 1), a.w);
  for (int64_t j = FirstVisible(a.t); j <= last; ++j) {
    const double distance = groove ? static_cast<double>(a.w) - a.t - 1 - j : static_cast<double>(j);
    const ColorRef color = Shade(fill, kFullShade - kFullShade * distance / a.w);
    DrawRelativeLine(static_cast<double>(j - 1), a.t, 0, a.h - 2.0 * a.t, color);
    DrawRelativeLine(a.w - j, a.t, 0, a.h - 2.0 * a.t, color);
  }
}

// 3: nested filled boxes anchored at the bottom-right inner corner, leaving a
// shaded band along the top and left inner edges.
void DrawShadedBand(const Area& a, const std::string& fill) {
  const int32_t n = RoundToInt(kBandFraction * std::min(a.w, a.h));
  for (int32_t j = 0; j <= n; ++j) {
    ColorRef color;
    if (!fill.empty()) {
      color = Shade(fill, kBandShadeStart - kBandShadeSpan * j / a.h);
    } else {
      const int32_t s = RoundToInt(kBandShadeSpan * j / a.h);
      color = MakeColor(s, s + kBandGreenLift, s);
    }
    CanvasBox(Coord(static_cast<double>(a.t) + j), Coord(static_cast<double>(a.t) + j),
              Coord(static_cast<double>(a.w) - a.t), Coord(static_cast<double>(a.h) - a.t), 0, color, color, 0);
  }
}

// 6: the bitmap canvas kept in slot 2, stretched corner to corner over the
// inner area (inclusive corners: one column and row over the frame). The
// same stretch comes back on every repaint, so its pixels are kept.
void DrawBitmapBackground(Handle dialog, int32_t id, const Area& a) {
  const Handle bitmap = static_cast<Handle>(GetControlUserValue(GetControlHandle(dialog, id), kSlotBitmapFace));
  CanvasStretchRepeated(bitmap, id, 0, 0, static_cast<float>(a.w), static_cast<float>(a.h), Coord(a.t), Coord(a.t),
                        Coord(static_cast<double>(a.w) - a.t), Coord(static_cast<double>(a.h) - a.t));
}

}  // namespace

void DrawPanelBackground(Handle dialog, int32_t id, int32_t frameWidth, const std::string& fillColor,
                         int32_t pattern) {
  CanvasAttach(dialog, id, kAttachRedrawOnRequest);
  const IntPair size = CanvasGetSize();
  // Nothing can be drawn on a canvas without pixels; returning here also keeps
  // the shade formulas, which divide by the canvas size, away from zero.
  if (size.first <= 0 || size.second <= 0) return;
  const Area area{size.first, size.second, frameWidth};
  switch (pattern) {
    case pattern::kHorizontalCylinder: DrawHorizontalCylinder(area, fillColor); break;
    case pattern::kLightTop: DrawVerticalRamp(area, fillColor, false); break;
    case pattern::kVerticalCylinder: DrawVerticalColumns(area, fillColor, false); break;
    case pattern::kShadedBand: DrawShadedBand(area, fillColor); break;
    case pattern::kLightBottom: DrawVerticalRamp(area, fillColor, true); break;
    case pattern::kVerticalGroove: DrawVerticalColumns(area, fillColor, true); break;
    case pattern::kBitmap: DrawBitmapBackground(dialog, id, area); break;
    default:  // any other pattern leaves the inside as it was
      ReportUnknown(ErrorCode::kUnknownBackgroundPattern, std::to_string(pattern));
      break;
  }
}

}  // namespace ip

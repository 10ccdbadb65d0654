// Whole-pixel display scaling: with a scale of N, each pixel of a window
// covers N x N screen pixels. The window system keeps working in window
// pixels ("logical" coordinates, screen pixels divided by N); only the
// backend meets real screen pixels. Because every window pixel becomes a
// block of identical screen pixels, every pixel rule of the drawing holds
// exactly at any scale.
#pragma once

#include <vector>

#include "platform/surface.h"
#include "platform/window_system.h"

namespace ip::platform {

// Screen pixels per inch that ask for a scale of 1.
constexpr double kBaseDotsPerInch = 96.0;
// An automatic scale leaves at least a tenth of the work area free in each
// direction: the scaled window takes at most kAutoFitNumerator /
// kAutoFitDenominator of the work area's width and height.
constexpr int kAutoFitNumerator = 9;
constexpr int kAutoFitDenominator = 10;

// Division rounding toward minus infinity and toward plus infinity (divisor > 0).
int FloorDiv(int value, int divisor);
int CeilDiv(int value, int divisor);

// The work area in window pixels: the whole window pixels inside the real one.
Rect LogicalWorkArea(Rect real, int scale);

// The scale the display asks for: its pixels per inch over 96, to the nearest
// whole factor (halves up), within 1..maxScale; 1 when the density is unknown
// (zero, negative or not a number).
int ScaleForDensity(double dotsPerInch, int maxScale);

// The automatic scale: the largest factor, up to what the display's density
// asks for, at which an outer window of outerWidth x outerHeight window pixels
// fits the real work area with room to spare; 1 when none does.
int ChooseAutoScale(Rect realWorkArea, double dotsPerInch, int outerWidth, int outerHeight, int maxScale);

// Copies rectangle `area` of `source` (inside it), each pixel repeated
// scale x scale times, into `target` with its top-left corner at `to`.
// `target` must hold the whole scaled rectangle there.
void ReplicatePixels(const Surface& source, Rect area, int scale, Surface& target, Point to);
// The same into memory that is not a surface (an image shared with the
// display server): `target` is where the scaled rectangle's top-left pixel
// goes, with rows `targetPitch` pixels apart.
void ReplicatePixels(const Surface& source, Rect area, int scale, Pixel* target, size_t targetPitch);

// A copy of `source` scale times larger in both directions.
Surface ScaledCopy(const Surface& source, int scale);

}  // namespace ip::platform

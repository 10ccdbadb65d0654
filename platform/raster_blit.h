// Block copies and stretch copies between pixel surfaces, combined with the
// destination by a raster operation.
//
// Rectangles are (x, y, width, height) in pixels. A block copy clips once
// against both surfaces: pixels that would come from outside the source or
// land outside the destination are left alone. A stretch copy resamples the
// source rectangle to the destination size with the BLACKONWHITE rule:
// enlarging repeats source pixels, shrinking ANDs together all source pixels
// that land on one destination pixel. A negative width or height mirrors
// that axis; the rectangle then runs from x + width + 1 to x inclusive.
#pragma once

#include <cstdint>

#include "platform/surface.h"

namespace ip::platform {

// Raster operations, with the values the Windows API gives them. Each works
// on every bit of the pixel (S = source, D = destination).
enum class RasterOp : uint32_t {
  kSrcCopy = 0x00CC0020,      // S
  kSrcPaint = 0x00EE0086,     // S | D
  kSrcAnd = 0x008800C6,       // S & D
  kSrcInvert = 0x00660046,    // S ^ D
  kSrcErase = 0x00440328,     // S & ~D
  kNotSrcCopy = 0x00330008,   // ~S
  kNotSrcErase = 0x001100A6,  // ~(S | D)
  kMergePaint = 0x00BB0226,   // ~S | D
};

// The result of one raster operation on one pixel. The unused top byte of
// the result is always 0, so surfaces keep their 0x00RRGGBB form.
Pixel ApplyRasterOp(RasterOp op, Pixel source, Pixel destination);

// Copies the width x height block at (sourceX, sourceY) of `source` to
// (destX, destY) of `dest`. Non-positive sizes copy nothing.
void BlockCopy(Surface& dest, int destX, int destY, int width, int height, const Surface& source, int sourceX,
               int sourceY, RasterOp op);

// Resamples the source rectangle into the destination rectangle (BLACKONWHITE
// stretch mode) and combines it with the destination. Equal extents are a
// plain block copy (mirrored when exactly one of the two extents is negative).
// Either extent 0 draws nothing. Source pixels outside the source surface are
// never read: destination pixels fed only by them are left untouched.
void StretchCopy(Surface& dest, int destX, int destY, int destWidth, int destHeight, const Surface& source,
                 int sourceX, int sourceY, int sourceWidth, int sourceHeight, RasterOp op);

// Makes a width x height copy of the whole of `source` with the BLACKONWHITE
// rule (an empty surface when either is empty or the size is too large).
Surface StretchSurface(const Surface& source, int width, int height);

}  // namespace ip::platform

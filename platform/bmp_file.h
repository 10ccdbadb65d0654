// Windows bitmap (BMP) files: decoding to a pixel surface and scaling a
// picture to the size it is shown at.
//
// Decoded: 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed (BI_RGB) or
// with channel masks (BI_BITFIELDS), rows stored bottom-up or top-down, with
// the core (12-byte), info (40-byte), V2/V3 (52/56-byte), V4 and V5 headers.
// Every size and offset is checked against the data before it is used; a
// truncated, malformed or too large file decodes to nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/surface.h"

namespace ip::platform {

// A decoded file picture at its own size.
struct BmpPicture {
  Surface pixels;
  int bitsPerPixel = 0;
};

// Decodes a BMP file held in memory. False (and `out` untouched) when the
// data is not a well-formed BMP this decoder supports.
bool DecodeBmp(const uint8_t* data, size_t size, BmpPicture& out);

// Reads and decodes a BMP file. False when it cannot be read or decoded.
bool ReadBmpFile(const std::string& path, BmpPicture& out);

// Scales a picture to width x height the way the system's picture loader
// does: pictures of more than one bit per pixel by bilinear sampling (top-left
// aligned, clamped at the edges, rounded per channel), one-bit pictures by
// the BLACKONWHITE stretch rule. Empty for a non-positive or too large size.
Surface ScalePicture(const BmpPicture& picture, int width, int height);

// ReadBmpFile followed by ScalePicture; an empty surface on any failure.
Surface LoadBmpScaled(const std::string& path, int width, int height);

}  // namespace ip::platform

// PNG files: writing a surface as 8-bit RGB (screenshots, case renders) and
// reading 8-bit RGB or RGBA pictures back (tests).
#pragma once

#include <string>

#include "platform/surface.h"

namespace ip::platform {

// Writes through a temporary file renamed into place (file_access.h): a
// failed write leaves no partial picture and keeps an older file whole. False
// with the reason when the picture is empty or cannot be written.
bool WritePngFile(const std::string& path, const Surface& surface, std::string& reason);
bool WritePngFile(const std::string& path, const Surface& surface);
// Reads a regular file only; false when it cannot be read or decoded.
bool ReadPngFile(const std::string& path, Surface& out);

}  // namespace ip::platform

// PNG files: writing a surface as 8-bit RGB (screenshots, case renders) and
// reading 8-bit RGB or RGBA pictures back (tests).
#pragma once

#include <string>

#include "platform/surface.h"

namespace ip::platform {

bool WritePngFile(const std::string& path, const Surface& surface);
bool ReadPngFile(const std::string& path, Surface& out);

}  // namespace ip::platform

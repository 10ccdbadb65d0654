// The one handle space shared by windows and bitmap canvases.
#pragma once

#include <cstdint>

namespace ip::platform {

// Returns a fresh, never reused, non-zero 32-bit handle.
uint32_t NewHandle();

}  // namespace ip::platform

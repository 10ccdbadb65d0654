// The headless backend: an offscreen window on a fixed virtual desktop, a
// virtual clock that jumps from one timer deadline or scripted input to the
// next without waiting, scripted input applied at its times, and the picture
// of the client area as last shown. The same settings give the same picture.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/clock.h"
#include "platform/surface.h"
#include "platform/window_system.h"

namespace ip::platform {

// The virtual desktop: a 1920 x 1080 screen with a 40-pixel task bar at the
// bottom, and a frame of 8 pixels with a 31-pixel caption around windows.
constexpr Rect kHeadlessScreen{0, 0, 1920, 1080};
constexpr Rect kHeadlessWorkArea{0, 0, 1920, 1040};
constexpr FrameInsets kHeadlessFrame{8, 31, 8, 8};

// Forgets every window and makes the headless backend current with a virtual
// clock starting at settings.clockStart.
void StartHeadlessBackend(const HeadlessSettings& settings);
// The client area as it was last shown (empty before the window was shown).
const Surface& HeadlessShownPicture();

}  // namespace ip::platform

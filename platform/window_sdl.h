// The real-window backend (SDL2): a fixed-size window whose client area
// shows the back buffer, placed where the window system puts it, with mouse,
// Escape, Enter and the close button as input. The loop blocks until the
// next input or timer deadline: in poll() on the X connection on a local X
// server (platform/x11_window.h), in SDL_WaitEventTimeout elsewhere.
#pragma once

#include <string>

#include "instrument_panel/session.h"

namespace ip::platform {

// Forgets every window and makes the SDL2 backend current at the settings'
// display scale (already checked; kAutoDisplayScale is chosen here from the
// display). False, with the reason in `error`, when no display can be opened.
bool StartSdlBackend(const RealWindowSettings& settings, std::string& error);
// The display scale in force (the automatic one resolved).
int SdlDisplayScale();

}  // namespace ip::platform

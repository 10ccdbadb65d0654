// How the windows of a run are shown: in a real window on the desktop, or
// headless (offscreen, on a virtual clock with scripted input, the client
// area kept as a picture). Choosing one starts a fresh window system.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window_headless.h"

using ClockTime = platform::LocalTime;
using ScriptedInput = platform::ScriptedInput;
using HeadlessSettings = platform::HeadlessSettings;

// Opens the desktop for a real window. False, with the reason, without a display.
bool StartRealWindowSession(std::string& error);
// Closes the session's windows and releases the desktop; the idle headless
// backend stays.
void EndWindowSession();
// Starts a headless run: the virtual clock starts at settings.clockStart and
// the modal loop returns after settings.runMs virtual milliseconds at most.
void StartHeadlessSession(const HeadlessSettings& settings);
// Milliseconds on the session's monotonic clock (virtual in a headless run,
// where it starts at 0).
int64_t SessionClockMs();
// The local time now (real, before any session is started).
ClockTime LocalClockNow();
// Writes the client area as last shown in a headless run to a PNG file.
bool WriteShownPicture(const std::string& path);

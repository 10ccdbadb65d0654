// The real window's own X11 path, beside SDL, for a window SDL made on a
// local X server: presenting through a MIT-SHM image of our own
// (x11_present.cpp) and waiting in poll() on the X connection and an eventfd
// (x11_wait.cpp). SDL still makes the window and translates its events; these
// only replace the per-frame round trip of SDL's window surface and the
// repeated reads of SDL's event wait. Each part says whether it could start;
// the SDL backend keeps SDL's own way for whatever did not.
//
// Terms: "the connection" is the Xlib display connection SDL opened; "screen
// pixels" are the window's own pixels, the back buffer's multiplied by the
// display scale.
#pragma once

#include <string>
#include <vector>

#include "platform/surface.h"
#include "platform/window_system.h"

struct _XDisplay;  // Xlib's Display, kept out of this header with its macros

namespace ip::platform {

using X11Window = unsigned long;  // Xlib's Window (an XID)

// ---- presenting (x11_present.cpp) ----

// Starts presenting to `window`, whose size is the back buffer's times
// `scale`. False, with the reason, when the server has no shared memory for
// us (no MIT-SHM, a remote server) or the window's pixels are not 32-bit
// 0x00RRGGBB; nothing is kept then.
bool StartX11Present(_XDisplay* display, X11Window window, int width, int height, int scale, std::string& reason);
// Frees the image and its shared memory (before the window goes).
void StopX11Present();
bool X11PresentActive();
// Copies the `changed` rectangles of the back buffer into the image at the
// display scale and has the server put each on the window, without waiting.
void X11Present(const Surface& backBuffer, const std::vector<Rect>& changed);
// Puts the whole image on the window again (it was exposed).
void X11PresentAgain();

// ---- waiting (x11_wait.cpp) ----

// The eventfd other threads write to wake the wait; made when the backend
// starts, closed when it shuts down (nothing may wake it after that).
bool OpenX11Wake();
void CloseX11Wake();
// Any thread: makes the wait in progress, or the next one, return at once.
void X11Wake();

// Waits on `display`'s connection from now on; false when there is no wake
// to wait on as well.
bool WatchX11Connection(_XDisplay* display);
void ForgetX11Connection();
bool X11Watching();  // any thread

// True when events wait in Xlib's queue already (read, not yet taken).
bool X11EventsWaiting();
// Moves the events the connection's library read ahead, while waiting for a
// reply, into Xlib's queue, where X11EventsWaiting sees them; call after SDL
// read the connection.
void X11SettleQueue();
// True when something can be read now: queued in Xlib, or on the connection.
bool X11InputReady();
// Blocks until the connection has something to read, a wake, a signal, or
// timeoutMs (negative: no limit) passes. True when input should be read: the
// connection is readable or closed, or a signal came (SDL turns a pending
// quit signal into an event while reading).
bool WaitForX11(int timeoutMs);

}  // namespace ip::platform

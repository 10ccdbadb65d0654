// What a window-system backend provides: the desktop geometry, the native
// window that shows a top-level window's back buffer, and waiting for input.
// Used by the window system and implemented by the real (SDL2) and the
// headless backend; nothing above platform/ sees it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "platform/window_system.h"

namespace ip::platform {

struct Backend {
  Rect (*workArea)();
  FrameInsets (*frameInsets)();
  // A top-level window becomes visible: `client` is its client area in screen
  // coordinates, `utf8Title` its title.
  void (*showWindow)(uint32_t window, const std::string& utf8Title, Rect client);
  // The shown window was destroyed.
  void (*closeWindow)(uint32_t window);
  // Shows the `changed` rectangles of the back buffer (the client area) on
  // screen; the rest of the screen still shows what it showed.
  void (*present)(const Surface& backBuffer, const std::vector<Rect>& changed);
  // Queues input that is available now without waiting; true if it queued any.
  bool (*pollInput)();
  // Waits until input arrives or the monotonic clock reaches deadlineMs
  // (negative: no deadline) and queues what arrived. False when the session
  // is over and no more input or time will come.
  bool (*waitInput)(int64_t deadlineMs);
  // Releases the backend's resources.
  void (*shutdown)();
  // Any thread: makes a waitInput in progress (or the next one) return at
  // once. Called with the inbox locked (platform/message_inbox.h); nullptr
  // for a backend that never waits in real time.
  void (*wake)();
  // How much later than due a timer may run so that timers due within this
  // many milliseconds of each other run in one wake of the loop (0: each at
  // its own time, as the virtual clock needs for reproducible runs).
  int64_t timerSlackMs = 0;
};

// Makes `backend` current after shutting the previous one down, and forgets
// every window (ResetWindowSystem). nullptr selects the idle headless backend.
void InstallBackend(const Backend* backend);
const Backend& CurrentBackend();

// The idle backend: a fixed desktop, no input, and a session that is over
// as soon as the loop would wait.
const Backend& IdleBackend();

}  // namespace ip::platform

// Waiting for the real window's input on X11 with as few system calls as a
// wake allows: one poll() on the X connection and on an eventfd that other
// threads write to wake the loop. SDL reads the connection only when poll()
// said there is something to read, instead of asking the server on every
// wait and every turn of the loop.
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>

#include "platform/x11_window.h"

namespace ip::platform {

namespace {

// The eventfd's descriptor, or -1; read by the threads that wake the loop.
std::atomic<int> wake_fd{-1};
// The connection waited on, or nullptr; the waking threads ask whether there is one.
std::atomic<Display*> watched_display{nullptr};

// Takes what the wakes wrote, so that the next poll() blocks again.
void DrainWake() {
  uint64_t count = 0;
  while (read(wake_fd.load(), &count, sizeof count) > 0) {
  }
}

}  // namespace

bool OpenX11Wake() {
  if (wake_fd.load() >= 0) return true;
  wake_fd.store(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
  return wake_fd.load() >= 0;
}

void CloseX11Wake() {
  const int fd = wake_fd.exchange(-1);
  if (fd >= 0) close(fd);
}

// A full counter (after 2^64 - 2 wakes nobody took) refuses the write; the
// wait returns at once then anyway.
void X11Wake() {
  const int fd = wake_fd.load();
  if (fd < 0) return;
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(fd, &one, sizeof one);
}

bool WatchX11Connection(_XDisplay* display) {
  watched_display.store(wake_fd.load() >= 0 ? display : nullptr);
  return X11Watching();
}

void ForgetX11Connection() { watched_display.store(nullptr); }

bool X11Watching() { return watched_display.load() != nullptr; }

// Xlib's queue holds only what Xlib has taken from the library beneath it
// (XCB), which also reads whatever the server sent whenever it waits to send
// requests or for a reply, and keeps the events it found. Those are no
// longer on the connection for poll() to see. Every XFlush takes them over
// into Xlib's queue (Xlib asks for the events after reading as part of a
// flush), and a frame's present and SDL's reading both end in one; after
// SDL reads, X11SettleQueue does the same in case SDL waited for a reply
// since. So asking Xlib's queue is enough, and costs no system call.
bool X11EventsWaiting() {
  Display* display = watched_display.load();
  return display != nullptr && XEventsQueued(display, QueuedAlready) > 0;
}

void X11SettleQueue() {
  Display* display = watched_display.load();
  if (display != nullptr) XEventsQueued(display, QueuedAfterReading);
}

bool X11InputReady() {
  Display* display = watched_display.load();
  if (display == nullptr) return false;
  if (XEventsQueued(display, QueuedAlready) > 0) return true;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  return poll(&connection, 1, 0) > 0;
}

bool WaitForX11(int timeoutMs) {
  Display* display = watched_display.load();
  if (display == nullptr) return true;
  pollfd watched[] = {{ConnectionNumber(display), POLLIN, 0}, {wake_fd.load(), POLLIN, 0}};
  const int ready = poll(watched, 2, timeoutMs < 0 ? -1 : timeoutMs);
  if (ready < 0) return true;  // a signal (EINTR): SDL reads the quit it asks for
  if (watched[1].revents != 0) DrainWake();
  return watched[0].revents != 0;
}

}  // namespace ip::platform

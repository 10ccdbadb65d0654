// Waiting for the real window's input on X11 with as few system calls as a
// wake allows: one poll() on the X connection and on an eventfd that other
// threads write to wake the loop. SDL reads the connection only when poll()
// said there is something to read, instead of asking the server on every
// wait and every turn of the loop.
//
// A quit signal (SIGINT, SIGTERM) reaches SDL through SDL's own handler,
// which only notes it for the next time SDL reads events; waiting without
// SDL would leave it unnoticed until the next input. So while the wait is in
// use a handler of ours goes first: it notes the signal, wakes the wait, and
// hands the signal on to the handler it replaced.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
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

constexpr int kQuitSignals[] = {SIGINT, SIGTERM};
constexpr int kQuitSignalCount = static_cast<int>(sizeof kQuitSignals / sizeof kQuitSignals[0]);
// What handled each quit signal before ours (while ours is installed).
struct sigaction replaced_actions[kQuitSignalCount];
bool handlers_installed = false;
// Set by the handler, taken by the wait.
std::atomic<bool> signal_came{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

void NoteQuitSignal(int number, siginfo_t* info, void* context);

struct sigaction OurAction() {
  struct sigaction ours {};
  ours.sa_sigaction = NoteQuitSignal;
  ours.sa_flags = SA_SIGINFO | SA_RESTART;
  sigemptyset(&ours.sa_mask);
  return ours;
}

// Only what is safe in a signal handler: an atomic store, write(), sigaction().
void NoteQuitSignal(int number, siginfo_t* info, void* context) {
  const int savedErrno = errno;
  signal_came.store(true);
  X11Wake();
  for (int i = 0; i < kQuitSignalCount; ++i) {
    if (kQuitSignals[i] != number) continue;
    const struct sigaction& replaced = replaced_actions[i];
    if ((replaced.sa_flags & SA_SIGINFO) != 0) {
      replaced.sa_sigaction(number, info, context);
    } else {
      replaced.sa_handler(number);
    }
    // SDL's handler puts itself back with signal(); ours goes first again.
    const struct sigaction ours = OurAction();
    sigaction(number, &ours, nullptr);
  }
  errno = savedErrno;
}

bool IsHandlerFunction(const struct sigaction& action) {
  if ((action.sa_flags & SA_SIGINFO) != 0) return action.sa_sigaction != nullptr;
  return action.sa_handler != SIG_DFL && action.sa_handler != SIG_IGN && action.sa_handler != nullptr;
}

// Goes in front of the quit signals' handlers where there is one (SDL's,
// unless it was told to leave signals alone); a default or ignored signal
// stays as it is.
void InstallQuitHandlers() {
  if (handlers_installed) return;
  const struct sigaction ours = OurAction();
  for (int i = 0; i < kQuitSignalCount; ++i) {
    struct sigaction current {};
    sigaction(kQuitSignals[i], nullptr, &current);
    replaced_actions[i] = current;
    if (IsHandlerFunction(current)) sigaction(kQuitSignals[i], &ours, nullptr);
  }
  handlers_installed = true;
}

// Puts back what ours replaced, where ours is still in place.
void RemoveQuitHandlers() {
  if (!handlers_installed) return;
  for (int i = 0; i < kQuitSignalCount; ++i) {
    struct sigaction current {};
    sigaction(kQuitSignals[i], nullptr, &current);
    const bool ours = (current.sa_flags & SA_SIGINFO) != 0 && current.sa_sigaction == NoteQuitSignal;
    if (ours) sigaction(kQuitSignals[i], &replaced_actions[i], nullptr);
  }
  handlers_installed = false;
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
  if (X11Watching()) InstallQuitHandlers();
  return X11Watching();
}

void ForgetX11Connection() {
  RemoveQuitHandlers();
  watched_display.store(nullptr);
}

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
  if (display == nullptr || signal_came.exchange(false)) return true;
  pollfd watched[] = {{ConnectionNumber(display), POLLIN, 0}, {wake_fd.load(), POLLIN, 0}};
  const int ready = poll(watched, 2, timeoutMs < 0 ? -1 : timeoutMs);
  if (ready < 0) return true;  // interrupted by a signal: SDL reads the quit it asks for
  if (watched[1].revents != 0) DrainWake();
  return watched[0].revents != 0 || signal_came.exchange(false);
}

}  // namespace ip::platform

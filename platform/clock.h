// The local clock. The real clock by default; the headless backend replaces
// it with a virtual one so that runs are reproducible.
#pragma once

#include <chrono>
#include <cstdint>

#include "instrument_panel/session.h"

namespace ip::platform {

// The local time of day now (real or virtual).
ClockTime LocalTimeNow();

// The local time of day at a moment of the real clock.
ClockTime LocalTimeAt(std::chrono::system_clock::time_point when);

// Milliseconds on a monotonic clock (real or virtual); used for timers.
int64_t MonotonicMs();

// Replaces the clock with a virtual one: the local time at virtual 0 ms and
// the virtual milliseconds elapsed since. Cleared with UseRealClock().
void UseVirtualClock(ClockTime start);
void AdvanceVirtualClock(int64_t milliseconds);
void UseRealClock();
bool ClockIsVirtual();

}  // namespace ip::platform

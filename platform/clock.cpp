// The local clock, real (std::chrono and localtime_r) or virtual. The real
// clock converts each whole second to the local time of day once: the
// conversion of the last second seen is kept, keyed on that second.
#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace ip::platform {

namespace {

struct VirtualClock {
  bool active = false;
  int64_t startMsOfDay = 0;
  int64_t elapsedMs = 0;
};

VirtualClock virtual_clock;

constexpr int64_t kMsPerDay = 24LL * 3600 * 1000;

ClockTime FromMsOfDay(int64_t ms) {
  ms %= kMsPerDay;
  if (ms < 0) ms += kMsPerDay;
  ClockTime t;
  t.hour = static_cast<int>(ms / 3600000);
  t.minute = static_cast<int>(ms / 60000 % 60);
  t.second = static_cast<int>(ms / 1000 % 60);
  t.millisecond = static_cast<int>(ms % 1000);
  return t;
}

}  // namespace

ClockTime LocalTimeAt(std::chrono::system_clock::time_point when) {
  // The local hour, minute and second of the last whole second converted.
  struct SecondMemo {
    bool valid = false;
    std::time_t seconds = 0;
    ClockTime time;
  };
  thread_local SecondMemo memo;
  const auto sinceEpoch = when.time_since_epoch();
  const auto wholeSeconds = std::chrono::floor<std::chrono::seconds>(sinceEpoch);
  const std::time_t seconds = static_cast<std::time_t>(wholeSeconds.count());
  if (!memo.valid || memo.seconds != seconds) {
    std::tm local{};
    localtime_r(&seconds, &local);
    memo = {true, seconds, ClockTime{local.tm_hour, local.tm_min, local.tm_sec, 0}};
  }
  ClockTime time = memo.time;
  time.millisecond = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch - wholeSeconds).count());
  return time;
}

ClockTime LocalTimeNow() {
  if (virtual_clock.active) return FromMsOfDay(virtual_clock.startMsOfDay + virtual_clock.elapsedMs);
  return LocalTimeAt(std::chrono::system_clock::now());
}

int64_t MonotonicMs() {
  if (virtual_clock.active) return virtual_clock.elapsedMs;
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void UseVirtualClock(ClockTime start) {
  virtual_clock.active = true;
  virtual_clock.startMsOfDay =
      ((start.hour * 60LL + start.minute) * 60 + start.second) * 1000 + start.millisecond;
  virtual_clock.elapsedMs = 0;
}

void AdvanceVirtualClock(int64_t milliseconds) {
  if (milliseconds > 0) virtual_clock.elapsedMs += milliseconds;
}

void UseRealClock() { virtual_clock = VirtualClock{}; }

bool ClockIsVirtual() { return virtual_clock.active; }

}  // namespace ip::platform

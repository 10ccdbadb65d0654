// The local clock, real (std::chrono and localtime_r) or virtual.
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

ClockTime LocalTimeNow() {
  if (virtual_clock.active) return FromMsOfDay(virtual_clock.startMsOfDay + virtual_clock.elapsedMs);
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  return ClockTime{local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ms)};
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

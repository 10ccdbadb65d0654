// Long headless runs of the demonstration panel under random mouse input,
// and the checks that a run ended sane. scripts/soak.sh (./test --soak) runs
// one simulated hour this way and compares its peak memory with a minute's.
//
//   soak events SEED COUNT SPAN_MS FILE
//       Writes an events file of COUNT random actions (moves, clicks, and
//       drags with the left or right button) spread over SPAN_MS virtual
//       milliseconds. The same SEED gives the same file. No drag is under
//       way at a whole multiple of ten seconds, so that a run of that
//       length ends with both buttons up.
//   soak run HH:MM:SS[.mmm] RUN_MS FILE
//       Runs the panel as `instrument-panel --headless` does with that
//       clock, run length and events file, prints its peak resident memory,
//       then checks the end: the panel is open, the clock display shows the
//       time of the end exactly as a fresh run draws it, both mouse buttons
//       are up, and moving the mouse over any knob or draggable gauge turns
//       or drags nothing. Status 0 when every check holds, 1 when one fails,
//       2 for a usage error (a run length at which the file holds a button
//       down is one).
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "instrument_panel/dialog.h"
#include "instrument_panel/display.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/session.h"
#include "panel/command_line.h"
#include "panel/panel.h"
#include "platform/file_access.h"
#include "platform/window_headless.h"
#include "platform/window_system.h"

namespace {

using namespace ip;

constexpr int kUsageStatus = 2;
constexpr int32_t kClockDisplay = 408;
constexpr int64_t kReferenceRunMs = 1000;
constexpr int64_t kMsPerDay = 24 * 3600 * 1000;
constexpr int16_t kKeyDownBit = INT16_MIN;
// The instruments that follow the mouse on the panel.
constexpr int32_t kFirstKnob = 1401, kLastKnob = 1410;
constexpr int32_t kLongGauges[2] = {1000, 1007}, kTallGauges[2] = {1100, 1107};

// ---- the events file ----

// A 64-bit linear congruential generator (Knuth's MMIX constants): the same
// seed gives the same sequence on every machine and compiler.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  // A whole number 0..bound-1.
  int64_t Below(int64_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int64_t>((state_ >> 33) % static_cast<uint64_t>(bound));
  }

 private:
  uint64_t state_;
};

// Points on instruments that react to the mouse (knobs, draggable gauges,
// buttons and switches), so that a good share of the actions does something.
constexpr int kHotSpots[][2] = {{500, 280}, {478, 320}, {490, 340}, {209, 440}, {109, 440}, {545, 450},
                                {460, 450}, {455, 550}, {640, 177}, {640, 121}, {590, 50},  {604, 326}};
constexpr int kHotSpotCount = sizeof kHotSpots / sizeof kHotSpots[0];
constexpr int kHotSpotJitter = 20;
// A drag lasts at most five moves of at most 60 ms; none is under way at a
// multiple of kDragFreeMs.
constexpr int64_t kLongestDragMs = 5 * 60;
constexpr int64_t kDragFreeMs = 10000;

struct Point {
  int x, y;
};

Point RandomPoint(Random& random) {
  if (random.Below(2) == 0) return {static_cast<int>(random.Below(panel::kPanelWidth)),
                                    static_cast<int>(random.Below(panel::kPanelHeight))};
  const int* spot = kHotSpots[random.Below(kHotSpotCount)];
  return {spot[0] + static_cast<int>(random.Below(2 * kHotSpotJitter + 1)) - kHotSpotJitter,
          spot[1] + static_cast<int>(random.Below(2 * kHotSpotJitter + 1)) - kHotSpotJitter};
}

// One drag: press, two to five moves 20 to 60 ms apart, release. Returns the
// time of its last line.
int64_t WriteDrag(std::ostream& out, Random& random, int64_t at) {
  const char* button = random.Below(2) == 0 ? "left" : "right";
  Point p = RandomPoint(random);
  out << at << " move " << p.x << " " << p.y << "\n" << at << " down " << button << "\n";
  for (int64_t moves = 2 + random.Below(4); moves > 0; --moves) {
    at += 20 + random.Below(41);
    p = {p.x + static_cast<int>(random.Below(81)) - 40, p.y + static_cast<int>(random.Below(81)) - 40};
    out << at << " move " << p.x << " " << p.y << "\n";
  }
  out << at << " up " << button << "\n";
  return at;
}

std::string RandomEvents(uint64_t seed, int64_t count, int64_t spanMs) {
  Random random(seed);
  std::ostringstream out;
  out << "# " << count << " random moves, clicks and drags over " << spanMs << " ms (seed " << seed << ")\n";
  const int64_t meanGap = spanMs / count;
  int64_t at = 0;
  for (int64_t n = 0; n < count; ++n) {
    at += random.Below(2 * meanGap);
    const int64_t kind = random.Below(3);
    if (kind == 2) {
      if (at / kDragFreeMs != (at + kLongestDragMs) / kDragFreeMs) at = (at / kDragFreeMs + 1) * kDragFreeMs + 1;
      at = WriteDrag(out, random, at);
      continue;
    }
    const Point p = RandomPoint(random);
    out << at << (kind == 0 ? " move " : " click ") << p.x << " " << p.y << "\n";
  }
  return out.str();
}

int WriteEvents(uint64_t seed, int64_t count, int64_t spanMs, const std::string& path) {
  const std::string text = RandomEvents(seed, count, spanMs);
  std::string reason;
  const bool written = platform::WriteFileReplacing(
      path, [&text](std::FILE* file, std::string&) { return std::fputs(text.c_str(), file) >= 0; }, reason);
  if (!written) {
    std::fprintf(stderr, "soak: cannot write %s: %s\n", path.c_str(), reason.c_str());
    return 1;
  }
  return 0;
}

// ---- the run and its checks ----

std::string ClockText(const ClockTime& t) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", t.hour, t.minute, t.second, t.millisecond);
  return text;
}

// The time of day `ms` milliseconds after `start`, across midnight.
ClockTime ClockAfter(const ClockTime& start, int64_t ms) {
  int64_t of = ((int64_t{start.hour} * 60 + start.minute) * 60 + start.second) * 1000 + start.millisecond;
  of = ((of + ms) % kMsPerDay + kMsPerDay) % kMsPerDay;
  return {static_cast<int>(of / 3600000), static_cast<int>(of / 60000 % 60), static_cast<int>(of / 1000 % 60),
          static_cast<int>(of % 1000)};
}

// Whether the file's input up to `runMs` leaves a mouse button down.
bool LeavesButtonDown(const std::string& eventsFile, int64_t runMs) {
  std::vector<ScriptedInput> input;
  std::string error;
  if (eventsFile.empty() || !panel::ReadEventsFile(eventsFile, input, error)) return false;  // the run reports it
  bool down[2] = {false, false};
  for (const ScriptedInput& e : input) {
    if (e.timeMs > runMs) break;
    if (e.kind == ScriptedInput::Kind::kButtonDown || e.kind == ScriptedInput::Kind::kButtonUp) {
      down[e.button == MouseButton::kLeft ? 0 : 1] = e.kind == ScriptedInput::Kind::kButtonDown;
    }
  }
  return down[0] || down[1];
}

int64_t PeakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

bool RunPanel(const ClockTime& start, int64_t runMs, const std::string& eventsFile) {
  std::vector<std::string> args{"--headless", "--clock", ClockText(start), "--run-ms", std::to_string(runMs)};
  if (!eventsFile.empty()) args.insert(args.end(), {"--events", eventsFile});
  std::ostringstream out;
  const int status = panel::RunProgram(args, out, std::cerr);
  const std::string expected = "panel open at " + std::to_string(runMs) + " ms\n";
  if (status != panel::kExitOk || out.str() != expected) {
    std::fprintf(stderr, "soak: the run ended with status %d and '%s', not open at its end\n", status,
                 out.str().c_str());
    return false;
  }
  return true;
}

// The pixels of a control's rectangle on the shown picture.
std::vector<platform::Pixel> ShownControl(const platform::Surface& shown, int32_t id) {
  const IntPair at = GetControlLocation(panel::PanelHandle, id), size = GetControlSize(panel::PanelHandle, id);
  std::vector<platform::Pixel> pixels;
  for (int y = at.second; y < at.second + size.second; ++y) {
    for (int x = at.first; x < at.first + size.first; ++x) pixels.push_back(shown.Contains(x, y) ? shown.At(x, y) : 0);
  }
  return pixels;
}

bool ButtonsUp() {
  const bool leftUp = (GetAsyncKeyState(VK_LBUTTON) & kKeyDownBit) == 0;
  const bool up = leftUp && (GetAsyncKeyState(VK_RBUTTON) & kKeyDownBit) == 0;
  if (!up) std::fprintf(stderr, "soak: a mouse button is still down at the end\n");
  return up;
}

// What the mouse can change of an instrument: a knob's angle, a gauge's level.
float Reading(int32_t id) {
  if (id >= kFirstKnob) return static_cast<float>(GetKnobAngle(panel::PanelHandle, id));
  return GetGaugeValue(panel::PanelHandle, id);
}

// Moves the mouse over the instrument, away from its centre, as the window
// system reports it to the panel; false if the instrument then changed.
bool StaysStillUnderTheMouse(int32_t id) {
  const Handle control = GetControlHandle(panel::PanelHandle, id);
  if (control == 0) return true;
  const IntPair at = GetControlLocation(panel::PanelHandle, id), size = GetControlSize(panel::PanelHandle, id);
  const float before = Reading(id);
  platform::InjectMouseMove(at.first + size.first / 4, at.second + size.second / 4);
  panel::PanelCallback(panel::PanelHandle, WM_SETCURSOR, control, HTCLIENT);
  if (Reading(id) == before) return true;
  std::fprintf(stderr, "soak: instrument %d follows the mouse with no button down\n", static_cast<int>(id));
  return false;
}

int NothingFollowsTheMouse() {
  int checked = 0;
  bool still = true;
  for (const auto& range : {std::pair{kFirstKnob, kLastKnob}, std::pair{kLongGauges[0], kLongGauges[1]},
                            std::pair{kTallGauges[0], kTallGauges[1]}}) {
    for (int32_t id = range.first; id <= range.second; ++id, ++checked) still = StaysStillUnderTheMouse(id) && still;
  }
  return still ? checked : -1;
}

int Run(const ClockTime& start, int64_t runMs, const std::string& eventsFile) {
  if (!RunPanel(start, runMs, eventsFile)) return 1;
  std::printf("soak: %lld ms from %s\n", static_cast<long long>(runMs), ClockText(start).c_str());
  std::printf("peak resident memory: %lld kB\n", static_cast<long long>(PeakResidentKb()));
  const std::string shownText = GetDisplayText(panel::PanelHandle, kClockDisplay);
  const std::vector<platform::Pixel> shownClock = ShownControl(platform::HeadlessShownPicture(), kClockDisplay);
  const bool buttonsUp = ButtonsUp();
  const int still = NothingFollowsTheMouse();
  // A fresh run that ends at the same time draws the clock display afresh.
  EndWindowSession();
  if (!RunPanel(ClockAfter(start, runMs - kReferenceRunMs), kReferenceRunMs, "")) return 1;
  const std::string freshText = GetDisplayText(panel::PanelHandle, kClockDisplay);
  const bool clockSame = shownText == freshText &&
                         shownClock == ShownControl(platform::HeadlessShownPicture(), kClockDisplay);
  const std::string endText = ClockText(ClockAfter(start, runMs)).substr(0, 8);
  const bool clockRight = clockSame && shownText == endText;
  std::printf("clock display at the end: '%s' (%s), %s\n", shownText.c_str(), endText.c_str(),
              clockRight ? "as a fresh run draws it" : "WRONG");
  if (buttonsUp && still >= 0) std::printf("mouse buttons up; %d knobs and gauges stay still under the mouse\n", still);
  return clockRight && buttonsUp && still >= 0 ? 0 : 1;
}

int Usage() {
  std::fprintf(stderr,
               "usage: soak events SEED COUNT SPAN_MS FILE\n"
               "       soak run HH:MM:SS[.mmm] RUN_MS FILE\n");
  return kUsageStatus;
}

bool ParseWhole(const char* text, int64_t low, int64_t high, int64_t& out) {
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, 10);
  if (end == text || *end != '\0' || value < low || value > high) return false;
  out = value;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6 && argc != 5) return Usage();
  const std::string command = argv[1];
  int64_t seed = 0, count = 0, span = 0, runMs = 0;
  if (command == "events" && argc == 6 && ParseWhole(argv[2], 0, INT64_MAX, seed) &&
      ParseWhole(argv[3], 1, INT32_MAX, count) && ParseWhole(argv[4], 1, kMaxRunMilliseconds, span)) {
    return WriteEvents(static_cast<uint64_t>(seed), count, span, argv[5]);
  }
  ClockTime start;
  if (command == "run" && argc == 5 && panel::ParseClock(argv[2], start) &&
      ParseWhole(argv[3], kReferenceRunMs, kMaxRunMilliseconds, runMs)) {
    if (LeavesButtonDown(argv[4], runMs)) {
      std::fprintf(stderr, "soak: %s holds a mouse button down at %s ms; choose another run length\n", argv[4],
                   argv[3]);
      return kUsageStatus;
    }
    return Run(start, runMs, argv[4]);
  }
  return Usage();
}

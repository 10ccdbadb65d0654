// Fuzz harness: the events file parser. Any text either becomes scripted
// input that keeps the file's rules (times in order and within the run's
// range, positions within the input range, each line one to three inputs)
// or is refused with a message that names the line and shows no raw control
// character, leaving the output as it was.
#include <cstdint>
#include <string>
#include <vector>

#include "panel/command_line.h"
#include "tests/fuzz/fuzz_input.h"

using namespace ip;
using fuzz_input::FuzzCheck;

namespace {

void CheckAccepted(const std::vector<ScriptedInput>& events, size_t lines) {
  FuzzCheck(events.size() <= 3 * lines, "at most three inputs a line");
  int64_t previous = 0;
  for (const ScriptedInput& e : events) {
    FuzzCheck(e.timeMs >= previous && e.timeMs <= kMaxRunMilliseconds, "times in order and in range",
              std::to_string(e.timeMs));
    FuzzCheck(e.x >= -kMaxInputCoordinate && e.x <= kMaxInputCoordinate && e.y >= -kMaxInputCoordinate &&
                  e.y <= kMaxInputCoordinate,
              "positions in range");
    previous = e.timeMs;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<ScriptedInput> events{ScriptedInput{}};
  std::string error;
  if (panel::ParseEvents("events.txt", text, events, error)) {
    size_t lines = 1;
    for (char c : text) lines += c == '\n';
    CheckAccepted(events, lines);
  } else {
    FuzzCheck(error.rfind("events.txt:", 0) == 0, "the message names the file", error);
    FuzzCheck(fuzz_input::HasNoControlCharacters(error), "no raw control characters in the message", error);
    FuzzCheck(events.size() == 1, "a refused file leaves the output as it was");
  }
  return 0;
}

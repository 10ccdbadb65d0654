// Fuzz harness: the feed parser, for a panel with one instrument of each
// kind. Any text, read as a headless feed, gives commands in time order for
// instruments of the panel with the kinds they have, levels within 0 to 100,
// and one message "feed.txt:LINE: reason" for each line refused, in line
// order, that shows no raw control character. A single live line is
// accepted or refused with a reason the same way.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "instrument_panel/session.h"
#include "panel/feed.h"
#include "panel/panel_file.h"
#include "tests/fuzz/fuzz_input.h"

using namespace ip::panel;
using fuzz_input::FuzzCheck;

namespace {

const char* const kFeedName = "feed.txt";

const char* const kPanelText = R"(
[window]
width = 400
height = 300
[[instrument]]
kind = "gauge"
id = 1
x = 0
y = 0
width = 200
height = 20
[[instrument]]
kind = "lamp"
id = 2
x = 0
y = 30
width = 60
height = 18
[[instrument]]
kind = "round-lamp"
id = 3
x = 70
y = 30
width = 18
height = 18
[[instrument]]
kind = "knob"
id = 4
x = 0
y = 60
width = 60
height = 60
[[instrument]]
kind = "button"
id = 5
x = 0
y = 130
width = 120
height = 22
[[instrument]]
kind = "switch"
id = 6
x = 130
y = 130
width = 22
height = 22
background = "switch1.bmp/switch2.bmp"
[[instrument]]
kind = "display"
id = 7
x = 200
y = 30
width = 96
height = 32
[[instrument]]
kind = "text-panel"
id = 8
x = 70
y = 60
width = 120
height = 60
[[instrument]]
kind = "marquee"
id = 9
x = 200
y = 70
width = 100
height = 50
[[instrument]]
kind = "blackboard"
id = 10
x = 200
y = 130
width = 150
height = 60
[[instrument]]
kind = "label"
id = 11
x = 0
y = 160
width = 60
height = 18
[[instrument]]
kind = "background"
id = 12
x = 0
y = 200
width = 60
height = 60
)";

const PanelDescription& ThePanel() {
  static const PanelDescription panel = [] {
    PanelDescription read;
    std::string errors;
    const bool ok = ParsePanelText("kinds.toml", kPanelText, [](const std::string&) { return true; }, read, errors);
    FuzzCheck(ok, "the harness's own panel reads", errors);
    return read;
  }();
  return panel;
}

void CheckCommand(const PanelDescription& panel, const FeedCommand& c) {
  const InstrumentDescription* d = panel.Find(c.id);
  FuzzCheck(d != nullptr, "commands name instruments of the panel", std::to_string(c.id));
  FuzzCheck(d->kind == c.kind, "commands carry the instrument's kind", std::to_string(c.id));
  FuzzCheck(std::isfinite(c.value) && c.value >= 0 && c.value <= 100, "levels from 0 to 100",
            std::to_string(c.value));
}

void CheckMessages(const std::string& errors) {
  int64_t previousLine = 0;
  size_t start = 0;
  const std::string prefix = std::string(kFeedName) + ":";
  while (start < errors.size()) {
    const size_t end = errors.find('\n', start);
    FuzzCheck(end != std::string::npos, "messages end their lines", errors);
    const std::string line = errors.substr(start, end - start);
    FuzzCheck(line.rfind(prefix, 0) == 0, "each message names the feed", line);
    const int64_t number = std::stoll(line.substr(prefix.size()));
    FuzzCheck(number > previousLine, "messages in line order", line);
    FuzzCheck(fuzz_input::HasNoControlCharacters(line), "no raw control characters in a message", line);
    previousLine = number;
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxFeedBytes) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const PanelDescription& panel = ThePanel();
  std::string errors;
  const std::vector<TimedFeedCommand> commands = ParseTimedFeed(panel, kFeedName, text, errors);
  int64_t previousMs = 0;
  for (const TimedFeedCommand& timed : commands) {
    FuzzCheck(timed.timeMs >= previousMs && timed.timeMs <= ip::kMaxRunMilliseconds, "times in order and in range",
              std::to_string(timed.timeMs));
    previousMs = timed.timeMs;
    CheckCommand(panel, timed.command);
  }
  CheckMessages(errors);

  const std::string_view firstLine = text.substr(0, text.find('\n'));
  FeedCommand command;
  std::string reason;
  if (ParseFeedLine(panel, firstLine, command, reason)) {
    CheckCommand(panel, command);
  } else if (!IsFeedLineSkipped(firstLine)) {
    FuzzCheck(!reason.empty(), "a refused line has a reason");
    FuzzCheck(fuzz_input::HasNoControlCharacters(reason), "no raw control characters in a reason", reason);
  }
  return 0;
}

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
#include "tests/support/every_kind_panel.h"

using namespace ip::panel;
using fuzz_input::FuzzCheck;

namespace {

const char* const kFeedName = "feed.txt";

const char* const kPanelText = testing_support::kEveryKindPanelText;

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

// Live values for a panel from a stream of lines, "ID VALUE [TEXT]": each
// line becomes a command for one instrument, with what the instrument's kind
// takes:
//
//   gauge                    LEVEL [CAPTION]   level 0..100; a caption replaces the stored one
//   lamp, round-lamp         LEVEL [CAPTION]   level 0..100; a caption is shown with this level only
//   knob                     PERCENT           0..100
//   button, switch           on | off
//   text-panel               LEVEL [TEXT]      level 0..100; without a text the last one stays
//   display, label, marquee  TEXT              the rest of the line (may be empty)
//   blackboard               TEXT              "\n" breaks a line, "\\" is a backslash
//
// Headless, each line starts with its time in milliseconds from the start
// ("MS ID VALUE [TEXT]"), in non-decreasing order. Blank lines and lines
// whose first word starts with "#" are skipped. A bad line is reported with
// its line number and skipped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "panel/panel_file.h"

namespace ip::panel {

// The longest line read; a longer one is a bad line.
constexpr size_t kMaxFeedLineBytes = 65536;
// The largest feed read whole (headless).
constexpr size_t kMaxFeedBytes = 16 * 1024 * 1024;

struct FeedCommand {
  int32_t id = 0;
  FileKind kind = FileKind::kGauge;
  float value = 0;       // a level or percentage (kinds with one)
  bool on = false;       // buttons and switches
  std::string text;      // Windows-1252 bytes (kinds with a text)
  bool hasText = false;  // the line gave a text
};

struct TimedFeedCommand {
  int64_t timeMs = 0;
  FeedCommand command;
};

// Whether a line is blank or a comment (skipped without a word).
bool IsFeedLineSkipped(std::string_view line);
// One line of a live feed (no time) for `panel`. False with the reason.
bool ParseFeedLine(const PanelDescription& panel, std::string_view line, FeedCommand& out, std::string& reason);
// One line of a headless feed: its time, then a live feed line.
bool ParseTimedFeedLine(const PanelDescription& panel, std::string_view line, TimedFeedCommand& out,
                        std::string& reason);
// A whole headless feed: the commands of its good lines, in order; each bad
// line adds "NAME:LINE: reason" (one a line) to `errors`.
std::vector<TimedFeedCommand> ParseTimedFeed(const PanelDescription& panel, const std::string& name,
                                             std::string_view text, std::string& errors);

}  // namespace ip::panel

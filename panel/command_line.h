// The program's command line: the real window by default, or a headless run
// on a virtual clock with scripted input and a screenshot:
//   instrument-panel [--scale N|auto] [--panel FILE.toml [--feed FILE|-] [--report]]
//   instrument-panel --headless [--clock HH:MM:SS[.mmm]] [--run-ms N]
//                    [--events FILE] [--screenshot FILE.png] [--scale N]
//                    [--panel FILE.toml [--feed FILE|-] [--report]]
// --scale shows the panel N times larger (1 to 4), each pixel an N x N block;
// headless it writes the screenshot N times larger.
// --panel shows the panel a file describes instead of the demonstration
// panel (panel/panel_file.h); --feed gives it values, --report writes the
// user's actions (panel/feed.h, panel/action_report.h).
// Events file: one event a line, "MS ACTION ARGS", times in milliseconds from
// the start in non-decreasing order, "#" starts a comment. Actions: move X Y,
// down left|right, up left|right, click X Y, key escape|enter, close.
// Milliseconds and coordinates are accepted within the headless session's
// input ranges (session.h).
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "instrument_panel/session.h"

namespace ip::panel {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // no display, screenshot not written, message loop spun
constexpr int kExitUsage = 2;    // bad options or events file: nothing ran

struct CommandLine {
  bool help = false;
  bool headless = false;
  bool hasClock = false;
  ClockTime clock;
  int64_t runMs = 0;
  std::string eventsFile;
  std::string screenshotFile;
  int scale = 1;  // 1..kMaxDisplayScale, or kAutoDisplayScale
  std::string panelFile;  // --panel: a panel file instead of the demonstration panel
  std::string feedFile;   // --feed: live values ("-": standard input)
  bool report = false;    // --report: the user's actions on standard output
};

// Parses the arguments after the program name. False with a message naming
// the option and the problem.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error);
// "HH:MM:SS" or "HH:MM:SS.mmm", 24-hour clock.
bool ParseClock(const std::string& text, ClockTime& out);
// Parses the text of an events file; the message names the file and line.
bool ParseEvents(const std::string& fileName, const std::string& text, std::vector<ScriptedInput>& out,
                 std::string& error);
bool ReadEventsFile(const std::string& path, std::vector<ScriptedInput>& out, std::string& error);

// The whole program; returns its exit status. The headless run ends with the
// line "panel open at N ms" or "panel closed at N ms" on `out`.
int RunProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ip::panel

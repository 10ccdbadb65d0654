// Values in and actions out: feed lines become commands for the instrument
// they name (or are refused with their line number and skipped), a headless
// run applies them on the virtual clock, and the user's drags and clicks
// come out as report lines, held back to one every 100 ms while a drag goes on.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "instrument_panel/buttons.h"
#include "instrument_panel/display.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/leds.h"
#include "panel/action_report.h"
#include "panel/command_line.h"
#include "panel/feed.h"
#include "panel/file_panel.h"
#include "panel/panel.h"
#include "panel/panel_file.h"
#include "platform/window_headless.h"
#include "platform/window_system.h"
#include "tests/support/every_kind_panel.h"
#include "tests/support/test_support.h"

using namespace ip;
using namespace ip::panel;

namespace {

const char* const kPanelText = testing_support::kEveryKindPanelText;

PanelDescription ThePanel() {
  PanelDescription panel;
  std::string errors;
  const bool read = ParsePanelText("kinds.toml", kPanelText, [](const std::string&) { return true; }, panel, errors);
  EXPECT_TRUE(read) << errors;
  return panel;
}

std::string WriteFile(const std::string& name, const std::string& text) {
  const std::string path = testing_support::ScratchDir() + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// "id value on text|hasText" of a command, to compare in one line.
std::string Shown(const FeedCommand& c) {
  std::ostringstream out;
  out << c.id << " " << c.value << " " << (c.on ? "on" : "off") << " " << c.text << "|" << c.hasText;
  return out.str();
}

TEST(FeedLines, EachKindTakesItsValue) {
  const PanelDescription panel = ThePanel();
  struct Case {
    std::string line;
    std::string command;  // Shown(...) of the command, or "" when refused
    std::string reason;
  };
  const std::vector<Case> cases{
      {"1 42", "1 42 off |0", ""},
      {"1 37.5 CPU 3", "1 37.5 off CPU 3|1", ""},
      {"  1\t100  \r", "1 100 off |0", ""},
      {"1 0", "1 0 off |0", ""},
      {"1 100.5", "", "'100.5' is not a number from 0 to 100"},
      {"1 -3", "", "'-3' is not a number from 0 to 100"},
      {"1 nan", "", "'nan' is not a number from 0 to 100"},
      {"1 1e2", "", "'1e2' is not a number from 0 to 100"},
      {"1", "", "a value is missing"},
      {"1 5 a caption of twenty-five!", "", "the text is 25 characters long; at most 20 are kept"},
      {"2 80 HOT", "2 80 off HOT|1", ""},
      {"3 10", "3 10 off |0", ""},
      {"4 25", "4 25 off |0", ""},
      {"4 25 more", "", "a knob takes no text after its value"},
      {"4", "", "a percentage is missing"},
      {"5 on", "5 0 on |0", ""},
      {"6 off", "6 0 off |0", ""},
      {"5 ON", "", "'on' or 'off' is missing"},
      {"5 on now", "", "a button takes no text after its value"},
      {"7 12:00  V", "7 0 off 12:00  V|1", ""},
      {"7", "7 0 off |1", ""},
      {"7 \xC3\xA9t\xC3\xA9", "7 0 off \xE9t\xE9|1", ""},
      {"7 \xE2\x86\x92", "", "the character '\xE2\x86\x92' (U+2192) cannot be shown (only Windows-1252 characters can)"},
      {"8 40 FLOW", "8 40 off FLOW|1", ""},
      {"9 ALARM 3", "9 0 off ALARM 3|1", ""},
      {"10 one\\ntwo \\\\ \\x", "10 0 off one\r\ntwo \\ \\x|1", ""},
      {"11 READY", "11 0 off READY|1", ""},
      {"12 5", "", "a background takes no values"},
      {"13 5", "", "the panel has no instrument 13"},
      {"2001 5", "", "'2001' is not an instrument identifier"},
      {"x1 5", "", "'x1' is not an instrument identifier"},
      {"-1 5", "", "'-1' is not an instrument identifier"},
      {"\x1B[2J 5", "", "'\\x1b[2J' is not an instrument identifier"},
  };
  for (const Case& c : cases) {
    FeedCommand command;
    std::string reason;
    const bool read = ParseFeedLine(panel, c.line, command, reason);
    EXPECT_EQ(read, !c.command.empty()) << c.line << ": " << reason;
    if (read) {
      EXPECT_EQ(Shown(command), c.command) << c.line;
    }
    EXPECT_EQ(reason, c.reason) << c.line;
  }
  std::string reason;
  FeedCommand command;
  EXPECT_FALSE(ParseFeedLine(panel, "7 " + std::string(kMaxFeedLineBytes, 'x'), command, reason));
  EXPECT_EQ(reason, "the line is longer than 65536 bytes");
}

TEST(FeedLines, HeadlessFeedNamesEachBadLineAndKeepsTheRest) {
  const PanelDescription panel = ThePanel();
  std::string errors;
  const std::vector<TimedFeedCommand> commands = ParseTimedFeed(panel, "feed.txt",
                                                                "# time id value\n"
                                                                "0 1 10\n"
                                                                "\n"
                                                                "100 2 50\n"
                                                                "50 1 20\n"
                                                                "100 13 5\n"
                                                                "1000000001 1 5\n"
                                                                "200 1 30 last",
                                                                errors);
  EXPECT_EQ(errors,
            "feed.txt:5: time 50 is before the previous line's 100\n"
            "feed.txt:6: the panel has no instrument 13\n"
            "feed.txt:7: '1000000001' is not a time in milliseconds from 0 to 1000000000\n");
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0].timeMs, 0);
  EXPECT_EQ(commands[1].timeMs, 100);
  EXPECT_EQ(commands[1].command.id, 2);
  EXPECT_EQ(commands[2].timeMs, 200);
  EXPECT_EQ(Shown(commands[2].command), "1 30 off last|1");
}

TEST(ActionReport, DragsAreHeldBackToOneLineEvery100MsAndTheLastOnRelease) {
  std::ostringstream out;
  ActionReporter reporter(out);
  reporter.ValueChanged(4, "10", 1000);  // written at once
  reporter.ValueChanged(4, "12", 1050);  // held back
  reporter.ValueChanged(4, "14", 1099);  // replaces it
  EXPECT_TRUE(reporter.Holding());
  reporter.Tick(1099);
  EXPECT_EQ(out.str(), "4 10\n");
  reporter.Tick(1100);  // 100 ms after the last line
  EXPECT_EQ(out.str(), "4 10\n4 14\n");
  EXPECT_FALSE(reporter.Holding());
  reporter.ValueChanged(4, "16", 1150);
  reporter.ValueChanged(1, "33.5", 1150);  // another instrument has its own interval
  reporter.StateChanged(5, true);
  reporter.Released(1160);
  EXPECT_EQ(out.str(), "4 10\n4 14\n1 33.5\n5 on\n4 16\n");
  reporter.ValueChanged(4, "16", 1200);  // the value last written: nothing
  reporter.ValueChanged(4, "15", 1200);  // held back
  reporter.ValueChanged(4, "16", 1210);  // back to the last written value: the held 15 is dropped
  EXPECT_FALSE(reporter.Holding());
  reporter.Released(1220);
  reporter.ValueChanged(4, "15", 1320);  // 100 ms after the last line: at once
  EXPECT_EQ(out.str(), "4 10\n4 14\n1 33.5\n5 on\n4 16\n4 15\n");
  EXPECT_TRUE(reporter.Working());
}

TEST(ActionReport, NumbersAreTheShortestThatReadBack) {
  EXPECT_EQ(ReportedNumber(50.0f), "50");
  EXPECT_EQ(ReportedNumber(33.333332f), "33.333332");
  EXPECT_EQ(ReportedNumber(0.25f), "0.25");
}

struct RunResult {
  int status = -1;
  std::string out, err;
};

RunResult RunPanel(const std::vector<std::string>& extra) {
  const std::string panelFile = WriteFile("kinds.toml", kPanelText);
  std::vector<std::string> args{"--panel", panelFile, "--headless", "--clock", "12:00:00"};
  args.insert(args.end(), extra.begin(), extra.end());
  std::ostringstream out, err;
  RunResult run;
  run.status = RunProgram(args, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

TEST(FeedRoundTrip, HeadlessLinesAreAppliedAtTheirTimes) {
  const std::string feed = WriteFile("feed.txt",
                                     "0 1 25 first\n"
                                     "100 2 60\n"
                                     "200 4 73.9\n"
                                     "300 5 on\n"
                                     "300 6 on\n"
                                     "400 7 42.0 bar\n"
                                     "500 1 80\n"
                                     "600 5 off\n"
                                     "900 1 90\n");  // after the end of the run
  const RunResult run = RunPanel({"--run-ms", "800", "--feed", feed});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "panel open at 800 ms\n");
  EXPECT_EQ(GetGaugeValue(0, 1), 80.0f);
  EXPECT_EQ(GetGaugeCaption(0, 1), "first") << "a fed caption stays";
  EXPECT_EQ(GetLampLevel(0, 2), 60.0f);
  EXPECT_EQ(GetKnobPercent(0, 4), 73.0f);
  const Handle dialog = platform::ShownWindow();
  EXPECT_EQ(GetButtonState(dialog, 5), 0);
  EXPECT_EQ(GetButtonState(dialog, 6), 1);
  EXPECT_EQ(GetDisplayText(0, 7), "42.0 bar");
}

TEST(FeedRoundTrip, BadLinesAreReportedAndTheRunGoesOn) {
  const std::string feed = WriteFile("bad-feed.txt", "0 1 150\n10 1 30\nnonsense\n");
  const RunResult run = RunPanel({"--run-ms", "100", "--feed", feed});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.err, feed + ":1: '150' is not a number from 0 to 100\n" + feed +
                         ":3: 'nonsense' is not a time in milliseconds from 0 to 1000000000\n");
  EXPECT_EQ(GetGaugeValue(0, 1), 30.0f);
}

TEST(FeedRoundTrip, ManyLinesAtOneMomentAreNotASpinningLoop) {
  // More lines at 0 ms than the loop may turn without the clock moving: each
  // arrives from outside, as input does, so the run goes on to its end.
  constexpr int kLines = 60000;
  std::string text;
  for (int i = 0; i < kLines; ++i) text += "0 9 step " + std::to_string(i) + "\n";  // a marquee keeps its text
  text += "0 1 77\n";
  const std::string feed = WriteFile("busy-feed.txt", text);
  const RunResult run = RunPanel({"--run-ms", "10", "--feed", feed});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, "panel open at 10 ms\n");
  EXPECT_EQ(GetGaugeValue(0, 1), 77.0f);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(Reload, ChangedValuesAreKeptAndTheRestTakeTheSavedFile) {
  const std::string path = WriteFile("reloaded.toml", kPanelText);
  UsePanelFileBitmapFolders(path);
  PanelDescription description;
  std::string errors;
  ASSERT_TRUE(ReadPanelFile(path, description, errors)) << errors;
  // Saved again before the reload at 300 ms: another background, start values
  // for the gauge and the text panel, and id 3 now a gauge.
  std::string saved = Replaced(kPanelText, "height = 300\n", "height = 300\nbackground = \"#102030\"\n");
  saved = Replaced(saved, "drag = \"both\"\n", "drag = \"both\"\nvalue = 10\n");
  saved = Replaced(saved, "kind = \"round-lamp\"", "kind = \"gauge\"");
  saved = Replaced(saved, "width = 120\nheight = 60\n", "width = 120\nheight = 60\nlevel = 55\n");

  FilePanel panel(std::move(description), std::cerr);
  std::vector<TimedFeedCommand> feed = ParseTimedFeed(panel.Description(), "feed",
                                                      "0 1 25 first\n0 2 60\n0 3 40\n0 4 73\n0 6 on\n0 7 bar\n",
                                                      errors);
  ASSERT_EQ(errors, "");
  HeadlessSettings settings;
  settings.runMs = 500;
  settings.messages = panel.ScheduleFeed(std::move(feed));
  settings.messages.push_back({300, kReloadMessage, 0, 0});
  StartHeadlessSession(settings);
  ResetPanelState();
  WriteFile("reloaded.toml", saved);
  panel.CreateAndRun();

  const Handle dialog = platform::ShownWindow();
  EXPECT_EQ(GetGaugeValue(dialog, 1), 25.0f) << "fed: kept over the saved start value";
  EXPECT_EQ(GetGaugeCaption(dialog, 1), "first");
  EXPECT_EQ(GetLampLevel(dialog, 2), 60.0f);
  EXPECT_EQ(GetGaugeValue(dialog, 3), 0.0f) << "another kind now: the saved file's start value";
  EXPECT_EQ(GetKnobPercent(dialog, 4), 73.0f);
  EXPECT_EQ(GetButtonState(dialog, 6), 1);
  EXPECT_EQ(GetDisplayText(dialog, 7), "bar");
  EXPECT_EQ(panel.Description().Find(8)->Number("level"), 55.0f) << "the saved description is the panel's now";
  const platform::Surface& shown = platform::HeadlessShownPicture();
  EXPECT_EQ(platform::ColorRefFromPixel(shown.At(390, 290)), 0x302010u) << "the saved background";
}

TEST(ReportRoundTrip, ClicksAndDragsBecomeLines) {
  // The knob's centre is (30, 90); the gauge runs from x 0 to 199 on row 10.
  const std::string events = WriteFile("events.txt",
                                       "100 click 60 140\n"   // button 5: on
                                       "200 click 140 140\n"  // switch 6: on
                                       "300 click 60 140\n"   // button 5: off
                                       "400 move 59 90\n"     // right of the knob's centre
                                       "401 down left\n"
                                       "420 move 30 61\n"     // above it: held back
                                       "450 move 1 90\n"      // left of it: held back, replaces
                                       "460 up left\n"        // the last value
                                       "600 move 99 10\n"
                                       "601 down right\n"     // the gauge follows the right button too
                                       "700 up right\n");
  const RunResult run = RunPanel({"--run-ms", "1000", "--events", events, "--report"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, "5 on\n6 on\n5 off\n4 83\n4 16\n1 50\n") << "standard output carries the report only";
  EXPECT_EQ(run.err, "panel open at 1000 ms\n");
}

}  // namespace

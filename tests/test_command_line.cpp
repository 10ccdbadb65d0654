// The program's command line and events file: what is accepted, what is
// refused (with file, line and reason, status 2, nothing run), and whole
// headless runs of the panel driven in-process.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "instrument_panel/dialog.h"
#include "panel/command_line.h"
#include "panel/panel.h"
#include "platform/png_file.h"
#include "platform/window_system.h"
#include "tests/support/program_run.h"
#include "tests/support/test_support.h"

using namespace ip;
using namespace ip::panel;

namespace {

using Kind = ScriptedInput::Kind;

using Outcome = testing_support::ProgramOutcome;
constexpr auto RunWith = testing_support::RunProgramWith;

std::string WriteFile(const std::string& name, const std::string& text) {
  const std::string path = testing_support::ScratchDir() + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// "h m s ms" of a clock time, to compare all four fields at once.
std::string Fields(const ClockTime& t) {
  return std::to_string(t.hour) + " " + std::to_string(t.minute) + " " + std::to_string(t.second) + " " +
         std::to_string(t.millisecond);
}

bool ParseEventsText(const std::string& text, std::vector<ScriptedInput>& events, std::string& error) {
  return ParseEvents("events.txt", text, events, error);
}

TEST(CommandLineOptions, HeadlessOptionsAreRead) {
  CommandLine options;
  std::string error;
  ASSERT_TRUE(ParseCommandLine({"--headless", "--clock", "23:59:58.250", "--run-ms", "3000", "--events", "e.txt",
                                "--screenshot", "p.png", "--scale", "4"},
                               options, error))
      << error;
  EXPECT_TRUE(options.headless);
  EXPECT_TRUE(options.hasClock);
  EXPECT_EQ(Fields(options.clock), "23 59 58 250");
  EXPECT_EQ(options.runMs, 3000);
  EXPECT_EQ(options.eventsFile, "e.txt");
  EXPECT_EQ(options.screenshotFile, "p.png");
  EXPECT_EQ(options.scale, 4);

  CommandLine plain;
  ASSERT_TRUE(ParseCommandLine({}, plain, error));
  EXPECT_FALSE(plain.headless);
  EXPECT_FALSE(plain.hasClock);
  EXPECT_EQ(plain.runMs, 0);
  EXPECT_EQ(plain.scale, 1);

  CommandLine automatic;  // the real window's scale chosen from the desktop
  ASSERT_TRUE(ParseCommandLine({"--scale", "auto"}, automatic, error));
  EXPECT_EQ(automatic.scale, kAutoDisplayScale);
  ASSERT_TRUE(ParseCommandLine({"--scale", "1"}, automatic, error));
  EXPECT_EQ(automatic.scale, 1);

  CommandLine longest;  // one more millisecond is refused below
  ASSERT_TRUE(ParseCommandLine({"--headless", "--run-ms", "1000000000"}, longest, error)) << error;
  EXPECT_EQ(longest.runMs, kMaxRunMilliseconds);
}

TEST(CommandLineOptions, LeadingZerosNeverCountAgainstTheLength) {
  struct Case {
    const char* text;
    int64_t runMs;
  };
  for (const Case& c : {Case{"0000000000001", 1}, Case{"000000000001", 1}, Case{"0", 0},
                        Case{"000000000000000000001000000000", kMaxRunMilliseconds}}) {
    CommandLine options;
    std::string error;
    ASSERT_TRUE(ParseCommandLine({"--headless", "--run-ms", c.text}, options, error)) << c.text << ": " << error;
    EXPECT_EQ(options.runMs, c.runMs) << c.text;
  }
}

TEST(CommandLineOptions, ClockTexts) {
  ClockTime t;
  ASSERT_TRUE(ParseClock("00:00:00", t));
  EXPECT_EQ(Fields(t), "0 0 0 0");
  ASSERT_TRUE(ParseClock("07:08:09.010", t));
  EXPECT_EQ(Fields(t), "7 8 9 10");
  ASSERT_TRUE(ParseClock("23:59:59.999", t));
  EXPECT_EQ(Fields(t), "23 59 59 999");
  for (const char* bad : {"24:00:00", "12:60:00", "12:00:60", "1:00:00", "12:00", "12:00:00.5", "12:00:00.1234",
                          "12-00-00", "aa:bb:cc", "12:00:00.-12", "", "12:00:00 "}) {
    EXPECT_FALSE(ParseClock(bad, t)) << bad;
  }
}

TEST(CommandLineOptions, ProblemsAreNamedAndNothingRuns) {
  struct Case {
    std::vector<std::string> args;
    std::string named;
  };
  const std::vector<Case> cases{
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--headless", "--clock"}, "--clock: a value is missing"},
      {{"--headless", "--clock", "25:00:00"}, "--clock: '25:00:00' is not a time"},
      {{"--headless", "--run-ms", "-5"}, "--run-ms: '-5' is not a number"},
      {{"--headless", "--run-ms", "12x"}, "--run-ms: '12x' is not a number"},
      {{"--headless", "--run-ms", "99999999999999999999"}, "--run-ms: '99999999999999999999' is not a number"},
      {{"--headless", "--run-ms", "1000000001"}, "--run-ms: '1000000001' is not a number"},
      {{"--headless", "--screenshot"}, "--screenshot: a value is missing"},
      {{"--headless", "--events", ""}, "--events: the file name is empty"},
      {{"--run-ms", "100"}, "need --headless"},
      {{"headless"}, "unknown option 'headless'"},
      {{"--scale"}, "--scale: a value is missing"},
      {{"--scale", "5"}, "--scale: '5' is not a whole number from 1 to 4 or 'auto'"},
      {{"--scale", "0"}, "--scale: '0' is not a whole number from 1 to 4 or 'auto'"},
      {{"--headless", "--scale", "02"}, "--scale: '02' is not a whole number"},
      {{"--headless", "--scale", "-1"}, "--scale: '-1' is not a whole number"},
      {{"--scale", "Auto"}, "--scale: 'Auto' is not a whole number"},
      {{"--scale", "2.0"}, "--scale: '2.0' is not a whole number"},
      {{"--headless", "--run-ms", "0001000000001"}, "--run-ms: '0001000000001' is not a number"},
      {{"--\x1b[2J"}, "unknown option '--\\x1b[2J'"},  // shown escaped, never raw
  };
  for (const Case& c : cases) {
    Outcome outcome = RunWith(c.args);
    EXPECT_EQ(outcome.status, kExitUsage) << c.named;
    EXPECT_NE(outcome.err.find(c.named), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("usage:"), std::string::npos);
    EXPECT_TRUE(outcome.out.empty()) << outcome.out;
  }
}

TEST(EventsFile, ActionsBecomeScriptedInput) {
  std::vector<ScriptedInput> events;
  std::string error;
  const std::string text =
      "# a drag and a few keys\n"
      "0 move 32767 -32767\n"
      "\n"
      "100 down left   # press\r\n"
      "100\tup right\n"
      "250 click 5 6\n"
      "300 key escape\n"
      "300 key enter\n"
      "1000000000 close\n";
  ASSERT_TRUE(ParseEventsText(text, events, error)) << error;
  constexpr MouseButton kLeft = MouseButton::kLeft, kRight = MouseButton::kRight;
  // A click is a move, then left down and up, all at its time. Positions
  // and times may reach the limits of a headless run's input.
  const std::vector<ScriptedInput> expected{
      {0, Kind::kMove, 32767, -32767, kLeft, 0},     {100, Kind::kButtonDown, 0, 0, kLeft, 0},
      {100, Kind::kButtonUp, 0, 0, kRight, 0},       {250, Kind::kMove, 5, 6, kLeft, 0},
      {250, Kind::kButtonDown, 5, 6, kLeft, 0},      {250, Kind::kButtonUp, 5, 6, kLeft, 0},
      {300, Kind::kKeyDown, 0, 0, kLeft, VK_ESCAPE}, {300, Kind::kKeyUp, 0, 0, kLeft, VK_ESCAPE},
      {300, Kind::kKeyDown, 0, 0, kLeft, VK_RETURN}, {300, Kind::kKeyUp, 0, 0, kLeft, VK_RETURN},
      {kMaxRunMilliseconds, Kind::kClose, 0, 0, kLeft, 0}};
  ASSERT_EQ(events.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const ScriptedInput& e = events[i];
    EXPECT_TRUE(e == expected[i]) << "event " << i << ": " << e.timeMs << " kind " << static_cast<int>(e.kind) << " at "
                                  << e.x << "," << e.y << " button " << static_cast<int>(e.button) << " key "
                                  << e.virtualKey;
  }
}

TEST(EventsFile, MalformedLinesNameFileLineAndReason) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases{
      {"0 move 1 2\n5 jump\n", "events.txt:2: unknown action 'jump'"},
      {"10 close\n5 close\n", "events.txt:2: time 5 is before the previous event's 10"},
      {"x close\n", "events.txt:1: 'x' is not a time"},
      {"-1 close\n", "events.txt:1: '-1' is not a time"},
      {"# only a comment\n10\n", "events.txt:2: an action is missing"},
      {"0 move 1\n", "events.txt:1: 'move' needs X and Y"},
      {"0 click 1 2 3\n", "events.txt:1: 'click' needs X and Y"},
      {"0 move 1 y\n", "events.txt:1: X and Y must be whole numbers"},
      {"0 move 32768 1\n", "events.txt:1: X and Y must be whole numbers"},
      {"0 move 1 -32768\n", "events.txt:1: X and Y must be whole numbers"},
      {"0 down middle\n", "events.txt:1: 'down' needs 'left' or 'right'"},
      {"0 up\n", "events.txt:1: 'up' needs 'left' or 'right'"},
      {"0 key space\n", "events.txt:1: 'key' needs 'escape' or 'enter'"},
      {"0 close now\n", "events.txt:1: 'close' takes no arguments"},
      {"1000000001 close\n", "events.txt:1: '1000000001' is not a time"},
      {"00000000000000000000005 close\n3 jump\x1b]0;title\a\n", "events.txt:2: unknown action 'jump\\x1b]0;title\\x07'"},
      {"\x9b" "1 close\n", "events.txt:1: '\\x9b1' is not a time"},
  };
  for (const Case& c : cases) {
    std::vector<ScriptedInput> events{ScriptedInput{}};
    std::string error;
    EXPECT_FALSE(ParseEventsText(c.text, events, error)) << c.text;
    EXPECT_EQ(error.rfind(c.message, 0), 0u) << "got: " << error;
    EXPECT_EQ(events.size(), 1u);  // left as it was
  }
}

TEST(EventsFile, ErrorsInAFileStopTheProgramBeforeItRuns) {
  const std::string path = WriteFile("bad_events.txt", "0 move 1 2\n\n7 key tab\n");
  const std::string screenshot = testing_support::ScratchDir() + "/not_written.png";
  std::remove(screenshot.c_str());
  Outcome outcome = RunWith({"--headless", "--events", path, "--screenshot", screenshot});
  EXPECT_EQ(outcome.status, kExitUsage);
  EXPECT_NE(outcome.err.find(path + ":3: 'key' needs 'escape' or 'enter'"), std::string::npos) << outcome.err;
  EXPECT_TRUE(outcome.out.empty());
  EXPECT_TRUE(ReadBytes(screenshot).empty());

}

// Anything but a regular file stops the program with the reason; a FIFO
// is refused at once instead of waiting for a writer.
TEST(EventsFile, OnlyARegularFileIsRead) {
  const std::string folder = testing_support::ScratchDir() + "/events_kinds";
  std::filesystem::create_directories(folder + "/folder");
  std::remove((folder + "/pipe").c_str());
  ASSERT_EQ(::mkfifo((folder + "/pipe").c_str(), 0600), 0);
  struct Case {
    std::string path;
    std::string message;
  };
  const Case cases[] = {
      {folder + "/missing", folder + "/missing: cannot read the events file: No such file or directory"},
      {folder + "/folder", folder + "/folder: cannot read the events file: Is a directory"},
      {folder + "/pipe", folder + "/pipe: cannot read the events file: Is a FIFO, not a regular file"},
      {"/dev/null", "/dev/null: cannot read the events file: Is a device, not a regular file"},
  };
  for (const Case& c : cases) {
    Outcome outcome = RunWith({"--headless", "--events", c.path});
    EXPECT_EQ(outcome.status, kExitUsage) << c.path;
    EXPECT_EQ(outcome.err, "instrument-panel: " + c.message + "\n");
    EXPECT_TRUE(outcome.out.empty());
  }
}

TEST(HeadlessPanel, EscapeAndCloseEndTheRunEnterAndRunningOutLeaveItOpen) {
  struct Case {
    const char* file;
    const char* events;
    const char* runMs;
    const char* printed;
    bool open;
  };
  const Case cases[] = {
      {"escape_events.txt", "450 key escape\n", "1000", "panel closed at 450 ms\n", false},
      {"enter_events.txt", "100 key enter\n2000 key escape  # after the end\n", "600", "panel open at 600 ms\n", true},
      {"close_events.txt", "0 move 400 300\n120 close\n", "1000", "panel closed at 120 ms\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.events);
    const std::string path = WriteFile(c.file, c.events);
    Outcome outcome = RunWith({"--headless", "--clock", "10:00:00", "--run-ms", c.runMs, "--events", path});
    EXPECT_EQ(outcome.status, kExitOk) << outcome.err;
    EXPECT_EQ(outcome.out, c.printed);
    EXPECT_EQ(IsWindowOpen(PanelHandle), c.open);
  }
}

TEST(HeadlessPanel, SameInputsGiveTheSamePictureBytes) {
  const std::string events = WriteFile("panel_events.txt", "150 click 400 300\n250 move 20 580\n");
  std::vector<std::string> pictures;
  for (int run = 0; run < 2; ++run) {
    const std::string png = testing_support::ScratchDir() + "/panel_run" + std::to_string(run) + ".png";
    Outcome outcome = RunWith({"--headless", "--clock", "12:34:56.789", "--run-ms", "700", "--events", events,
                           "--screenshot", png});
    ASSERT_EQ(outcome.status, kExitOk) << outcome.err;
    EXPECT_EQ(outcome.out, "panel open at 700 ms\n");
    pictures.push_back(ReadBytes(png));
  }
  // The picture itself is checked against the golden pictures of the panel.
  ASSERT_FALSE(pictures[0].empty());
  EXPECT_TRUE(pictures[0] == pictures[1]) << "two runs with the same inputs drew different pictures";
}

TEST(HeadlessPanel, ScaledScreenshotShowsEachPixelAsABlock) {
  std::vector<platform::Surface> pictures;
  for (const char* scale : {"1", "2"}) {
    const std::string png = testing_support::ScratchDir() + "/panel_scale" + scale + ".png";
    Outcome outcome = RunWith({"--headless", "--clock", "08:15:00", "--run-ms", "400", "--screenshot", png,
                               "--scale", scale});
    ASSERT_EQ(outcome.status, kExitOk) << outcome.err;
    pictures.emplace_back();
    ASSERT_TRUE(testing_support::ReadPng(png, pictures.back()));
  }
  const platform::Surface& plain = pictures[0];
  const platform::Surface& scaled = pictures[1];
  ASSERT_EQ(plain.width, kPanelWidth);
  ASSERT_EQ(scaled.width, 2 * kPanelWidth);
  ASSERT_EQ(scaled.height, 2 * kPanelHeight);
  int differing = 0;
  for (int y = 0; y < scaled.height; ++y) {
    for (int x = 0; x < scaled.width; ++x) differing += scaled.At(x, y) != plain.At(x / 2, y / 2);
  }
  EXPECT_EQ(differing, 0);
}

TEST(HeadlessPanel, UnwritableScreenshotIsAFailureThatSaysWhy) {
  const std::string folder = testing_support::ScratchDir();
  std::filesystem::create_directories(folder + "/a_folder.png");
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {
      {folder + "/no_such_dir/x.png", "No such file or directory"},
      {folder + "/a_folder.png", "Is a directory"},
      {"/dev/full", "Is a device, not a regular file"},
  };
  for (const Case& c : cases) {
    Outcome outcome = RunWith({"--headless", "--screenshot", c.path});
    EXPECT_EQ(outcome.status, kExitFailure);
    EXPECT_EQ(outcome.err, "instrument-panel: could not write the screenshot " + c.path + ": " + c.reason + "\n");
    EXPECT_EQ(outcome.out, "panel open at 0 ms\n");
  }
}

}  // namespace

namespace {

TEST(PanelFrame, DialogTitlePlacementAndCallbackResults) {
  HeadlessSettings settings;
  settings.clockStart = ClockTime{9, 0, 0, 0};
  StartHeadlessSession(settings);
  ResetPanelState();
  EXPECT_EQ(PanelBackColor, 0x003C4E3C);  // 155 / 2 = 77.5 rounds to 78
  const Handle panel = CreatePanel();
  ASSERT_NE(panel, 0u);
  EXPECT_EQ(panel, PanelHandle);
  EXPECT_EQ(platform::GetWindowText(panel), "Libreria di tools grafici");
  EXPECT_EQ(platform::GetClientRect(panel), (platform::Rect{0, 0, kPanelWidth, kPanelHeight}));
  EXPECT_EQ(GetControlLocation(panel, kDialogItself), (IntPair{552, 200}));  // centred

  EXPECT_EQ(PanelCallback(panel, WM_INITDIALOG, panel, 0), 0);
  EXPECT_EQ(PanelCallback(panel, WM_TIMER, 999, 0), 0);
  EXPECT_EQ(PanelCallback(panel, WM_SETCURSOR, 0x12345, HTCLIENT), 0);  // not a control: ignored
  EXPECT_EQ(PanelCallback(panel, WM_COMMAND, IDOK, 0), 0);
  EXPECT_TRUE(IsWindowOpen(panel));
  // The notification code in the high word is not examined.
  EXPECT_EQ(PanelCallback(panel, WM_COMMAND, IDCANCEL | (1u << 16), 0), 1);
  EXPECT_FALSE(IsWindowOpen(panel));
  EXPECT_FALSE(KillTimer(panel, kTimerLamps));
}

}  // namespace

// Command-line options, the events file and the program's two ways to run.
#include "panel/command_line.h"

#include <iterator>
#include <ostream>
#include <sstream>

#include "host/terminal_text.h"
#include "instrument_panel/dialog.h"
#include "panel/file_panel.h"
#include "panel/panel.h"
#include "platform/file_access.h"

namespace ip::panel {

namespace {

constexpr const char* kProgram = "instrument-panel";
constexpr const char* kUsage =
    "usage: instrument-panel [--scale N|auto] [--panel FILE.toml [--feed FILE|-] [--report]]\n"
    "       instrument-panel --headless [--clock HH:MM:SS[.mmm]] [--run-ms N] [--events FILE]"
    " [--screenshot FILE.png] [--scale N]\n"
    "                        [--panel FILE.toml [--feed FILE|-] [--report]]\n";
constexpr size_t kMaxEventsFileBytes = 16 * 1024 * 1024;

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A decimal number 0..limit, digits only. Any number of leading zeros is
// accepted: only the value counts (and it stops growing past the limit, so it
// cannot overflow).
bool ParseCount(const std::string& text, int64_t limit, int64_t& out) {
  if (!AllDigits(text)) return false;
  int64_t value = 0;
  for (char c : text) {
    value = value * 10 + (c - '0');
    if (value > limit) return false;
  }
  out = value;
  return true;
}

// An optionally signed decimal number within -limit..limit.
bool ParseSigned(const std::string& text, int64_t limit, int64_t& out) {
  const bool negative = !text.empty() && text[0] == '-';
  int64_t magnitude = 0;
  if (!ParseCount(negative ? text.substr(1) : text, limit, magnitude)) return false;
  out = negative ? -magnitude : magnitude;
  return true;
}

bool ParseTwoDigits(const std::string& text, size_t at, int limit, int& out) {
  if (at + 2 > text.size()) return false;
  const std::string part = text.substr(at, 2);
  if (!AllDigits(part)) return false;
  out = (part[0] - '0') * 10 + (part[1] - '0');
  return out <= limit;
}

// "1" to "4" (one digit, so no sign, space or leading zero) or "auto".
bool ParseScale(const std::string& text, int& out) {
  if (text == "auto") {
    out = kAutoDisplayScale;
    return true;
  }
  if (text.size() != 1 || text[0] < '0' + kMinDisplayScale || text[0] > '0' + kMaxDisplayScale) return false;
  out = text[0] - '0';
  return true;
}

bool ReadOptionValue(const std::vector<std::string>& args, size_t& i, std::string& value, std::string& error) {
  if (i + 1 >= args.size()) {
    error = args[i] + ": a value is missing";
    return false;
  }
  value = args[++i];
  return true;
}

std::string& FileOption(CommandLine& options, const std::string& option) {
  if (option == "--events") return options.eventsFile;
  if (option == "--screenshot") return options.screenshotFile;
  if (option == "--panel") return options.panelFile;
  return options.feedFile;
}

bool ApplyOption(const std::vector<std::string>& args, size_t& i, CommandLine& out, std::string& error) {
  const std::string& option = args[i];
  if (option == "--headless") {
    out.headless = true;
    return true;
  }
  if (option == "--help" || option == "-h") {
    out.help = true;
    return true;
  }
  std::string value;
  if (option == "--clock") {
    if (!ReadOptionValue(args, i, value, error)) return false;
    if (!ParseClock(value, out.clock)) {
      error = "--clock: '" + PrintableText(value) + "' is not a time HH:MM:SS or HH:MM:SS.mmm";
      return false;
    }
    out.hasClock = true;
    return true;
  }
  if (option == "--run-ms") {
    if (!ReadOptionValue(args, i, value, error)) return false;
    if (!ParseCount(value, kMaxRunMilliseconds, out.runMs)) {
      error = "--run-ms: '" + PrintableText(value) + "' is not a number of milliseconds from 0 to " +
              std::to_string(kMaxRunMilliseconds);
      return false;
    }
    return true;
  }
  if (option == "--scale") {
    if (!ReadOptionValue(args, i, value, error)) return false;
    if (!ParseScale(value, out.scale)) {
      error = "--scale: '" + value + "' is not a whole number from " + std::to_string(kMinDisplayScale) + " to " +
              std::to_string(kMaxDisplayScale) + " or 'auto'";
      return false;
    }
    return true;
  }
  if (option == "--report") {
    out.report = true;
    return true;
  }
  if (option == "--events" || option == "--screenshot" || option == "--panel" || option == "--feed") {
    if (!ReadOptionValue(args, i, value, error)) return false;
    if (value.empty()) {
      error = option + ": the file name is empty";
      return false;
    }
    FileOption(out, option) = value;
    return true;
  }
  error = "unknown option '" + PrintableText(option) + "'";
  return false;
}

std::vector<std::string> SplitWords(const std::string& line) {
  std::istringstream stream(line);
  return {std::istream_iterator<std::string>(stream), std::istream_iterator<std::string>()};
}

bool ParseButton(const std::string& word, MouseButton& out) {
  if (word == "left") out = MouseButton::kLeft;
  else if (word == "right") out = MouseButton::kRight;
  else return false;
  return true;
}

bool ParsePoint(const std::vector<std::string>& words, int& x, int& y, std::string& error) {
  if (words.size() != 4) {
    error = "'" + PrintableText(words[1]) + "' needs X and Y";
    return false;
  }
  int64_t px = 0, py = 0;
  if (!ParseSigned(words[2], kMaxInputCoordinate, px) || !ParseSigned(words[3], kMaxInputCoordinate, py)) {
    error = "X and Y must be whole numbers from -" + std::to_string(kMaxInputCoordinate) + " to " +
            std::to_string(kMaxInputCoordinate);
    return false;
  }
  x = static_cast<int>(px);
  y = static_cast<int>(py);
  return true;
}

// One event line (comment removed, not blank) into one or more inputs.
bool ParseEventLine(const std::vector<std::string>& words, std::vector<ScriptedInput>& out, std::string& error) {
  using Kind = ScriptedInput::Kind;
  ScriptedInput input;
  if (!ParseCount(words[0], kMaxRunMilliseconds, input.timeMs)) {
    error = "'" + PrintableText(words[0]) + "' is not a time in milliseconds from 0 to " +
            std::to_string(kMaxRunMilliseconds);
    return false;
  }
  if (words.size() < 2) {
    error = "an action is missing";
    return false;
  }
  const std::string& action = words[1];
  if (action == "move" || action == "click") {
    if (!ParsePoint(words, input.x, input.y, error)) return false;
    input.kind = Kind::kMove;
    out.push_back(input);
    if (action == "click") {
      input.kind = Kind::kButtonDown;
      out.push_back(input);
      input.kind = Kind::kButtonUp;
      out.push_back(input);
    }
    return true;
  }
  if (action == "down" || action == "up") {
    if (words.size() != 3 || !ParseButton(words[2], input.button)) {
      error = "'" + PrintableText(action) + "' needs 'left' or 'right'";
      return false;
    }
    input.kind = action == "down" ? Kind::kButtonDown : Kind::kButtonUp;
    out.push_back(input);
    return true;
  }
  if (action == "key") {
    if (words.size() != 3 || (words[2] != "escape" && words[2] != "enter")) {
      error = "'key' needs 'escape' or 'enter'";
      return false;
    }
    input.virtualKey = words[2] == "escape" ? VK_ESCAPE : VK_RETURN;
    input.kind = Kind::kKeyDown;
    out.push_back(input);
    input.kind = Kind::kKeyUp;
    out.push_back(input);
    return true;
  }
  if (action == "close") {
    if (words.size() != 2) {
      error = "'close' takes no arguments";
      return false;
    }
    input.kind = Kind::kClose;
    out.push_back(input);
    return true;
  }
  error = "unknown action '" + PrintableText(action) + "'";
  return false;
}

int RunRealWindow(const CommandLine& options, std::ostream& err) {
  std::string reason;
  RealWindowSettings settings;
  settings.scale = options.scale;
  settings.fitWidth = kPanelWidth;
  settings.fitHeight = kPanelHeight;
  if (!StartRealWindowSession(settings, reason)) {
    err << kProgram << ": no display to open the window on (" << reason
        << "); use --headless to run offscreen\n";
    return kExitFailure;
  }
  ResetPanelState();
  RunPanel();
  EndWindowSession();
  return kExitOk;
}

FilePanelRun FileRunOf(const CommandLine& options) {
  return FilePanelRun{options.panelFile, options.feedFile, options.report, options.screenshotFile, options.scale};
}

int RunHeadless(const CommandLine& options, std::ostream& out, std::ostream& err) {
  HeadlessSettings settings;
  if (!options.eventsFile.empty()) {
    std::string error;
    if (!ReadEventsFile(options.eventsFile, settings.input, error)) {
      err << kProgram << ": " << error << "\n";
      return kExitUsage;
    }
  }
  settings.clockStart = options.hasClock ? options.clock : LocalClockNow();
  settings.runMs = options.runMs;
  settings.scale = options.scale;
  if (!options.panelFile.empty()) return RunFilePanelHeadless(FileRunOf(options), settings, out, err);
  StartHeadlessSession(settings);
  ResetPanelState();
  const bool ran = RunPanel();  // false when the loop spun and was stopped
  const bool open = IsWindowOpen(PanelHandle);
  const int64_t at = SessionClockMs();
  int status = ran ? kExitOk : kExitFailure;
  std::string reason;
  if (!options.screenshotFile.empty() && !WriteShownPicture(options.screenshotFile, reason)) {
    err << kProgram << ": could not write the screenshot " << PrintableText(options.screenshotFile) << ": " << reason
        << "\n";
    status = kExitFailure;
  }
  out << "panel " << (open ? "open" : "closed") << " at " << at << " ms\n";
  return status;
}

}  // namespace

bool ParseClock(const std::string& text, ClockTime& out) {
  if (text.size() != 8 && text.size() != 12) return false;
  if (text[2] != ':' || text[5] != ':') return false;
  ClockTime time;
  if (!ParseTwoDigits(text, 0, 23, time.hour) || !ParseTwoDigits(text, 3, 59, time.minute) ||
      !ParseTwoDigits(text, 6, 59, time.second)) {
    return false;
  }
  if (text.size() == 12) {
    const std::string fraction = text.substr(9);
    if (text[8] != '.' || !AllDigits(fraction)) return false;
    time.millisecond = std::stoi(fraction);
  }
  out = time;
  return true;
}

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error) {
  CommandLine parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    if (!ApplyOption(args, i, parsed, error)) return false;
  }
  const bool headlessOnly = parsed.hasClock || parsed.runMs != 0 || !parsed.eventsFile.empty() ||
                            !parsed.screenshotFile.empty();
  if (headlessOnly && !parsed.headless) {
    error = "--clock, --run-ms, --events and --screenshot need --headless";
    return false;
  }
  if ((parsed.report || !parsed.feedFile.empty()) && parsed.panelFile.empty()) {
    error = "--feed and --report need --panel";
    return false;
  }
  out = parsed;
  return true;
}

bool ParseEvents(const std::string& fileName, const std::string& text, std::vector<ScriptedInput>& out,
                 std::string& error) {
  std::vector<ScriptedInput> events;
  std::istringstream stream(text);
  std::string line;
  int64_t previousMs = 0;
  for (int number = 1; std::getline(stream, line); ++number) {
    line = line.substr(0, line.find('#'));
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty()) continue;
    std::string reason;
    const size_t before = events.size();
    if (!ParseEventLine(words, events, reason)) {
      error = PrintableText(fileName) + ":" + std::to_string(number) + ": " + reason;
      return false;
    }
    if (events[before].timeMs < previousMs) {
      error = PrintableText(fileName) + ":" + std::to_string(number) + ": time " +
              std::to_string(events[before].timeMs) + " is before the previous event's " + std::to_string(previousMs);
      return false;
    }
    previousMs = events[before].timeMs;
  }
  out = std::move(events);
  return true;
}

bool ReadEventsFile(const std::string& path, std::vector<ScriptedInput>& out, std::string& error) {
  std::string text, reason;
  if (!platform::ReadRegularFile(path, kMaxEventsFileBytes, text, reason)) {
    error = PrintableText(path) + ": cannot read the events file: " + reason;
    return false;
  }
  return ParseEvents(path, text, out, error);
}

int RunProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandLine options;
  std::string error;
  if (!ParseCommandLine(args, options, error)) {
    err << kProgram << ": " << error << "\n" << kUsage;
    return kExitUsage;
  }
  if (options.help) {
    out << kUsage;
    return kExitOk;
  }
  if (options.headless) return RunHeadless(options, out, err);
  if (!options.panelFile.empty()) return RunFilePanelWindow(FileRunOf(options), out, err);
  return RunRealWindow(options, err);
}

}  // namespace ip::panel

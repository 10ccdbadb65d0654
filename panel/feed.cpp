// Feed lines into commands: words, numbers and texts checked against the
// panel the line is for.
#include "panel/feed.h"

#include <charconv>
#include <cmath>

#include "host/terminal_text.h"
#include "instrument_panel/session.h"
#include "panel/panel_file_schema.h"
#include "panel/panel_file_values.h"

namespace ip::panel {

namespace {

constexpr float kFullScale = 100;
constexpr size_t kCaptionBytes = 20;  // what a gauge's or label's record keeps
constexpr size_t kTextBytes = 4000;
constexpr size_t kShownWordBytes = 40;  // of a word a message quotes
const char* const kOn = "on";
const char* const kOff = "off";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view TrimmedEnd(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The first word of `text` (up to a blank), and what follows the blanks after it.
std::string_view TakeWord(std::string_view& text) {
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  size_t end = start;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  const std::string_view word = text.substr(start, end - start);
  size_t rest = end;
  while (rest < text.size() && IsBlank(text[rest])) ++rest;
  text.remove_prefix(rest);
  return word;
}

bool ParseWhole(std::string_view word, int64_t limit, int64_t& out) {
  if (word.empty() || word.size() > 18) return false;
  int64_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < 0 || value > limit) return false;
  out = value;
  return true;
}

// A decimal number 0..100: digits with an optional fraction ("42", "37.5").
bool ParseLevel(std::string_view word, float& out, std::string& reason) {
  double value = 0;
  const bool digitsOnly = !word.empty() && word.find_first_not_of("0123456789.") == std::string_view::npos;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (!digitsOnly || error != std::errc() || end != word.data() + word.size() || !(value <= kFullScale)) {
    reason = "'" + PrintableText(word.substr(0, kShownWordBytes)) + "' is not a number from 0 to 100";
    return false;
  }
  out = static_cast<float>(value);
  return true;
}

// "\n" as a line break and "\\" as a backslash; any other backslash stays.
std::string Unescaped(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
      out += text[++i] == 'n' ? '\n' : '\\';
    } else {
      out += text[i];
    }
  }
  return out;
}

bool ReadText(std::string_view text, bool lines, size_t maxBytes, FeedCommand& out, std::string& reason) {
  const std::string source = lines ? Unescaped(text) : std::string(text);
  std::optional<std::string> bytes = ToWindows1252(source, lines, reason);
  if (!bytes) return false;
  if (bytes->size() > maxBytes) {
    reason = "the text is " + std::to_string(bytes->size()) + " characters long; at most " +
             std::to_string(maxBytes) + " are kept";
    return false;
  }
  out.text = std::move(*bytes);
  out.hasText = true;
  return true;
}

bool NoText(std::string_view rest, const char* kind, std::string& reason) {
  if (rest.empty()) return true;
  reason = std::string("a ") + kind + " takes no text after its value";
  return false;
}

// The value and text of a line for the instrument it names.
bool ReadValue(FileKind kind, std::string_view rest, FeedCommand& out, std::string& reason) {
  switch (kind) {
    case FileKind::kGauge:
    case FileKind::kLamp:
    case FileKind::kRoundLamp:
    case FileKind::kTextPanel: {
      const std::string_view word = TakeWord(rest);
      if (word.empty()) {
        reason = "a value is missing";
        return false;
      }
      if (!ParseLevel(word, out.value, reason)) return false;
      const size_t maxBytes = kind == FileKind::kGauge ? kCaptionBytes : kTextBytes;
      return rest.empty() || ReadText(rest, false, maxBytes, out, reason);
    }
    case FileKind::kKnob: {
      const std::string_view word = TakeWord(rest);
      if (word.empty()) {
        reason = "a percentage is missing";
        return false;
      }
      return ParseLevel(word, out.value, reason) && NoText(rest, "knob", reason);
    }
    case FileKind::kButton:
    case FileKind::kSwitch: {
      const std::string_view word = TakeWord(rest);
      if (word != kOn && word != kOff) {
        reason = "'on' or 'off' is missing";
        return false;
      }
      out.on = word == kOn;
      return NoText(rest, std::string(KindOf(kind).name).c_str(), reason);
    }
    case FileKind::kDisplay:
    case FileKind::kMarquee:
      return ReadText(rest, false, kTextBytes, out, reason);
    case FileKind::kLabel:
      return ReadText(rest, false, kCaptionBytes, out, reason);
    case FileKind::kBlackboard:
      return ReadText(rest, true, kTextBytes, out, reason);
    case FileKind::kBackground:
      reason = "a background takes no values";
      return false;
  }
  return false;
}

}  // namespace

bool IsFeedLineSkipped(std::string_view line) {
  std::string_view rest = line;
  const std::string_view word = TakeWord(rest);
  return word.empty() || word.front() == '#';
}

bool ParseFeedLine(const PanelDescription& panel, std::string_view line, FeedCommand& out, std::string& reason) {
  if (line.size() > kMaxFeedLineBytes) {
    reason = "the line is longer than " + std::to_string(kMaxFeedLineBytes) + " bytes";
    return false;
  }
  std::string_view rest = TrimmedEnd(line);
  const std::string_view idWord = TakeWord(rest);
  int64_t id = 0;
  if (!ParseWhole(idWord, kMaxInstrumentId, id)) {
    reason = "'" + PrintableText(idWord.substr(0, kShownWordBytes)) + "' is not an instrument identifier";
    return false;
  }
  const InstrumentDescription* instrument = panel.Find(static_cast<int32_t>(id));
  if (instrument == nullptr) {
    reason = "the panel has no instrument " + std::to_string(id);
    return false;
  }
  FeedCommand command;
  command.id = instrument->id;
  command.kind = instrument->kind;
  if (!ReadValue(instrument->kind, rest, command, reason)) return false;
  out = std::move(command);
  return true;
}

bool ParseTimedFeedLine(const PanelDescription& panel, std::string_view line, TimedFeedCommand& out,
                        std::string& reason) {
  std::string_view rest = line;
  const std::string_view timeWord = TakeWord(rest);
  int64_t timeMs = 0;
  if (!ParseWhole(timeWord, kMaxRunMilliseconds, timeMs)) {
    reason = "'" + PrintableText(timeWord.substr(0, kShownWordBytes)) + "' is not a time in milliseconds from 0 to " +
             std::to_string(kMaxRunMilliseconds);
    return false;
  }
  if (!ParseFeedLine(panel, rest, out.command, reason)) return false;
  out.timeMs = timeMs;
  return true;
}

std::vector<TimedFeedCommand> ParseTimedFeed(const PanelDescription& panel, const std::string& name,
                                             std::string_view text, std::string& errors) {
  std::vector<TimedFeedCommand> commands;
  const std::string shownName = PrintableText(name);
  int64_t previousMs = 0;
  size_t number = 0;
  while (!text.empty()) {
    ++number;
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (IsFeedLineSkipped(line)) continue;
    TimedFeedCommand command;
    std::string reason;
    if (!ParseTimedFeedLine(panel, line, command, reason)) {
      errors += shownName + ":" + std::to_string(number) + ": " + reason + "\n";
    } else if (command.timeMs < previousMs) {
      errors += shownName + ":" + std::to_string(number) + ": time " + std::to_string(command.timeMs) +
                " is before the previous line's " + std::to_string(previousMs) + "\n";
    } else {
      previousMs = command.timeMs;
      commands.push_back(std::move(command));
    }
  }
  return commands;
}

}  // namespace ip::panel

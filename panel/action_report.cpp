// Report lines of the user's actions, held back while a drag goes on.
#include "panel/action_report.h"

#include <charconv>
#include <iostream>

namespace ip::panel {

void ActionReporter::ValueChanged(int32_t id, const std::string& value, int64_t nowMs) {
  Entry& entry = entries_[id];
  if (entry.everWritten && value == entry.written) {
    entry.held.clear();  // back where it was last reported
    return;
  }
  if (!entry.everWritten || nowMs - entry.writtenAtMs >= kMinReportIntervalMs) {
    Write(id, entry, value, nowMs);
  } else {
    entry.held = value;
  }
}

void ActionReporter::StateChanged(int32_t id, bool on) { WriteLine(std::to_string(id) + (on ? " on" : " off")); }

void ActionReporter::Released(int64_t nowMs) {
  for (auto& [id, entry] : entries_) {
    if (!entry.held.empty()) Write(id, entry, entry.held, nowMs);
  }
}

void ActionReporter::Tick(int64_t nowMs) {
  for (auto& [id, entry] : entries_) {
    if (!entry.held.empty() && nowMs - entry.writtenAtMs >= kMinReportIntervalMs) Write(id, entry, entry.held, nowMs);
  }
}

bool ActionReporter::Holding() const {
  for (const auto& [id, entry] : entries_) {
    if (!entry.held.empty()) return true;
  }
  return false;
}

void ActionReporter::Write(int32_t id, Entry& entry, std::string value, int64_t nowMs) {
  // `value` is a copy: it may be the held value cleared below.
  entry.written = value;
  entry.held.clear();
  entry.writtenAtMs = nowMs;
  entry.everWritten = true;
  WriteLine(std::to_string(id) + " " + value);
}

void ActionReporter::WriteLine(const std::string& line) {
  if (!working_) return;
  out_ << line << '\n' << std::flush;
  if (!out_) {
    working_ = false;
    std::cerr << "instrument-panel: standard output cannot be written; no more reports\n";
  }
}

std::string ReportedNumber(float value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : "0";
}

}  // namespace ip::panel

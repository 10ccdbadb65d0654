// The user's actions as lines on standard output, one a change:
//   ID VALUE    a gauge dragged or a knob turned: while the button is held at
//               most one line per instrument every kMinReportIntervalMs, and
//               the last value when it is let go
//   ID on|off   a button or switch toggled, at once
// Every line is flushed as it is written. A value equal to the one last
// written for the instrument is not written again.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>

namespace ip::panel {

constexpr int64_t kMinReportIntervalMs = 100;

class ActionReporter {
 public:
  explicit ActionReporter(std::ostream& out) : out_(out) {}

  // A value the user set; written now or held back (see above).
  void ValueChanged(int32_t id, const std::string& value, int64_t nowMs);
  // A state the user set: written at once.
  void StateChanged(int32_t id, bool on);
  // The mouse button was let go: every value held back is written.
  void Released(int64_t nowMs);
  // Writes the values held back whose interval has passed.
  void Tick(int64_t nowMs);
  // Whether a value waits to be written (a timer should call Tick).
  bool Holding() const;
  // False once standard output could not be written (its reader has gone):
  // the reports stop, the panel goes on.
  bool Working() const { return working_; }

 private:
  struct Entry {
    std::string written;  // the value last written
    std::string held;     // a value waiting, or ""
    int64_t writtenAtMs = 0;
    bool everWritten = false;
  };

  void Write(int32_t id, Entry& entry, std::string value, int64_t nowMs);
  void WriteLine(const std::string& line);

  std::ostream& out_;
  std::map<int32_t, Entry> entries_;
  bool working_ = true;
};

// A gauge level as the shortest text that reads back as the same float.
std::string ReportedNumber(float value);

}  // namespace ip::panel

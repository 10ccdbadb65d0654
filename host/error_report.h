// Host-internal side of the error state: recording a code, and reporting an
// unknown name or identifier once. The report goes to a diagnostic sink:
// standard error in builds without NDEBUG, nowhere in builds with it; tests
// put their own sink in its place.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "instrument_panel/errors.h"

namespace ip {

void SetLastError(ErrorCode code);

// Records `code` and, the first time this code meets this subject (a name
// or an identifier as text), sends one line to the diagnostic sink naming
// both. After kMaxDistinctReports different subjects no further lines are
// sent (the codes are still recorded), so a program that makes up new names
// without end cannot grow the memory of the ones seen.
void ReportUnknown(ErrorCode code, std::string_view subject);
constexpr size_t kMaxDistinctReports = 1000;

// While one of these lives, ReportUnknown does nothing: for an operation that
// passes a name of one kind where the drawing code reads another (the gauge
// under a rectangular lamp takes the lamp scheme as its fill colour).
class QuietReports {
 public:
  QuietReports();
  ~QuietReports();
  QuietReports(const QuietReports&) = delete;
  QuietReports& operator=(const QuietReports&) = delete;
};

// False for a name that is empty or holds only spaces and zero bytes (a
// record field never written): such a name means "none" and is not reported.
bool NamesSomething(std::string_view name);

using DiagnosticSink = std::function<void(const std::string& line)>;
// Replaces the sink (an empty one sends nowhere) and forgets the subjects
// already reported. Returns the previous sink.
DiagnosticSink SetDiagnosticSink(DiagnosticSink sink);

}  // namespace ip

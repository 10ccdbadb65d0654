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

using DiagnosticSink = std::function<void(const std::string& line)>;
// Replaces the sink (an empty one sends nowhere) and forgets the subjects
// already reported. Returns the previous sink.
DiagnosticSink SetDiagnosticSink(DiagnosticSink sink);

}  // namespace ip

// The error state and the once-per-subject reports of unknown names.
#include <cstdio>
#include <set>
#include <utility>

#include "host/error_report.h"

namespace ip {

namespace {

void WriteToStandardError(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

// Reports go to standard error in builds without NDEBUG.
#ifdef NDEBUG
constexpr bool kReportByDefault = false;
#else
constexpr bool kReportByDefault = true;
#endif

DiagnosticSink DefaultSink() {
  if (kReportByDefault) return WriteToStandardError;
  return {};
}

struct ErrorState {
  ErrorCode last = ErrorCode::kNone;
  DiagnosticSink sink = DefaultSink();
  std::set<std::pair<ErrorCode, std::string>> reported;
  int quiet = 0;  // QuietReports alive
};

ErrorState& State() {
  static ErrorState state;
  return state;
}

}  // namespace

ErrorCode LastError() { return State().last; }

void ClearLastError() { State().last = ErrorCode::kNone; }

void SetLastError(ErrorCode code) { State().last = code; }

const char* ErrorDescription(ErrorCode code) {
  switch (code) {
    case ErrorCode::kNone: return "no error";
    case ErrorCode::kFontNotMade: return "font could not be made";
    case ErrorCode::kNoCanvas: return "no such canvas";
    case ErrorCode::kInvalidWindow: return "no such window";
    case ErrorCode::kControlNotFound: return "no such control";
    case ErrorCode::kUnknownColorName: return "unknown colour name";
    case ErrorCode::kUnknownGaugeStyle: return "unknown gauge style";
    case ErrorCode::kUnknownLampScheme: return "unknown lamp scheme";
    case ErrorCode::kUnknownBackgroundPattern: return "unknown background pattern";
    case ErrorCode::kIdentifierOutsideTables: return "identifier outside the instrument tables";
    case ErrorCode::kWrongInstrumentKind: return "instrument of another kind";
    case ErrorCode::kNoWindowSession: return "no window session started";
    case ErrorCode::kInvalidDisplayScale: return "display scale outside 1 to 4";
  }
  return "unknown error code";
}

bool NamesSomething(std::string_view name) { return name.find_first_not_of(std::string_view(" \0", 2)) != name.npos; }

QuietReports::QuietReports() { ++State().quiet; }

QuietReports::~QuietReports() { --State().quiet; }

void ReportUnknown(ErrorCode code, std::string_view subject) {
  ErrorState& state = State();
  if (state.quiet > 0) return;
  state.last = code;
  if (!state.sink || state.reported.size() >= kMaxDistinctReports) return;
  if (!state.reported.emplace(code, std::string(subject)).second) return;
  state.sink(std::string("instrument panel: ") + ErrorDescription(code) + " '" + std::string(subject) + "'");
}

DiagnosticSink SetDiagnosticSink(DiagnosticSink sink) {
  ErrorState& state = State();
  state.reported.clear();
  return std::exchange(state.sink, std::move(sink));
}

}  // namespace ip

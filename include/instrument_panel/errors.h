// What went wrong last. Operations never stop or show anything when they
// meet a missing window, an unknown name or an identifier outside the
// tables: they do what their description says (usually nothing, or black)
// and record an error code here, which a program may read and clear.
// Builds without NDEBUG also write one line to standard error for each
// distinct unknown name or identifier.
#pragma once

#include <cstdint>

namespace ip {

enum class ErrorCode : int32_t {
  kNone = 0,
  // The codes the window system gives the same failures.
  kFontNotMade = 5,         // a canvas font could not be made; the old one stays
  kNoCanvas = 68,           // CanvasAttach found no canvas under that owner and identifier
  kInvalidWindow = 1400,    // ERROR_INVALID_WINDOW_HANDLE: no such dialog
  kControlNotFound = 1421,  // ERROR_CONTROL_ID_NOT_FOUND: no such control in the dialog
  // The library's own codes (the customer bit of a Windows error code set).
  kUnknownColorName = 0x20000001,  // not a colour key nor "#RRGGBB": black
  kUnknownGaugeStyle,              // a style key no gauge knows: no level, no ticks
  kUnknownLampScheme,              // a lamp scheme no lamp knows: black
  kUnknownBackgroundPattern,       // a pattern number outside 0..6: inside left as it was
  kIdentifierOutsideTables,        // a control identifier beyond the instrument tables: ignored
  kWrongInstrumentKind,            // a getter asked about an instrument of another kind
  kNoWindowSession,                // RunDialogModal before a window session was started
  kInvalidDisplayScale,            // a session's display scale outside 1..4 and not automatic: refused or 1
};

// The code the last failing operation recorded (kNone if none since the
// start or the last ClearLastError).
ErrorCode LastError();
void ClearLastError();
// A short English description of a code ("unknown colour name").
const char* ErrorDescription(ErrorCode code);

}  // namespace ip

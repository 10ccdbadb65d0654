// How the windows of a run are shown: in a real window on the desktop, or
// headless (offscreen, on a virtual clock with scripted input, the client
// area kept as a picture). Choosing one starts a fresh window system; a
// dialog's modal loop runs only inside a session.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ip {

// A local time of day.
struct ClockTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  bool operator==(const ClockTime&) const = default;
};

enum class MouseButton { kLeft, kRight };

// One scripted input of a headless run. Positions are client coordinates of
// the shown window.
struct ScriptedInput {
  enum class Kind { kMove, kButtonDown, kButtonUp, kKeyDown, kKeyUp, kClose };
  int64_t timeMs = 0;  // from the start of the run
  Kind kind = Kind::kMove;
  int x = 0;
  int y = 0;
  MouseButton button = MouseButton::kLeft;
  int virtualKey = 0;
  bool operator==(const ScriptedInput&) const = default;
};

// The ranges of a headless run's input that the panel program accepts: run
// lengths and input times up to kMaxRunMilliseconds, positions within
// -kMaxInputCoordinate..kMaxInputCoordinate.
constexpr int64_t kMaxRunMilliseconds = 1000000000;
constexpr int kMaxInputCoordinate = 32767;

// An application message of a headless run, posted to the shown window at
// its time (after the scripted input of the same moment), as another thread
// of a real run would post it (PostMessageFromAnyThread, dialog.h).
struct ScriptedMessage {
  int64_t timeMs = 0;  // from the start of the run
  uint32_t message = 0;
  uint32_t wParam = 0;
  uint32_t lParam = 0;
  bool operator==(const ScriptedMessage&) const = default;
};

// Display scale: each pixel of a window shown N x N screen pixels large, so
// that a dialog stays readable on a dense screen while every pixel of its
// drawing stays exactly as drawn. Coordinates the program sees (window
// positions, sizes, the desktop's work area, the mouse) stay in window
// pixels at any scale.
constexpr int kMinDisplayScale = 1;
constexpr int kMaxDisplayScale = 4;
// The real window's automatic scale: the largest whole factor, up to what the
// display's pixel density asks for (its dots per inch over 96, to the nearest
// whole number), at which a window of the fit size leaves at least a tenth of
// the desktop's work area free across and down.
constexpr int kAutoDisplayScale = 0;

struct RealWindowSettings {
  int scale = 1;         // kMinDisplayScale..kMaxDisplayScale, or kAutoDisplayScale
  int fitWidth = 800;    // kAutoDisplayScale: the window (client area) the scale must fit
  int fitHeight = 600;
};

struct HeadlessSettings {
  ClockTime clockStart;                   // the local time at virtual 0 ms
  int64_t runMs = 0;                      // how long the run lasts
  std::vector<ScriptedInput> input;       // in non-decreasing time order
  std::vector<ScriptedMessage> messages;  // in non-decreasing time order
  int scale = 1;                          // WriteShownPicture writes the picture this many times larger
                                          // (kAutoDisplayScale: the headless desktop asks for 1)
};

// Opens the desktop for a real window at scale 1. False, with the reason,
// without a display.
bool StartRealWindowSession(std::string& error);
// The same at settings.scale. A scale outside 1..kMaxDisplayScale that is not
// kAutoDisplayScale is refused: false, the reason, and
// ErrorCode::kInvalidDisplayScale.
bool StartRealWindowSession(const RealWindowSettings& settings, std::string& error);
// Starts a headless run: the virtual clock starts at settings.clockStart and
// the modal loop returns after settings.runMs virtual milliseconds at most.
// A scale outside 1..kMaxDisplayScale that is not kAutoDisplayScale counts as
// 1 and records ErrorCode::kInvalidDisplayScale.
void StartHeadlessSession(const HeadlessSettings& settings);
// The display scale of the current session (automatic resolved), 1 without one.
int SessionDisplayScale();
// Closes the session's windows and releases the desktop.
void EndWindowSession();
// True from a successful start of either session until EndWindowSession.
bool WindowSessionStarted();
// Milliseconds on the session's monotonic clock (virtual in a headless run,
// where it starts at 0).
int64_t SessionClockMs();
// The local time now (real, before any session is started).
ClockTime LocalClockNow();
// Writes the client area as last shown in a headless run to a PNG file, at
// the session's display scale,
// through a temporary file in the same folder that is renamed into place: a
// failed write leaves no partial picture behind. False when nothing was shown
// or the file cannot be written; the second form also says why ("Permission
// denied", "Is a directory").
bool WriteShownPicture(const std::string& path);
bool WriteShownPicture(const std::string& path, std::string& reason);

}  // namespace ip

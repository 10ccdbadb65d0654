// Runs the demonstration panel headless on the virtual clock with scripted
// mouse input: the setup shared by the suites that test the whole panel.
#pragma once

#include <cstdint>
#include <vector>

#include "instrument_panel/dialog.h"
#include "instrument_panel/session.h"
#include "panel/panel.h"
#include "platform/window_headless.h"

namespace headless_panel {

using namespace ip;
using namespace ip::panel;

using Kind = ScriptedInput::Kind;

constexpr ClockTime kHalfMinute{12, 0, 30, 0};

// Starts a headless session of `runMs` virtual milliseconds and builds the
// panel; RunToEnd() then runs its loop until the session's time is up.
inline void Build(int64_t runMs, const std::vector<ScriptedInput>& input = {}, ClockTime start = kHalfMinute) {
  HeadlessSettings settings;
  settings.clockStart = start;
  settings.runMs = runMs;
  settings.input = input;
  StartHeadlessSession(settings);
  ResetPanelState();
  CreatePanel();
}
inline void RunToEnd() { RunDialogModal(PanelCallback, PanelHandle, nullptr); }

// Builds the panel, runs it to the end and returns the picture on the screen.
inline platform::Surface RunPanel(int64_t runMs, const std::vector<ScriptedInput>& input = {}) {
  Build(runMs, input);
  RunToEnd();
  return platform::HeadlessShownPicture();
}

// A left click at (x, y): move, press and release at the same moment.
inline void Click(std::vector<ScriptedInput>& input, int64_t ms, int x, int y) {
  input.push_back({ms, Kind::kMove, x, y});
  input.push_back({ms, Kind::kButtonDown, x, y, MouseButton::kLeft});
  input.push_back({ms, Kind::kButtonUp, x, y, MouseButton::kLeft});
}

// Presses `button` at (x, y), moves through the midpoint to (toX, toY) and
// releases it there, all within 150 ms from `ms`.
inline void Drag(std::vector<ScriptedInput>& input, int64_t ms, MouseButton button, int x, int y, int toX, int toY) {
  input.push_back({ms, Kind::kMove, x, y});
  input.push_back({ms + 1, Kind::kButtonDown, x, y, button});
  input.push_back({ms + 50, Kind::kMove, (x + toX) / 2, (y + toY) / 2});
  input.push_back({ms + 100, Kind::kMove, toX, toY});
  input.push_back({ms + 150, Kind::kButtonUp, toX, toY, button});
}

// User value `slot` of the panel's control `id`.
inline int32_t Slot(int32_t id, int32_t slot) { return GetControlUserValue(GetControlHandle(PanelHandle, id), slot); }

// The colour value of one pixel on the screen, or -1 outside it.
inline ColorRef ShownPixel(int x, int y) {
  const platform::Surface& shown = platform::HeadlessShownPicture();
  if (!shown.Contains(x, y)) return -1;
  return static_cast<ColorRef>(platform::ColorRefFromPixel(shown.At(x, y)));
}

}  // namespace headless_panel

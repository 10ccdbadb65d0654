// Fuzz harness: the whole demonstration panel, headless on the virtual clock,
// driven by an events file from the input (moves, clicks, drags with either
// button, keys, close) for at most kMaxRunMs virtual milliseconds across
// midnight. The run ends at its time or when the panel is closed, the screen
// keeps the panel's size, and the panel stays open unless an input closed it.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "instrument_panel/dialog.h"
#include "instrument_panel/session.h"
#include "panel/command_line.h"
#include "panel/panel.h"
#include "platform/window_headless.h"
#include "tests/fuzz/fuzz_input.h"

using namespace ip;
using fuzz_input::FuzzCheck;

namespace {

constexpr int64_t kMaxRunMs = 1000;
constexpr int64_t kAfterLastInputMs = 200;
constexpr ClockTime kBeforeMidnight{23, 59, 59, 600};

bool CanClose(const std::vector<ScriptedInput>& input, int64_t runMs) {
  return std::any_of(input.begin(), input.end(), [runMs](const ScriptedInput& e) {
    const bool escape = e.kind == ScriptedInput::Kind::kKeyDown && e.virtualKey == VK_ESCAPE;
    const bool closing = e.kind == ScriptedInput::Kind::kClose || escape;
    return closing && e.timeMs <= runMs;
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HeadlessSettings settings;
  std::string error;
  if (!panel::ParseEvents("events.txt", std::string(reinterpret_cast<const char*>(data), size), settings.input,
                          error)) {
    return 0;
  }
  const int64_t last = settings.input.empty() ? 0 : settings.input.back().timeMs;
  settings.runMs = std::min(kMaxRunMs, last + kAfterLastInputMs);
  settings.clockStart = kBeforeMidnight;
  StartHeadlessSession(settings);
  panel::ResetPanelState();
  panel::RunPanel();
  const bool open = IsWindowOpen(panel::PanelHandle);
  const int64_t endedAt = SessionClockMs();
  const platform::Surface& shown = platform::HeadlessShownPicture();
  FuzzCheck(endedAt <= settings.runMs && (open ? endedAt == settings.runMs : true), "the run ends at its time");
  FuzzCheck(open || CanClose(settings.input, settings.runMs), "only an input closes the panel");
  FuzzCheck(shown.width == panel::kPanelWidth && shown.height == panel::kPanelHeight, "the screen shows the panel");
  EndWindowSession();
  return 0;
}

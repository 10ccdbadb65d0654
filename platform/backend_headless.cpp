// The headless backend and the idle backend. Time is virtual: when the loop
// would wait, the clock jumps to the next timer deadline or scripted input,
// and the run is over once nothing is left before its end.
#include <algorithm>
#include <cstdint>

#include "platform/clock.h"
#include "platform/window_backend.h"
#include "platform/window_headless.h"

namespace ip::platform {

namespace {

struct HeadlessRun {
  std::vector<ScriptedInput> input;
  size_t nextInput = 0;
  std::vector<ScriptedMessage> messages;
  size_t nextMessage = 0;
  int64_t endMs = 0;
  bool over = false;
  Surface shown;
};

HeadlessRun& Run() {
  static HeadlessRun run;
  return run;
}

Rect HeadlessWorkArea() { return kHeadlessWorkArea; }
FrameInsets HeadlessFrame() { return kHeadlessFrame; }
void ShowNothing(uint32_t, const std::string&, Rect) {}
void CloseNothing(uint32_t) {}
void PresentNothing(const Surface&, const std::vector<Rect>&) {}
bool NoInput() { return false; }
bool NoWait(int64_t) { return false; }
void NoShutdown() {}

void ApplyInput(const ScriptedInput& input) {
  switch (input.kind) {
    case ScriptedInput::Kind::kMove:
      InjectMouseMove(input.x, input.y);
      break;
    case ScriptedInput::Kind::kButtonDown:
      InjectMouseButton(input.button, true);
      break;
    case ScriptedInput::Kind::kButtonUp:
      InjectMouseButton(input.button, false);
      break;
    case ScriptedInput::Kind::kKeyDown:
      InjectKey(input.virtualKey, true);
      break;
    case ScriptedInput::Kind::kKeyUp:
      InjectKey(input.virtualKey, false);
      break;
    case ScriptedInput::Kind::kClose:
      InjectCloseButton();
      break;
  }
}

// Keeps the picture as shown: the changed rectangles are copied into it (the
// whole buffer when its size changed).
void HeadlessPresent(const Surface& backBuffer, const std::vector<Rect>& changed) {
  Surface& shown = Run().shown;
  if (shown.width != backBuffer.width || shown.height != backBuffer.height) {
    shown = backBuffer;
    return;
  }
  for (const Rect& r : changed) {
    for (int y = r.top; y < r.bottom; ++y) {
      const Pixel* from = backBuffer.Row(y);
      std::copy(from + r.left, from + r.right, shown.Row(y) + r.left);
    }
  }
}

bool InputDue(const HeadlessRun& run) {
  return run.nextInput < run.input.size() && run.input[run.nextInput].timeMs <= MonotonicMs();
}

bool MessageDue(const HeadlessRun& run) {
  return run.nextMessage < run.messages.size() && run.messages[run.nextMessage].timeMs <= MonotonicMs();
}

// One scripted input or message at a time, so that the program has handled
// each one before the next arrives, as it would between real key strokes.
// Input comes before the messages of the same moment.
bool HeadlessPoll() {
  HeadlessRun& run = Run();
  if (InputDue(run)) {
    ApplyInput(run.input[run.nextInput++]);
    return true;
  }
  if (!MessageDue(run)) return false;
  const ScriptedMessage& message = run.messages[run.nextMessage++];
  PostMessage(ShownWindow(), message.message, message.wParam, message.lParam);
  return true;
}

bool HeadlessWait(int64_t deadlineMs) {
  HeadlessRun& run = Run();
  if (run.over) return false;
  const int64_t now = MonotonicMs();
  int64_t next = INT64_MAX;
  if (deadlineMs >= 0) next = deadlineMs;
  if (run.nextInput < run.input.size()) next = std::min(next, run.input[run.nextInput].timeMs);
  if (run.nextMessage < run.messages.size()) next = std::min(next, run.messages[run.nextMessage].timeMs);
  if (next > run.endMs) {
    AdvanceVirtualClock(run.endMs - now);
    run.over = true;
    return false;
  }
  AdvanceVirtualClock(next - now);
  return true;
}

// Neither waits in real time, so neither needs waking.
const Backend kHeadlessBackend{HeadlessWorkArea, HeadlessFrame, ShowNothing,  CloseNothing,
                               HeadlessPresent,  HeadlessPoll,  HeadlessWait, NoShutdown, nullptr};
const Backend kIdleBackend{HeadlessWorkArea, HeadlessFrame, ShowNothing, CloseNothing,
                           PresentNothing,   NoInput,       NoWait,      NoShutdown, nullptr};

}  // namespace

const Backend& IdleBackend() { return kIdleBackend; }

void StartHeadlessBackend(const HeadlessSettings& settings) {
  InstallBackend(&kHeadlessBackend);
  UseVirtualClock(settings.clockStart);
  HeadlessRun& run = Run();
  run = HeadlessRun{};
  run.input = settings.input;
  std::stable_sort(run.input.begin(), run.input.end(),
                   [](const ScriptedInput& a, const ScriptedInput& b) { return a.timeMs < b.timeMs; });
  run.messages = settings.messages;
  std::stable_sort(run.messages.begin(), run.messages.end(),
                   [](const ScriptedMessage& a, const ScriptedMessage& b) { return a.timeMs < b.timeMs; });
  run.endMs = std::max<int64_t>(0, settings.runMs);
}

const Surface& HeadlessShownPicture() { return Run().shown; }

}  // namespace ip::platform

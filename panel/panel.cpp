// The frame of the demonstration panel: its globals, the start-up sequence,
// the order of the instrument groups and PanelCallback, which starts the
// animation timers and sends each message to the work of its family.
#include "panel/panel.h"

#include "instrument_panel/bitmaps.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/numbers.h"
#include "instrument_panel/texts.h"
#include "instrument_panel/interaction.h"
#include "instruments/instrument_state.h"
#include "panel/asset_folder.h"
#include "panel/panel_parts.h"
#include "platform/rounding.h"

namespace ip::panel {

Handle PanelHandle = 0;
ColorRef PanelBackColor = 0x3C4E3C;  // red 60, green 78, blue 60 (ComputePanelBackColor)
float AnimationPhase = 0;
const char* const kPanelTitle = "Libreria di tools grafici";

namespace {

constexpr uint32_t kPanelStyle = 0xB0000;  // WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX
constexpr int32_t kCentred = -1;
constexpr uint32_t kLampPeriodMs = 100;
constexpr uint32_t kGaugePeriodMs = 100;
constexpr uint32_t kPanelPeriodMs = 300;

// Controls that follow the mouse: the knobs, and the long gauges, which
// follow the right button too except 1105, which follows the left only.
constexpr int32_t kFirstKnob = 1401, kLastKnob = 1410;
constexpr int32_t kLeftOnlyGauge = 1105;
constexpr int32_t kLongGaugesFirst = 1000, kLongGaugesLast = 1007;
constexpr int32_t kTallGaugesFirst = 1100, kTallGaugesLast = 1107;

int32_t ClampChannel(int32_t value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

// Half of the red, green and blue of (120, 155, 120), each rounded to the
// nearest with ties to even: (60, 78, 60).
ColorRef ComputePanelBackColor() {
  const int32_t red = ClampChannel(RoundToInt(120.0 / 2));
  const int32_t green = ClampChannel(RoundToInt(155.0 / 2));
  const int32_t blue = ClampChannel(RoundToInt(120.0 / 2));
  return red | (green << 8) | (blue << 16);
}

bool InRange(int32_t id, int32_t first, int32_t last) { return id >= first && id <= last; }

bool IsDraggableGauge(int32_t id) {
  return id == kLeftOnlyGauge || InRange(id, kLongGaugesFirst, kLongGaugesLast) ||
         InRange(id, kTallGaugesFirst, kTallGaugesLast);
}

const FollowMouseOptions& PanelMouseOptions() {
  static const FollowMouseOptions options{
      [](int32_t id) { return InRange(id, kFirstKnob, kLastKnob) || IsDraggableGauge(id); },
      [](int32_t id) { return id != kLeftOnlyGauge; },
  };
  return options;
}

void StartAnimation(Handle window) {
  SetTimer(window, kTimerLamps, kLampPeriodMs);
  SetTimer(window, kTimerGauges, kGaugePeriodMs);
  SetTimer(window, kTimerPanels, kPanelPeriodMs);
  WriteBlackboardText();
}

void RunTimerWork(uint32_t timer) {
  switch (timer) {
    case kTimerLamps:
      AnimateLamps();
      break;
    case kTimerGauges:
      AnimateGauges();
      AnimateDisplays();
      break;
    case kTimerPanels:
      AnimateTextPanels();
      ShowStatusTime();
      break;
    default:
      break;
  }
}

int32_t RunCommand(Handle window, uint32_t wParam) {
  const int32_t id = static_cast<int32_t>(LowWord(wParam));
  if (id == static_cast<int32_t>(IDCANCEL)) {
    KillTimer(window, kTimerLamps);
    KillTimer(window, kTimerGauges);
    KillTimer(window, kTimerPanels);
    EndDialogWindow(window, 0);
    return 1;
  }
  RunPanelCommand(id);
  return 0;
}

}  // namespace

double CurrentSeconds() { return TextToNumber(TextRight(TimeText(), 2)); }

void ResetPanelState() {
  PanelHandle = 0;
  PanelBackColor = ComputePanelBackColor();
  AnimationPhase = 0;
  ClearInstrumentTable();
  ClearBackgroundSnapshots();
  ResetRandomNumber();
}

Handle CreatePanel() {
  PanelHandle = CreateDialogWindow(0, kPanelTitle, kCentred, kCentred, kPanelWidth, kPanelHeight, kPanelStyle, 0,
                                   kUnitsPixels);
  PanelBackColor = ComputePanelBackColor();
  SetWindowColors(PanelHandle, kDialogItself, -1, PanelBackColor);
  SetInstrumentSurroundColor(PanelHandle, PanelBackColor);
  SetBitmapSearchFolder(PanelAssetFolder());
  BuildPanel();
  return PanelHandle;
}

void BuildPanel() {
  BuildRectLampGroup();
  BuildRoundLampGroup();
  BuildGaugeGroup();
  BuildDisplayGroup();
  BuildStatusGaugeGroup();
  BuildTextPanelGroup();
  BuildButtonGroup();
  BuildLongGaugeGroup();
  BuildKnobGroup();
  BuildBlackboardGroup();
}

int32_t PanelCallback(Handle window, uint32_t message, uint32_t wParam, uint32_t) {
  switch (message) {
    case WM_INITDIALOG:
      StartAnimation(PanelHandle);
      return 0;
    case WM_TIMER:
      RunTimerWork(wParam);
      return 0;
    case WM_COMMAND:
      return RunCommand(window, wParam);
    case WM_SETCURSOR:
      FollowMouse(PanelHandle, message, wParam, PanelMouseOptions());
      return 0;
    default:
      return 0;
  }
}

bool RunPanel() {
  CreatePanel();
  return RunDialogModal(PanelCallback, PanelHandle, nullptr);
}

}  // namespace ip::panel

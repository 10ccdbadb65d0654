// The frame of the demonstration panel: its globals, the start-up sequence,
// the order of the instrument groups and PanelCallback, which starts the
// animation timers and sends each message to the work of its family.
#include "panel/panel.h"

#include "host/bitmaps.h"
#include "host/dialog.h"
#include "host/numbers.h"
#include "host/rounding.h"
#include "instruments/instrument_table.h"
#include "panel/panel_parts.h"

Handle PanelHandle = 0;
float AnimationPhase = 0;
const char* const kPanelTitle = "Libreria di tools grafici";

namespace {

constexpr uint32_t kPanelStyle = 0xB0000;  // WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX
constexpr int32_t kCentred = -1;
constexpr uint32_t kLampPeriodMs = 100;
constexpr uint32_t kGaugePeriodMs = 100;
constexpr uint32_t kPanelPeriodMs = 300;

constexpr int32_t kFirstKnob = 1401;
constexpr int32_t kLastKnob = 1410;
constexpr int32_t kDraggedGauge = 1105;

int32_t ClampChannel(int32_t value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

// Half of the red, green and blue of (120, 155, 120), each rounded to the
// nearest with ties to even: (60, 78, 60).
ColorRef ComputePanelBackColor() {
  const int32_t red = ClampChannel(RoundToInt(120.0 / 2));
  const int32_t green = ClampChannel(RoundToInt(155.0 / 2));
  const int32_t blue = ClampChannel(RoundToInt(120.0 / 2));
  return red | (green << 8) | (blue << 16);
}

bool IsDraggableGauge(int32_t id) {
  return id == kDraggedGauge || (id >= 1000 && id <= 1007) || (id >= 1100 && id <= 1107);
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

void FollowMouse(uint32_t windowUnderCursor) {
  const int32_t id = GetDlgCtrlID(windowUnderCursor);
  // These queries clear the "pressed since" bits, so the instruments see
  // only presses made from here on.
  GetAsyncKeyState(VK_LBUTTON);
  GetAsyncKeyState(VK_RBUTTON);
  if (id >= kFirstKnob && id <= kLastKnob) {
    TurnKnob(id);
  } else if (IsDraggableGauge(id)) {
    DragGauge(id);
  }
}

}  // namespace

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
#ifdef IP_SOURCE_ASSETS
  SetBitmapSearchFolder(IP_SOURCE_ASSETS);
#endif
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
      FollowMouse(wParam);
      return 0;
    default:
      return 0;
  }
}

void RunPanel() {
  CreatePanel();
  RunDialogModal(PanelCallback, PanelHandle, nullptr);
}

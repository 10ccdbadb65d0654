// A small panel of its own, built with the library the way any program would
// use it: one dialog with a gauge, a round lamp, a knob and a digital display,
// run headless on the virtual clock for one second while a timer of the
// program moves the gauge and blinks the lamp, then saved as a PNG picture.
//
//   usage: example-mini_panel OUT.png
#include <cstdio>
#include <string>

#include "instrument_panel/instrument_panel.h"

using namespace ip;

namespace {

// The dialog: 260 x 120 client pixels, centred on the desktop.
constexpr int32_t kWidth = 260;
constexpr int32_t kHeight = 120;
constexpr int32_t kCentred = -1;
constexpr ColorRef kBackColor = 0x3C4E3C;  // dark green-grey (0x00BBGGRR)

// Control identifiers: each instrument keeps its state under its identifier.
constexpr int32_t kGaugeId = 1;
constexpr int32_t kLampId = 2;
constexpr int32_t kKnobId = 3;
constexpr int32_t kDisplayId = 4;

// The program's timer: one step every 100 ms for one virtual second.
constexpr uint32_t kTimerId = 1;
constexpr uint32_t kStepMs = 100;
constexpr int64_t kRunMs = 1000;
constexpr float kGaugeStep = 9;  // percent per step

Handle dialog = 0;
int32_t steps = 0;
float gaugeLevel = 0;

void BuildInstruments() {
  // A vertical blue-to-red bar with a 3-pixel "oro" frame, 10 ticks and the
  // value shown as a percentage ("%") in white.
  CreateGauge(dialog, kGaugeId, 10, 10, 24, 100, "", 3, "oro", 0, 10, "%", 0xFFFFFF, "ver_blurosso", "grigio", 0);
  // A round lamp in the "semaforo" scheme; it starts dark.
  CreateRoundLamp(dialog, kLampId, 50, 10, 24, 24, "", 2, "", 0, "semaforo", "", 0x000000);
  // A knob turning from -150 to 150 degrees, 12 ticks, set at 40 percent.
  CreateKnob(dialog, kKnobId, 50, 50, 60, 60, "", 4, 12, -150, 150, 40);
  // A digital display; on return width and height hold its actual size.
  int32_t width = 120;
  int32_t height = 32;
  CreateDigitalDisplay(dialog, kDisplayId, 125, 10, width, height, "", 3, "grigio", 14, 0x00FF00, "", "grigio", 5);
}

// One timer step: the gauge climbs, the lamp blinks and the display shows
// the step and the virtual time.
void Step() {
  ++steps;
  gaugeLevel += kGaugeStep;
  SetGaugeValue(dialog, kGaugeId, gaugeLevel, "");
  SetRoundLampValue(dialog, kLampId, steps % 2 == 0 ? 100 : 0, "");
  SetDisplayText(dialog, kDisplayId, std::to_string(SessionClockMs()) + " ms");
}

// The dialog procedure: every message of the dialog and its controls.
int32_t MiniPanelCallback(Handle window, uint32_t message, uint32_t wParam, uint32_t) {
  if (message == WM_INITDIALOG) SetTimer(window, kTimerId, kStepMs);
  if (message == WM_TIMER && wParam == kTimerId) Step();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
    return 2;
  }
  const std::string pictureFile = argv[1];

  // Headless: no desktop needed, and the modal loop returns after kRunMs
  // virtual milliseconds, which pass without waiting.
  HeadlessSettings settings;
  settings.clockStart = {12, 0, 0, 0};
  settings.runMs = kRunMs;
  StartHeadlessSession(settings);

  dialog = CreateDialogWindow(0, "Mini panel", kCentred, kCentred, kWidth, kHeight, 0, 0, kUnitsPixels);
  if (dialog == 0) {
    std::fprintf(stderr, "could not create the dialog\n");
    return 1;
  }
  // Round lamps and knobs paint their corners in the dialog's background colour.
  SetWindowColors(dialog, kDialogItself, -1, kBackColor);
  BuildInstruments();

  int32_t result = 0;
  RunDialogModal(MiniPanelCallback, dialog, &result);

  if (!WriteShownPicture(pictureFile)) {
    std::fprintf(stderr, "could not write %s\n", pictureFile.c_str());
    return 1;
  }
  std::printf("mini panel: %d timer steps in %lld ms, gauge at %.0f%%, picture %s\n", steps,
              static_cast<long long>(SessionClockMs()), gaugeLevel, pictureFile.c_str());
  EndWindowSession();
  return 0;
}

// A small panel of a program of its own, built against the installed library
// with find_package(InstrumentPanel): a needle gauge following a sine whose
// swing the knob sets, a blinking round lamp, and a display showing the
// gauge's value. Turn the knob with the left mouse button; Escape closes.
//
//   consumer                                           a real window
//   consumer --headless --run-ms N --screenshot F.png  offscreen on a virtual
//                                                      clock from 12:00:00,
//                                                      where a scripted drag
//                                                      turns the knob
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <instrument_panel/instrument_panel.h>

namespace {

constexpr int32_t kWidth = 320, kHeight = 160;
constexpr ip::ColorRef kBackground = 0x503C28;  // red 40, green 60, blue 80
constexpr int32_t kGauge = 1, kLamp = 2, kKnob = 3, kDisplay = 4;
constexpr uint32_t kTimer = 1, kTickMs = 50;
constexpr double kSinePeriodMs = 4000, kPi = 3.14159265358979323846;
constexpr int64_t kTicksPerBlink = 10;

void Build(ip::Handle dialog) {
  ip::CreateGauge(dialog, kGauge, 10, 10, 240, 28, "", 2, ip::color::kGrey, 50, 10, ip::caption::kPercent,
                  0xFFFFFF, ip::gauge_style::kHorizontalWideNeedle, ip::color::kGold,
                  ip::pattern::kVerticalCylinder);
  ip::CreateRoundLamp(dialog, kLamp, 270, 10, 28, 28, "", 2, "", 0, ip::lamp_scheme::kTrafficLight, "", 0);
  ip::CreateKnob(dialog, kKnob, 10, 48, 100, 100, "", 8, 20, -150, 150, 50);
  int32_t width = 180, height = 40;
  ip::CreateDigitalDisplay(dialog, kDisplay, 125, 78, width, height, "", 3, ip::color::kGreen, 18, 0x00FF00, "",
                           "", ip::pattern::kShadedBand);
}

// One step: the gauge swings round 50 by half the knob's percent, the lamp
// blinks every half second and the display shows the gauge.
void Step(ip::Handle dialog, int64_t tick) {
  const double swing = ip::GetKnobPercent(dialog, kKnob) / 2;
  const double level = 50 + swing * std::sin(2 * kPi * static_cast<double>(tick * kTickMs) / kSinePeriodMs);
  ip::SetGaugeValue(dialog, kGauge, static_cast<float>(level), "");
  ip::SetRoundLampValue(dialog, kLamp, (tick / kTicksPerBlink) % 2 == 0 ? 100.0f : 0.0f, "");
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", ip::GetGaugeValue(dialog, kGauge));
  ip::SetDisplayText(dialog, kDisplay, text);
}

bool RunPanel() {
  const ip::Handle dialog = ip::CreateDialogWindow(0, "Consumer", -1, -1, kWidth, kHeight, 0, 0, ip::kUnitsPixels);
  ip::SetWindowColors(dialog, ip::kDialogItself, -1, kBackground);
  Build(dialog);
  int64_t ticks = 0;
  return ip::RunDialogModal(
      [&ticks](ip::Handle window, uint32_t message, uint32_t wParam, uint32_t) -> int32_t {
        if (message == ip::WM_INITDIALOG) ip::SetTimer(window, kTimer, kTickMs);
        if (message == ip::WM_TIMER && wParam == kTimer) Step(window, ++ticks);
        if (message == ip::WM_COMMAND && ip::LowWord(wParam) == ip::IDCANCEL) {
          ip::KillTimer(window, kTimer);
          ip::EndDialogWindow(window, 0);
          return 1;
        }
        ip::FollowMouse(window, message, wParam);
        return 0;
      },
      dialog, nullptr);
}

// The knob's centre is (60, 98); the drag ends straight right of it: 90 degrees.
std::vector<ip::ScriptedInput> KnobTurn() {
  using Kind = ip::ScriptedInput::Kind;
  return {{500, Kind::kMove, 60, 60}, {510, Kind::kButtonDown, 60, 60}, {600, Kind::kMove, 100, 70},
          {700, Kind::kMove, 105, 98}, {710, Kind::kButtonUp, 105, 98}};
}

int Usage() {
  std::fprintf(stderr, "usage: consumer [--headless --run-ms N --screenshot FILE.png]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) {
    std::string error;
    if (!ip::StartRealWindowSession(error)) {
      std::fprintf(stderr, "consumer: no display (%s); try --headless\n", error.c_str());
      return 1;
    }
    RunPanel();
    ip::EndWindowSession();
    return 0;
  }
  if (argc != 6 || std::string(argv[1]) != "--headless" || std::string(argv[2]) != "--run-ms" ||
      std::string(argv[4]) != "--screenshot") {
    return Usage();
  }
  ip::HeadlessSettings settings;
  settings.clockStart = {12, 0, 0, 0};
  settings.runMs = std::atoll(argv[3]);
  settings.input = KnobTurn();
  ip::StartHeadlessSession(settings);
  RunPanel();
  const bool written = ip::WriteShownPicture(argv[5]);
  ip::EndWindowSession();
  if (!written) std::fprintf(stderr, "consumer: could not write %s\n", argv[5]);
  return written ? 0 : 1;
}

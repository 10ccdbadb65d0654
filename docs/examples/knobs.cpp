// A knob turned by the program and by the mouse.
#include <cstdio>
#include <instrument_panel/instrument_panel.h>

int main() {
  ip::HeadlessSettings settings;
  settings.runMs = 300;                              // the left button held at (70, 20): straight up
  settings.input = {{100, ip::ScriptedInput::Kind::kMove, 70, 20},
                    {110, ip::ScriptedInput::Kind::kButtonDown, 70, 20},
                    {200, ip::ScriptedInput::Kind::kButtonUp, 70, 20}};
  ip::StartHeadlessSession(settings);
  const ip::Handle dialog = ip::CreateDialogWindow(0, "Knobs", -1, -1, 140, 140, 0, 0, ip::kUnitsPixels);
  ip::CreateKnob(dialog, 1, 10, 10, 120, 120, "", 12, 24, -151, 151, 25);
  std::printf("%d %g\n", ip::GetKnobAngle(dialog, 1), ip::GetKnobPercent(dialog, 1));
  ip::DrawKnob(dialog, 1, 170);                      // outside -151..151: nothing changes
  std::printf("%d %g\n", ip::GetKnobAngle(dialog, 1), ip::GetKnobPercent(dialog, 1));
  ip::RunDialogModal([](ip::Handle window, uint32_t message, uint32_t wParam, uint32_t) -> int32_t {
    ip::FollowMouse(window, message, wParam);        // turns the knob under the held button
    return 0;
  }, dialog, nullptr);
  std::printf("%d %g\n", ip::GetKnobAngle(dialog, 1), ip::GetKnobPercent(dialog, 1));
}
// Prints:
// -76 24
// -76 24
// 0 50

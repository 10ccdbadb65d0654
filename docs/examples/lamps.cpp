// Two LED lamps: a new lamp is dark, a level makes it glow.
#include <cstdio>
#include <instrument_panel/instrument_panel.h>

int main() {
  ip::StartHeadlessSession({});
  const ip::Handle dialog = ip::CreateDialogWindow(0, "Lamps", -1, -1, 110, 38, 0, 0, ip::kUnitsPixels);
  ip::CreateLedLamp(dialog, 1, 10, 10, 64, 18, "", 2, ip::color::kGrey, 80, ip::lamp_scheme::kTrafficLight, "1",
                    0x000000);
  ip::CreateRoundLamp(dialog, 2, 80, 10, 18, 18, "", 1, "", 80, ip::lamp_scheme::kBlue, "", 0x000000);
  std::printf("%g %g\n", ip::GetLampLevel(dialog, 1), ip::GetLampLevel(dialog, 2));
  ip::SetLedLampValue(dialog, 1, 60, "");           // shows the stored caption "1"
  ip::SetRoundLampValue(dialog, 2, 100, "on");      // shows "on" this once
  std::printf("%g %g\n", ip::GetLampLevel(dialog, 1), ip::GetLampLevel(dialog, 2));
  std::printf("%06X\n", static_cast<unsigned>(ip::LampColor(ip::lamp_scheme::kRed, 4, 3, 100)));
}
// Prints:
// 0 0
// 60 100
// 0C0CD4

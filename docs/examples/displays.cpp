// A digital display, a text panel and a blackboard.
#include <cstdio>
#include <instrument_panel/instrument_panel.h>

int main() {
  ip::StartHeadlessSession({});
  const ip::Handle dialog = ip::CreateDialogWindow(0, "Displays", -1, -1, 300, 160, 0, 0, ip::kUnitsPixels);
  int32_t width = 84, height = 32;                   // the display writes back its actual size
  ip::CreateDigitalDisplay(dialog, 1, 10, 10, width, height, "", 5, ip::color::kGold, 14, 0xFFFFFF, "",
                           ip::color::kGrey, ip::pattern::kVerticalGroove);
  ip::SetDisplayText(dialog, 1, "12:00:33");
  std::printf("\"%s\" in %d points\n", ip::GetDisplayText(dialog, 1).c_str(), ip::DisplayFontPoints(14));
  ip::CreateInstrumentControl(dialog, 2, 10, 50, 120, 80, "");   // a text panel paints a plain control
  ip::ShowTextPanel(dialog, 2, 1, 50, 20, "lavagna", 18, 0xFFFFFF, ip::color::kGrey);
  ip::CreateGauge(dialog, 3, 140, 10, 150, 120, "", 4, ip::color::kGold, 0, 12, "", 0x00FFFF,
                  ip::gauge_style::kVerticalBar, ip::color::kGrey, ip::pattern::kVerticalCylinder);
  ip::WriteBlackboard(dialog, 3, "first line\r\nsecond line");   // 12 points: the gauge's divisions
}
// Prints:
// "12:00:33" in 12 points

// The smallest program: a dialog with one gauge, shown for one virtual
// second offscreen and saved as mine.png. The README shows it; the install
// test builds it with nothing but pkg-config.
#include <instrument_panel/instrument_panel.h>

int main() {
  ip::HeadlessSettings settings;
  settings.runMs = 1000;
  ip::StartHeadlessSession(settings);  // or ip::StartRealWindowSession(error)
  const ip::Handle dialog = ip::CreateDialogWindow(0, "Mine", -1, -1, 140, 40, 0, 0, ip::kUnitsPixels);
  ip::CreateGauge(dialog, 1, 10, 10, 120, 20, "", 2, ip::color::kGreen, 70, 10, ip::caption::kPercent,
                  0xFFFFFF, ip::gauge_style::kHorizontalBar, ip::color::kGreen, ip::pattern::kVerticalCylinder);
  ip::RunDialogModal(nullptr, dialog, nullptr);
  return ip::WriteShownPicture("mine.png") ? 0 : 1;
}

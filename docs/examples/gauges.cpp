// A gauge: its value, its caption codes, and what a negative value does.
#include <cstdio>
#include <instrument_panel/instrument_panel.h>

void Show(ip::Handle dialog) {
  std::printf("%g \"%s\"\n", ip::GetGaugeValue(dialog, 1), ip::GetGaugeCaption(dialog, 1).c_str());
}

int main() {
  ip::StartHeadlessSession({});
  const ip::Handle dialog = ip::CreateDialogWindow(0, "Gauges", -1, -1, 140, 36, 0, 0, ip::kUnitsPixels);
  ip::CreateGauge(dialog, 1, 10, 10, 120, 16, "", 2, ip::color::kGreen, 50, 10, ip::caption::kPercent, 0xFFFFFF,
                  ip::gauge_style::kHorizontalBar, ip::color::kGrey, ip::pattern::kHorizontalCylinder);
  Show(dialog);                                     // the stored caption "%" shows the value
  ip::SetGaugeValue(dialog, 1, -5, "!");            // a negative value is not stored; "!" now is
  Show(dialog);
  ip::SetGaugeLevel(dialog, 1, 120);                // any number is stored, even past 100
  Show(dialog);
}
// Prints:
// 50 "50%"
// 50 "5"
// 120 "12"

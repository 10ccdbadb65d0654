// What each instrument family contributes to the panel: the group builders
// that BuildPanel runs in group order, and the work PanelCallback runs on
// timer ticks and commands.
#pragma once

#include <cstdint>

namespace ip::panel {

// The seconds of the current local time, 0..59, read from the clock text.
double CurrentSeconds();

// Gauges and meters (gauge_layout.cpp).
void BuildGaugeGroup();        // group 3: 301..310, 401..405, 1201..1202, 1301..1303
void BuildStatusGaugeGroup();  // group 5: 501..510
void BuildLongGaugeGroup();    // group 8: 1001..1007, 1101..1106
void BuildBlackboardGroup();   // group 10: 1500
void AnimateGauges();          // timer 610, before the displays
void ShowStatusTime();         // timer 620, after the text panels

// Lamps, displays, buttons, knobs and text panels (instrument_layout.cpp).
void BuildRectLampGroup();     // group 1: 101..110
void BuildRoundLampGroup();    // group 2: 201..210
void BuildDisplayGroup();      // group 4: 408..410
void BuildTextPanelGroup();    // group 6: 601..603, 700, 800
void BuildButtonGroup();       // group 7: 901..910
void BuildKnobGroup();         // group 9: 1401..1403
void WriteBlackboardText();    // WM_INITDIALOG
void AnimateLamps();           // timer 600
void AnimateDisplays();        // timer 610, after the gauges
void AnimateTextPanels();      // timer 620, before the status time
void RunPanelCommand(int32_t id);  // WM_COMMAND other than IDCANCEL

}  // namespace ip::panel

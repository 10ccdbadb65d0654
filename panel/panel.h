// The demonstration panel: its globals, BuildPanel (85 instruments in ten
// groups) and PanelCallback (timers, clicks and mouse drags). PanelBackColor
// is the dialog's background colour, on which round lamps and knobs stand.
#pragma once

#include <cstdint>

#include "instrument_panel/types.h"

namespace ip::panel {

extern Handle PanelHandle;
extern ColorRef PanelBackColor;
extern float AnimationPhase;

constexpr int32_t kPanelWidth = 800;
constexpr int32_t kPanelHeight = 600;
constexpr uint32_t kTimerLamps = 600;     // 100 ms: lamps and marquee
constexpr uint32_t kTimerGauges = 610;    // 100 ms: gauges, meters, displays
constexpr uint32_t kTimerPanels = 620;    // 300 ms: text panels and the time caption
extern const char* const kPanelTitle;     // "Libreria di tools grafici"

// Resets every global of the panel and the instrument tables to their
// start-of-program state (each run of the panel, and each test, starts here).
void ResetPanelState();
// Creates the dialog, colours it and builds the panel; returns the dialog.
Handle CreatePanel();
void BuildPanel();
int32_t PanelCallback(Handle window, uint32_t message, uint32_t wParam, uint32_t lParam);
// The whole program: create, build, run until closed. False when it could
// not run (no window session).
bool RunPanel();

}  // namespace ip::panel

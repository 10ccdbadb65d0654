// Building a described panel with the library: the dialog of the [window]
// table and each instrument through the creation operation of its kind,
// showing the start values the file gives.
#pragma once

#include "instrument_panel/types.h"
#include "panel/panel_file.h"

namespace ip::panel {

// Creates the hidden dialog: the title, the client size, centred on the
// desktop, in the window colour (round lamps and knobs stand on it too).
Handle CreateDescribedWindow(const WindowDescription& window);
// Gives an existing dialog the colour of `window`.
void ApplyWindowColour(Handle dialog, const WindowDescription& window);
// Creates the instrument on `dialog` and shows its start values.
void BuildInstrument(Handle dialog, const InstrumentDescription& instrument);
// The labels a click or a fed state passes when it toggles a button or a
// switch: the button's toggle-labels ("" stands for its caption), "OFF/ON"
// for a switch (whose faces show no labels).
std::string ToggleLabels(const InstrumentDescription& instrument);

}  // namespace ip::panel

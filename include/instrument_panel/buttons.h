// Two-state buttons and switches: a canvas control that flips between OFF (0)
// and ON (1) each time ToggleButton is called. A button either shows two
// bitmap faces (control slots 2 and 3) or draws its face: a bevelled frame,
// a patterned face, an indicator lamp at its left end (red OFF, green ON) and
// a label taken from a label pair "OFF text/ON text".
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

// Creates the control, writes its record and shows it OFF.
void CreateToggleButton(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                        const std::string& background, int32_t frameWidth, const std::string& frameColor,
                        const std::string& caption, ColorRef textColor, const std::string& fillColor,
                        int32_t offPattern, int32_t onPattern);

// Flips the state of the control and paints the new face. `labels` is a
// label pair; the empty text stands for the record's caption.
void ToggleButton(Handle dialog, int32_t id, const std::string& labels);

// The state a button or bitmap switch shows: 0 OFF, 1 ON. 0 (and the error
// recorded) for an identifier outside the table or another kind of instrument.
int32_t GetButtonState(Handle dialog, int32_t id);

// Bitmap faces of an instrument control, scaled to the control and kept in
// bitmap canvases (slots 2 and 3) until the dialog is destroyed; the OFF (or
// only) face is painted at once. Two blank names make a drawn toggle button
// shown OFF with the labels "OFF/ON" instead.
void LoadFaceBitmaps(Handle dialog, int32_t id, const std::string& first, const std::string& second);
void LoadFaceBitmap(Handle dialog, int32_t id, const std::string& file);

}  // namespace ip

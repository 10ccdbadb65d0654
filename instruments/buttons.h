// Two-state buttons and switches: a canvas control that flips between OFF (0)
// and ON (1) each time ToggleButton is called. A button either shows two
// bitmap faces (control slots 2 and 3) or draws its face: a bevelled frame,
// a patterned face, an indicator lamp at its left end (red OFF, green ON) and
// a label taken from a label pair "OFF text/ON text".
#pragma once

#include <cstdint>
#include <string>

#include "host/win_types.h"

// Creates the control, writes its record and shows it OFF.
void CreateToggleButton(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                        const std::string& background, int32_t frameWidth, const std::string& frameColor,
                        const std::string& caption, ColorRef textColor, const std::string& fillColor,
                        int32_t offPattern, int32_t onPattern);

// Flips the state of the control and paints the new face. `labels` is a
// label pair; the empty text stands for the record's caption.
void ToggleButton(Handle dialog, int32_t id, const std::string& labels);

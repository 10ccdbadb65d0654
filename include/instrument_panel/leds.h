// LED lamps: a light whose brightness follows a level 0..100, painted as a
// stack of nested shapes whose colours come from a lamp scheme (LampColor).
// Two shapes share one record layout and one update rule:
//   rectangular lamp  shaded boxes inside a bevelled frame (a gauge of style "ledr");
//   round lamp        shaded ellipses inside a grey bezel, on the panel colour.
// A lamp keeps its level in `value`, its scheme in `fillColor`, its default
// caption in `caption` and the caption colour in `textColor`.
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"
#include "instrument_panel/instrument_table.h"

namespace ip {

// Creators. A new lamp always shows level 0, whatever `level` says. The round
// lamp ignores `background` and `frameColor`.
void CreateLedLamp(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                   const std::string& background, int32_t frameWidth, const std::string& frameColor, float level,
                   const std::string& scheme, const std::string& caption, ColorRef captionColor);
void CreateRoundLamp(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                     const std::string& background, int32_t frameWidth, const std::string& frameColor, float level,
                     const std::string& scheme, const std::string& caption, ColorRef captionColor);

// Stores the level and repaints. An empty caption shows the stored default
// caption; a given caption is shown once and not stored. A NaN level is
// stored and shown as 0.
void SetLedLampValue(Handle dialog, int32_t id, float level, const std::string& caption);
void SetRoundLampValue(Handle dialog, int32_t id, float level, const std::string& caption);

// The level a lamp of either shape shows (a NaN stored as 0). 0, with the
// error recorded, for an identifier outside the table or another kind.
float GetLampLevel(Handle dialog, int32_t id);

// The painters behind the two setters. The round lamp paints its corners in
// the dialog's instrument surround colour (instrument_table.h).
void DrawLedLamp(Handle dialog, int32_t id, const InstrumentRecord& record, float level, const std::string& scheme,
                 const std::string& caption, ColorRef captionColor);
void DrawRoundLamp(Handle dialog, int32_t id, const InstrumentRecord& record, float level,
                   const std::string& scheme, const std::string& caption, ColorRef captionColor);

}  // namespace ip

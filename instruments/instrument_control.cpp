// The first step of every instrument creator: the canvas control and its
// bitmap faces.
#include "instrument_panel/buttons.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/keys.h"
#include "instrument_panel/texts.h"
#include "instruments/instrument_state.h"

namespace ip {

namespace {

const char* const kFacePairSeparator = "/";

}  // namespace

// Adds the canvas control (clickable when id > 0) and, for a non-empty
// background, loads one face or an OFF/ON pair and selects the bitmap pattern.
void CreateInstrumentControl(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                             const std::string& background) {
  const uint32_t style = id > 0 ? SS_NOTIFY : 0;
  AddCanvasControl(dialog, id, x, y, width, height, style, 0, nullptr, "");
  const bool facePair = FindText(background, kFacePairSeparator, 1) > 0;
  SetInstrumentKind(id, facePair ? InstrumentKind::kBitmapSwitch : InstrumentKind::kCanvas);
  if (background.empty()) return;
  if (facePair) {
    LoadFaceBitmaps(dialog, id, TextBefore(background, kFacePairSeparator),
                    TextAfter(background, kFacePairSeparator));
  } else {
    LoadFaceBitmap(dialog, id, background);
  }
  if (InstrumentRecord* record = InstrumentAt(id)) record->pattern = pattern::kBitmap;
}

}  // namespace ip

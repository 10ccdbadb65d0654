// The instrument tables and the creation of an instrument's canvas control
// with its optional bitmap faces.
#include "instruments/instrument_table.h"

#include <memory>
#include <vector>

#include "host/bitmaps.h"
#include "host/canvas.h"
#include "host/dialog.h"
#include "host/texts.h"
#include "instruments/buttons.h"

// Red 60, green 78, blue 60 until the panel sets it.
ColorRef PanelBackColor = 0x3C4E3C;

namespace {

constexpr int32_t kBitmapPattern = 6;  // background pattern: the control's own bitmap
const char* const kFacePairSeparator = "/";
const char* const kDefaultToggleLabels = "OFF/ON";

std::array<InstrumentRecord, kInstrumentTableLast + 1> instrument_table{};
// Created by the first operation that needs it; entries are empty until a
// control's static picture is captured.
std::unique_ptr<std::vector<std::string>> background_snapshots;

void SetControlSlot(Handle dialog, int32_t id, int32_t slot, int32_t value) {
  SetControlUserValue(GetControlHandle(dialog, id), slot, value);
}

}  // namespace

InstrumentRecord* InstrumentAt(int32_t id) {
  if (id < 0 || id > kInstrumentTableLast) return nullptr;
  return &instrument_table[static_cast<size_t>(id)];
}

void ClearInstrumentTable() { instrument_table.fill(InstrumentRecord{}); }

void DeclareBackgroundSnapshots() {
  if (!background_snapshots) {
    background_snapshots = std::make_unique<std::vector<std::string>>(kSnapshotTableLast + 1);
  }
}

std::string* SnapshotAt(int32_t id) {
  if (!background_snapshots || id < 0 || id > kSnapshotTableLast) return nullptr;
  return &(*background_snapshots)[static_cast<size_t>(id)];
}

bool RestoreSnapshot(int32_t id) {
  const std::string* snapshot = SnapshotAt(id);
  if (snapshot == nullptr || snapshot->empty()) return false;
  CanvasSetBits(*snapshot);
  return true;
}

void ClearBackgroundSnapshots() { background_snapshots.reset(); }

// Adds the canvas control (clickable when id > 0) and, for a non-empty
// background, loads one face or an OFF/ON pair and selects the bitmap pattern.
void CreateInstrumentControl(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                             const std::string& background) {
  const uint32_t style = id > 0 ? SS_NOTIFY : 0;
  AddCanvasControl(dialog, id, x, y, width, height, style, 0, nullptr, "");
  if (background.empty()) return;
  if (FindText(background, kFacePairSeparator, 1) > 0) {
    LoadFaceBitmaps(dialog, id, TextBefore(background, kFacePairSeparator),
                    TextAfter(background, kFacePairSeparator));
  } else {
    LoadFaceBitmap(dialog, id, background);
  }
  if (InstrumentRecord* record = InstrumentAt(id)) record->pattern = kBitmapPattern;
}

// Paints the OFF face at once and keeps both faces, scaled to the control,
// in bitmap canvases. Two blank names make a drawn OFF toggle button instead.
void LoadFaceBitmaps(Handle dialog, int32_t id, const std::string& first, const std::string& second) {
  CanvasAttach(dialog, id, 0);
  const IntPair size = CanvasGetSize();
  if (TrimLeft(first + second).empty()) {
    ToggleButton(dialog, id, kDefaultToggleLabels);
    ToggleButton(dialog, id, kDefaultToggleLabels);
    return;
  }
  CanvasRenderBitmap(first, 0, 0, static_cast<float>(size.first), static_cast<float>(size.second));
  SetControlSlot(dialog, id, kSlotOffFace, static_cast<int32_t>(LoadBitmapCanvas(first, size.first, size.second)));
  SetControlSlot(dialog, id, kSlotOnFace, static_cast<int32_t>(LoadBitmapCanvas(second, size.first, size.second)));
  SetControlSlot(dialog, id, kSlotFaceState, 0);
}

// Paints one bitmap over the control at once and keeps it as its only face.
void LoadFaceBitmap(Handle dialog, int32_t id, const std::string& file) {
  CanvasAttach(dialog, id, 0);
  const IntPair size = CanvasGetSize();
  if (TrimLeft(file).empty()) return;
  CanvasRenderBitmap(file, 0, 0, static_cast<float>(size.first), static_cast<float>(size.second));
  SetControlSlot(dialog, id, kSlotOffFace, static_cast<int32_t>(LoadBitmapCanvas(file, size.first, size.second)));
  SetControlSlot(dialog, id, kSlotFaceState, 0);
}

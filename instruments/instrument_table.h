// Per-control state of the instruments: InstrumentTable (one fixed-layout
// InstrumentRecord per control identifier 0..2000), BackgroundSnapshots (one
// pixel buffer per identifier 0..10000, the static picture of a control that
// is written back before its moving parts are redrawn) and the meaning of the
// control user value slots. Also CreateInstrumentControl, the first step of
// every instrument creator.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/win_types.h"

// A fixed-width text field: writing cuts or pads with spaces to the width;
// reading gives all bytes, pad spaces included. Zero bytes before the first write.
template <size_t N>
struct FixedText {
  std::array<char, N> bytes{};

  void Write(const std::string& text) {
    for (size_t i = 0; i < N; ++i) bytes[i] = i < text.size() ? text[i] : ' ';
  }
  std::string Read() const { return std::string(bytes.data(), N); }
};

struct InstrumentRecord {
  int32_t frameWidth = 0;
  FixedText<20> frameColor;
  float value = 0;
  int16_t divisions = 0;
  FixedText<20> caption;
  int32_t textColor = 0;
  FixedText<32> styleName;
  FixedText<20> fillColor;
  int32_t pattern = 0;
};

// The colour in which round lamps and knobs paint the corners round their
// round shapes: the background colour of the panel they stand on. The panel
// program sets it at start (declared again, with the panel's globals, in
// panel/panel.h).
extern ColorRef PanelBackColor;

constexpr int32_t kInstrumentTableLast = 2000;
constexpr int32_t kSnapshotTableLast = 10000;

// Control user value slots used by the instruments.
constexpr int32_t kSlotFaceState = 1;      // 0 = OFF face shown, 1 = ON face shown
constexpr int32_t kSlotOffFace = 2;        // bitmap canvas of the OFF (only) face
constexpr int32_t kSlotOnFace = 3;         // bitmap canvas of the ON face
constexpr int32_t kSlotMarqueeScroll = 5;  // scroll position of a marquee
constexpr int32_t kSlotSnapshotTaken = 8;  // 0 = background not captured yet, else the id

// The record of an identifier, or nullptr outside 0..2000 (such identifiers
// are ignored by every operation that would index the table).
InstrumentRecord* InstrumentAt(int32_t id);
// Zero-fills the whole table (program start).
void ClearInstrumentTable();

// Creates the snapshot table if it does not exist yet (all entries empty).
void DeclareBackgroundSnapshots();
// The snapshot entry of an identifier, or nullptr outside 0..10000 or before
// the table was declared.
std::string* SnapshotAt(int32_t id);
// Writes the snapshot of an identifier back to the attached canvas; false,
// with nothing written, when it has none.
bool RestoreSnapshot(int32_t id);
// Drops the snapshot table (tests).
void ClearBackgroundSnapshots();

// Adds the canvas control of an instrument and loads its bitmap faces:
// background is "", one bitmap file name, or "OFF file/ON file".
void CreateInstrumentControl(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                             const std::string& background);
void LoadFaceBitmaps(Handle dialog, int32_t id, const std::string& first, const std::string& second);
void LoadFaceBitmap(Handle dialog, int32_t id, const std::string& file);

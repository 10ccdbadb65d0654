// Instrument controls and their shared state. Every instrument is a canvas
// control named by (dialog, control identifier); its configuration lives in
// one fixed-layout InstrumentRecord per identifier 0..kInstrumentTableLast
// (the instrument table), and its static picture (frame and background) in a
// pixel snapshot per identifier 0..kSnapshotTableLast that is written back
// before the moving parts are redrawn. Each control also has eight user
// value slots; the instruments use the slots named below.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

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

constexpr int32_t kInstrumentTableLast = 2000;
constexpr int32_t kSnapshotTableLast = 10000;

// Control user value slots used by the instruments.
constexpr int32_t kSlotFaceState = 1;      // 0 = OFF face shown, 1 = ON face shown
constexpr int32_t kSlotOffFace = 2;        // bitmap canvas of the OFF (only) face
constexpr int32_t kSlotOnFace = 3;         // bitmap canvas of the ON face
constexpr int32_t kSlotMarqueeScroll = 5;  // scroll position of a marquee
constexpr int32_t kSlotSnapshotTaken = 8;  // 0 = background not captured yet, else the id

// What made the instrument of an identifier: set by each creator.
enum class InstrumentKind : uint8_t {
  kNone,           // nothing created under the identifier yet
  kCanvas,         // a plain instrument canvas (CreateInstrumentControl): text panels, marquees
  kBitmapSwitch,   // a plain canvas with an OFF/ON pair of bitmap faces, toggled by ToggleButton
  kGauge,          // CreateGauge: gauges, meters, caption boxes, blackboards
  kLedLamp,        // CreateLedLamp
  kRoundLamp,      // CreateRoundLamp
  kToggleButton,   // CreateToggleButton
  kKnob,           // CreateKnob
  kDigitalDisplay  // CreateDigitalDisplay
};

// Adds the canvas control of an instrument (clickable when id > 0) and loads
// its bitmap faces: background is "", one bitmap file name, or "OFF file/ON
// file" (see LoadFaceBitmaps in buttons.h).
void CreateInstrumentControl(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                             const std::string& background);

// The kind of the instrument last created under an identifier; kNone (and
// ErrorCode::kIdentifierOutsideTables) outside the table.
InstrumentKind InstrumentKindOf(int32_t id);
// A copy of an identifier's record; a zero record (and
// ErrorCode::kIdentifierOutsideTables) outside the table.
InstrumentRecord GetInstrumentRecord(int32_t id);

// The colour in which round lamps and knobs paint the corners round their
// round shapes: by default the background colour SetWindowColors gave the
// dialog, or the system COLOR_BTNFACE when it has none. Setting it affects
// what is painted from then on.
void SetInstrumentSurroundColor(Handle dialog, ColorRef color);
ColorRef GetInstrumentSurroundColor(Handle dialog);

}  // namespace ip

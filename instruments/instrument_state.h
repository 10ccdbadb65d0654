// The instruments' own view of their state: the instrument table and the
// snapshot table by identifier, and a side table beside the instrument
// table (same identifiers) for what the records do not hold: the kind of
// each instrument and what it last showed.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "instrument_panel/instrument_table.h"

namespace ip {

// What an instrument last showed, beside its record.
struct InstrumentExtras {
  InstrumentKind kind = InstrumentKind::kNone;
  std::string shownCaption;  // gauges: the caption as last painted, codes expanded
  std::string displayText;   // displays: the text last shown
  int32_t knobAngle = 0;     // knobs: the angle of the pointer, degrees
};

// The record of an identifier, or nullptr outside 0..kInstrumentTableLast
// (such identifiers are ignored by every operation that would index the
// table, which records ErrorCode::kIdentifierOutsideTables).
InstrumentRecord* InstrumentAt(int32_t id);
// The side entry of an identifier; nullptr outside the table (reported the same way).
InstrumentExtras* ExtrasAt(int32_t id);
// The side entry of an identifier whose instrument is one of `kinds`; nullptr
// otherwise, with ErrorCode::kWrongInstrumentKind (or, outside the table,
// kIdentifierOutsideTables) recorded. The getters start here.
const InstrumentExtras* ExtrasOfKind(int32_t id, std::initializer_list<InstrumentKind> kinds);
// Zero-fills the instrument table and its side table (program start).
void ClearInstrumentTable();
// Sets the kind of an identifier (nothing outside the table).
void SetInstrumentKind(int32_t id, InstrumentKind kind);

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

}  // namespace ip

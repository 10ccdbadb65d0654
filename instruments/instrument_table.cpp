// The instrument tables: records, the side table beside them, background
// snapshots, and the per-dialog colour round instruments stand on.
#include "instrument_panel/instrument_table.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/dialog_internal.h"
#include "host/error_report.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/dialog.h"
#include "instruments/instrument_state.h"

namespace ip {

namespace {

std::array<InstrumentRecord, kInstrumentTableLast + 1> instrument_table{};
std::array<InstrumentExtras, kInstrumentTableLast + 1> instrument_extras{};
// Created by the first operation that needs it; entries are empty until a
// control's static picture is captured.
std::unique_ptr<std::vector<std::string>> background_snapshots;
// Surround colours set for dialogs (or bitmap canvases painted on like
// one); entries of handles that have gone are dropped whenever a new one is set.
std::map<Handle, ColorRef> surround_colors;

bool InTable(int32_t id) {
  if (id >= 0 && id <= kInstrumentTableLast) return true;
  ReportUnknown(ErrorCode::kIdentifierOutsideTables, std::to_string(id));
  return false;
}

void ForgetClosedDialogs() {
  std::erase_if(surround_colors, [](const auto& entry) { return !HasHostRecord(entry.first); });
}

}  // namespace

InstrumentRecord* InstrumentAt(int32_t id) {
  return InTable(id) ? &instrument_table[static_cast<size_t>(id)] : nullptr;
}

InstrumentExtras* ExtrasAt(int32_t id) {
  return InTable(id) ? &instrument_extras[static_cast<size_t>(id)] : nullptr;
}

const InstrumentExtras* ExtrasOfKind(int32_t id, std::initializer_list<InstrumentKind> kinds) {
  const InstrumentExtras* extras = ExtrasAt(id);
  if (extras == nullptr) return nullptr;
  for (InstrumentKind kind : kinds) {
    if (extras->kind == kind) return extras;
  }
  SetLastError(ErrorCode::kWrongInstrumentKind);
  return nullptr;
}

void ClearInstrumentTable() {
  instrument_table.fill(InstrumentRecord{});
  instrument_extras.fill(InstrumentExtras{});
}

void SetInstrumentKind(int32_t id, InstrumentKind kind) {
  if (InstrumentExtras* extras = ExtrasAt(id)) extras->kind = kind;
}

InstrumentKind InstrumentKindOf(int32_t id) {
  const InstrumentExtras* extras = ExtrasAt(id);
  return extras != nullptr ? extras->kind : InstrumentKind::kNone;
}

InstrumentRecord GetInstrumentRecord(int32_t id) {
  const InstrumentRecord* record = InstrumentAt(id);
  return record != nullptr ? *record : InstrumentRecord{};
}

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

void SetInstrumentSurroundColor(Handle dialog, ColorRef color) {
  ForgetClosedDialogs();
  surround_colors[dialog] = color;
}

ColorRef GetInstrumentSurroundColor(Handle dialog) {
  const auto it = surround_colors.find(dialog);
  if (it != surround_colors.end() && HasHostRecord(dialog)) return it->second;
  const int32_t back = DialogBackColor(dialog);
  return back >= 0 ? back : kSysColorBtnFace;
}

}  // namespace ip

// The window registry: records keyed by handle in a hash map, and an index of
// the canvas controls by (dialog, control identifier), so that finding a
// control costs the same however many records there are.
#include "host/window_records.h"

#include <unordered_map>
#include <vector>

namespace ip {

namespace {

using ControlKey = uint64_t;  // the dialog in the high half, the identifier in the low

struct Registry {
  std::unordered_map<Handle, std::unique_ptr<WindowRecord>> records;
  // The canvas controls of each (dialog, identifier), oldest first. A dialog
  // with two controls of one identifier finds the one made last: creating an
  // instrument again over an identifier replaces the first one's record, and
  // the new record goes with the new canvas.
  std::unordered_map<ControlKey, std::vector<Handle>> controls;
  uint64_t removals = 0;
};

Registry& State() {
  static Registry registry;
  return registry;
}

ControlKey KeyOf(Handle dialog, int32_t id) { return (ControlKey{dialog} << 32) | static_cast<uint32_t>(id); }

bool IsIndexed(const WindowRecord& record) { return record.type == RecordType::kCanvasControl && record.owner != 0; }

void Unindex(const WindowRecord& record) {
  if (!IsIndexed(record)) return;
  auto it = State().controls.find(KeyOf(record.owner, record.controlId));
  if (it == State().controls.end()) return;
  std::erase(it->second, record.key);
  if (it->second.empty()) State().controls.erase(it);
}

void Erase(Handle key) {
  auto it = State().records.find(key);
  if (it == State().records.end()) return;
  Unindex(*it->second);
  State().records.erase(it);
  ++State().removals;
}

}  // namespace

WindowRecord& RegisterRecord(const WindowRecord& record) {
  Erase(record.key);
  auto& slot = State().records[record.key];
  slot = std::make_unique<WindowRecord>(record);
  if (IsIndexed(record)) State().controls[KeyOf(record.owner, record.controlId)].push_back(record.key);
  return *slot;
}

WindowRecord* FindRecord(Handle key) {
  if (key == 0) return nullptr;
  auto it = State().records.find(key);
  return it == State().records.end() ? nullptr : it->second.get();
}

WindowRecord* FindControlRecord(Handle dialog, int32_t id) {
  if (dialog == 0) return nullptr;
  auto it = State().controls.find(KeyOf(dialog, id));
  return it == State().controls.end() ? nullptr : FindRecord(it->second.back());
}

void FreeRecord(Handle key) { Erase(key); }

void FreeDialogRecords(Handle dialog) {
  std::vector<Handle> owned;
  for (const auto& [key, record] : State().records) {
    if (record->owner == dialog) owned.push_back(key);
  }
  for (Handle key : owned) Erase(key);
  Erase(dialog);
}

size_t RecordCount() { return State().records.size(); }

uint64_t RecordRemovals() { return State().removals; }

std::vector<Handle> RecordsOwnedBy(Handle dialog) {
  std::vector<Handle> owned;
  if (dialog == 0) return owned;
  for (const auto& [key, record] : State().records) {
    if (record->owner == dialog) owned.push_back(key);
  }
  return owned;
}

bool IsCanvas(const WindowRecord* record) {
  return record != nullptr &&
         (record->type == RecordType::kCanvasControl || record->type == RecordType::kBitmapCanvas);
}

}  // namespace ip

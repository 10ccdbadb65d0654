// The window registry: records in a table kept in handle order, and an index
// of the canvas controls by (dialog, control identifier) kept sorted, so that
// finding a record or a control reads a few neighbouring cache lines however
// many records there are.
#include "host/window_records.h"

#include <algorithm>
#include <vector>

#include "platform/handle_table.h"

namespace ip {

namespace {

using ControlKey = uint64_t;  // the dialog in the high half, the identifier in the low

// One canvas control in the index: its record stays where it is until the
// record is erased, which takes it out of the index first.
struct IndexedControl {
  ControlKey key;
  WindowRecord* record;
};

struct Registry {
  platform::HandleTable<WindowRecord> records;
  // The canvas controls sorted by key; those of one key oldest first. A
  // dialog with two controls of one identifier finds the one made last:
  // creating an instrument again over an identifier replaces the first one's
  // record, and the new record goes with the new canvas.
  std::vector<IndexedControl> controls;
};

Registry& State() {
  static Registry registry;
  return registry;
}

ControlKey KeyOf(Handle dialog, int32_t id) { return (ControlKey{dialog} << 32) | static_cast<uint32_t>(id); }

bool IsIndexed(const WindowRecord& record) { return record.type == RecordType::kCanvasControl && record.owner != 0; }

// The first indexed control whose key is above `key`.
std::vector<IndexedControl>::iterator ControlsAfter(ControlKey key) {
  std::vector<IndexedControl>& controls = State().controls;
  return std::upper_bound(controls.begin(), controls.end(), key,
                          [](ControlKey k, const IndexedControl& control) { return k < control.key; });
}

void Index(WindowRecord& record) {
  if (!IsIndexed(record)) return;
  const ControlKey key = KeyOf(record.owner, record.controlId);
  State().controls.insert(ControlsAfter(key), IndexedControl{key, &record});
}

void Unindex(const WindowRecord& record) {
  if (!IsIndexed(record)) return;
  std::erase_if(State().controls, [&](const IndexedControl& control) { return control.record == &record; });
}

void Erase(Handle key) {
  WindowRecord* record = State().records.Find(key);
  if (record == nullptr) return;
  Unindex(*record);
  State().records.Erase(key);
  ++record_removal_count;
}

}  // namespace

WindowRecord& RegisterRecord(const WindowRecord& record) {
  Erase(record.key);
  WindowRecord& stored = State().records.Put(record.key, std::make_unique<WindowRecord>(record));
  Index(stored);
  return stored;
}

WindowRecord* FindRecord(Handle key) {
  if (key == 0) return nullptr;
  return State().records.Find(key);
}

WindowRecord* FindControlRecord(Handle dialog, int32_t id) {
  if (dialog == 0) return nullptr;
  const ControlKey key = KeyOf(dialog, id);
  const auto after = ControlsAfter(key);
  if (after == State().controls.begin()) return nullptr;
  const IndexedControl& newest = *std::prev(after);
  return newest.key == key ? newest.record : nullptr;
}

void FreeRecord(Handle key) { Erase(key); }

void FreeDialogRecords(Handle dialog) {
  std::vector<Handle> owned;
  State().records.ForEach([&](Handle key, const WindowRecord& record) {
    if (record.owner == dialog) owned.push_back(key);
  });
  for (Handle key : owned) Erase(key);
  Erase(dialog);
}

size_t RecordCount() { return State().records.Size(); }

std::vector<Handle> RecordsOwnedBy(Handle dialog) {
  std::vector<Handle> owned;
  if (dialog == 0) return owned;
  State().records.ForEach([&](Handle key, const WindowRecord& record) {
    if (record.owner == dialog) owned.push_back(key);
  });
  return owned;
}

bool IsCanvas(const WindowRecord* record) {
  return record != nullptr &&
         (record->type == RecordType::kCanvasControl || record->type == RecordType::kBitmapCanvas);
}

}  // namespace ip

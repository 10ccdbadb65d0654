// The window registry: records keyed by handle in a hash map.
#include "host/window_records.h"

#include <unordered_map>
#include <vector>

namespace ip {

namespace {

std::unordered_map<Handle, std::unique_ptr<WindowRecord>>& Registry() {
  static std::unordered_map<Handle, std::unique_ptr<WindowRecord>> registry;
  return registry;
}

}  // namespace

WindowRecord& RegisterRecord(const WindowRecord& record) {
  auto& slot = Registry()[record.key];
  slot = std::make_unique<WindowRecord>(record);
  return *slot;
}

WindowRecord* FindRecord(Handle key) {
  if (key == 0) return nullptr;
  auto it = Registry().find(key);
  return it == Registry().end() ? nullptr : it->second.get();
}

WindowRecord* FindControlRecord(Handle dialog, int32_t id) {
  if (dialog == 0) return nullptr;
  for (const auto& [key, record] : Registry()) {
    if (record->owner == dialog && record->type == RecordType::kCanvasControl && record->controlId == id) {
      return record.get();
    }
  }
  return nullptr;
}

void FreeRecord(Handle key) { Registry().erase(key); }

void FreeDialogRecords(Handle dialog) {
  std::vector<Handle> owned;
  for (const auto& [key, record] : Registry()) {
    if (record->owner == dialog) owned.push_back(key);
  }
  for (Handle key : owned) Registry().erase(key);
  Registry().erase(dialog);
}

size_t RecordCount() { return Registry().size(); }

std::vector<Handle> RecordsOwnedBy(Handle dialog) {
  std::vector<Handle> owned;
  if (dialog == 0) return owned;
  for (const auto& [key, record] : Registry()) {
    if (record->owner == dialog) owned.push_back(key);
  }
  return owned;
}

bool IsCanvas(const WindowRecord* record) {
  return record != nullptr &&
         (record->type == RecordType::kCanvasControl || record->type == RecordType::kBitmapCanvas);
}

}  // namespace ip

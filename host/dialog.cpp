// The dialog host (placeholder: control lookup and user values only).
#include "host/dialog.h"

#include "host/window_records.h"

namespace {
int32_t last_error = 0;
}

Handle CreateDialogWindow(Handle, const std::string&, int32_t, int32_t, int32_t, int32_t, uint32_t, uint32_t,
                          int32_t) {
  return 0;
}
void SetWindowColors(Handle, int32_t, int32_t, int32_t) {}
void AddCanvasControl(Handle, int32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, uint32_t, WindowCallback,
                      const std::string&) {}
void RunDialogModal(WindowCallback, Handle, int32_t*) {}
void EndDialogWindow(Handle, int32_t) {}

Handle GetControlHandle(Handle dialog, int32_t id) {
  WindowRecord* record = FindControlRecord(dialog, id);
  return record ? record->key : 0;
}
IntPair GetControlSize(Handle, int32_t) { return {}; }
IntPair GetControlLocation(Handle, int32_t) { return {}; }

int32_t GetControlUserValue(Handle window, int32_t slot) {
  WindowRecord* record = FindRecord(window);
  return record ? record->userValues[static_cast<uint32_t>(slot - 1) & 7] : 0;
}
void SetControlUserValue(Handle window, int32_t slot, int32_t value) {
  if (WindowRecord* record = FindRecord(window)) record->userValues[static_cast<uint32_t>(slot - 1) & 7] = value;
}

IntPair CursorClientPosition(Handle) { return {}; }
int16_t GetAsyncKeyState(int32_t) { return 0; }
int32_t GetDlgCtrlID(Handle window) {
  WindowRecord* record = FindRecord(window);
  return record && record->type == RecordType::kCanvasControl ? record->controlId : 0;
}

void RepaintCanvasControl(Handle) {}
int32_t LastHostError() { return last_error; }
void SetLastHostError(int32_t code) { last_error = code; }

// The current canvas: attaching, redrawing, size, and the initial state of a
// new canvas. The current canvas is remembered by handle, so a canvas that
// has gone is simply "no canvas"; its record is looked up again only after
// some record was freed or replaced.
#include <algorithm>

#include "host/canvas_internal.h"
#include "host/canvas_text.h"
#include "host/dialog_internal.h"
#include "host/error_report.h"
#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "platform/handles.h"

namespace ip {

namespace {

thread_local Handle current_canvas = 0;
// The record of current_canvas (nullptr: none, or not a canvas) as found
// when the registry had seen `current_record_removals` removals.
thread_local WindowRecord* current_record = nullptr;
thread_local uint64_t current_record_removals = 0;
int64_t repaint_count = 0;
uint64_t last_canvas_version = 0;

uint64_t NextCanvasVersion() { return ++last_canvas_version; }

void RepaintCanvas(Handle canvas) {
  ++repaint_count;
  RepaintCanvasControl(canvas);
}

}  // namespace

void SetCurrentCanvas(Handle canvas) {
  current_canvas = canvas;
  WindowRecord* record = FindRecord(canvas);
  current_record = IsCanvas(record) ? record : nullptr;
  current_record_removals = RecordRemovals();
}

WindowRecord* CurrentCanvasRecord() {
  if (current_record_removals != RecordRemovals()) SetCurrentCanvas(current_canvas);
  return current_record;
}

void RepaintIfImmediate(WindowRecord& record) {
  if ((record.flags & kFlagRedrawOnRequest) == 0) RepaintCanvas(record.key);
}

void InitCanvasState(WindowRecord& record, int32_t width, int32_t height) {
  CanvasState& canvas = record.canvas;
  canvas = CanvasState{};
  canvas.bitmap = platform::MakeSurface(width, height, platform::PixelFromColorRef(kSysColorBtnFace));
  canvas.width = canvas.bitmap.Empty() ? 0 : width;
  canvas.height = canvas.bitmap.Empty() ? 0 : height;
  canvas.version = NextCanvasVersion();
  ApplyDefaultCanvasFont(canvas);
}

void CanvasAttach(Handle owner, int32_t id, int32_t mode) {
  WindowRecord* target = FindControlRecord(owner, id);
  if (target == nullptr) target = FindRecord(owner);
  SetCurrentCanvas(0);
  if (!IsCanvas(target)) {
    SetLastError(ErrorCode::kNoCanvas);
    return;
  }
  bool onRequest = (mode & kAttachRedrawOnRequest) != 0 || target->type == RecordType::kBitmapCanvas;
  target->flags = onRequest ? (target->flags | kFlagRedrawOnRequest) : (target->flags & ~kFlagRedrawOnRequest);
  target->canvas.version = NextCanvasVersion();
  SetCurrentCanvas(target->key);
}

void CanvasRedraw() {
  if (WindowRecord* record = CurrentCanvasRecord()) RepaintCanvas(record->key);
}

int64_t CanvasRepaintCount() { return repaint_count; }

IntPair CanvasGetSize() {
  const WindowRecord* record = CurrentCanvasRecord();
  if (record == nullptr) return {};
  return {record->canvas.width, record->canvas.height};
}

WindowRecord& RegisterBitmapCanvas(int32_t width, int32_t height) {
  WindowRecord record;
  record.key = record.window = platform::NewHandle();
  record.type = RecordType::kBitmapCanvas;
  record.flags = kFlagPixelUnits | kFlagRedrawOnRequest;
  WindowRecord& registered = RegisterRecord(record);
  InitCanvasState(registered, width, height);
  return registered;
}

void GiveBitmapCanvasTo(Handle canvas, Handle dialog) {
  WindowRecord* record = FindRecord(canvas);
  if (record != nullptr && record->type == RecordType::kBitmapCanvas) record->owner = dialog;
}

Handle CreateBitmapCanvas(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || int64_t{width} * height > platform::kMaxSurfacePixels) return 0;
  WindowRecord& registered = RegisterBitmapCanvas(width, height);
  std::fill(registered.canvas.bitmap.pixels.begin(), registered.canvas.bitmap.pixels.end(), 0);
  return registered.key;
}

}  // namespace ip

// The host's bookkeeping: one WindowRecord per window it made (the dialog,
// each canvas control) and per bitmap canvas, found by handle. A record owns
// the canvas state of a canvas: its off-screen bitmap, font, colours, pen and
// current position.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "instrument_panel/types.h"
#include "platform/surface.h"

namespace ip {

namespace platform {
struct Font;  // a face at a pixel size, with its metrics (platform/font.h)
}

// A window's callback, shared so that a call in progress keeps it alive even
// when the call destroys the window and its record.
using CallbackHolder = std::shared_ptr<const WindowCallback>;

enum class RecordType : uint8_t { kDialog, kCanvasControl, kBitmapCanvas };

// Record flags.
constexpr uint32_t kFlagPixelUnits = 0x2;
constexpr uint32_t kFlagModalLoop = 0x10;
constexpr uint32_t kFlagRedrawOnRequest = 0x80;

// The drawing state of a canvas (control or bitmap canvas).
struct CanvasState {
  platform::Surface bitmap;  // the persistent off-screen bitmap; empty if it could not be made
  int32_t width = 0;
  int32_t height = 0;
  int32_t currentX = 0;
  int32_t currentY = 0;
  std::shared_ptr<const platform::Font> font;  // current font; never null on a live canvas
  int32_t charWidth = 0;                       // tmAveCharWidth
  int32_t lineHeight = 0;                      // tmHeight + tmExternalLeading
  int32_t fontHeight = 0;                      // tmHeight
  uint32_t foreColor = kSysColorWindowText;    // lines, outlines and text
  int32_t backColor = kSysColorBtnFace;        // text background, or kColorNone = transparent
  int32_t penStyle = 0;                        // 0 = solid
  int32_t penWidth = 0;                        // 0 = one pixel
  // Renewed (from one counter for all canvases) when the canvas is made and
  // whenever it is attached for drawing: while it stays the same, the pixels
  // have not changed.
  uint64_t version = 0;
};

struct WindowRecord {
  Handle key = 0;
  Handle window = 0;
  Handle owner = 0;  // the dialog of a control or of a control's face bitmap; 0 for dialogs and other bitmap canvases
  RecordType type = RecordType::kDialog;
  int32_t controlId = 0;  // controls only
  uint32_t flags = 0;
  uint32_t style = 0;
  int32_t showCommand = 5;  // SW_SHOW
  CallbackHolder callback;  // empty: no callback
  int32_t backColor = -3;  // -3 never set, -2 transparent, -1 system default, else COLORREF
  int32_t textColor = -3;
  CanvasState canvas;      // canvas controls and bitmap canvases only
  std::array<int32_t, 8> userValues{};  // slots 1..8 at indexes 0..7
};

// Registers a record under `record.key`, replacing any record with that key.
WindowRecord& RegisterRecord(const WindowRecord& record);
// The record of a handle, or nullptr.
WindowRecord* FindRecord(Handle key);
// The record of the control `id` owned by `dialog`, or nullptr.
WindowRecord* FindControlRecord(Handle dialog, int32_t id);
// Frees one record (nothing if it does not exist).
void FreeRecord(Handle key);
// Frees a dialog's record and the records of all controls it owns.
void FreeDialogRecords(Handle dialog);
// How many records exist (for tests that watch for leaks).
size_t RecordCount();
// The handles of the records a dialog owns: its controls and their face bitmaps.
std::vector<Handle> RecordsOwnedBy(Handle dialog);
// How many records have been freed or replaced (read through RecordRemovals).
inline uint64_t record_removal_count = 0;

// Changes whenever a record is freed or replaced: a record pointer kept from
// FindRecord stays valid while this value stays the same. Inline: the current
// canvas checks it on every drawing operation.
inline uint64_t RecordRemovals() { return record_removal_count; }
// True for canvas controls and bitmap canvases.
bool IsCanvas(const WindowRecord* record);

}  // namespace ip

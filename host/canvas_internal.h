// Host-internal side of the canvas operations: the record of the current
// canvas, the automatic repaint, and the initial state of a new canvas.
#pragma once

#include <cstdint>

#include "host/window_records.h"
#include "instrument_panel/canvas.h"

namespace ip {

// For the host's own use: the record of the current canvas, or nullptr when
// there is none (never attached, or the canvas has gone).
WindowRecord* CurrentCanvasRecord();
// Repaints the current canvas's control unless it is in redraw-on-request mode.
void RepaintIfImmediate(WindowRecord& record);
// How many canvas repaints CanvasRedraw and the automatic repaint of drawing
// operations have asked for since the program started (for tests).
int64_t CanvasRepaintCount();
// Gives a new canvas its initial drawing state: default font, colours, pen.
void InitCanvasState(WindowRecord& record, int32_t width, int32_t height);
// Registers a new bitmap canvas (pixel units, redrawn on request) with its
// initial drawing state.
WindowRecord& RegisterBitmapCanvas(int32_t width, int32_t height);
// Makes a dialog the owner of a bitmap canvas: the canvas is then freed with
// the dialog's records when the dialog is destroyed. Nothing for a handle
// that is not a bitmap canvas.
void GiveBitmapCanvasTo(Handle canvas, Handle dialog);

}  // namespace ip

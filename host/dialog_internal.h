// Host-internal side of the dialog host: repainting one control, the
// background colour a dialog was given, and forgetting every window.
#pragma once

#include "instrument_panel/dialog.h"

namespace ip {

// Repaints one canvas control at once: the dialog procedure receives
// WM_DRAWITEM and copies the control's bitmap to the window's back buffer.
// Used by CanvasRedraw; does nothing for bitmap canvases, missing controls
// and controls of a hidden dialog (showing the dialog paints them all).
void RepaintCanvasControl(Handle control);

// The background colour SetWindowColors gave the dialog itself: a colour
// value, -2 transparent, -1 the system default, -3 never set (also for a
// window without a record).
int32_t DialogBackColor(Handle dialog);

// True while the host keeps a record of the handle (a window or a bitmap canvas).
bool HasHostRecord(Handle handle);

// Forgets every window and dialog, the host's records of them and all
// pending messages and timers, without sending any message: a fresh start
// for another run in the same process. Bitmap canvases that no dialog owns stay.
void ResetWindowHost();


}  // namespace ip

// The dialog host: one top-level dialog window with canvas controls, its
// modal message loop and the dispatch of every message to one application
// callback. Positions and sizes are pixels of the dialog's client area.
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

// Creates the dialog hidden. x = y = -1 centres it in the desktop work area;
// with units kUnitsPixels, width x height is the client size. Returns 0 on failure.
Handle CreateDialogWindow(Handle parent, const std::string& title, int32_t x, int32_t y, int32_t width,
                          int32_t height, uint32_t style, uint32_t extendedStyle, int32_t units);

// Sets the text and background colour of the dialog (id kDialogItself) or of one control.
void SetWindowColors(Handle dialog, int32_t id, int32_t textColor, int32_t backColor);

// Adds a canvas control whose bitmap starts filled with COLOR_BTNFACE.
void AddCanvasControl(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                      uint32_t styleExtras, uint32_t extendedStyle, WindowCallback controlCallback,
                      const std::string& caption);

// Sends WM_INITDIALOG and WM_SIZE to the callback, shows the dialog and runs
// the message loop until the dialog no longer exists (or the session ends).
// True when the loop ran. False when a headless loop spun: its virtual clock
// stood still while it turned on and on (a handler that makes a new message
// for every message it gets); the loop is stopped and says so on standard error.
// Without a started window session (session.h) it does nothing: it records
// ErrorCode::kNoWindowSession, says so on standard error and returns false.
bool RunDialogModal(WindowCallback callback, Handle dialog, int32_t* resultSlot);

// Sends WM_CLOSE, stores the result and destroys the dialog.
void EndDialogWindow(Handle dialog, int32_t result);
// Destroys every control of the dialog with the face bitmaps kept for them,
// and repaints the dialog in its background colour: the dialog stays open and
// its loop runs on, ready for new controls (a panel rebuilt in place).
void DestroyDialogControls(Handle dialog);
// The one operation another thread may call: posts a message for `window`
// into an inbox that the message loop empties on its own thread, waking the
// loop if it waits for input. A message whose window is gone by then is
// dropped. Everything else belongs to the loop's thread.
void PostMessageFromAnyThread(Handle window, uint32_t message, uint32_t wParam, uint32_t lParam);

Handle GetControlHandle(Handle dialog, int32_t id);
IntPair GetControlSize(Handle dialog, int32_t id);      // width, height
IntPair GetControlLocation(Handle dialog, int32_t id);  // x, y in the parent's client area
int32_t GetControlUserValue(Handle window, int32_t slot);
void SetControlUserValue(Handle window, int32_t slot, int32_t value);

// USER32-style input queries for the instruments and the panel.
// The cursor position in the client coordinates of `window` (GetCursorPos
// followed by ScreenToClient).
IntPair CursorClientPosition(Handle window);
// Bit 15: the key or mouse button is down now; bit 0: it was pressed since
// the previous query of that key.
int16_t GetAsyncKeyState(int32_t virtualKey);
// The control identifier of a window (0 for the dialog or an unknown window).
int32_t GetDlgCtrlID(Handle window);

// Window timers: a WM_TIMER (wParam = id) to `window` every periodMs once the
// queue is otherwise empty, at most one pending per timer. In a real window,
// timers due within 15 ms of each other arrive together, the earlier ones up
// to 15 ms late; headless, each arrives at its own time. SetTimer returns 0
// for a window that does not exist.
uint32_t SetTimer(Handle window, uint32_t id, uint32_t periodMs);
bool KillTimer(Handle window, uint32_t id);
// True while the window exists (a dialog until it has been destroyed).
bool IsWindowOpen(Handle window);

}  // namespace ip

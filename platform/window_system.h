// The window system: a registry of windows (top-level windows and their
// child controls) with 32-bit handles, one message queue, timers, the cursor
// and key state, brushes, and the back buffer of each top-level window (its
// client area, which the backend shows). A backend (real window or headless)
// supplies the desktop, waits for input and shows the back buffer.
//
// Message order, as USER32 gives it: posted messages first, then input, then
// painting, then timers. Input becomes messages when it is taken from the
// queue: each mouse message first sends WM_SETCURSOR to the top-level window
// (wParam = the SS_NOTIFY control under the cursor, or the window itself).
// WM_TIMER is made only when a timer is due and nothing else is waiting, at
// most one pending per timer.
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/session.h"
#include "instrument_panel/types.h"
#include "platform/surface.h"

namespace ip::platform {

// Shortest and longest timer periods (USER_TIMER_MINIMUM / MAXIMUM).
constexpr int64_t kTimerMinimumMs = 10;
constexpr int64_t kTimerMaximumMs = 0x7FFFFFFF;
// Window sizes are clamped to 0..kMaxWindowExtent pixels.
constexpr int kMaxWindowExtent = 32767;
// On the virtual clock, the most turns GetMessage makes while the clock stands
// still and no scripted input arrives. A loop beyond it is spinning (a handler
// that makes a new message for every message it gets) and is stopped.
constexpr int64_t kMaxLoopTurnsPerVirtualMs = 100000;

// A window procedure: (window, message, wParam, lParam) -> result; 0 means
// "not handled" and lets the default processing run.
using WindowProc = int32_t (*)(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam);

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const Rect&) const = default;
};

// The frame of a top-level window: how far the window rectangle reaches
// beyond the client area on each side.
struct FrameInsets {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct Message {
  uint32_t window = 0;
  uint32_t message = 0;
  uint32_t wParam = 0;
  uint32_t lParam = 0;
};

// ---- windows ----

// Creates a hidden top-level window whose client area is `client` in screen
// coordinates. Returns its handle.
uint32_t CreateTopLevelWindow(const std::string& title, Rect client, uint32_t style, WindowProc proc);
// Creates a child control ("STATIC" class, owner-drawn) of `parent` at `rect`
// in the parent's client coordinates. It paints by sending WM_DRAWITEM
// (wParam = id, lParam = the control) to its parent; with SS_NOTIFY it takes
// part in hit-testing and a left press sends WM_COMMAND (id | STN_CLICKED << 16,
// lParam = the control) to the parent. Returns 0 if `parent` does not exist.
uint32_t CreateStaticControl(uint32_t parent, int32_t id, Rect rect, uint32_t style);
// Destroys a window and its children: WM_DESTROY (parent first), then
// WM_NCDESTROY (children first); its timers and queued messages go with it.
bool DestroyWindow(uint32_t window);
bool IsWindow(uint32_t window);
bool IsWindowVisible(uint32_t window);  // the window and all its parents are shown
uint32_t GetParent(uint32_t window);     // 0 for a top-level window
int32_t GetDlgCtrlID(uint32_t window);   // 0 for a top-level or unknown window
uint32_t GetDlgItem(uint32_t parent, int32_t id);  // the first child with that id
std::string GetWindowText(uint32_t window);
uint32_t GetWindowStyle(uint32_t window);

// Window rectangle in screen coordinates (a top-level window includes its
// frame); an empty rectangle for an unknown window.
Rect GetWindowRect(uint32_t window);
// Client size as a rectangle at (0, 0).
Rect GetClientRect(uint32_t window);
// Moves and sizes a top-level window's outer rectangle (screen coordinates);
// keepPosition leaves it where it is and only sizes it.
bool SetWindowPos(uint32_t window, int x, int y, int width, int height, bool keepPosition);
// Converts between screen and a window's client coordinates; false (point
// unchanged) for an unknown window.
bool ScreenToClient(uint32_t window, Point& point);
bool ClientToScreen(uint32_t window, Point& point);

// Shows a top-level window: WM_SHOWWINDOW, then WM_ACTIVATE (WA_ACTIVE);
// the window and its controls are painted when the queue is next empty.
void ShowWindow(uint32_t window);

// ---- messages ----

// Calls the window's procedure, then the default processing when it returns 0.
int32_t SendMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam);
bool PostMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam);
// Any thread: posts through the inbox (platform/message_inbox.h). The loop
// takes inbox messages before anything else waiting and drops those whose
// window no longer exists.
void PostMessageFromAnyThread(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam);
// Takes the next message, waiting for one. False when the session has ended
// (the headless run reached its end, or no backend can wait), when the shown
// window was destroyed while the message was being taken, or when a loop on
// the virtual clock spun past kMaxLoopTurnsPerVirtualMs (said once on
// standard error; LoopWasStopped() is then true).
bool GetMessage(Message& out);
// True while the virtual clock stands where GetMessage stopped a spinning loop.
bool LoopWasStopped();
int32_t DispatchMessage(const Message& message);
// Keyboard handling of a dialog: Escape sends WM_COMMAND IDCANCEL, Enter
// WM_COMMAND IDOK to the dialog. True when the message was used.
bool IsDialogMessage(uint32_t dialog, const Message& message);

// ---- painting ----

// Copies `source` 1:1 to (0, 0) of the window's client area in its top-level
// window's back buffer, clipped to the window; marks changed the span of rows
// that differed from what the back buffer held (nothing if none did).
void PaintWindowPixels(uint32_t window, const Surface& source);
// Repaints a visible window now: it receives WM_PAINT (a control then sends
// WM_DRAWITEM to its parent). Does nothing for a hidden or unknown window.
void RedrawWindowNow(uint32_t window);
// The back buffer (client area) of a top-level window, or nullptr.
const Surface* BackBuffer(uint32_t window);

// ---- brushes ----

uint32_t CreateSolidBrush(uint32_t colorref);
bool DeleteBrush(uint32_t brush);
uint32_t GetSysColorBrush(int index);
uint32_t GetSysColor(int index);  // colour value 0x00BBGGRR
uint32_t HollowBrush();           // the stock brush that paints nothing
// The colour of a solid brush; false for the hollow brush or an unknown handle.
bool BrushColor(uint32_t brush, uint32_t& colorref);

// ---- timers ----

// Starts or restarts timer `id` of `window`: a WM_TIMER (wParam = id) when
// `periodMs` has passed, and then every period. Returns id, or 0 for an
// unknown window. Periods are clamped to kTimerMinimumMs..kTimerMaximumMs.
uint32_t SetTimer(uint32_t window, uint32_t id, int64_t periodMs);
bool KillTimer(uint32_t window, uint32_t id);

// ---- input state ----

Point GetCursorPos();  // screen coordinates
// Bit 15: the key is down now; bit 0: it was pressed since the previous
// query of that key. Keys outside 0..255 give 0.
int16_t GetAsyncKeyState(int virtualKey);
// The desktop work area (the screen without task bars), screen coordinates.
Rect GetWorkArea();
// The frame a top-level window gets around its client area.
FrameInsets GetFrameInsets();

// ---- input from the backends ----

// Input as a backend reports it. Mouse positions are client coordinates of
// the shown top-level window. Each call updates the cursor and key state at
// once and queues the input for GetMessage.
void InjectMouseMove(int clientX, int clientY);
void InjectMouseButton(MouseButton button, bool down);
void InjectKey(int virtualKey, bool down);
void InjectCloseButton();  // the title-bar close button: WM_SYSCOMMAND SC_CLOSE
void InjectActivation(bool active);

// The top-level window the backend shows (the last one shown), or 0.
uint32_t ShownWindow();
// A top-level window was moved by the user or the desktop: its client area
// now starts at (screenX, screenY).
void MoveShownWindow(int screenX, int screenY);

// ---- sessions ----

// Forgets every window, message, timer, brush and key state without sending
// any message (a fresh start, e.g. between tests). The backend stays.
void ResetWindowSystem();

// Text of a window title (Windows-1252 bytes) as UTF-8.
std::string Windows1252ToUtf8(const std::string& text);

}  // namespace ip::platform

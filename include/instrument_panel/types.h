// The window-system vocabulary of the whole library: handles, colour values,
// coordinate pairs, callbacks, and the message, style, key and raster
// operation constants with the numeric values the Windows API gives them.
// Every layer, from the window system up to a user's program, speaks it.
#pragma once

#include <cstdint>
#include <functional>

namespace ip {

// A window or bitmap-canvas handle. Windows and bitmap canvases share one
// handle space; 0 is "no window".
using Handle = uint32_t;

// A colour value 0x00BBGGRR (red in the low byte). In canvas operations -1
// means the current foreground colour and -2 no fill / transparent.
using ColorRef = int32_t;

constexpr ColorRef kColorCurrent = -1;
constexpr ColorRef kColorNone = -2;

// Two 32-bit integers: a size (width, height), a position (x, y) or a text
// measure, as each operation says.
struct IntPair {
  int32_t first = 0;
  int32_t second = 0;
  bool operator==(const IntPair&) const = default;
};

// A dialog or control callback: (window, message, wParam, lParam) -> non-zero
// when it handled the message. A plain function converts to it, and so does a
// lambda that carries the program's own state.
using WindowCallback = std::function<int32_t(Handle window, uint32_t message, uint32_t wParam, uint32_t lParam)>;

// System colour indexes and the colours of a current Windows.
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNTEXT = 18;
constexpr ColorRef kSysColorBtnFace = 0xF0F0F0;
constexpr ColorRef kSysColorWindowText = 0x000000;
constexpr ColorRef kSysColorBtnText = 0x000000;
constexpr ColorRef kSysColorWindow = 0xFFFFFF;

// Messages.
constexpr uint32_t WM_DESTROY = 2;
constexpr uint32_t WM_SIZE = 5;
constexpr uint32_t WM_ACTIVATE = 6;
constexpr uint32_t WM_PAINT = 15;
constexpr uint32_t WM_CLOSE = 16;
constexpr uint32_t WM_SHOWWINDOW = 24;
constexpr uint32_t WM_SETCURSOR = 32;
constexpr uint32_t WM_DRAWITEM = 43;
constexpr uint32_t WM_NCDESTROY = 130;
constexpr uint32_t WM_KEYDOWN = 0x100;
constexpr uint32_t WM_KEYUP = 0x101;
constexpr uint32_t WM_INITDIALOG = 272;
constexpr uint32_t WM_COMMAND = 273;
constexpr uint32_t WM_SYSCOMMAND = 274;
constexpr uint32_t WM_TIMER = 275;
constexpr uint32_t WM_HSCROLL = 0x114;
constexpr uint32_t WM_VSCROLL = 0x115;
constexpr uint32_t WM_CTLCOLORMSGBOX = 0x132;
constexpr uint32_t WM_CTLCOLOREDIT = 0x133;
constexpr uint32_t WM_CTLCOLORLISTBOX = 0x134;
constexpr uint32_t WM_CTLCOLORDLG = 0x136;
constexpr uint32_t WM_CTLCOLORSTATIC = 0x138;
constexpr uint32_t WM_MOUSEMOVE = 0x200;
constexpr uint32_t WM_LBUTTONDOWN = 0x201;
constexpr uint32_t WM_LBUTTONUP = 0x202;
constexpr uint32_t WM_RBUTTONDOWN = 0x204;
constexpr uint32_t WM_RBUTTONUP = 0x205;
// The first message number free for a program's own messages.
constexpr uint32_t WM_APP = 0x8000;

// Message parameters and codes.
constexpr uint32_t SC_CLOSE = 0xF060;
constexpr uint32_t IDOK = 1;
constexpr uint32_t IDCANCEL = 2;
constexpr uint32_t STN_CLICKED = 0;
constexpr uint32_t ODA_DRAWENTIRE = 1;
constexpr uint32_t HTCLIENT = 1;
constexpr uint32_t MK_LBUTTON = 1;
constexpr uint32_t MK_RBUTTON = 2;
constexpr uint32_t WA_INACTIVE = 0;
constexpr uint32_t WA_ACTIVE = 1;

// Virtual keys.
constexpr int VK_LBUTTON = 1;
constexpr int VK_RBUTTON = 2;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_ESCAPE = 0x1B;

// Styles.
constexpr uint32_t SS_NOTIFY = 0x100;
constexpr uint32_t kCanvasControlStyle = 0x5000000D;  // WS_CHILD | WS_VISIBLE | SS_OWNERDRAW
constexpr uint32_t WS_MAXIMIZE = 0x01000000;
constexpr uint32_t WS_MINIMIZE = 0x20000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;

// Raster operations: how a copied pixel S combines with the pixel D under it.
constexpr uint32_t SRCCOPY = 0x00CC0020;      // S
constexpr uint32_t SRCPAINT = 0x00EE0086;     // S | D
constexpr uint32_t SRCAND = 0x008800C6;       // S & D
constexpr uint32_t SRCINVERT = 0x00660046;    // S ^ D
constexpr uint32_t SRCERASE = 0x00440328;     // S & ~D
constexpr uint32_t NOTSRCCOPY = 0x00330008;   // ~S
constexpr uint32_t NOTSRCERASE = 0x001100A6;  // ~(S | D)
constexpr uint32_t MERGEPAINT = 0x00BB0226;   // ~S | D

// Units flag of CreateDialogWindow: positions and sizes in pixels.
constexpr int kUnitsPixels = 2;

// The identifier that names the dialog itself in SetWindowColors.
constexpr int32_t kDialogItself = INT32_MIN;  // 0x80000000

constexpr uint32_t LowWord(uint32_t v) { return v & 0xFFFF; }
constexpr uint32_t HighWord(uint32_t v) { return v >> 16; }

}  // namespace ip

// The dialog host: the dialog window and its canvas controls, the modal
// loop, the dialog procedure that hands every message to the application
// callback, the dialog's colours, the control queries and user values.
#include "host/dialog.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "host/canvas.h"
#include "host/window_records.h"
#include "platform/window_system.h"

// The host and the window system speak the same message numbers.
static_assert(WM_SIZE == platform::WM_SIZE && WM_ACTIVATE == platform::WM_ACTIVATE);
static_assert(WM_CLOSE == platform::WM_CLOSE && WM_DESTROY == platform::WM_DESTROY);
static_assert(WM_NCDESTROY == platform::WM_NCDESTROY && WM_SETCURSOR == platform::WM_SETCURSOR);
static_assert(WM_DRAWITEM == platform::WM_DRAWITEM && WM_COMMAND == platform::WM_COMMAND);
static_assert(WM_SYSCOMMAND == platform::WM_SYSCOMMAND && WM_TIMER == platform::WM_TIMER);
static_assert(WM_CTLCOLORMSGBOX == platform::WM_CTLCOLORMSGBOX && WM_CTLCOLORSTATIC == platform::WM_CTLCOLORSTATIC);
static_assert(SS_NOTIFY == platform::SS_NOTIFY && SC_CLOSE == platform::SC_CLOSE);
static_assert(IDOK == platform::IDOK && IDCANCEL == platform::IDCANCEL);
static_assert(VK_LBUTTON == platform::VK_LBUTTON && VK_RBUTTON == platform::VK_RBUTTON);
static_assert(VK_ESCAPE == platform::VK_ESCAPE && VK_RETURN == platform::VK_RETURN);

namespace {

// Dialog template style bits.
constexpr uint32_t kDefaultDialogStyle = 0x80000000 | 0x00C00000 | 0x80;  // WS_POPUP | WS_CAPTION | DS_MODALFRAME
constexpr uint32_t kAddedDialogStyle = 0x54;                             // DS_3DLOOK | DS_NOFAILCREATE | DS_SETFONT
constexpr uint32_t kDsSysModal = 0x2;
constexpr uint32_t kDsCenter = 0x800;

constexpr size_t kMaxTitleBytes = 256;
constexpr int32_t kCentre = -1;
constexpr int32_t kKeepPosition = 0x8000;

constexpr int kShowMaximized = 3;
constexpr int kShowMinimized = 6;
constexpr int kShowNormal = 5;

constexpr uint32_t WM_HSCROLL = 0x114;
constexpr uint32_t WM_VSCROLL = 0x115;
constexpr uint32_t WM_CTLCOLOREDIT = 0x133;
constexpr uint32_t WM_CTLCOLORLISTBOX = 0x134;

constexpr int32_t kErrorInvalidWindow = 1400;     // ERROR_INVALID_WINDOW_HANDLE
constexpr int32_t kErrorControlNotFound = 1421;   // ERROR_CONTROL_ID_NOT_FOUND

// Coordinates of controls are kept within this range, so sums never overflow.
constexpr int64_t kMaxCoordinate = 1 << 24;

// What the host keeps per window beside its WindowRecord.
struct HostExtras {
  int32_t* resultSlot = nullptr;  // dialogs: where EndDialogWindow stores the result
  uint32_t backBrush = 0;         // the brush of a set background colour
};

struct HostState {
  std::map<Handle, HostExtras> extras;
  std::set<Handle> dialogs;
  Handle activeDialog = 0;
  int32_t lastError = 0;
};

HostState& Host() {
  static HostState state;
  return state;
}

WindowRecord* FindDialogRecord(Handle dialog) {
  WindowRecord* record = FindRecord(dialog);
  return record != nullptr && record->type == RecordType::kDialog ? record : nullptr;
}

int ShowCommandOf(uint32_t style) {
  if (style & WS_MAXIMIZE) return kShowMaximized;
  if (style & WS_MINIMIZE) return kShowMinimized;
  return kShowNormal;
}

uint32_t SizeTypeOf(const WindowRecord* record) {
  if (record == nullptr) return 0;
  if (record->showCommand == kShowMaximized) return 2;
  if (record->showCommand == kShowMinimized) return 1;
  return 0;
}

std::string DialogCaption(const std::string& title) {
  std::string caption = title.substr(0, title.find('\0'));
  if (caption.size() > kMaxTitleBytes) caption.resize(kMaxTitleBytes);
  return caption.empty() ? " " : caption;
}

uint32_t DialogStyle(uint32_t style, int32_t x, int32_t y) {
  uint32_t result = (style != 0 ? style : kDefaultDialogStyle) | kAddedDialogStyle;
  result &= ~(WS_VISIBLE | kDsSysModal);
  if (x == kCentre || y == kCentre) result |= kDsCenter;
  return result;
}

int ClampCoordinate(int64_t value) { return static_cast<int>(std::clamp(value, -kMaxCoordinate, kMaxCoordinate)); }
int ClampExtent(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, 0, platform::kMaxWindowExtent));
}

// Sizes the dialog so that width x height is its client area and places it:
// centred in the work area, at (x, y), or where it is.
void PlaceDialog(Handle dialog, int32_t x, int32_t y, int32_t width, int32_t height) {
  const platform::Rect outer = platform::GetWindowRect(dialog);
  const platform::Rect client = platform::GetClientRect(dialog);
  const int64_t outerWidth = int64_t{ClampExtent(width)} + outer.Width() - client.Width();
  const int64_t outerHeight = int64_t{ClampExtent(height)} + outer.Height() - client.Height();
  const bool keep = x == kKeepPosition || y == kKeepPosition;
  int64_t left = x;
  int64_t top = y;
  if (!keep && (x == kCentre || y == kCentre)) {
    const platform::Rect work = platform::GetWorkArea();
    left = (int64_t{work.left} + work.right - outerWidth) / 2;
    top = (int64_t{work.top} + work.bottom - outerHeight) / 2;
  }
  platform::SetWindowPos(dialog, ClampCoordinate(left), ClampCoordinate(top), static_cast<int>(outerWidth),
                         static_cast<int>(outerHeight), keep);
}

void ReleaseBrush(Handle window) {
  auto it = Host().extras.find(window);
  if (it == Host().extras.end()) return;
  if (it->second.backBrush != 0) platform::DeleteBrush(it->second.backBrush);
  it->second.backBrush = 0;
}

// Frees what the host keeps for a dialog and its controls.
void FreeDialogState(Handle dialog) {
  HostState& host = Host();
  std::vector<Handle> owned;
  for (const auto& [window, extras] : host.extras) {
    const WindowRecord* record = FindRecord(window);
    if (window == dialog || (record != nullptr && record->owner == dialog)) owned.push_back(window);
  }
  for (Handle window : owned) {
    ReleaseBrush(window);
    host.extras.erase(window);
  }
  FreeDialogRecords(dialog);
  host.dialogs.erase(dialog);
  if (host.activeDialog == dialog) host.activeDialog = 0;
}

// WM_DRAWITEM: copies the canvas bitmap of the control to the window.
void PaintCanvasItem(Handle dialog, uint32_t controlId) {
  const WindowRecord* record = FindControlRecord(dialog, static_cast<int32_t>(controlId));
  if (record == nullptr || record->type != RecordType::kCanvasControl) return;
  platform::PaintWindowPixels(record->key, record->canvas.bitmap);
}

// The colouring messages: the brush of a window whose colours were set, or
// 0 (default processing) for one whose colours were never set.
int32_t ColorBrush(uint32_t message, Handle window) {
  const WindowRecord* record = FindRecord(window);
  if (record == nullptr || record->textColor == -3) return 0;
  if (record->backColor >= 0) {
    auto it = Host().extras.find(window);
    return it == Host().extras.end() ? 0 : static_cast<int32_t>(it->second.backBrush);
  }
  if (record->backColor == kColorNone) return static_cast<int32_t>(platform::HollowBrush());
  const bool editLike = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  return static_cast<int32_t>(platform::GetSysColorBrush(editLike ? platform::COLOR_WINDOW : platform::COLOR_BTNFACE));
}

// A control's own callback for its WM_COMMAND / WM_HSCROLL / WM_VSCROLL.
int32_t ControlCallbackResult(Handle dialog, uint32_t message, uint32_t wParam, uint32_t lParam) {
  if (message != WM_COMMAND && message != WM_HSCROLL && message != WM_VSCROLL) return 0;
  const WindowRecord* control = FindRecord(lParam);
  if (control == nullptr || control->owner != dialog || control->callback == nullptr) return 0;
  return control->callback(dialog, message, wParam, lParam);
}

int32_t DialogProcedure(Handle window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  if (message == WM_ACTIVATE) {
    const uint32_t state = LowWord(wParam);
    if (state == 1 || state == 2) {
      Host().activeDialog = window;
    } else if (Host().activeDialog == window) {
      Host().activeDialog = 0;
    }
    return 1;
  }
  if (int32_t handled = ControlCallbackResult(window, message, wParam, lParam); handled != 0) return handled;
  const WindowRecord* record = FindDialogRecord(window);
  const WindowCallback callback = record != nullptr ? record->callback : nullptr;
  const int32_t result = callback != nullptr ? callback(window, message, wParam, lParam) : 0;
  if (message == WM_NCDESTROY) {
    FreeDialogState(window);
    return result;
  }
  if (message == WM_DRAWITEM) {
    PaintCanvasItem(window, wParam);
    return 1;
  }
  if (result != 0) return result;
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return ColorBrush(message, lParam);
  if (message == WM_SYSCOMMAND && LowWord(wParam) == SC_CLOSE) {
    EndDialogWindow(window, 0);
    return 1;
  }
  return 0;
}

int32_t NormalTextColor(int32_t color) { return color >= 0 ? (color & 0xFFFFFF) : -1; }
int32_t NormalBackColor(int32_t color) {
  if (color >= 0) return color & 0xFFFFFF;
  return color == kColorNone ? kColorNone : -1;
}

// Slot n addresses user value ((n - 1) and 7) + 1, computed without overflow.
size_t SlotIndex(int32_t slot) { return (static_cast<uint32_t>(slot) - 1u) & 7u; }

// The window of a control, or of the dialog itself for kDialogItself; none,
// with the error set, when there is no such window.
std::optional<Handle> ControlWindow(Handle dialog, int32_t id) {
  const Handle window = id == kDialogItself ? dialog : GetControlHandle(dialog, id);
  if (platform::IsWindow(window)) return window;
  SetLastHostError(kErrorControlNotFound);
  return std::nullopt;
}

}  // namespace

Handle CreateDialogWindow(Handle, const std::string& title, int32_t x, int32_t y, int32_t width, int32_t height,
                          uint32_t style, uint32_t, int32_t units) {
  const uint32_t dialogStyle = DialogStyle(style, x, y);
  const platform::FrameInsets frame = platform::GetFrameInsets();  // the window starts with its corner at (0, 0)
  const platform::Rect client{frame.left, frame.top, frame.left, frame.top};
  const Handle dialog = platform::CreateTopLevelWindow(DialogCaption(title), client, dialogStyle, DialogProcedure);
  if (dialog == 0) return 0;
  PlaceDialog(dialog, x, y, width, height);
  WindowRecord record;
  record.key = record.window = dialog;
  record.type = RecordType::kDialog;
  record.flags = (units & kUnitsPixels) != 0 ? kFlagPixelUnits : 0;
  record.style = dialogStyle;
  record.showCommand = ShowCommandOf(dialogStyle);
  RegisterRecord(record);
  Host().dialogs.insert(dialog);
  return dialog;
}

void SetWindowColors(Handle dialog, int32_t id, int32_t textColor, int32_t backColor) {
  WindowRecord* record = id == kDialogItself ? FindDialogRecord(dialog) : FindControlRecord(dialog, id);
  if (record == nullptr) {
    SetLastHostError(id == kDialogItself ? kErrorInvalidWindow : kErrorControlNotFound);
    return;
  }
  int32_t back = NormalBackColor(backColor);
  uint32_t brush = 0;
  if (back >= 0) {
    brush = platform::CreateSolidBrush(static_cast<uint32_t>(back));
    if (brush == 0) back = -1;
  }
  ReleaseBrush(record->key);
  Host().extras[record->key].backBrush = brush;
  record->textColor = NormalTextColor(textColor);
  record->backColor = back;
}

void AddCanvasControl(Handle dialog, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                      uint32_t styleExtras, uint32_t, WindowCallback controlCallback, const std::string&) {
  const WindowRecord* dialogRecord = FindDialogRecord(dialog);
  if (dialogRecord == nullptr || !platform::IsWindow(dialog)) {
    SetLastHostError(kErrorInvalidWindow);
    return;
  }
  const uint32_t style = (styleExtras != 0 ? styleExtras : kCanvasControlStyle) | kCanvasControlStyle;
  const int left = ClampCoordinate(x);
  const int top = ClampCoordinate(y);
  const platform::Rect rect{left, top, left + ClampExtent(width), top + ClampExtent(height)};
  const Handle control = platform::CreateStaticControl(dialog, id, rect, style);
  if (control == 0) {
    SetLastHostError(kErrorInvalidWindow);
    return;
  }
  WindowRecord record;
  record.key = record.window = control;
  record.owner = dialog;
  record.type = RecordType::kCanvasControl;
  record.controlId = id;
  record.flags = dialogRecord->flags & kFlagPixelUnits;
  record.style = style;
  record.callback = controlCallback;
  WindowRecord& registered = RegisterRecord(record);
  const platform::Rect client = platform::GetClientRect(control);
  InitCanvasState(registered, client.Width(), client.Height());
}

void RunDialogModal(WindowCallback callback, Handle dialog, int32_t* resultSlot) {
  if (callback != nullptr) {
    callback(dialog, WM_INITDIALOG, dialog, 0);
    const platform::Rect client = platform::GetClientRect(dialog);
    const uint32_t size = (static_cast<uint32_t>(client.Width()) & 0xFFFF) |
                          ((static_cast<uint32_t>(client.Height()) & 0xFFFF) << 16);
    callback(dialog, WM_SIZE, SizeTypeOf(FindDialogRecord(dialog)), size);
  }
  WindowRecord* record = FindDialogRecord(dialog);
  if (record == nullptr) return;
  record->callback = callback;
  record->flags |= kFlagModalLoop;
  Host().extras[dialog].resultSlot = resultSlot;
  platform::ShowWindow(dialog);
  platform::Message message;
  while (platform::IsWindow(dialog) && platform::GetMessage(message)) {
    if (platform::IsDialogMessage(dialog, message)) continue;
    platform::DispatchMessage(message);
  }
  if (WindowRecord* still = FindDialogRecord(dialog)) still->flags &= ~kFlagModalLoop;
}

void EndDialogWindow(Handle dialog, int32_t result) {
  if (FindDialogRecord(dialog) == nullptr || !platform::IsWindow(dialog)) {
    SetLastHostError(kErrorInvalidWindow);
    return;
  }
  platform::SendMessage(dialog, WM_CLOSE, 0, 0);
  if (FindDialogRecord(dialog) == nullptr) return;  // the callback destroyed it already
  if (int32_t* slot = Host().extras[dialog].resultSlot) *slot = result;
  platform::DestroyWindow(dialog);
}

Handle GetControlHandle(Handle dialog, int32_t id) {
  WindowRecord* record = FindControlRecord(dialog, id);
  return record ? record->key : 0;
}

IntPair GetControlSize(Handle dialog, int32_t id) {
  const std::optional<Handle> window = ControlWindow(dialog, id);
  if (!window) return {};
  const platform::Rect rect = platform::GetWindowRect(*window);
  return {rect.Width(), rect.Height()};
}

IntPair GetControlLocation(Handle dialog, int32_t id) {
  const std::optional<Handle> window = ControlWindow(dialog, id);
  if (!window) return {};
  const platform::Rect rect = platform::GetWindowRect(*window);
  platform::Point corner{rect.left, rect.top};
  platform::ScreenToClient(platform::GetParent(*window), corner);  // a top-level window stays in screen terms
  return {corner.x, corner.y};
}

int32_t GetControlUserValue(Handle window, int32_t slot) {
  const WindowRecord* record = FindRecord(window);
  return record ? record->userValues[SlotIndex(slot)] : 0;
}

void SetControlUserValue(Handle window, int32_t slot, int32_t value) {
  if (WindowRecord* record = FindRecord(window)) record->userValues[SlotIndex(slot)] = value;
}

IntPair CursorClientPosition(Handle window) {
  platform::Point point = platform::GetCursorPos();
  platform::ScreenToClient(window, point);
  return {point.x, point.y};
}

int16_t GetAsyncKeyState(int32_t virtualKey) { return platform::GetAsyncKeyState(virtualKey); }

int32_t GetDlgCtrlID(Handle window) { return platform::GetDlgCtrlID(window); }

uint32_t SetTimer(Handle window, uint32_t id, uint32_t periodMs) { return platform::SetTimer(window, id, periodMs); }

bool KillTimer(Handle window, uint32_t id) { return platform::KillTimer(window, id); }

bool IsWindowOpen(Handle window) { return platform::IsWindow(window); }

void RepaintCanvasControl(Handle control) {
  const WindowRecord* record = FindRecord(control);
  if (record == nullptr || record->type != RecordType::kCanvasControl) return;
  platform::RedrawWindowNow(control);
}

int32_t LastHostError() { return Host().lastError; }

void SetLastHostError(int32_t code) { Host().lastError = code; }

void ResetWindowHost() {
  HostState& host = Host();
  std::vector<Handle> dialogs(host.dialogs.begin(), host.dialogs.end());
  for (Handle dialog : dialogs) FreeDialogState(dialog);
  for (const auto& [window, extras] : host.extras) {
    if (extras.backBrush != 0) platform::DeleteBrush(extras.backBrush);
  }
  host = HostState{};
  platform::ResetWindowSystem();
}

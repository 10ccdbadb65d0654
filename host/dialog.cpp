// The dialog host: the dialog window and its canvas controls, the modal
// loop, the dialog procedure that hands every message to the application
// callback, the dialog's colours, the control queries and user values.
#include "instrument_panel/dialog.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "host/canvas_internal.h"
#include "host/dialog_internal.h"
#include "host/error_report.h"
#include "host/window_records.h"
#include "instrument_panel/session.h"
#include "platform/window_system.h"

namespace ip {

namespace {

// Dialog template style bits.
constexpr uint32_t kDefaultDialogStyle = 0x80000000 | 0x00C00000 | 0x80;  // WS_POPUP | WS_CAPTION | DS_MODALFRAME
constexpr uint32_t kAddedDialogStyle = 0x54;                             // DS_3DLOOK | DS_NOFAILCREATE | DS_SETFONT
constexpr uint32_t kDsSysModal = 0x2;
constexpr uint32_t kDsCenter = 0x800;

constexpr size_t kMaxTitleBytes = 256;
constexpr int32_t kBackColorNeverSet = -3;
const char* const kNoSessionMessage =
    "instrument panel: RunDialogModal needs a window session; call StartRealWindowSession or "
    "StartHeadlessSession first\n";
constexpr int32_t kCentre = -1;
constexpr int32_t kKeepPosition = 0x8000;

constexpr int kShowMaximized = 3;
constexpr int kShowMinimized = 6;
constexpr int kShowNormal = 5;

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
  return static_cast<int32_t>(platform::GetSysColorBrush(editLike ? COLOR_WINDOW : COLOR_BTNFACE));
}

// A control's own callback for its WM_COMMAND / WM_HSCROLL / WM_VSCROLL.
int32_t ControlCallbackResult(Handle dialog, uint32_t message, uint32_t wParam, uint32_t lParam) {
  if (message != WM_COMMAND && message != WM_HSCROLL && message != WM_VSCROLL) return 0;
  const WindowRecord* control = FindRecord(lParam);
  if (control == nullptr || control->owner != dialog || control->callback == nullptr) return 0;
  const CallbackHolder callback = control->callback;  // keeps it alive should the call destroy the control
  return (*callback)(dialog, message, wParam, lParam);
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
  // A copy of the holder keeps the callback alive should it end the dialog.
  const CallbackHolder callback = record != nullptr ? record->callback : nullptr;
  const int32_t result = callback != nullptr ? (*callback)(window, message, wParam, lParam) : 0;
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
  SetLastError(ErrorCode::kControlNotFound);
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
    SetLastError(id == kDialogItself ? ErrorCode::kInvalidWindow : ErrorCode::kControlNotFound);
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
    SetLastError(ErrorCode::kInvalidWindow);
    return;
  }
  const uint32_t style = (styleExtras != 0 ? styleExtras : kCanvasControlStyle) | kCanvasControlStyle;
  const int left = ClampCoordinate(x);
  const int top = ClampCoordinate(y);
  const platform::Rect rect{left, top, left + ClampExtent(width), top + ClampExtent(height)};
  const Handle control = platform::CreateStaticControl(dialog, id, rect, style);
  if (control == 0) {
    SetLastError(ErrorCode::kInvalidWindow);
    return;
  }
  WindowRecord record;
  record.key = record.window = control;
  record.owner = dialog;
  record.type = RecordType::kCanvasControl;
  record.controlId = id;
  record.flags = dialogRecord->flags & kFlagPixelUnits;
  record.style = style;
  if (controlCallback) record.callback = std::make_shared<const WindowCallback>(std::move(controlCallback));
  WindowRecord& registered = RegisterRecord(record);
  const platform::Rect client = platform::GetClientRect(control);
  InitCanvasState(registered, client.Width(), client.Height());
}

bool RunDialogModal(WindowCallback callback, Handle dialog, int32_t* resultSlot) {
  if (!WindowSessionStarted()) {
    SetLastError(ErrorCode::kNoWindowSession);
    std::fputs(kNoSessionMessage, stderr);
    return false;
  }
  if (callback) {
    callback(dialog, WM_INITDIALOG, dialog, 0);
    const platform::Rect client = platform::GetClientRect(dialog);
    const uint32_t size = (static_cast<uint32_t>(client.Width()) & 0xFFFF) |
                          ((static_cast<uint32_t>(client.Height()) & 0xFFFF) << 16);
    callback(dialog, WM_SIZE, SizeTypeOf(FindDialogRecord(dialog)), size);
  }
  WindowRecord* record = FindDialogRecord(dialog);
  if (record == nullptr) {
    SetLastError(ErrorCode::kInvalidWindow);
    return false;
  }
  record->callback = callback ? std::make_shared<const WindowCallback>(std::move(callback)) : nullptr;
  record->flags |= kFlagModalLoop;
  Host().extras[dialog].resultSlot = resultSlot;
  platform::ShowWindow(dialog);
  platform::Message message;
  while (platform::IsWindow(dialog) && platform::GetMessage(message)) {
    if (platform::IsDialogMessage(dialog, message)) continue;
    platform::DispatchMessage(message);
  }
  if (WindowRecord* still = FindDialogRecord(dialog)) still->flags &= ~kFlagModalLoop;
  return !platform::LoopWasStopped();
}

void EndDialogWindow(Handle dialog, int32_t result) {
  if (FindDialogRecord(dialog) == nullptr || !platform::IsWindow(dialog)) {
    SetLastError(ErrorCode::kInvalidWindow);
    return;
  }
  platform::SendMessage(dialog, WM_CLOSE, 0, 0);
  if (FindDialogRecord(dialog) == nullptr) return;  // the callback destroyed it already
  if (int32_t* slot = Host().extras[dialog].resultSlot) *slot = result;
  platform::DestroyWindow(dialog);
}

void DestroyDialogControls(Handle dialog) {
  if (FindDialogRecord(dialog) == nullptr || !platform::IsWindow(dialog)) {
    SetLastError(ErrorCode::kInvalidWindow);
    return;
  }
  for (Handle owned : RecordsOwnedBy(dialog)) {
    const WindowRecord* record = FindRecord(owned);
    if (record != nullptr && record->type == RecordType::kCanvasControl) platform::DestroyWindow(owned);
    ReleaseBrush(owned);
    Host().extras.erase(owned);
    FreeRecord(owned);
  }
  platform::RedrawWindowNow(dialog);  // the background where the controls were
}

void PostMessageFromAnyThread(Handle window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  platform::PostMessageFromAnyThread(window, message, wParam, lParam);
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

bool HasHostRecord(Handle handle) { return FindRecord(handle) != nullptr; }

int32_t DialogBackColor(Handle dialog) {
  const WindowRecord* record = FindDialogRecord(dialog);
  return record != nullptr ? record->backColor : kBackColorNeverSet;
}

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

}  // namespace ip

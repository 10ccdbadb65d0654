// The window registry, the message queue with its priorities, painting into
// the back buffer, brushes, timers and the cursor and key state.
#include "platform/window_system.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <set>
#include <vector>

#include "platform/clock.h"
#include "platform/dirty_region.h"
#include "platform/font.h"
#include "platform/handle_table.h"
#include "platform/handles.h"
#include "platform/message_inbox.h"
#include "platform/window_backend.h"

namespace ip::platform {

namespace {

struct WindowData {
  uint32_t handle = 0;
  uint32_t parent = 0;
  int32_t controlId = 0;
  uint32_t style = 0;
  bool isStatic = false;
  // Top-level: the client area in screen coordinates. Child: its rectangle
  // in the parent's client coordinates (a control has no border).
  Rect rect;
  FrameInsets frame;
  WindowProc proc = nullptr;
  std::string title;
  bool shown = false;
  bool needsPaint = false;
  std::vector<uint32_t> children;  // creation order = hit-testing order
  Surface backBuffer;              // top-level windows only
  DirtyRegion changed;             // parts of the back buffer not shown yet
  int64_t changedSinceMs = 0;      // when the oldest of those changes was made
};

struct Timer {
  uint32_t window = 0;
  uint32_t id = 0;
  int64_t periodMs = 0;
  int64_t dueMs = 0;
  uint64_t order = 0;  // creation order breaks ties between timers due at once
};

enum class InputKind { kMouseMove, kMouseButton, kKey, kClose };

struct InputEvent {
  InputKind kind = InputKind::kMouseMove;
  Point client;  // mouse position in the shown window's client area
  MouseButton button = MouseButton::kLeft;
  bool down = false;
  int virtualKey = 0;
};

struct KeyState {
  bool down = false;
  bool pressedSinceQuery = false;
};

constexpr int kKeyCount = 256;

// A loop that stays busy with due timers still shows its changes at least
// this often (never reached on the virtual clock, which stands still while
// the loop works).
constexpr int64_t kLongestUnshownMs = 100;

struct WindowSystem {
  HandleTable<WindowData> windows;
  std::deque<Message> posted;
  std::deque<InputEvent> input;
  std::vector<Timer> timers;
  uint64_t nextTimerOrder = 0;
  KeyState keys[kKeyCount];
  Point cursor;  // screen coordinates
  uint32_t shownWindow = 0;
  std::map<uint32_t, uint32_t> brushes;  // solid brush -> colour value
  std::map<int, uint32_t> sysBrushes;    // system colour index -> brush
  uint32_t hollowBrush = 0;
  std::set<uint32_t> destroying;
  // Turns of GetMessage since the virtual clock last moved (it stood at
  // loopClockMs) or scripted input last arrived.
  int64_t loopClockMs = -1;
  int64_t loopTurns = 0;
  // False while no window waits to be painted, so that the loop need not
  // walk every window on every turn to find out.
  bool paintMayBePending = false;
};

WindowSystem& State() {
  static WindowSystem state;
  return state;
}

const Backend* current_backend = nullptr;

WindowData* Find(uint32_t window) {
  if (window == 0) return nullptr;
  return State().windows.Find(window);
}

int ClampExtent(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, 0, kMaxWindowExtent)); }

uint32_t PackPoint(Point p) {
  return (static_cast<uint32_t>(p.x) & 0xFFFF) | ((static_cast<uint32_t>(p.y) & 0xFFFF) << 16);
}

WindowData* TopLevelOf(uint32_t window) {
  WindowData* data = Find(window);
  while (data != nullptr && data->parent != 0) data = Find(data->parent);
  return data;
}

// The client origin of a window in screen coordinates.
Point ClientOrigin(const WindowData& data) {
  if (data.parent == 0) return {data.rect.left, data.rect.top};
  const WindowData* parent = Find(data.parent);
  Point origin = parent ? ClientOrigin(*parent) : Point{};
  return {origin.x + data.rect.left, origin.y + data.rect.top};
}

// The client origin of a window relative to its top-level window's client area.
Point OriginInTopLevel(const WindowData& data) {
  Point origin{};
  const WindowData* walk = &data;
  while (walk != nullptr && walk->parent != 0) {
    origin.x += walk->rect.left;
    origin.y += walk->rect.top;
    walk = Find(walk->parent);
  }
  return origin;
}

Rect BackBufferBounds(const WindowData& data) { return Rect{0, 0, data.backBuffer.width, data.backBuffer.height}; }

// Notes that `area` of a top-level window's back buffer changed.
void MarkChanged(WindowData& top, Rect area) {
  if (top.changed.Empty()) top.changedSinceMs = MonotonicMs();
  AddDirtyRect(top.changed, area, BackBufferBounds(top));
}

void ResizeBackBuffer(WindowData& data) {
  data.backBuffer = MakeSurface(data.rect.Width(), data.rect.Height(), 0);
  data.changed.Clear();
  MarkChanged(data, BackBufferBounds(data));
}

// Marks a window as waiting to be painted if it is shown.
void MarkForPaint(WindowData& data) {
  data.needsPaint = data.shown;
  if (data.shown) State().paintMayBePending = true;
}

void MarkChildrenForPaint(const WindowData& data) {
  for (uint32_t child : data.children) {
    if (WindowData* c = Find(child)) {
      MarkForPaint(*c);
      MarkChildrenForPaint(*c);
    }
  }
}

bool IsColorMessage(uint32_t message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

// Fills the top-level window's client area with the brush its procedure
// chooses for the dialog background; the controls are then repainted over it.
void EraseBackground(uint32_t window) {
  uint32_t brush = static_cast<uint32_t>(SendMessage(window, WM_CTLCOLORDLG, 0, window));
  WindowData* data = Find(window);
  if (data == nullptr) return;
  uint32_t colorref = 0;
  if (BrushColor(brush, colorref)) {
    std::fill(data->backBuffer.pixels.begin(), data->backBuffer.pixels.end(), PixelFromColorRef(colorref));
    MarkChanged(*data, BackBufferBounds(*data));
  }
  MarkChildrenForPaint(*data);
}

// What a window does with messages its procedure left unhandled.
int32_t DefaultProcedure(uint32_t window, uint32_t message, uint32_t, uint32_t) {
  if (message == WM_PAINT) {
    EraseBackground(window);
    return 0;
  }
  if (IsColorMessage(message)) {
    bool editLike = message == 0x133 || message == 0x134;  // WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX
    return static_cast<int32_t>(GetSysColorBrush(editLike ? COLOR_WINDOW : COLOR_BTNFACE));
  }
  return 0;
}

// The procedure of the owner-drawn static controls.
int32_t StaticProcedure(uint32_t window, uint32_t message, uint32_t, uint32_t) {
  const WindowData* data = Find(window);
  if (data == nullptr) return 0;
  const uint32_t parent = data->parent;
  const uint32_t id = static_cast<uint32_t>(data->controlId);
  if (message == WM_PAINT) {
    SendMessage(parent, WM_DRAWITEM, id, window);
  } else if (message == WM_LBUTTONDOWN && (data->style & SS_NOTIFY) != 0) {
    SendMessage(parent, WM_COMMAND, (id & 0xFFFF) | (STN_CLICKED << 16), window);
  }
  return 0;
}

// The SS_NOTIFY control under a client point of a top-level window, or the
// window itself (controls without SS_NOTIFY are transparent to the mouse).
uint32_t WindowUnderPoint(const WindowData& top, Point client) {
  for (uint32_t child : top.children) {
    const WindowData* c = Find(child);
    if (c != nullptr && c->shown && (c->style & SS_NOTIFY) != 0 && c->rect.Contains(client)) return child;
  }
  return top.handle;
}

uint32_t MouseMessageOf(const InputEvent& event) {
  if (event.kind == InputKind::kMouseMove) return WM_MOUSEMOVE;
  if (event.button == MouseButton::kLeft) return event.down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  return event.down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
}

uint32_t MouseKeyFlags() {
  const WindowSystem& s = State();
  return (s.keys[VK_LBUTTON].down ? MK_LBUTTON : 0) | (s.keys[VK_RBUTTON].down ? MK_RBUTTON : 0);
}

// Turns a mouse input into WM_SETCURSOR (sent to the top-level window) and
// the mouse message for the window under the cursor. False if it has none.
bool TakeMouseInput(const InputEvent& event, Message& out) {
  const uint32_t top = State().shownWindow;
  const WindowData* data = Find(top);
  if (data == nullptr) return false;
  Rect client{0, 0, data->rect.Width(), data->rect.Height()};
  if (!client.Contains(event.client)) return false;
  const uint32_t target = WindowUnderPoint(*data, event.client);
  const uint32_t message = MouseMessageOf(event);
  SendMessage(top, WM_SETCURSOR, target, HTCLIENT | (message << 16));
  const WindowData* targetData = Find(target);
  if (targetData == nullptr) return false;
  Point local = event.client;
  Point origin = OriginInTopLevel(*targetData);
  local.x -= origin.x;
  local.y -= origin.y;
  out = Message{target, message, MouseKeyFlags(), PackPoint(local)};
  return true;
}

bool TakeInput(Message& out) {
  InputEvent event = State().input.front();
  State().input.pop_front();
  const uint32_t top = State().shownWindow;
  switch (event.kind) {
    case InputKind::kMouseMove:
    case InputKind::kMouseButton:
      return TakeMouseInput(event, out);
    case InputKind::kKey:
      if (!IsWindow(top)) return false;
      out = Message{top, event.down ? WM_KEYDOWN : WM_KEYUP, static_cast<uint32_t>(event.virtualKey), 1};
      return true;
    case InputKind::kClose:
      if (!IsWindow(top)) return false;
      out = Message{top, WM_SYSCOMMAND, SC_CLOSE, 0};
      return true;
  }
  return false;
}

bool FindPaintIn(WindowData& data, Message& out) {
  if (!data.shown) return false;
  if (data.needsPaint) {
    data.needsPaint = false;
    out = Message{data.handle, WM_PAINT, 0, 0};
    return true;
  }
  for (uint32_t child : data.children) {
    if (WindowData* c = Find(child); c != nullptr && FindPaintIn(*c, out)) return true;
  }
  return false;
}

// The first window waiting to be painted: the window before its controls,
// controls in creation order. The window counts as painted from here on.
bool TakePaint(Message& out) {
  WindowSystem& s = State();
  if (!s.paintMayBePending) return false;
  if (s.windows.FirstWhere([&](WindowData& data) { return data.parent == 0 && FindPaintIn(data, out); })) return true;
  s.paintMayBePending = false;
  return false;
}

// The due timer with the earliest deadline (ties: the older timer first).
bool TakeTimer(Message& out) {
  const int64_t now = MonotonicMs();
  Timer* due = nullptr;
  for (Timer& timer : State().timers) {
    if (timer.dueMs > now) continue;
    if (due == nullptr || timer.dueMs < due->dueMs || (timer.dueMs == due->dueMs && timer.order < due->order)) {
      due = &timer;
    }
  }
  if (due == nullptr) return false;
  due->dueMs = now + due->periodMs;
  out = Message{due->window, WM_TIMER, due->id, 0};
  return true;
}

int64_t NextTimerDue() {
  int64_t next = -1;
  for (const Timer& timer : State().timers) {
    if (next < 0 || timer.dueMs < next) next = timer.dueMs;
  }
  return next;
}

// When the loop wakes for timers: when the next one is due, or with a slack,
// when the last of those due within the slack of it is, so that they all run
// in one wake and make one frame (negative: no timer).
int64_t NextTimerWake(int64_t slackMs) {
  const int64_t next = NextTimerDue();
  if (next < 0 || slackMs <= 0) return next;
  int64_t wake = next;
  for (const Timer& timer : State().timers) {
    if (timer.dueMs <= next + slackMs) wake = std::max(wake, timer.dueMs);
  }
  return wake;
}

// Shows what changed in the shown window's back buffer since it was last shown.
void PresentChanges() {
  WindowData* data = Find(State().shownWindow);
  if (data == nullptr || data->changed.Empty()) return;
  CurrentBackend().present(data->backBuffer, data->changed.rects);
  data->changed.Clear();
}

bool ChangesWaitedTooLong() {
  const WindowData* data = Find(State().shownWindow);
  return data != nullptr && !data->changed.Empty() && MonotonicMs() - data->changedSinceMs >= kLongestUnshownMs;
}

void CollectSubtree(uint32_t window, std::vector<uint32_t>& out) {
  out.push_back(window);
  if (const WindowData* data = Find(window)) {
    std::vector<uint32_t> children = data->children;
    for (uint32_t child : children) CollectSubtree(child, out);
  }
}

void ForgetWindows(const std::vector<uint32_t>& handles) {
  WindowSystem& s = State();
  std::set<uint32_t> gone(handles.begin(), handles.end());
  auto isGone = [&](uint32_t h) { return gone.count(h) != 0; };
  std::erase_if(s.timers, [&](const Timer& t) { return isGone(t.window); });
  std::erase_if(s.posted, [&](const Message& m) { return isGone(m.window); });
  if (const WindowData* top = Find(handles.front()); top != nullptr && top->parent != 0) {
    if (WindowData* parent = Find(top->parent)) std::erase(parent->children, handles.front());
  }
  for (uint32_t h : handles) s.windows.Erase(h);
  if (isGone(s.shownWindow)) {
    CurrentBackend().closeWindow(s.shownWindow);
    s.shownWindow = 0;
  }
}

void Enqueue(const InputEvent& event) { State().input.push_back(event); }

// Counts one turn of GetMessage; false once a loop on the virtual clock has
// turned more than kMaxLoopTurnsPerVirtualMs times with the clock standing
// still and no input arriving, which no run needs: the loop spins.
bool TurnWithinBudget() {
  if (!ClockIsVirtual()) return true;
  WindowSystem& s = State();
  const int64_t now = MonotonicMs();
  if (now != s.loopClockMs) {
    s.loopClockMs = now;
    s.loopTurns = 0;
  }
  if (++s.loopTurns <= kMaxLoopTurnsPerVirtualMs) return true;
  if (s.loopTurns == kMaxLoopTurnsPerVirtualMs + 1) {
    std::fprintf(stderr,
                 "instrument panel: the message loop was stopped at virtual time %lld ms: it turned %lld times "
                 "without the clock moving or input arriving (a handler makes a new message for every one it "
                 "gets)\n",
                 static_cast<long long>(now), static_cast<long long>(kMaxLoopTurnsPerVirtualMs));
  }
  return false;
}

void SetKey(int virtualKey, bool down) {
  if (virtualKey < 0 || virtualKey >= kKeyCount) return;
  KeyState& key = State().keys[virtualKey];
  if (down && !key.down) key.pressedSinceQuery = true;
  key.down = down;
}

}  // namespace

// ---- windows ----

uint32_t CreateTopLevelWindow(const std::string& title, Rect client, uint32_t style, WindowProc proc) {
  WindowData data;
  data.handle = NewHandle();
  data.style = style;
  data.rect = Rect{client.left, client.top, client.left + ClampExtent(client.Width()),
                   client.top + ClampExtent(client.Height())};
  data.frame = CurrentBackend().frameInsets();
  data.proc = proc;
  data.title = title;
  ResizeBackBuffer(data);
  uint32_t handle = data.handle;
  State().windows.Put(handle, std::make_unique<WindowData>(std::move(data)));
  return handle;
}

uint32_t CreateStaticControl(uint32_t parent, int32_t id, Rect rect, uint32_t style) {
  WindowData* parentData = Find(parent);
  if (parentData == nullptr) return 0;
  WindowData data;
  data.handle = NewHandle();
  data.parent = parent;
  data.controlId = id;
  data.style = style;
  data.isStatic = true;
  data.rect = Rect{rect.left, rect.top, rect.left + ClampExtent(rect.Width()), rect.top + ClampExtent(rect.Height())};
  data.shown = (style & 0x10000000) != 0;  // WS_VISIBLE
  MarkForPaint(data);
  parentData->children.push_back(data.handle);
  uint32_t handle = data.handle;
  State().windows.Put(handle, std::make_unique<WindowData>(std::move(data)));
  return handle;
}

bool DestroyWindow(uint32_t window) {
  WindowSystem& s = State();
  if (Find(window) == nullptr || s.destroying.count(window) != 0) return false;
  std::vector<uint32_t> subtree;
  CollectSubtree(window, subtree);
  for (uint32_t h : subtree) s.destroying.insert(h);
  if (window == s.shownWindow) SendMessage(window, WM_ACTIVATE, WA_INACTIVE, 0);
  for (uint32_t h : subtree) SendMessage(h, WM_DESTROY, 0, 0);
  for (auto it = subtree.rbegin(); it != subtree.rend(); ++it) SendMessage(*it, WM_NCDESTROY, 0, 0);
  ForgetWindows(subtree);
  for (uint32_t h : subtree) s.destroying.erase(h);
  return true;
}

bool IsWindow(uint32_t window) { return Find(window) != nullptr; }

bool IsWindowVisible(uint32_t window) {
  for (const WindowData* data = Find(window); data != nullptr; data = Find(data->parent)) {
    if (!data->shown) return false;
    if (data->parent == 0) return true;
  }
  return false;
}

uint32_t GetParent(uint32_t window) {
  const WindowData* data = Find(window);
  return data ? data->parent : 0;
}

int32_t GetDlgCtrlID(uint32_t window) {
  const WindowData* data = Find(window);
  return data && data->parent != 0 ? data->controlId : 0;
}

uint32_t GetDlgItem(uint32_t parent, int32_t id) {
  const WindowData* data = Find(parent);
  if (data == nullptr) return 0;
  for (uint32_t child : data->children) {
    if (const WindowData* c = Find(child); c != nullptr && c->controlId == id) return child;
  }
  return 0;
}

std::string GetWindowText(uint32_t window) {
  const WindowData* data = Find(window);
  return data ? data->title : std::string();
}

uint32_t GetWindowStyle(uint32_t window) {
  const WindowData* data = Find(window);
  return data ? data->style : 0;
}

Rect GetWindowRect(uint32_t window) {
  const WindowData* data = Find(window);
  if (data == nullptr) return {};
  Point origin = ClientOrigin(*data);
  Rect r{origin.x, origin.y, origin.x + data->rect.Width(), origin.y + data->rect.Height()};
  if (data->parent == 0) {
    r.left -= data->frame.left;
    r.top -= data->frame.top;
    r.right += data->frame.right;
    r.bottom += data->frame.bottom;
  }
  return r;
}

Rect GetClientRect(uint32_t window) {
  const WindowData* data = Find(window);
  return data ? Rect{0, 0, data->rect.Width(), data->rect.Height()} : Rect{};
}

bool SetWindowPos(uint32_t window, int x, int y, int width, int height, bool keepPosition) {
  WindowData* data = Find(window);
  if (data == nullptr || data->parent != 0) return false;
  const FrameInsets& f = data->frame;
  int64_t clientLeft = keepPosition ? data->rect.left : int64_t{x} + f.left;
  int64_t clientTop = keepPosition ? data->rect.top : int64_t{y} + f.top;
  int clientWidth = ClampExtent(int64_t{width} - f.left - f.right);
  int clientHeight = ClampExtent(int64_t{height} - f.top - f.bottom);
  clientLeft = std::clamp<int64_t>(clientLeft, -kMaxWindowExtent, kMaxWindowExtent);
  clientTop = std::clamp<int64_t>(clientTop, -kMaxWindowExtent, kMaxWindowExtent);
  bool resized = clientWidth != data->rect.Width() || clientHeight != data->rect.Height();
  data->rect = Rect{static_cast<int>(clientLeft), static_cast<int>(clientTop), static_cast<int>(clientLeft) + clientWidth,
                    static_cast<int>(clientTop) + clientHeight};
  if (resized) {
    ResizeBackBuffer(*data);
    MarkForPaint(*data);
  }
  return true;
}

bool ScreenToClient(uint32_t window, Point& point) {
  const WindowData* data = Find(window);
  if (data == nullptr) return false;
  Point origin = ClientOrigin(*data);
  point.x -= origin.x;
  point.y -= origin.y;
  return true;
}

bool ClientToScreen(uint32_t window, Point& point) {
  const WindowData* data = Find(window);
  if (data == nullptr) return false;
  Point origin = ClientOrigin(*data);
  point.x += origin.x;
  point.y += origin.y;
  return true;
}

void ShowWindow(uint32_t window) {
  WindowData* data = Find(window);
  if (data == nullptr || data->parent != 0 || data->shown) return;
  data->shown = true;
  MarkForPaint(*data);
  MarkChildrenForPaint(*data);
  State().shownWindow = window;
  CurrentBackend().showWindow(window, Windows1252ToUtf8(data->title), data->rect);
  SendMessage(window, WM_SHOWWINDOW, 1, 0);
  SendMessage(window, WM_ACTIVATE, WA_ACTIVE, 0);
}

// ---- messages ----

int32_t SendMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  const WindowData* data = Find(window);
  if (data == nullptr) return 0;
  if (data->isStatic) return StaticProcedure(window, message, wParam, lParam);
  int32_t result = data->proc ? data->proc(window, message, wParam, lParam) : 0;
  if (result == 0 && IsWindow(window)) result = DefaultProcedure(window, message, wParam, lParam);
  return result;
}

bool PostMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  if (!IsWindow(window)) return false;
  State().posted.push_back(Message{window, message, wParam, lParam});
  return true;
}

void PostMessageFromAnyThread(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  PushToInbox(Message{window, message, wParam, lParam});
}

// Moves what other threads posted to the posted messages, in their order.
void TakeFromInbox() {
  for (const Message& message : TakeInbox()) PostMessage(message.window, message.message, message.wParam, message.lParam);
}

bool GetMessage(Message& out) {
  WindowSystem& s = State();
  const uint32_t shownAtStart = s.shownWindow;
  for (;;) {
    // A message sent on the way (WM_SETCURSOR, WM_ACTIVATE) may have
    // destroyed the shown window; its loop must not wait for input that can
    // no longer come.
    if (shownAtStart != 0 && !IsWindow(shownAtStart)) return false;
    if (!TurnWithinBudget()) return false;
    TakeFromInbox();
    if (!s.posted.empty()) {
      out = s.posted.front();
      s.posted.pop_front();
      return true;
    }
    if (!s.input.empty()) {
      s.loopTurns = 0;  // input moves the run on as time does
      if (TakeInput(out)) return true;
      continue;
    }
    if (CurrentBackend().pollInput()) {
      s.loopTurns = 0;  // a scripted input or message arrived
      continue;
    }
    if (TakePaint(out)) return true;
    // Timers due together run one after the other; what they painted is
    // shown once, when the loop has nothing more to do for now.
    if (ChangesWaitedTooLong()) PresentChanges();
    if (TakeTimer(out)) return true;
    PresentChanges();
    const Backend& backend = CurrentBackend();
    if (!backend.waitInput(NextTimerWake(backend.timerSlackMs))) return false;
  }
}

bool LoopWasStopped() {
  const WindowSystem& s = State();
  return s.loopTurns > kMaxLoopTurnsPerVirtualMs && s.loopClockMs == MonotonicMs();
}

int32_t DispatchMessage(const Message& message) {
  return SendMessage(message.window, message.message, message.wParam, message.lParam);
}

bool IsDialogMessage(uint32_t dialog, const Message& message) {
  if (message.message != WM_KEYDOWN || !IsWindow(dialog)) return false;
  const WindowData* top = TopLevelOf(message.window);
  if (top == nullptr || top->handle != dialog) return false;
  if (message.wParam == static_cast<uint32_t>(VK_ESCAPE)) {
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
  }
  if (message.wParam == static_cast<uint32_t>(VK_RETURN)) {
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    return true;
  }
  return false;
}

// ---- painting ----

void PaintWindowPixels(uint32_t window, const Surface& source) {
  const WindowData* data = Find(window);
  WindowData* top = TopLevelOf(window);
  if (data == nullptr || top == nullptr || top->backBuffer.Empty() || source.Empty()) return;
  Point origin = OriginInTopLevel(*data);
  Surface& target = top->backBuffer;
  const int width = std::min(source.width, data->rect.Width());
  const int height = std::min(source.height, data->rect.Height());
  const int x0 = std::max(0, -origin.x);
  const int x1 = std::min(width, target.width - origin.x);
  const int y0 = std::max(0, -origin.y);
  const int y1 = std::min(height, target.height - origin.y);
  if (x1 <= x0 || y1 <= y0) return;
  // Rows the back buffer already holds are neither copied nor marked: only
  // the span of rows that differ is shown again (a clock redrawn ten times a
  // second changes once). The span is found from both ends, so the rows
  // inside it are copied without being compared first.
  const int rowWidth = x1 - x0;
  auto sourceRow = [&](int y) { return source.Row(y) + x0; };
  auto targetRow = [&](int y) { return target.Row(origin.y + y) + origin.x + x0; };
  auto rowDiffers = [&](int y) { return !std::equal(sourceRow(y), sourceRow(y) + rowWidth, targetRow(y)); };
  int firstChanged = y0;
  while (firstChanged < y1 && !rowDiffers(firstChanged)) ++firstChanged;
  if (firstChanged == y1) return;
  int endChanged = y1;
  while (endChanged - 1 > firstChanged && !rowDiffers(endChanged - 1)) --endChanged;
  for (int y = firstChanged; y < endChanged; ++y) std::copy(sourceRow(y), sourceRow(y) + rowWidth, targetRow(y));
  MarkChanged(*top, Rect{origin.x + x0, origin.y + firstChanged, origin.x + x1, origin.y + endChanged});
}

void RedrawWindowNow(uint32_t window) {
  WindowData* data = Find(window);
  if (data == nullptr || !IsWindowVisible(window)) return;
  data->needsPaint = false;
  SendMessage(window, WM_PAINT, 0, 0);
}

const Surface* BackBuffer(uint32_t window) {
  const WindowData* data = Find(window);
  return data && data->parent == 0 ? &data->backBuffer : nullptr;
}

// ---- brushes ----

uint32_t CreateSolidBrush(uint32_t colorref) {
  uint32_t brush = NewHandle();
  State().brushes[brush] = colorref & 0xFFFFFF;
  return brush;
}

bool DeleteBrush(uint32_t brush) {
  for (const auto& [index, sys] : State().sysBrushes) {
    if (sys == brush) return false;  // system brushes are never deleted
  }
  return State().brushes.erase(brush) != 0;
}

uint32_t GetSysColor(int index) {
  switch (index) {
    case COLOR_WINDOW:
      return 0xFFFFFF;
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT:
      return 0x000000;
    case COLOR_BTNFACE:
      return 0xF0F0F0;
    default:
      return 0;
  }
}

uint32_t GetSysColorBrush(int index) {
  auto& sys = State().sysBrushes;
  auto it = sys.find(index);
  if (it != sys.end()) return it->second;
  uint32_t brush = CreateSolidBrush(GetSysColor(index));
  sys[index] = brush;
  return brush;
}

uint32_t HollowBrush() {
  if (State().hollowBrush == 0) State().hollowBrush = NewHandle();
  return State().hollowBrush;
}

bool BrushColor(uint32_t brush, uint32_t& colorref) {
  auto it = State().brushes.find(brush);
  if (it == State().brushes.end()) return false;
  colorref = it->second;
  return true;
}

// ---- timers ----

uint32_t SetTimer(uint32_t window, uint32_t id, int64_t periodMs) {
  if (!IsWindow(window)) return 0;
  const int64_t period = std::clamp(periodMs, kTimerMinimumMs, kTimerMaximumMs);
  const int64_t due = MonotonicMs() + period;
  for (Timer& timer : State().timers) {
    if (timer.window == window && timer.id == id) {
      timer.periodMs = period;
      timer.dueMs = due;
      return id != 0 ? id : 1;
    }
  }
  State().timers.push_back(Timer{window, id, period, due, State().nextTimerOrder++});
  return id != 0 ? id : 1;
}

bool KillTimer(uint32_t window, uint32_t id) {
  return std::erase_if(State().timers, [&](const Timer& t) { return t.window == window && t.id == id; }) != 0;
}

// ---- input state ----

Point GetCursorPos() { return State().cursor; }

int16_t GetAsyncKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey >= kKeyCount) return 0;
  KeyState& key = State().keys[virtualKey];
  uint16_t bits = (key.down ? 0x8000 : 0) | (key.pressedSinceQuery ? 1 : 0);
  key.pressedSinceQuery = false;
  return static_cast<int16_t>(bits);
}

Rect GetWorkArea() { return CurrentBackend().workArea(); }

FrameInsets GetFrameInsets() { return CurrentBackend().frameInsets(); }

// ---- input from the backends ----

void InjectMouseMove(int clientX, int clientY) {
  Point client{clientX, clientY};
  Point screen = client;
  ClientToScreen(State().shownWindow, screen);
  State().cursor = screen;
  InputEvent event;
  event.kind = InputKind::kMouseMove;
  event.client = client;
  Enqueue(event);
}

void InjectMouseButton(MouseButton button, bool down) {
  SetKey(button == MouseButton::kLeft ? VK_LBUTTON : VK_RBUTTON, down);
  InputEvent event;
  event.kind = InputKind::kMouseButton;
  event.button = button;
  event.down = down;
  event.client = State().cursor;
  ScreenToClient(State().shownWindow, event.client);
  Enqueue(event);
}

void InjectKey(int virtualKey, bool down) {
  SetKey(virtualKey, down);
  InputEvent event;
  event.kind = InputKind::kKey;
  event.virtualKey = virtualKey;
  event.down = down;
  Enqueue(event);
}

void InjectCloseButton() {
  InputEvent event;
  event.kind = InputKind::kClose;
  Enqueue(event);
}

void InjectActivation(bool active) {
  if (IsWindow(State().shownWindow)) PostMessage(State().shownWindow, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

uint32_t ShownWindow() { return State().shownWindow; }

void MoveShownWindow(int screenX, int screenY) {
  WindowData* data = Find(State().shownWindow);
  if (data == nullptr) return;
  const int width = data->rect.Width();
  const int height = data->rect.Height();
  data->rect = Rect{screenX, screenY, screenX + width, screenY + height};
}

// ---- sessions ----

void ResetWindowSystem() {
  WindowSystem& s = State();
  if (s.shownWindow != 0) CurrentBackend().closeWindow(s.shownWindow);
  s = WindowSystem{};
  ClearInbox();
}

void InstallBackend(const Backend* backend) {
  ResetWindowSystem();
  SetInboxWaker(nullptr);  // nothing may wake a backend while it shuts down
  if (current_backend != nullptr) current_backend->shutdown();
  current_backend = backend;
  SetInboxWaker(CurrentBackend().wake);
}

const Backend& CurrentBackend() { return current_backend ? *current_backend : IdleBackend(); }

std::string Windows1252ToUtf8(const std::string& text) {
  return Utf8FromWindows1252(std::string_view(text).substr(0, text.find('\0')));  // a title ends at its first zero byte
}

}  // namespace ip::platform

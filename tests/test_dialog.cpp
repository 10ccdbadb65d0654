// The dialog host on the headless window system: the order of the messages
// the callback sees, timers on the virtual clock, ending the dialog, input
// (hit-testing, clicks, keys, key state), placement, colours, painting of
// canvases into the window and user value slots.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host/dialog_internal.h"
#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/errors.h"
#include "instrument_panel/session.h"
#include "platform/window_headless.h"
#include "platform/window_system.h"
#include "tests/support/test_support.h"

using namespace ip;

namespace {

using Kind = ScriptedInput::Kind;

struct Seen {
  uint32_t message = 0;
  uint32_t wParam = 0;
  uint32_t lParam = 0;
  int64_t atMs = 0;
  bool visible = false;
};

std::vector<Seen> seen;
std::function<int32_t(Handle, uint32_t, uint32_t, uint32_t)> handler;

int32_t Recorder(Handle window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  seen.push_back(Seen{message, wParam, lParam, SessionClockMs(), platform::IsWindowVisible(window)});
  return handler ? handler(window, message, wParam, lParam) : 0;
}

std::vector<Seen> SeenOf(uint32_t message) {
  std::vector<Seen> out;
  for (const Seen& s : seen) {
    if (s.message == message) out.push_back(s);
  }
  return out;
}

using Args = std::vector<std::pair<uint32_t, uint32_t>>;

// The (wParam, lParam) of every `message` the callback saw, in order.
Args ArgsOf(uint32_t message) {
  Args out;
  for (const Seen& s : SeenOf(message)) out.emplace_back(s.wParam, s.lParam);
  return out;
}

// The messages of the given kinds the callback saw, in order.
std::vector<uint32_t> Sequence(std::initializer_list<uint32_t> kinds) {
  std::vector<uint32_t> out;
  for (const Seen& s : seen) {
    if (std::find(kinds.begin(), kinds.end(), s.message) != kinds.end()) out.push_back(s.message);
  }
  return out;
}

ScriptedInput Input(int64_t ms, Kind kind, int x = 0, int y = 0) { return {ms, kind, x, y}; }

std::vector<ScriptedInput> Key(int64_t ms, int virtualKey) {
  const auto left = MouseButton::kLeft;
  return {{ms, Kind::kKeyDown, 0, 0, left, virtualKey}, {ms, Kind::kKeyUp, 0, 0, left, virtualKey}};
}

std::vector<ScriptedInput> Click(int64_t ms, int x, int y) {
  return {Input(ms, Kind::kMove, x, y), Input(ms, Kind::kButtonDown, x, y), Input(ms, Kind::kButtonUp, x, y)};
}

constexpr uint32_t kPosted = 0x400;    // WM_USER: a message of the program's own
constexpr ColorRef kGreen = 0x3C4E3C;  // (60, 78, 60)
constexpr platform::Pixel kGreenPixel = 0x3C4E3C;
constexpr platform::Pixel kBtnFacePixel = 0xF0F0F0;

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seen.clear();
    handler = nullptr;
  }
  void TearDown() override { handler = nullptr; }

  void Start(int64_t runMs, std::vector<ScriptedInput> input = {}) {
    HeadlessSettings settings;
    settings.clockStart = ClockTime{10, 0, 0, 0};
    settings.runMs = runMs;
    settings.input = std::move(input);
    StartHeadlessSession(settings);
  }

  Handle MakeDialog(const std::string& title = "Prova") {
    Handle dialog = CreateDialogWindow(0, title, -1, -1, 800, 600, 0xB0000, 0, kUnitsPixels);
    SetWindowColors(dialog, kDialogItself, -1, kGreen);
    return dialog;
  }

  // Starts the three animation timers on WM_INITDIALOG and ends the dialog
  // on IDCANCEL after killing them, as the panel does.
  static void UsePanelLikeHandler() {
    handler = [](Handle window, uint32_t message, uint32_t wParam, uint32_t) -> int32_t {
      if (message == WM_INITDIALOG) {
        for (uint32_t id : {600u, 610u}) SetTimer(window, id, 100);
        SetTimer(window, 620, 300);
      }
      if (message == WM_COMMAND && LowWord(wParam) == IDCANCEL) {
        for (uint32_t id : {600u, 610u, 620u}) KillTimer(window, id);
        EndDialogWindow(window, 0);
        return 1;
      }
      return 0;
    };
  }
};

TEST_F(DialogTest, InitDialogAndSizeComeOnceBeforeTheWindowIsShown) {
  Start(0);
  Handle dialog = MakeDialog();
  AddCanvasControl(dialog, 101, 10, 10, 40, 20, SS_NOTIFY, 0, nullptr, "");
  AddCanvasControl(dialog, 102, 60, 10, 40, 20, SS_NOTIFY, 0, nullptr, "");
  bool controlsExisted = false;
  handler = [&](Handle window, uint32_t message, uint32_t, uint32_t) -> int32_t {
    if (message == WM_INITDIALOG) {
      controlsExisted = GetControlHandle(window, 101) != 0 && GetControlHandle(window, 102) != 0;
    }
    return 0;
  };
  RunDialogModal(Recorder, dialog, nullptr);

  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen[0].message, WM_INITDIALOG);
  EXPECT_EQ(seen[1].message, WM_SIZE);
  EXPECT_EQ(ArgsOf(WM_INITDIALOG), (Args{{dialog, 0}}));
  EXPECT_EQ(ArgsOf(WM_SIZE), (Args{{0, 800u | (600u << 16)}}));
  EXPECT_TRUE(controlsExisted);
  EXPECT_FALSE(seen[0].visible || seen[1].visible);
  EXPECT_TRUE(seen[2].visible);
  EXPECT_TRUE(SeenOf(WM_ACTIVATE).empty());
  EXPECT_TRUE(IsWindowOpen(dialog));
}

TEST_F(DialogTest, MessagesBeforeTheLoopStartsNeverReachTheCallback) {
  Start(0);
  Handle dialog = MakeDialog();
  AddCanvasControl(dialog, 101, 10, 10, 40, 20, SS_NOTIFY, 0, nullptr, "");
  RepaintCanvasControl(GetControlHandle(dialog, 101));  // hidden: nothing to paint yet
  EXPECT_TRUE(seen.empty());
  RunDialogModal(Recorder, dialog, nullptr);
  // The first paint of the shown dialog draws the canvas once.
  EXPECT_EQ(ArgsOf(WM_DRAWITEM), (Args{{101, GetControlHandle(dialog, 101)}}));
}

TEST_F(DialogTest, TimersTickAtTheirPeriodsInCreationOrder) {
  Start(1000);
  Handle dialog = MakeDialog();
  UsePanelLikeHandler();
  RunDialogModal(Recorder, dialog, nullptr);

  std::vector<std::pair<int64_t, uint32_t>> ticks;
  for (const Seen& s : SeenOf(WM_TIMER)) ticks.emplace_back(s.atMs, s.wParam);
  std::vector<std::pair<int64_t, uint32_t>> expected;
  for (int64_t t = 100; t <= 1000; t += 100) {
    expected.emplace_back(t, 600);
    expected.emplace_back(t, 610);
    if (t % 300 == 0) expected.emplace_back(t, 620);
  }
  EXPECT_EQ(ticks, expected);
  EXPECT_EQ(SessionClockMs(), 1000);
  EXPECT_TRUE(IsWindowOpen(dialog));
}

TEST_F(DialogTest, EscapeEndsTheDialogAndNoTimerTicksAfterwards) {
  std::vector<ScriptedInput> input = Key(250, VK_ESCAPE);
  Start(1000, input);
  Handle dialog = MakeDialog();
  AddCanvasControl(dialog, 101, 10, 10, 40, 20, SS_NOTIFY, 0, nullptr, "");
  Handle control = GetControlHandle(dialog, 101);
  UsePanelLikeHandler();
  RunDialogModal(Recorder, dialog, nullptr);

  EXPECT_FALSE(IsWindowOpen(dialog));
  EXPECT_EQ(SessionClockMs(), 250);
  EXPECT_EQ(ArgsOf(WM_COMMAND), (Args{{IDCANCEL, 0}}));
  EXPECT_EQ(SeenOf(WM_COMMAND).at(0).atMs, 250);
  // 600 and 610 tick at 100 and 200 ms; WM_CLOSE, WM_DESTROY and WM_NCDESTROY
  // follow the command, the last message of all, and nothing ticks.
  EXPECT_EQ(Sequence({WM_TIMER, WM_COMMAND, WM_CLOSE, WM_DESTROY, WM_NCDESTROY}),
            (std::vector<uint32_t>{WM_TIMER, WM_TIMER, WM_TIMER, WM_TIMER, WM_COMMAND, WM_CLOSE, WM_DESTROY,
                                   WM_NCDESTROY}));
  EXPECT_EQ(seen.back().message, WM_NCDESTROY);
  // The records of the dialog and its controls are gone.
  EXPECT_EQ(FindRecord(dialog), nullptr);
  EXPECT_EQ(FindRecord(control), nullptr);
  EXPECT_EQ(GetControlHandle(dialog, 101), 0u);
}

TEST_F(DialogTest, EnterSendsIdOkAndTheDialogStaysOpen) {
  Start(500, Key(100, VK_RETURN));
  Handle dialog = MakeDialog();
  UsePanelLikeHandler();
  RunDialogModal(Recorder, dialog, nullptr);
  EXPECT_EQ(ArgsOf(WM_COMMAND), (Args{{IDOK, 0}}));
  EXPECT_TRUE(IsWindowOpen(dialog));
  EXPECT_EQ(SessionClockMs(), 500);
}

TEST_F(DialogTest, CloseButtonEndsTheDialogWithoutTheCallbackHandlingIt) {
  Start(1000, {Input(150, Kind::kClose)});
  Handle dialog = MakeDialog();
  int32_t result = 77;
  handler = [](Handle window, uint32_t message, uint32_t, uint32_t) -> int32_t {
    if (message == WM_INITDIALOG) SetTimer(window, 1, 1000);
    return 0;
  };
  RunDialogModal(Recorder, dialog, &result);
  EXPECT_FALSE(IsWindowOpen(dialog));
  EXPECT_FALSE(KillTimer(dialog, 1));  // the dialog's timer went with it
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ArgsOf(WM_SYSCOMMAND), (Args{{SC_CLOSE, 0}}));
  EXPECT_EQ(Sequence({WM_SYSCOMMAND, WM_COMMAND, WM_CLOSE, WM_DESTROY, WM_NCDESTROY}),
            (std::vector<uint32_t>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(SessionClockMs(), 150);
}

TEST_F(DialogTest, ACallbackThatHandlesCloseKeepsTheDialog) {
  Start(300, {Input(100, Kind::kClose)});
  Handle dialog = MakeDialog();
  handler = [](Handle, uint32_t message, uint32_t, uint32_t) -> int32_t { return message == WM_SYSCOMMAND ? 1 : 0; };
  RunDialogModal(Recorder, dialog, nullptr);
  EXPECT_TRUE(IsWindowOpen(dialog));
  EXPECT_TRUE(SeenOf(WM_CLOSE).empty());
}

TEST_F(DialogTest, RunWithoutADialogCallsInitAndSizeAndReturns) {
  Start(1000);
  RunDialogModal(Recorder, 0x7777, nullptr);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].message, WM_INITDIALOG);
  EXPECT_EQ(seen[1].message, WM_SIZE);
  EXPECT_EQ(seen[1].lParam, 0u);
  EXPECT_EQ(SessionClockMs(), 0);
}

TEST_F(DialogTest, RunWithoutAWindowSessionSaysHowToStartOne) {
  EndWindowSession();
  const Handle dialog = MakeDialog();
  ClearLastError();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(RunDialogModal(Recorder, dialog, nullptr));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "instrument panel: RunDialogModal needs a window session; call StartRealWindowSession or "
            "StartHeadlessSession first\n");
  EXPECT_EQ(LastError(), ErrorCode::kNoWindowSession);
  EXPECT_TRUE(seen.empty());
  EXPECT_FALSE(WindowSessionStarted());
  Start(0);
  EXPECT_TRUE(WindowSessionStarted());
  EXPECT_TRUE(RunDialogModal(Recorder, MakeDialog(), nullptr));
  EXPECT_EQ(seen.at(0).message, WM_INITDIALOG);
}

// A lambda keeps the program's state; the dialog's copy of it stays alive
// through the call that ends the dialog, and only that copy owns `owned`.
TEST_F(DialogTest, CallbacksCarryTheirOwnState) {
  Start(1000);
  struct Count {
    int timers = 0;
    std::string seenAfterEnd;
  } count;
  const Handle dialog = MakeDialog();
  const bool ran = RunDialogModal(
      [&count, owned = std::make_shared<std::string>(100, 'x')](Handle window, uint32_t message, uint32_t,
                                                                uint32_t) -> int32_t {
        if (message == WM_INITDIALOG) SetTimer(window, 1, 100);
        if (message != WM_TIMER) return 0;
        if (++count.timers == 3) {
          EndDialogWindow(window, 0);
          count.seenAfterEnd = *owned;
        }
        return 0;
      },
      dialog, nullptr);
  EXPECT_TRUE(ran);
  EXPECT_EQ(count.timers, 3);
  EXPECT_EQ(count.seenAfterEnd, std::string(100, 'x'));
  EXPECT_EQ(SessionClockMs(), 300);
  EXPECT_FALSE(IsWindowOpen(dialog));
}

TEST_F(DialogTest, TitleIsCutTo256BytesAndAnEmptyTitleIsOneSpace) {
  Start(0);
  std::string longTitle(300, 'x');
  longTitle[255] = 'y';
  EXPECT_EQ(platform::GetWindowText(MakeDialog(longTitle)), std::string(255, 'x') + "y");
  EXPECT_EQ(platform::GetWindowText(MakeDialog("")), " ");
  EXPECT_EQ(platform::GetWindowText(MakeDialog(std::string("ab\0cd", 5))), "ab");
  // Title bytes are Windows-1252.
  EXPECT_EQ(platform::Windows1252ToUtf8("caff\xE8 \x80 \x96"), "caff\xC3\xA8 \xE2\x82\xAC \xE2\x80\x93");
  EXPECT_EQ(platform::Windows1252ToUtf8("a\x81"), "a\xC2\x81");
}

TEST_F(DialogTest, ClientAreaIsTheRequestedSizeCentredExplicitOrKept) {
  Start(0);
  Handle dialog = MakeDialog();
  // The headless frame is (8, 31, 8, 8) and the work area 1920 x 1040.
  EXPECT_EQ(GetControlSize(dialog, kDialogItself), (IntPair{816, 639}));
  EXPECT_EQ(GetControlLocation(dialog, kDialogItself), (IntPair{552, 200}));
  EXPECT_EQ(platform::GetClientRect(dialog), (platform::Rect{0, 0, 800, 600}));
  // Explicit and kept positions.
  Handle placed = CreateDialogWindow(0, "a", 100, 50, 200, 100, 0, 0, kUnitsPixels);
  EXPECT_EQ(GetControlLocation(placed, kDialogItself), (IntPair{100, 50}));
  EXPECT_EQ(platform::GetClientRect(placed), (platform::Rect{0, 0, 200, 100}));
  Handle kept = CreateDialogWindow(0, "b", 0x8000, -1, 200, 100, 0, 0, kUnitsPixels);
  EXPECT_EQ(GetControlLocation(kept, kDialogItself), (IntPair{0, 0}));
  EXPECT_EQ(platform::GetClientRect(kept), (platform::Rect{0, 0, 200, 100}));
  // Absurd sizes are clamped instead of overflowing.
  Handle huge = CreateDialogWindow(0, "c", -1, -1, INT32_MAX, INT32_MIN, 0, 0, kUnitsPixels);
  EXPECT_EQ(platform::GetClientRect(huge), (platform::Rect{0, 0, platform::kMaxWindowExtent, 0}));
}

TEST_F(DialogTest, ControlQueries) {
  Start(0);
  Handle dialog = MakeDialog();
  AddCanvasControl(dialog, 301, 12, 34, 56, 78, SS_NOTIFY, 0, nullptr, "");
  Handle control = GetControlHandle(dialog, 301);
  ASSERT_NE(control, 0u);
  EXPECT_EQ(GetControlSize(dialog, 301), (IntPair{56, 78}));
  EXPECT_EQ(GetControlLocation(dialog, 301), (IntPair{12, 34}));
  EXPECT_EQ(GetDlgCtrlID(control), 301);
  EXPECT_EQ(GetDlgCtrlID(dialog), 0);
  EXPECT_EQ(platform::GetWindowStyle(control), kCanvasControlStyle | SS_NOTIFY);
  const WindowRecord* record = FindRecord(control);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->owner, dialog);
  EXPECT_EQ(record->type, RecordType::kCanvasControl);
  EXPECT_EQ(record->canvas.width, 56);
  EXPECT_EQ(record->canvas.height, 78);
  EXPECT_EQ(record->canvas.bitmap.At(55, 77), kBtnFacePixel);
  // Missing controls: nothing, and queries give 0.
  ClearLastError();
  EXPECT_EQ(GetControlHandle(dialog, 999), 0u);
  EXPECT_EQ(GetControlSize(dialog, 999), (IntPair{0, 0}));
  EXPECT_EQ(LastError(), ErrorCode::kControlNotFound);
  EXPECT_EQ(GetControlLocation(dialog, 999), (IntPair{0, 0}));
  AddCanvasControl(0x4242, 1, 0, 0, 10, 10, 0, 0, nullptr, "");
  EXPECT_EQ(GetControlHandle(0x4242, 1), 0u);
}

TEST_F(DialogTest, ControlsAreFoundByDialogAndIdentifierTheLastMadeFirst) {
  Start(0);
  const Handle first = MakeDialog();
  const Handle second = MakeDialog();
  AddCanvasControl(first, 5, 0, 0, 10, 10, 0, 0, nullptr, "");
  AddCanvasControl(second, 5, 0, 0, 20, 20, 0, 0, nullptr, "");
  AddCanvasControl(first, 5, 0, 0, 30, 30, 0, 0, nullptr, "");  // the same identifier again
  AddCanvasControl(first, -7, 0, 0, 40, 40, 0, 0, nullptr, "");
  const auto widthOf = [](Handle dialog, int32_t id) {
    const WindowRecord* record = FindControlRecord(dialog, id);
    return record != nullptr ? record->canvas.width : -1;
  };
  EXPECT_EQ(widthOf(first, 5), 30);  // made again over the identifier: the new one
  EXPECT_EQ(widthOf(second, 5), 20);
  EXPECT_EQ(widthOf(first, -7), 40);
  EXPECT_EQ(widthOf(second, -7), -1);
  EXPECT_EQ(widthOf(0, 5), -1);
  // Freed, the newer gives way to the older; a dialog's controls go with it.
  FreeRecord(GetControlHandle(first, 5));
  EXPECT_EQ(widthOf(first, 5), 10);
  const size_t before = RecordCount();
  EndDialogWindow(first, 0);
  EXPECT_EQ(widthOf(first, 5), -1);
  EXPECT_EQ(widthOf(first, -7), -1);
  EXPECT_EQ(RecordCount(), before - 3);
  EXPECT_EQ(widthOf(second, 5), 20);

  // The current canvas follows its record when the record is replaced or freed.
  CanvasAttach(second, 5, 0);
  EXPECT_EQ(CanvasGetSize(), (IntPair{20, 20}));
  WindowRecord replacement = *FindControlRecord(second, 5);
  replacement.canvas.width = 7;
  RegisterRecord(replacement);
  EXPECT_EQ(CanvasGetSize(), (IntPair{7, 20}));
  FreeRecord(replacement.key);
  EXPECT_EQ(CanvasGetSize(), (IntPair{0, 0}));
}

TEST_F(DialogTest, UserValueSlotsWrapAroundEight) {
  Start(0);
  Handle dialog = MakeDialog();
  AddCanvasControl(dialog, 101, 0, 0, 10, 10, SS_NOTIFY, 0, nullptr, "");
  Handle control = GetControlHandle(dialog, 101);
  for (int slot = 1; slot <= 8; ++slot) EXPECT_EQ(GetControlUserValue(control, slot), 0) << slot;
  SetControlUserValue(control, 9, 1234);
  EXPECT_EQ(GetControlUserValue(control, 1), 1234);
  SetControlUserValue(control, 0, -5);
  EXPECT_EQ(GetControlUserValue(control, 8), -5);
  SetControlUserValue(control, INT32_MIN, 42);  // (INT32_MIN - 1) and 7 = 7: slot 8
  EXPECT_EQ(GetControlUserValue(control, 8), 42);
  SetControlUserValue(control, INT32_MAX, 7);  // (INT32_MAX - 1) and 7 = 6: slot 7
  EXPECT_EQ(GetControlUserValue(control, 7), 7);
  SetControlUserValue(0x4242, 1, 99);
  EXPECT_EQ(GetControlUserValue(0x4242, 1), 0);
}

TEST_F(DialogTest, DialogColoursDefaultTransparentAndHighBits) {
  struct Case {
    bool setColours;
    int32_t back;
    platform::Pixel shown;
  };
  const Case cases[] = {
      {true, kGreen, kGreenPixel},    // a whole painted background is in the panel's golden pictures
      {false, 0, kBtnFacePixel},      // no colours set: button face
      {true, -2, 0u},                 // transparent: nothing painted
      {true, 0x7F0000FF, 0xFF0000u},  // the high bits of a colour are dropped
  };
  for (const Case& c : cases) {
    Start(0);
    Handle dialog = CreateDialogWindow(0, "p", -1, -1, 20, 10, 0xB0000, 0, kUnitsPixels);
    if (c.setColours) SetWindowColors(dialog, kDialogItself, 0x123456, c.back);
    RunDialogModal(Recorder, dialog, nullptr);
    EXPECT_EQ(platform::HeadlessShownPicture().At(19, 9), c.shown) << c.back;
  }
}

TEST_F(DialogTest, CanvasDrawnBeforeShowingAppearsAtTheFirstPaint) {
  Start(0);
  Handle dialog = MakeDialog();
  AddCanvasControl(dialog, 101, 100, 200, 30, 20, SS_NOTIFY, 0, nullptr, "");
  AddCanvasControl(dialog, 102, 300, 200, 30, 20, 0, 0, nullptr, "");
  WindowRecord* record = FindControlRecord(dialog, 101);
  ASSERT_NE(record, nullptr);
  std::fill(record->canvas.bitmap.pixels.begin(), record->canvas.bitmap.pixels.end(), 0x0000FF);
  record->canvas.bitmap.pixels[0] = 0xFF0000;
  RunDialogModal(Recorder, dialog, nullptr);
  const platform::Surface& shown = platform::HeadlessShownPicture();
  EXPECT_EQ(shown.At(100, 200), 0xFF0000u);
  EXPECT_EQ(shown.At(101, 200), 0x0000FFu);
  EXPECT_EQ(shown.At(129, 219), 0x0000FFu);
  EXPECT_EQ(shown.At(130, 219), kGreenPixel);
  EXPECT_EQ(shown.At(99, 200), kGreenPixel);
  EXPECT_EQ(shown.At(300, 200), kBtnFacePixel);  // an untouched canvas is button face
  EXPECT_EQ(shown.At(329, 219), kBtnFacePixel);
  EXPECT_EQ(shown.At(330, 219), kGreenPixel);
}

TEST_F(DialogTest, RepaintCopiesTheCanvasAtOnce) {
  Start(200);
  Handle dialog = MakeDialog();
  AddCanvasControl(dialog, 101, 790, 590, 20, 20, SS_NOTIFY, 0, nullptr, "");  // reaches past the client area
  Handle bitmap = CreateBitmapCanvas(4, 4);
  handler = [&](Handle window, uint32_t message, uint32_t, uint32_t) -> int32_t {
    if (message == WM_INITDIALOG) SetTimer(window, 1, 100);
    if (message == WM_TIMER) {
      WindowRecord* record = FindControlRecord(window, 101);
      std::fill(record->canvas.bitmap.pixels.begin(), record->canvas.bitmap.pixels.end(), 0x00FF00);
      const size_t before = seen.size();
      RepaintCanvasControl(record->key);
      EXPECT_EQ(seen.size(), before + 1);
      EXPECT_EQ(seen.back().message, WM_DRAWITEM);
      EXPECT_EQ(platform::BackBuffer(window)->At(799, 599), 0x00FF00u);
      RepaintCanvasControl(bitmap);  // bitmap canvases and missing controls: nothing
      RepaintCanvasControl(0);
      EXPECT_EQ(seen.size(), before + 1);
    }
    return 0;
  };
  RunDialogModal(Recorder, dialog, nullptr);
  EXPECT_EQ(SeenOf(WM_TIMER).size(), 2u);
  EXPECT_EQ(platform::HeadlessShownPicture().At(799, 599), 0x00FF00u);
  EXPECT_EQ(platform::HeadlessShownPicture().At(789, 599), kGreenPixel);
}

TEST_F(DialogTest, MouseOverNotifyingCanvasesAndClicks) {
  std::vector<ScriptedInput> input{Input(10, Kind::kMove, 15, 12), Input(20, Kind::kMove, 65, 12),
                                   Input(30, Kind::kMove, 500, 400)};
  for (const ScriptedInput& i : Click(40, 20, 15)) input.push_back(i);
  for (const ScriptedInput& i : Click(50, 70, 15)) input.push_back(i);
  Start(100, input);
  Handle dialog = MakeDialog();
  AddCanvasControl(dialog, 101, 10, 10, 40, 20, SS_NOTIFY, 0, nullptr, "");
  AddCanvasControl(dialog, 102, 60, 10, 40, 20, 0, 0, nullptr, "");  // transparent to the mouse
  Handle notifying = GetControlHandle(dialog, 101);
  IntPair cursorInControl;
  handler = [&](Handle, uint32_t message, uint32_t, uint32_t) -> int32_t {
    if (message == WM_COMMAND) cursorInControl = CursorClientPosition(notifying);
    return 0;
  };
  RunDialogModal(Recorder, dialog, nullptr);

  const Args expected{
      {notifying, HTCLIENT | (WM_MOUSEMOVE << 16)}, {dialog, HTCLIENT | (WM_MOUSEMOVE << 16)},
      {dialog, HTCLIENT | (WM_MOUSEMOVE << 16)},    {notifying, HTCLIENT | (WM_MOUSEMOVE << 16)},
      {notifying, HTCLIENT | (WM_LBUTTONDOWN << 16)}, {notifying, HTCLIENT | (WM_LBUTTONUP << 16)},
      {dialog, HTCLIENT | (WM_MOUSEMOVE << 16)},    {dialog, HTCLIENT | (WM_LBUTTONDOWN << 16)},
      {dialog, HTCLIENT | (WM_LBUTTONUP << 16)}};
  EXPECT_EQ(ArgsOf(WM_SETCURSOR), expected);
  // One click on the notifying canvas; the other one reached the dialog itself.
  EXPECT_EQ(ArgsOf(WM_COMMAND), (Args{{101u | (STN_CLICKED << 16), notifying}}));
  EXPECT_EQ(SeenOf(WM_COMMAND).at(0).atMs, 40);
  EXPECT_EQ(cursorInControl, (IntPair{10, 5}));
  EXPECT_EQ(ArgsOf(WM_LBUTTONDOWN), (Args{{MK_LBUTTON, 70u | (15u << 16)}}));
  EXPECT_EQ(CursorClientPosition(dialog), (IntPair{70, 15}));
}

TEST_F(DialogTest, EndingTheDialogWhileTheCursorIsSetEndsTheLoopAtOnce) {
  Start(1000, {Input(300, Kind::kMove, 20, 20)});
  Handle dialog = MakeDialog();
  handler = [](Handle window, uint32_t message, uint32_t, uint32_t) -> int32_t {
    if (message == WM_SETCURSOR) EndDialogWindow(window, 0);
    return 0;
  };
  RunDialogModal(Recorder, dialog, nullptr);
  EXPECT_FALSE(IsWindowOpen(dialog));
  EXPECT_EQ(SessionClockMs(), 300);
}

TEST_F(DialogTest, AsyncKeyStateReportsDownAndPressedSinceLastQuery) {
  Start(0);
  Handle dialog = MakeDialog();
  RunDialogModal(Recorder, dialog, nullptr);
  EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
  platform::InjectMouseButton(MouseButton::kLeft, true);
  EXPECT_EQ(static_cast<uint16_t>(GetAsyncKeyState(VK_LBUTTON)), 0x8001);
  EXPECT_EQ(static_cast<uint16_t>(GetAsyncKeyState(VK_LBUTTON)), 0x8000);
  platform::InjectMouseButton(MouseButton::kLeft, true);  // a second press without a release between
  EXPECT_EQ(static_cast<uint16_t>(GetAsyncKeyState(VK_LBUTTON)), 0x8000);
  EXPECT_EQ(GetAsyncKeyState(VK_RBUTTON), 0);
  platform::InjectMouseButton(MouseButton::kLeft, false);
  EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
  platform::InjectMouseButton(MouseButton::kRight, true);
  platform::InjectMouseButton(MouseButton::kRight, false);
  EXPECT_EQ(GetAsyncKeyState(VK_RBUTTON), 1);  // pressed and released since the last query
  EXPECT_EQ(GetAsyncKeyState(VK_RBUTTON), 0);
  platform::InjectMouseMove(300, 200);  // state beside the keys is not read as a key
  EXPECT_EQ(GetAsyncKeyState(-1), 0);
  EXPECT_EQ(GetAsyncKeyState(256), 0);
  EXPECT_EQ(GetAsyncKeyState(INT32_MIN), 0);
}

TEST_F(DialogTest, ButtonStateAtTheTimeOfEachScriptedInput) {
  // A drag: the handler sees the button down while the cursor moves.
  std::vector<ScriptedInput> input{Input(10, Kind::kMove, 20, 15), Input(20, Kind::kButtonDown),
                                   Input(30, Kind::kMove, 30, 15), Input(40, Kind::kButtonUp),
                                   Input(50, Kind::kMove, 35, 15)};
  Start(100, input);
  Handle dialog = MakeDialog();
  AddCanvasControl(dialog, 101, 10, 10, 40, 20, SS_NOTIFY, 0, nullptr, "");
  std::vector<std::pair<int32_t, bool>> drags;  // cursor x in the control, button down
  handler = [&](Handle window, uint32_t message, uint32_t wParam, uint32_t) -> int32_t {
    if (message == WM_SETCURSOR && GetDlgCtrlID(wParam) == 101) {
      GetAsyncKeyState(VK_LBUTTON);
      drags.emplace_back(CursorClientPosition(GetControlHandle(window, 101)).first,
                         (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0);
    }
    return 0;
  };
  RunDialogModal(Recorder, dialog, nullptr);
  const std::vector<std::pair<int32_t, bool>> expected{{10, false}, {10, true}, {20, true}, {20, false}, {25, false}};
  EXPECT_EQ(drags, expected);
}

// Each row: timer 5 of `periodMs` set on WM_INITDIALOG, what the callback
// does on its ticks, and the virtual times of the ticks in a run of `runMs`.
TEST_F(DialogTest, TimerSchedules) {
  struct Row {
    const char* what;
    uint32_t periodMs;
    int64_t runMs;
    std::function<void(Handle window, int tick)> onTick;
    std::vector<int64_t> ticks;
  };
  const Row rows[] = {
      {"0 ms runs every 10 ms, not in a loop", 0, 50, nullptr, {10, 20, 30, 40, 50}},
      {"the longest period is not a short one", 0xFFFFFFFF, 50, nullptr, {}},
      {"a tick handled 250 ms late comes next a period after it was handled", 100, 500,
       [](Handle, int tick) { if (tick == 1) platform::AdvanceVirtualClock(250); }, {100, 350, 450}},
      {"set again on a tick, it starts over with the new period", 100, 500,
       [](Handle window, int tick) { if (tick == 1) SetTimer(window, 5, 150); }, {100, 250, 400}},
      {"killed on a tick, it ticks no more", 100, 500,
       [](Handle window, int tick) { if (tick == 2) KillTimer(window, 5); }, {100, 200}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    seen.clear();
    Start(row.runMs);
    int tick = 0;
    handler = [&](Handle window, uint32_t message, uint32_t, uint32_t) -> int32_t {
      if (message == WM_INITDIALOG) {
        EXPECT_EQ(SetTimer(window, 5, row.periodMs), 5u);
        EXPECT_EQ(SetTimer(0x4242, 6, 10), 0u);  // no such window
        EXPECT_FALSE(platform::PostMessage(0x4242, kPosted, 0, 0));
        EXPECT_FALSE(KillTimer(window, 6));
      }
      if (message == WM_TIMER && row.onTick) row.onTick(window, ++tick);
      return 0;
    };
    RunDialogModal(Recorder, MakeDialog(), nullptr);
    std::vector<int64_t> ticks;
    for (const Seen& s : SeenOf(WM_TIMER)) ticks.push_back(s.atMs);
    EXPECT_EQ(ticks, row.ticks);
  }
}

// What waits at one moment comes out in this order: posted messages, input
// (what has come, then what the script has ready), painting, timers. The
// dialog's start took 50 virtual ms, so when it is first shown a message is
// posted, input has come, more is scripted, and its timer is due.
TEST_F(DialogTest, PostedMessagesInputPaintingAndTimersComeInThisOrder) {
  Start(50, {Input(0, Kind::kMove, 30, 30)});
  handler = [](Handle window, uint32_t message, uint32_t, uint32_t) -> int32_t {
    if (message == WM_INITDIALOG) {
      SetTimer(window, 1, 10);
      platform::PostMessage(window, kPosted, 0, 0);
      platform::InjectMouseMove(20, 20);
      platform::AdvanceVirtualClock(50);
    }
    return 0;
  };
  RunDialogModal(Recorder, MakeDialog(), nullptr);
  EXPECT_EQ(Sequence({kPosted, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}),
            (std::vector<uint32_t>{kPosted, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
  EXPECT_EQ(ArgsOf(WM_MOUSEMOVE), (Args{{0, 20u | (20u << 16)}, {0, 30u | (30u << 16)}}));
}

// A callback that posts a message for every message it gets never lets the
// virtual clock move: the loop is stopped after its budget of turns, says so
// and the run fails, instead of hanging. The next session starts afresh.
TEST_F(DialogTest, ALoopThatSpinsIsStoppedAtOnceWithAMessage) {
  Start(1000);
  const Handle dialog = MakeDialog();
  handler = [](Handle window, uint32_t, uint32_t, uint32_t) -> int32_t {
    platform::PostMessage(window, kPosted, 0, 0);
    return 0;
  };
  testing::internal::CaptureStderr();
  EXPECT_FALSE(RunDialogModal(Recorder, dialog, nullptr));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "instrument panel: the message loop was stopped at virtual time 0 ms: it turned 100000 times without "
            "the clock moving or input arriving (a handler makes a new message for every one it gets)\n");
  EXPECT_EQ(SeenOf(kPosted).size(), static_cast<size_t>(platform::kMaxLoopTurnsPerVirtualMs));
  EXPECT_EQ(SessionClockMs(), 0);
  EXPECT_TRUE(IsWindowOpen(dialog));
  handler = nullptr;
  Start(100);
  EXPECT_TRUE(RunDialogModal(Recorder, MakeDialog(), nullptr));
  EXPECT_EQ(SessionClockMs(), 100);
}

// The budget counts turns since the clock last moved or input came: more
// scripted input at one moment than it allows, or more messages over a run
// than it allows at any one moment, are all handled.
TEST_F(DialogTest, BusyRunsAreNotSpins) {
  const size_t budget = static_cast<size_t>(platform::kMaxLoopTurnsPerVirtualMs);
  const std::vector<ScriptedInput> moves(budget / 2 + 1, Input(5, Kind::kMove, 20, 20));  // two turns each
  Start(10, moves);
  EXPECT_TRUE(RunDialogModal(Recorder, MakeDialog(), nullptr));
  EXPECT_EQ(SeenOf(WM_MOUSEMOVE).size(), moves.size());
  EXPECT_EQ(SessionClockMs(), 10);

  constexpr size_t kBurst = 1000;  // posted on each tick of a 10 ms timer
  const size_t ticks = budget / kBurst + 1;
  seen.clear();
  Start(static_cast<int64_t>(10 * ticks));
  handler = [&](Handle window, uint32_t message, uint32_t, uint32_t) -> int32_t {
    if (message == WM_INITDIALOG) SetTimer(window, 1, 10);
    if (message == WM_TIMER) {
      for (size_t i = 0; i < kBurst; ++i) platform::PostMessage(window, kPosted, 0, 0);
    }
    return 0;
  };
  EXPECT_TRUE(RunDialogModal(Recorder, MakeDialog(), nullptr));
  EXPECT_EQ(SeenOf(kPosted).size(), ticks * kBurst);
}

TEST_F(DialogTest, RepeatedRunsStartFreshAndGiveIdenticalPictures) {
  std::vector<std::string> files;
  for (int run = 0; run < 2; ++run) {
    seen.clear();
    Start(300);
    Handle dialog = MakeDialog();
    AddCanvasControl(dialog, 101, 100, 100, 50, 50, SS_NOTIFY, 0, nullptr, "");
    UsePanelLikeHandler();
    RunDialogModal(Recorder, dialog, nullptr);
    // The first run's dialog is still open: none of its timers tick in the second.
    EXPECT_EQ(SeenOf(WM_TIMER).size(), 7u) << "run " << run;
    EXPECT_EQ(SessionClockMs(), 300);
    const std::string path = testing_support::ScratchDir() + "/dialog_run" + std::to_string(run) + ".png";
    ASSERT_TRUE(WriteShownPicture(path));
    std::ifstream file(path, std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  ASSERT_FALSE(files[0].empty());
  EXPECT_EQ(files[0], files[1]);
  platform::Surface read;
  ASSERT_TRUE(testing_support::ReadPng(testing_support::ScratchDir() + "/dialog_run0.png", read));
  EXPECT_EQ(read.width, 800);
  EXPECT_EQ(read.height, 600);
  EXPECT_EQ(read.At(0, 0), kGreenPixel);
  EXPECT_EQ(read.At(100, 100), kBtnFacePixel);
}

}  // namespace

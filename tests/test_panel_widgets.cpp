// The lamps, displays, buttons, switches, knobs and text panels on the
// headless panel: timer work, clicks and knob dragging on the virtual clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/bitmaps.h"
#include "host/dialog.h"
#include "host/dialog_session.h"
#include "instruments/buttons.h"
#include "instruments/knobs.h"
#include "instruments/leds.h"
#include "instruments/text_panels.h"
#include "panel/panel.h"
#include "platform/window_headless.h"
#include "tests/widget_probes.h"
#include "toolkit/colors.h"

namespace {

using widget_probes::CountDifferences;
using widget_probes::PictureOf;
using widget_probes::PixelAt;
using widget_probes::Rgb;
using Kind = ScriptedInput::Kind;

constexpr ClockTime kNoon{12, 0, 30, 0};

// Starts a headless session and builds the panel; RunToEnd() then runs its
// loop until the session's virtual time is up.
class PanelWidgetTest : public ::testing::Test {
 protected:
  void Build(int64_t runMs, const std::vector<ScriptedInput>& input = {}) {
    HeadlessSettings settings;
    settings.clockStart = kNoon;
    settings.runMs = runMs;
    settings.input = input;
    StartHeadlessSession(settings);
    ResetPanelState();
    CreatePanel();
    ASSERT_NE(PanelHandle, 0u);
  }
  void RunToEnd() { RunDialogModal(PanelCallback, PanelHandle, nullptr); }

  static void AddClick(std::vector<ScriptedInput>& input, int64_t at, int x, int y) {
    input.push_back({at, Kind::kMove, x, y});
    input.push_back({at + 1, Kind::kButtonDown, x, y, platform::MouseButton::kLeft});
    input.push_back({at + 2, Kind::kButtonUp, x, y, platform::MouseButton::kLeft});
  }
  static int32_t Slot(int32_t id, int32_t slot) {
    return GetControlUserValue(GetControlHandle(PanelHandle, id), slot);
  }
  static ColorRef ShownPixel(int x, int y) {
    const platform::Surface& shown = platform::HeadlessShownPicture();
    if (!shown.Contains(x, y)) return -1;
    return static_cast<ColorRef>(platform::ColorRefFromPixel(shown.At(x, y)));
  }
};

TEST_F(PanelWidgetTest, FirstLampTickGivesNinetyAndTen) {
  Build(150);
  const platform::Surface lamp110 = PictureOf(PanelHandle, 110);
  const platform::Surface lamp210 = PictureOf(PanelHandle, 210);
  const platform::Surface lamp207 = PictureOf(PanelHandle, 207);
  RunToEnd();
  EXPECT_EQ(AnimationPhase, 10.0f);
  for (int32_t id = 101; id <= 109; ++id) EXPECT_EQ(InstrumentAt(id)->value, 90.0f) << id;
  for (int32_t id = 201; id <= 209; ++id) EXPECT_EQ(InstrumentAt(id)->value, 10.0f) << id;
  EXPECT_EQ(InstrumentAt(110)->value, 0.0f);
  EXPECT_EQ(InstrumentAt(210)->value, 0.0f);
  EXPECT_EQ(CountDifferences(lamp110, PictureOf(PanelHandle, 110)), 0);
  EXPECT_EQ(CountDifferences(lamp210, PictureOf(PanelHandle, 210)), 0);
  EXPECT_GT(CountDifferences(lamp207, PictureOf(PanelHandle, 207)), 0);
  // Lamp 101, "semaforo" 64 x 18 with frame 4: black rim, then (255, 90, 0) at level 90.
  EXPECT_EQ(PixelAt(PanelHandle, 101, 59, 4), Rgb(0, 0, 0));
  EXPECT_EQ(PixelAt(PanelHandle, 101, 4, 4), Rgb(255, 90, 0));
  EXPECT_EQ(ShownPixel(10 + 4, 10 + 4), Rgb(255, 90, 0));  // and on the screen
}

TEST_F(PanelWidgetTest, RoundLampsAreDrawnFromTheirRecords) {
  Build(150);
  RunToEnd();
  const Handle reference = CreateBitmapCanvas(18, 18);
  DrawRoundLamp(reference, 0, *InstrumentAt(207), 10, "rosso", "7", 0x000000);
  EXPECT_EQ(CountDifferences(PictureOf(reference, 0), PictureOf(PanelHandle, 207)), 0);
}

TEST_F(PanelWidgetTest, TenthLampTickGivesHundredAndZero) {
  Build(1050);
  RunToEnd();
  EXPECT_EQ(AnimationPhase, 0.0f);
  for (int32_t id = 101; id <= 109; ++id) EXPECT_EQ(InstrumentAt(id)->value, 100.0f) << id;
  for (int32_t id = 201; id <= 209; ++id) EXPECT_EQ(InstrumentAt(id)->value, 0.0f) << id;
  EXPECT_EQ(PixelAt(PanelHandle, 101, 4, 4), Rgb(255, 100, 0));
  EXPECT_EQ(Slot(800, kSlotMarqueeScroll), 10);  // ten marquee steps
}

TEST_F(PanelWidgetTest, ButtonClicksToggleFaceLampAndFrame) {
  std::vector<ScriptedInput> input;
  AddClick(input, 20, 540 + 100, 166 + 11);
  Build(40, input);
  EXPECT_EQ(Slot(903, kSlotFaceState), 0);
  EXPECT_EQ(PixelAt(PanelHandle, 903, 18, 11), Rgb(140, 0, 0));
  EXPECT_EQ(PixelAt(PanelHandle, 903, 1, 11), ColorFromName("grigio", 128));  // two bevel lines
  RunToEnd();
  EXPECT_EQ(Slot(903, kSlotFaceState), 1);
  EXPECT_EQ(PixelAt(PanelHandle, 903, 18, 11), Rgb(0, 140, 0));
  EXPECT_EQ(PixelAt(PanelHandle, 903, 1, 11), ColorFromName("grigio", 85));  // three bevel lines
  EXPECT_EQ(PixelAt(PanelHandle, 903, 2, 11), ColorFromName("grigio", 170));
  EXPECT_EQ(ShownPixel(540 + 18, 166 + 11), Rgb(0, 140, 0));
  // The callback passes "OFF/ON": the same face as a button captioned so.
  CreateToggleButton(PanelHandle, 960, 0, 400, 164, 22, "", 2, "grigio", "OFF/ON", 0xFF0000, "grigio", 4, 5);
  ToggleButton(PanelHandle, 960, "");
  EXPECT_EQ(CountDifferences(PictureOf(PanelHandle, 960), PictureOf(PanelHandle, 903)), 0);

  std::vector<ScriptedInput> twice = input;
  AddClick(twice, 30, 540 + 100, 166 + 11);
  Build(40, twice);
  RunToEnd();
  EXPECT_EQ(Slot(903, kSlotFaceState), 0);
  EXPECT_EQ(PixelAt(PanelHandle, 903, 18, 11), Rgb(140, 0, 0));
  CreateToggleButton(PanelHandle, 960, 0, 400, 164, 22, "", 2, "grigio", "OFF/ON", 0xFF0000, "grigio", 4, 5);
  EXPECT_EQ(CountDifferences(PictureOf(PanelHandle, 960), PictureOf(PanelHandle, 903)), 0);
}

TEST_F(PanelWidgetTest, WoodenSwitchAndBitmapSwitchesChangeFace) {
  std::vector<ScriptedInput> input;
  AddClick(input, 20, 530 + 60, 10 + 40);   // 700
  AddClick(input, 30, 540 + 11, 306 + 11);  // 908
  AddClick(input, 40, 562 + 11, 306 + 11);  // 909
  AddClick(input, 50, 584 + 20, 306 + 20);  // 910
  Build(60, input);
  for (int32_t id : {700, 908, 909, 910}) {
    ASSERT_NE(Slot(id, kSlotOffFace), 0) << id;
    ASSERT_NE(Slot(id, kSlotOnFace), 0) << id;
    EXPECT_EQ(Slot(id, kSlotFaceState), 0) << id;
  }
  for (int32_t id : {908, 909, 910}) {
    EXPECT_EQ(CountDifferences(PictureOf(PanelHandle, id), PictureOf(Slot(id, kSlotOffFace), 0)), 0) << id;
  }
  const platform::Surface wood = PictureOf(PanelHandle, 700);
  RunToEnd();
  for (int32_t id : {700, 908, 909, 910}) {
    EXPECT_EQ(Slot(id, kSlotFaceState), 1) << id;
    EXPECT_EQ(CountDifferences(PictureOf(PanelHandle, id), PictureOf(Slot(id, kSlotOnFace), 0)), 0) << id;
  }
  EXPECT_GT(CountDifferences(wood, PictureOf(PanelHandle, 700)), 0);
  // 909 and 910 start from the picture 908 shows when ON; all three use the same files.
  EXPECT_EQ(CountDifferences(PictureOf(Slot(908, kSlotOnFace), 0), PictureOf(Slot(909, kSlotOffFace), 0)), 0);
  EXPECT_EQ(PictureOf(PanelHandle, 910).width, 40);
}

TEST_F(PanelWidgetTest, ClicksOnInstrumentsWithoutCommandsChangeNothing) {
  Build(250);
  RunToEnd();
  const platform::Surface quiet = platform::HeadlessShownPicture();
  std::vector<ScriptedInput> input;
  AddClick(input, 10, 10 + 32, 10 + 9);     // lamp 101
  AddClick(input, 20, 80 + 9, 32 + 9);      // round lamp 202
  AddClick(input, 30, 300 + 42, 10 + 16);   // display 408
  AddClick(input, 40, 400 + 60, 94 + 40);   // text panel 602
  AddClick(input, 50, 660 + 60, 10 + 40);   // marquee 800
  AddClick(input, 60, 10 + 9, 270 + 70);    // gauge 301
  AddClick(input, 70, 234 + 30, 32 + 9);    // status box 502
  AddClick(input, 80, 490, 340);            // knob 1403, straight above its centre: its own angle 0
  Build(250, input);
  RunToEnd();
  EXPECT_EQ(InstrumentAt(1403)->value, 50.0f);
  EXPECT_EQ(CountDifferences(quiet, platform::HeadlessShownPicture()), 0);
}

// Knob 1402: 60 x 60 at (470, 270), range -171..171, starting at 137.
TEST_F(PanelWidgetTest, LeftDragTurnsTheKnobTowardTheCursorAndStopsAtItsEnds) {
  Build(10);
  RunToEnd();
  EXPECT_EQ(InstrumentAt(1402)->value, 90.0f);  // floor(100 x 308 / 342)

  std::vector<ScriptedInput> input;
  input.push_back({20, Kind::kMove, 500, 280});  // no button: nothing turns
  Build(30, input);
  RunToEnd();
  EXPECT_EQ(InstrumentAt(1402)->value, 90.0f);

  input.push_back({30, Kind::kButtonDown, 500, 280, platform::MouseButton::kLeft});  // straight up: 0
  Build(40, input);
  RunToEnd();
  EXPECT_EQ(InstrumentAt(1402)->value, 50.0f);

  input.push_back({40, Kind::kMove, 520, 300});  // right of the centre: 90
  input.push_back({50, Kind::kMove, 500, 325});  // below: 180, beyond the end
  input.push_back({60, Kind::kMove, 499, 325});  // below on the left: about -178, beyond the other end
  input.push_back({70, Kind::kButtonUp, 499, 325, platform::MouseButton::kLeft});
  input.push_back({80, Kind::kMove, 480, 300});  // released: no turning to -90
  Build(90, input);
  RunToEnd();
  EXPECT_EQ(InstrumentAt(1402)->value, 76.0f);  // floor(100 x 261 / 342)
  const platform::Surface turned = PictureOf(PanelHandle, 1402);
  DrawKnob(PanelHandle, 1402, 90);
  EXPECT_EQ(CountDifferences(turned, PictureOf(PanelHandle, 1402)), 0);
  DrawKnob(PanelHandle, 1402, 0);
  EXPECT_GT(CountDifferences(turned, PictureOf(PanelHandle, 1402)), 0);
}

TEST_F(PanelWidgetTest, CursorAnglesRoundTheKnobCentre) {
  std::vector<ScriptedInput> input;
  input.push_back({5, Kind::kMove, 500, 280});
  Build(10, input);
  RunToEnd();
  EXPECT_NEAR(KnobAngleFromCursor(PanelHandle, 1402), 0.0f, 0.05f);
  input.push_back({10, Kind::kMove, 480, 300});
  Build(20, input);
  RunToEnd();
  EXPECT_FLOAT_EQ(KnobAngleFromCursor(PanelHandle, 1402), -90.0f);
  input.push_back({20, Kind::kMove, 520, 300});
  Build(30, input);
  RunToEnd();
  EXPECT_NEAR(KnobAngleFromCursor(PanelHandle, 1402), 90.0f, 0.05f);
}

TEST_F(PanelWidgetTest, TextPanelsShowTheInitialFillUntilTheirFirstTick) {
  Build(250);
  EXPECT_EQ(PixelAt(PanelHandle, 601, 60, 40), Rgb(240, 240, 240));
  EXPECT_EQ(PixelAt(PanelHandle, 603, 60, 40), Rgb(240, 240, 240));
  RunToEnd();
  EXPECT_EQ(PixelAt(PanelHandle, 601, 60, 40), Rgb(240, 240, 240));  // 300 ms not reached
  Build(350);
  RunToEnd();
  EXPECT_NE(PixelAt(PanelHandle, 601, 60, 40), Rgb(240, 240, 240));
  EXPECT_EQ(PixelAt(PanelHandle, 601, 1, 1), Rgb(155, 0, 0));  // level 8: a bar from the left
}

TEST_F(PanelWidgetTest, BlackboardIsWrittenAtInitialisation) {
  Build(10);
  const platform::Surface built = PictureOf(PanelHandle, 1500);
  RunToEnd();
  const platform::Surface written = PictureOf(PanelHandle, 1500);
  EXPECT_GT(CountDifferences(built, written), 0);
  WriteBlackboard(PanelHandle, 1500, "");
  EXPECT_GT(CountDifferences(written, PictureOf(PanelHandle, 1500)), 0);
  WriteBlackboard(PanelHandle, 1500, "Zeffarino\r\nDolvini\r\n0000 Bruvano");
  EXPECT_EQ(CountDifferences(written, PictureOf(PanelHandle, 1500)), 0);
}

}  // namespace

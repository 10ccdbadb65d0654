// The lamps, displays, buttons, switches, knobs and text panels on the
// headless panel: timer work, clicks and knob dragging on the virtual clock.
// How the whole panel looks after one second (the blackboard's text among
// it) is checked by the golden pictures.
#include <gtest/gtest.h>

#include <vector>

#include "instrument_panel/buttons.h"
#include "instrument_panel/display.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/leds.h"
#include "instrument_panel/text_panels.h"
#include "instruments/instrument_state.h"
#include "tests/canvas_probe.h"
#include "tests/support/headless_panel.h"

using namespace ip;
using namespace ip::panel;

namespace {

using namespace headless_panel;
using namespace probe;

TEST(PanelWidgets, FirstLampTickGivesNinetyAndTen) {
  Build(150);
  const platform::Surface lamp110 = PictureOf(PanelHandle, 110);
  const platform::Surface lamp210 = PictureOf(PanelHandle, 210);
  const platform::Surface lamp207 = PictureOf(PanelHandle, 207);
  RunToEnd();
  EXPECT_EQ(AnimationPhase, 10.0f);
  for (int32_t i = 1; i <= 10; ++i) {
    EXPECT_EQ(InstrumentAt(100 + i)->value, i < 10 ? 90.0f : 0.0f) << i;
    EXPECT_EQ(InstrumentAt(200 + i)->value, i < 10 ? 10.0f : 0.0f) << i;
  }
  EXPECT_EQ(CountDifferences(lamp110, PictureOf(PanelHandle, 110)), 0);
  EXPECT_EQ(CountDifferences(lamp210, PictureOf(PanelHandle, 210)), 0);
  EXPECT_GT(CountDifferences(lamp207, PictureOf(PanelHandle, 207)), 0);
  // Lamp 101, "semaforo" at level 90, on the screen.
  EXPECT_EQ(ShownPixel(10 + 4, 10 + 4), Rgb(255, 90, 0));
  // Round lamps are drawn from their records.
  const Handle reference = CreateBitmapCanvas(18, 18);
  SetInstrumentSurroundColor(reference, PanelBackColor);
  DrawRoundLamp(reference, 0, *InstrumentAt(207), 10, "rosso", "7", 0x000000);
  EXPECT_EQ(CountDifferences(PictureOf(reference, 0), PictureOf(PanelHandle, 207)), 0);
}

TEST(PanelWidgets, TenthLampTickGivesHundredAndZero) {
  RunPanel(1050);
  EXPECT_EQ(AnimationPhase, 0.0f);
  for (int32_t i = 1; i <= 9; ++i) {
    EXPECT_EQ(InstrumentAt(100 + i)->value, 100.0f) << i;
    EXPECT_EQ(InstrumentAt(200 + i)->value, 0.0f) << i;
  }
  EXPECT_EQ(Slot(800, kSlotMarqueeScroll), 10);  // ten marquee steps
}

TEST(PanelWidgets, ButtonClicksToggleFaceLampAndFrame) {
  std::vector<ScriptedInput> input;
  Click(input, 20, 540 + 100, 166 + 11);
  Build(40, input);
  EXPECT_EQ(Slot(903, kSlotFaceState), 0);
  RunToEnd();
  EXPECT_EQ(Slot(903, kSlotFaceState), 1);
  // The callback passes "OFF/ON": the same face as a button captioned so,
  // toggled once (the pixels of that face are the button suite's business).
  CreateToggleButton(PanelHandle, 960, 0, 400, 164, 22, "", 2, "grigio", "OFF/ON", 0xFF0000, "grigio", 4, 5);
  ToggleButton(PanelHandle, 960, "");
  EXPECT_EQ(CountDifferences(PictureOf(PanelHandle, 960), PictureOf(PanelHandle, 903)), 0);
  EXPECT_EQ(ShownPixel(540 + 18, 166 + 11), Rgb(0, 140, 0));  // and on the screen

  Click(input, 30, 540 + 100, 166 + 11);  // clicked twice: OFF again
  RunPanel(40, input);
  EXPECT_EQ(Slot(903, kSlotFaceState), 0);
  CreateToggleButton(PanelHandle, 960, 0, 400, 164, 22, "", 2, "grigio", "OFF/ON", 0xFF0000, "grigio", 4, 5);
  EXPECT_EQ(CountDifferences(PictureOf(PanelHandle, 960), PictureOf(PanelHandle, 903)), 0);
}

// Each click passes its row's label pair: 901 shows "ON" although its own
// caption is "off/on", 906 its own "ONNO", 907 "attivo". Each is compared
// with a button of the same look captioned with the expected pair.
TEST(PanelWidgets, ClicksPassTheLabelPairOfTheirCommandRow) {
  std::vector<ScriptedInput> input;
  Click(input, 20, 540 + 100, 110 + 11);  // 901
  Click(input, 30, 540 + 100, 250 + 11);  // 906
  Click(input, 40, 540 + 100, 278 + 11);  // 907
  RunPanel(60, input);
  struct Expected {
    int32_t id, y, frameWidth;
    const char *frameColor, *labels;
    ColorRef textColor;
    const char* fillColor;
    int32_t offPattern, onPattern;
  };
  const Expected expected[] = {
      {901, 110, 0, "rosso", "OFF/ON", 0xFFFFFF, "rosso", 0, 1},
      {906, 250, 5, "verde", "OFFO/ONNO", 0xFFFFFF, "verde", 0, 4},
      {907, 278, 5, "", "non attivo/attivo", 0x000000, "", 0, 4},
  };
  for (const Expected& e : expected) {
    EXPECT_EQ(Slot(e.id, kSlotFaceState), 1) << e.id;
    CreateToggleButton(PanelHandle, 960, 0, 400, 164, 22, "", e.frameWidth, e.frameColor, e.labels, e.textColor,
                       e.fillColor, e.offPattern, e.onPattern);
    ToggleButton(PanelHandle, 960, "");
    EXPECT_EQ(CountDifferences(PictureOf(PanelHandle, 960), PictureOf(PanelHandle, e.id)), 0) << e.id;
  }
}

TEST(PanelWidgets, WoodenSwitchAndBitmapSwitchesChangeFace) {
  std::vector<ScriptedInput> input;
  Click(input, 20, 530 + 60, 10 + 40);   // 700
  Click(input, 30, 540 + 11, 306 + 11);  // 908
  Click(input, 40, 562 + 11, 306 + 11);  // 909
  Click(input, 50, 584 + 20, 306 + 20);  // 910
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

TEST(PanelWidgets, ClicksOnInstrumentsWithoutCommandsChangeNothing) {
  RunPanel(250);
  const platform::Surface quiet = platform::HeadlessShownPicture();
  std::vector<ScriptedInput> input;
  Click(input, 10, 10 + 32, 10 + 9);     // lamp 101
  Click(input, 20, 80 + 9, 32 + 9);      // round lamp 202
  Click(input, 30, 300 + 42, 10 + 16);   // display 408
  Click(input, 40, 400 + 60, 94 + 40);   // text panel 602
  Click(input, 50, 660 + 60, 10 + 40);   // marquee 800
  Click(input, 60, 10 + 9, 270 + 70);    // gauge 301
  Click(input, 70, 234 + 30, 32 + 9);    // status box 502
  Click(input, 80, 490, 340);            // knob 1403, straight above its centre: its own angle 0
  RunPanel(250, input);
  EXPECT_EQ(InstrumentAt(1403)->value, 50.0f);
  EXPECT_EQ(CountDifferences(quiet, platform::HeadlessShownPicture()), 0);
}

// Knob 1402: 60 x 60 at (470, 270), range -171..171, starting at 137.
TEST(PanelWidgets, LeftDragTurnsTheKnobTowardTheCursorAndStopsAtItsEnds) {
  RunPanel(10);
  EXPECT_EQ(InstrumentAt(1402)->value, 90.0f);  // floor(100 x 308 / 342)

  std::vector<ScriptedInput> input;
  input.push_back({20, Kind::kMove, 500, 280});  // no button: nothing turns
  RunPanel(30, input);
  EXPECT_EQ(InstrumentAt(1402)->value, 90.0f);

  input.push_back({30, Kind::kButtonDown, 500, 280, MouseButton::kLeft});  // straight up: 0
  RunPanel(40, input);
  EXPECT_EQ(InstrumentAt(1402)->value, 50.0f);

  input.push_back({40, Kind::kMove, 520, 300});  // right of the centre: 90
  input.push_back({50, Kind::kMove, 500, 325});  // below: 180, beyond the end
  input.push_back({60, Kind::kMove, 499, 325});  // below on the left: about -178, beyond the other end
  input.push_back({70, Kind::kButtonUp, 499, 325, MouseButton::kLeft});
  input.push_back({80, Kind::kMove, 480, 300});  // released: no turning to -90
  RunPanel(90, input);
  EXPECT_EQ(InstrumentAt(1402)->value, 76.0f);  // floor(100 x 261 / 342)
  const platform::Surface turned = PictureOf(PanelHandle, 1402);
  DrawKnob(PanelHandle, 1402, 90);
  EXPECT_EQ(CountDifferences(turned, PictureOf(PanelHandle, 1402)), 0);
  DrawKnob(PanelHandle, 1402, 0);
  EXPECT_GT(CountDifferences(turned, PictureOf(PanelHandle, 1402)), 0);
}

TEST(PanelWidgets, CursorAnglesRoundTheKnobCentre) {
  // Above, left of and right of the centre (500, 300) of knob 1402.
  RunPanel(10, {{5, Kind::kMove, 500, 280}});
  EXPECT_NEAR(KnobAngleFromCursor(PanelHandle, 1402), 0.0f, 0.05f);
  RunPanel(10, {{5, Kind::kMove, 480, 300}});
  EXPECT_FLOAT_EQ(KnobAngleFromCursor(PanelHandle, 1402), -90.0f);
  RunPanel(10, {{5, Kind::kMove, 520, 300}});
  EXPECT_NEAR(KnobAngleFromCursor(PanelHandle, 1402), 90.0f, 0.05f);
}

// Display 410 shows the seconds since midnight to the millisecond: eight
// significant digits here, one more than a single-precision text keeps.
TEST(PanelWidgets, SecondsDisplayKeepsEveryDigit) {
  Build(150, {}, ClockTime{12, 0, 30, 123});  // one tick of timer 610, at 12:00:30.223
  RunToEnd();
  int32_t width = 84, height = 32;
  CreateDigitalDisplay(PanelHandle, 1960, 0, 400, width, height, "", 5, "verde", 13, 0x00FF00, "", "verde", 3);
  SetDisplayText(PanelHandle, 1960, " 43230.223");
  EXPECT_EQ(CountDifferences(PictureOf(PanelHandle, 1960), PictureOf(PanelHandle, 410)), 0);
}

TEST(PanelWidgets, TextPanelsShowTheInitialFillUntilTheirFirstTick) {
  Build(250);
  EXPECT_EQ(PixelAt(PanelHandle, 601, 60, 40), Rgb(240, 240, 240));
  EXPECT_EQ(PixelAt(PanelHandle, 603, 60, 40), Rgb(240, 240, 240));
  RunToEnd();
  EXPECT_EQ(PixelAt(PanelHandle, 601, 60, 40), Rgb(240, 240, 240));  // 300 ms not reached
  RunPanel(350);
  EXPECT_NE(PixelAt(PanelHandle, 601, 60, 40), Rgb(240, 240, 240));
  EXPECT_EQ(PixelAt(PanelHandle, 601, 1, 1), Rgb(155, 0, 0));  // level 8: a bar from the left
}

}  // namespace

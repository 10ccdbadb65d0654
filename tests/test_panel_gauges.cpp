// The gauges and meters on the headless panel: their starting values, the
// gauge work of timers 610 and 620 on the virtual clock, and dragging levels
// and captions with scripted mouse input.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "host/dialog.h"
#include "host/dialog_session.h"
#include "host/texts.h"
#include "instruments/gauge.h"
#include "instruments/instrument_table.h"
#include "panel/panel.h"
#include "tests/canvas_probe.h"
#include "tests/support/test_support.h"

namespace {

using Kind = ScriptedInput::Kind;
using platform::MouseButton;

constexpr ClockTime kHalfMinute{12, 0, 30, 0};

// The panel's random generator, replayed: the n-th number (1-based) after start.
double NthRandom(int n) {
  uint32_t state = 0xFFFFFFFFu;
  for (int i = 0; i < n; ++i) state = state * 134775813u + 1u;
  return (state >> 1) / 2147483648.0;
}

std::string Caption(int32_t id) { return TrimRight(TrimLeft(InstrumentAt(id)->caption.Read())); }

platform::Surface PictureOf(int32_t id) {
  CanvasAttach(PanelHandle, id, kAttachRedrawOnRequest);
  return probe::Snapshot();
}

class PanelGauges : public ::testing::Test {
 protected:
  void Build(int64_t runMs, const std::vector<ScriptedInput>& input = {}, ClockTime start = kHalfMinute) {
    HeadlessSettings settings;
    settings.clockStart = start;
    settings.runMs = runMs;
    settings.input = input;
    StartHeadlessSession(settings);
    ResetPanelState();
    CreatePanel();
    ASSERT_NE(PanelHandle, 0u);
  }
  void RunToEnd() { RunDialogModal(PanelCallback, PanelHandle, nullptr); }

  // Presses `button` at (x, y), moves to (toX, y) with it held, releases it.
  static std::vector<ScriptedInput> Drag(MouseButton button, int x, int y, int toX, int toY) {
    return {{1000, Kind::kMove, x, y},
            {1001, Kind::kButtonDown, x, y, button},
            {1002, Kind::kMove, toX, toY},
            {1003, Kind::kButtonUp, toX, toY, button}};
  }
};

}  // namespace

TEST_F(PanelGauges, MetersStartAtTheFirstThreeRandomNumbers) {
  Build(0);
  EXPECT_EQ(InstrumentAt(1201)->value, static_cast<float>(100 * NthRandom(1)));
  EXPECT_EQ(InstrumentAt(1301)->value, static_cast<float>(100 * NthRandom(2)));
  EXPECT_EQ(InstrumentAt(1302)->value, static_cast<float>(100 * NthRandom(3)));
  EXPECT_NEAR(InstrumentAt(1201)->value, 96.862006, 1e-4);
  EXPECT_EQ(InstrumentAt(1202)->value, 50);
  EXPECT_EQ(InstrumentAt(1303)->value, 50);
  EXPECT_EQ(InstrumentAt(310)->value, 9);
  EXPECT_EQ(InstrumentAt(1500)->value, 0);
  EXPECT_EQ(InstrumentAt(1001)->value, 33);
}

TEST_F(PanelGauges, LayoutPlacesEveryGaugeWhereItsTableSays) {
  Build(0);
  EXPECT_EQ(GetControlLocation(PanelHandle, 301), (IntPair{10, 270}));
  EXPECT_EQ(GetControlLocation(PanelHandle, 310), (IntPair{208, 270}));
  EXPECT_EQ(GetControlLocation(PanelHandle, 405), (IntPair{110, 90}));
  EXPECT_EQ(GetControlLocation(PanelHandle, 1303), (IntPair{296, 270}));
  EXPECT_EQ(GetControlLocation(PanelHandle, 510), (IntPair{234, 208}));
  EXPECT_EQ(GetControlLocation(PanelHandle, 1007), (IntPair{10, 574}));
  EXPECT_EQ(GetControlSize(PanelHandle, 1007), (IntPair{400, 20}));
  EXPECT_EQ(GetControlLocation(PanelHandle, 1106), (IntPair{560, 430}));
  EXPECT_EQ(GetControlLocation(PanelHandle, 1500), (IntPair{600, 430}));
  EXPECT_EQ(GetControlSize(PanelHandle, 1500), (IntPair{160, 140}));
  // Bitmap backgrounds: the meter and gauge created with pattern 6 keep the face in slot 2.
  EXPECT_NE(GetControlUserValue(GetControlHandle(PanelHandle, 1202), kSlotOffFace), 0);
  EXPECT_EQ(InstrumentAt(1202)->pattern, 6);
  EXPECT_EQ(InstrumentAt(1303)->pattern, 1);  // its own pattern replaces the bitmap's 6
  EXPECT_EQ(InstrumentAt(510)->textColor, probe::Rgb(200, 150, 150));
}

TEST_F(PanelGauges, FirstGaugeTickJittersAndFollowsTheClock) {
  Build(150);  // timers 600 and 610 tick once, at 100 ms
  RunToEnd();
  // Numbers 1..3 went to the layout; the tick draws 4..12 for 301..309, then 13..17 for the meters.
  EXPECT_EQ(InstrumentAt(301)->value, static_cast<float>(50 + 20 * NthRandom(4)));
  EXPECT_EQ(InstrumentAt(309)->value, static_cast<float>(50 + 20 * NthRandom(12)));
  EXPECT_EQ(InstrumentAt(310)->value, 9);
  EXPECT_EQ(InstrumentAt(1201)->value, static_cast<float>(100 * NthRandom(13)));
  EXPECT_EQ(InstrumentAt(1303)->value, static_cast<float>(100 * NthRandom(17)));
  for (int32_t id = 401; id <= 405; ++id) EXPECT_EQ(InstrumentAt(id)->value, 50) << id;
}

TEST_F(PanelGauges, ClockGaugesShowTheElapsedPartOfTheMinute) {
  Build(150, {}, ClockTime{9, 15, 59, 0});
  RunToEnd();
  EXPECT_EQ(InstrumentAt(401)->value, static_cast<float>(59.0 / 60 * 100));
  // Gauge 401 ("%" caption) looks exactly like a fresh one made at that value.
  CreateGauge(PanelHandle, 1900, 0, 0, 120, 16, "", 3, "verde", static_cast<float>(59.0 / 60 * 100), 10, "%",
              0xFFFFFF, "ori_blurosso", "verde", 0);
  EXPECT_EQ(testing_support::ComparePictures(PictureOf(1900), PictureOf(401), ""), "");
}

TEST_F(PanelGauges, StatusBox501ShowsTheTimeFromTheFirstTickOf620) {
  Build(250);
  RunToEnd();
  EXPECT_EQ(Caption(501), "ON");
  Build(350);
  RunToEnd();
  EXPECT_EQ(Caption(501), "12:00:30");
  EXPECT_EQ(InstrumentAt(501)->value, 0);
}

TEST_F(PanelGauges, StatusBoxes502To510NeverChange) {
  Build(1000);
  std::vector<platform::Surface> before;
  for (int32_t id = 502; id <= 510; ++id) before.push_back(PictureOf(id));
  RunToEnd();
  for (int32_t id = 502; id <= 510; ++id) {
    EXPECT_EQ(testing_support::ComparePictures(before[static_cast<size_t>(id - 502)], PictureOf(id), ""), "") << id;
  }
}

TEST_F(PanelGauges, LeftDragSetsTheLevelAndKeepsTheCaption) {
  Build(1100, Drag(MouseButton::kLeft, 209, 440, 109, 440));  // 1001: x 10..409
  RunToEnd();
  EXPECT_EQ(InstrumentAt(1001)->value, 25);  // (109 + 1 - 10) * 100 / 400
  EXPECT_EQ(Caption(1001), "<Testo lungo");
}

TEST_F(PanelGauges, RightDragSetsTheLevelAndThePercentCaptionForGood) {
  Build(2000, Drag(MouseButton::kRight, 209, 440, 309, 440));
  RunToEnd();
  EXPECT_EQ(InstrumentAt(1001)->value, 75);
  EXPECT_EQ(Caption(1001), "%");
}

TEST_F(PanelGauges, VerticalGaugesFollowTheCursorUpward) {
  Build(1100, Drag(MouseButton::kLeft, 455, 550, 455, 501));  // 1101: y 430..569
  RunToEnd();
  EXPECT_EQ(InstrumentAt(1101)->value, 50);  // 100 - (501 - 1 - 430) * 100 / 140
}

TEST_F(PanelGauges, Gauge1105FollowsTheLeftButtonOnly) {
  Build(1100, Drag(MouseButton::kRight, 545, 450, 545, 501));
  RunToEnd();
  EXPECT_EQ(InstrumentAt(1105)->value, 33);
  EXPECT_EQ(Caption(1105), "");
  Build(1100, Drag(MouseButton::kLeft, 545, 450, 545, 501));
  RunToEnd();
  EXPECT_EQ(InstrumentAt(1105)->value, 50);
}

TEST_F(PanelGauges, MovingWithoutAButtonOrOverOtherGaugesDragsNothing) {
  Build(1100, {{1000, Kind::kMove, 209, 440}, {1002, Kind::kMove, 109, 440}});
  RunToEnd();
  EXPECT_EQ(InstrumentAt(1001)->value, 33);
  Build(1100, Drag(MouseButton::kRight, 280, 40, 240, 40));  // status box 502 is not draggable
  RunToEnd();
  EXPECT_EQ(InstrumentAt(502)->value, 0);
  EXPECT_EQ(Caption(502), "OFF");
}

// The gauges and meters on the headless panel: their starting values, the
// gauge work of timers 610 and 620 on the virtual clock, and dragging levels
// and captions with scripted mouse input. Where each gauge lies and how it
// looks after one second is checked by the whole-panel golden picture.
#include <gtest/gtest.h>

#include <vector>

#include "instrument_panel/gauge.h"
#include "instrument_panel/texts.h"
#include "instruments/instrument_state.h"
#include "tests/canvas_probe.h"
#include "tests/support/headless_panel.h"
#include "tests/support/test_support.h"

using namespace ip;
using namespace ip::panel;

namespace {

using namespace headless_panel;

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

// Runs the panel for 1.2 s with one drag starting at 1 s.
void RunWithDrag(MouseButton button, int x, int y, int toX, int toY) {
  std::vector<ScriptedInput> input;
  Drag(input, 1000, button, x, y, toX, toY);
  RunPanel(1200, input);
}

}  // namespace

TEST(PanelGauges, MetersStartAtTheFirstThreeRandomNumbers) {
  Build(0);
  EXPECT_EQ(InstrumentAt(1201)->value, static_cast<float>(100 * NthRandom(1)));
  EXPECT_EQ(InstrumentAt(1301)->value, static_cast<float>(100 * NthRandom(2)));
  EXPECT_EQ(InstrumentAt(1302)->value, static_cast<float>(100 * NthRandom(3)));
  EXPECT_NEAR(InstrumentAt(1201)->value, 96.862006, 1e-4);
  const std::pair<int32_t, float> fixed[] = {{1202, 50}, {1303, 50}, {310, 9}, {1500, 0}, {1001, 33}};
  for (auto [id, value] : fixed) EXPECT_EQ(InstrumentAt(id)->value, value) << id;
}

TEST(PanelGauges, FirstGaugeTickJittersAndFollowsTheClock) {
  RunPanel(150);  // timers 600 and 610 tick once, at 100 ms
  // Numbers 1..3 went to the layout; the tick draws 4..12 for 301..309, then 13..17 for the meters.
  EXPECT_EQ(InstrumentAt(301)->value, static_cast<float>(50 + 20 * NthRandom(4)));
  EXPECT_EQ(InstrumentAt(309)->value, static_cast<float>(50 + 20 * NthRandom(12)));
  EXPECT_EQ(InstrumentAt(310)->value, 9);
  EXPECT_EQ(InstrumentAt(1201)->value, static_cast<float>(100 * NthRandom(13)));
  EXPECT_EQ(InstrumentAt(1303)->value, static_cast<float>(100 * NthRandom(17)));
  for (int32_t id = 401; id <= 405; ++id) EXPECT_EQ(InstrumentAt(id)->value, 50) << id;
}

TEST(PanelGauges, ClockGaugesShowTheElapsedPartOfTheMinute) {
  Build(150, {}, ClockTime{9, 15, 59, 0});
  RunToEnd();
  EXPECT_EQ(InstrumentAt(401)->value, static_cast<float>(59.0 / 60 * 100));
  // Gauge 401 ("%" caption) looks exactly like a fresh one made at that value.
  CreateGauge(PanelHandle, 1900, 0, 0, 120, 16, "", 3, "verde", static_cast<float>(59.0 / 60 * 100), 10, "%",
              0xFFFFFF, "ori_blurosso", "verde", 0);
  EXPECT_EQ(testing_support::ComparePictures(PictureOf(1900), PictureOf(401), ""), "");
}

TEST(PanelGauges, StatusBox501ShowsTheTimeFromTheFirstTickOf620) {
  RunPanel(250);
  EXPECT_EQ(Caption(501), "ON");
  RunPanel(350);
  EXPECT_EQ(Caption(501), "12:00:30");
  EXPECT_EQ(InstrumentAt(501)->value, 0);
}

TEST(PanelGauges, DragsSetLevelsAndCaptions) {
  RunWithDrag(MouseButton::kLeft, 209, 440, 109, 440);  // 1001: x 10..409
  EXPECT_EQ(InstrumentAt(1001)->value, 25);             // (109 + 1 - 10) * 100 / 400
  EXPECT_EQ(Caption(1001), "<Testo lungo");             // a left drag keeps the caption
  RunWithDrag(MouseButton::kRight, 209, 440, 309, 440);
  EXPECT_EQ(InstrumentAt(1001)->value, 75);
  EXPECT_EQ(Caption(1001), "%");                        // a right drag sets "%" for good
  RunWithDrag(MouseButton::kLeft, 455, 550, 455, 501);  // 1101: y 430..569, upward
  EXPECT_EQ(InstrumentAt(1101)->value, 50);             // 100 - (501 - 1 - 430) * 100 / 140
}

TEST(PanelGauges, Gauge1105FollowsTheLeftButtonOnly) {
  RunWithDrag(MouseButton::kRight, 545, 450, 545, 501);
  EXPECT_EQ(InstrumentAt(1105)->value, 33);
  EXPECT_EQ(Caption(1105), "");
  RunWithDrag(MouseButton::kLeft, 545, 450, 545, 501);
  EXPECT_EQ(InstrumentAt(1105)->value, 50);
}

TEST(PanelGauges, MovingWithoutAButtonOrOverOtherGaugesDragsNothing) {
  RunPanel(1100, {{1000, Kind::kMove, 209, 440}, {1002, Kind::kMove, 109, 440}});
  EXPECT_EQ(InstrumentAt(1001)->value, 33);
  RunWithDrag(MouseButton::kRight, 280, 40, 240, 40);  // status box 502 is not draggable
  EXPECT_EQ(InstrumentAt(502)->value, 0);
  EXPECT_EQ(Caption(502), "OFF");
}

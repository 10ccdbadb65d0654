// Golden pictures of the whole panel, run headless on the virtual clock:
// after one second untouched, and after three seconds of clicks and drags.
// The pictures are compared exactly; a difference names the first wrong
// pixel and writes NAME_diff.png into the build folder. Where each group of
// instruments stands is checked on its own, so that a wrong row is named.
#include <gtest/gtest.h>

#include <vector>

#include "instrument_panel/instrument_table.h"
#include "tests/support/headless_panel.h"
#include "tests/support/test_support.h"

using namespace ip;
using namespace ip::panel;

using namespace headless_panel;

TEST(PanelGolden, OneSecondAfterStartAtHalfPastTheMinute) {
  platform::Surface shown = RunPanel(1000, {});
  ASSERT_EQ(shown.width, kPanelWidth);
  ASSERT_EQ(shown.height, kPanelHeight);
  EXPECT_EQ(testing_support::CompareWithGolden("panel_1s", shown), "");
}

TEST(PanelGolden, ThreeSecondsOfClicksAndDrags) {
  std::vector<ScriptedInput> input;
  Click(input, 400, 600, 176);                                  // button 903: ON
  Click(input, 700, 590, 50);                                   // wooden switch 700
  Drag(input, 1000, MouseButton::kLeft, 500, 280, 478, 320);    // knob 1402
  Drag(input, 1500, MouseButton::kRight, 50, 440, 300, 440);    // gauge 1001: level and "%"
  Drag(input, 2000, MouseButton::kLeft, 460, 450, 460, 520);    // gauge 1101
  platform::Surface shown = RunPanel(3000, input);
  EXPECT_EQ(testing_support::CompareWithGolden("panel_interactions", shown), "");
}

// Each row: a run of identifiers of one group, each `step` further on from
// the first's place, all of one size and kind. Together they are all 85.
TEST(PanelLayout, EveryGroupStandsWhereItsRowsSay) {
  using K = InstrumentKind;
  const struct {
    const char* group;
    int32_t first, last;
    IntPair place, step, size;
    InstrumentKind kind;
  } rows[] = {
      {"rectangular lamps", 101, 110, {10, 10}, {0, 22}, {64, 18}, K::kLedLamp},
      {"round lamps", 201, 210, {80, 10}, {0, 22}, {18, 18}, K::kRoundLamp},
      {"vertical gauges", 301, 310, {10, 270}, {22, 0}, {18, 140}, K::kGauge},
      {"horizontal gauges", 401, 405, {110, 10}, {0, 20}, {120, 16}, K::kGauge},
      {"horizontal meters", 1201, 1202, {110, 130}, {0, 22}, {120, 18}, K::kGauge},
      {"vertical meters", 1301, 1303, {240, 270}, {28, 0}, {24, 140}, K::kGauge},
      {"displays", 408, 410, {300, 10}, {0, 36}, {84, 32}, K::kDigitalDisplay},
      {"status boxes", 501, 510, {234, 10}, {0, 22}, {60, 18}, K::kGauge},
      {"text panels", 601, 603, {400, 10}, {0, 84}, {120, 80}, K::kCanvas},
      {"wooden switch", 700, 700, {530, 10}, {0, 0}, {120, 80}, K::kBitmapSwitch},
      {"marquee", 800, 800, {660, 10}, {0, 0}, {120, 80}, K::kCanvas},
      {"buttons", 901, 907, {540, 110}, {0, 28}, {164, 22}, K::kToggleButton},
      {"small bitmap switches", 908, 909, {540, 306}, {22, 0}, {22, 22}, K::kToggleButton},
      {"large bitmap switch", 910, 910, {584, 306}, {0, 0}, {40, 40}, K::kToggleButton},
      {"long gauges", 1001, 1007, {10, 430}, {0, 24}, {400, 20}, K::kGauge},
      {"tall gauges", 1101, 1106, {450, 430}, {22, 0}, {20, 140}, K::kGauge},
      {"large knob", 1401, 1401, {350, 270}, {0, 0}, {120, 120}, K::kKnob},
      {"middle knob", 1402, 1402, {470, 270}, {0, 0}, {60, 60}, K::kKnob},
      {"small knob", 1403, 1403, {470, 334}, {0, 0}, {40, 40}, K::kKnob},
      {"blackboard", 1500, 1500, {600, 430}, {0, 0}, {160, 140}, K::kGauge},
  };
  Build(0);
  int listed = 0;
  for (const auto& row : rows) {
    for (int32_t id = row.first; id <= row.last; ++id, ++listed) {
      SCOPED_TRACE(testing::Message() << row.group << ": " << id);
      const int32_t n = id - row.first;
      EXPECT_EQ(GetControlLocation(PanelHandle, id),
                (IntPair{row.place.first + n * row.step.first, row.place.second + n * row.step.second}));
      EXPECT_EQ(GetControlSize(PanelHandle, id), row.size);
      EXPECT_EQ(InstrumentKindOf(id), row.kind);
    }
  }
  int made = 0;
  for (int32_t id = 0; id <= kInstrumentTableLast; ++id) made += GetControlHandle(PanelHandle, id) != 0;
  EXPECT_EQ(listed, 85);
  EXPECT_EQ(made, listed);
}

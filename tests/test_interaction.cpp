// Knobs and gauges that follow the mouse through FollowMouse, driven by
// scripted input on the headless window system: which controls follow which
// button, to which value, with which caption, and what FollowMouse returns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instrument_panel/dialog.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/interaction.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/session.h"
#include "instruments/instrument_state.h"

using namespace ip;

namespace {

using Kind = ScriptedInput::Kind;

constexpr int32_t kKnob = 1, kTallGauge = 2, kWideGauge = 3, kCaptionBox = 4;

// A press at (x, y), a move through the midpoint to (toX, toY) and the
// release there, within 150 ms.
std::vector<ScriptedInput> Drag(MouseButton button, int x, int y, int toX, int toY) {
  return {{0, Kind::kMove, x, y},
          {1, Kind::kButtonDown, x, y, button},
          {50, Kind::kMove, (x + toX) / 2, (y + toY) / 2},
          {100, Kind::kMove, toX, toY},
          {150, Kind::kButtonUp, toX, toY, button}};
}

class FollowMouseTest : public ::testing::Test {
 protected:
  // Runs a dialog with a knob (-150..150 degrees, at 0), a tall "ver" gauge
  // 20 x 140, a wide "ori" gauge 120 x 20 and a caption box under the input,
  // passing every message to FollowMouse. Returns how often it said it
  // changed an instrument.
  int Run(const std::vector<ScriptedInput>& input, const FollowMouseOptions& options = {}) {
    HeadlessSettings settings;
    settings.runMs = 200;
    settings.input = input;
    StartHeadlessSession(settings);
    ClearInstrumentTable();
    const Handle dialog = CreateDialogWindow(0, "mouse", -1, -1, 300, 200, 0, 0, kUnitsPixels);
    CreateKnob(dialog, kKnob, 10, 10, 60, 60, "", 4, 12, -150, 150, 50);
    CreateGauge(dialog, kTallGauge, 100, 10, 20, 140, "", 1, "verde", 30, 10, "2", 0, "ver_ago", "grigio", 0);
    CreateGauge(dialog, kWideGauge, 150, 10, 120, 20, "", 1, "verde", 30, 10, "3", 0, "ori_blurosso", "grigio", 0);
    CreateGauge(dialog, kCaptionBox, 150, 50, 60, 18, "", 1, "verde", 30, 0, "box", 0, "", "grigio", 0);
    int changes = 0;
    RunDialogModal(
        [&](Handle window, uint32_t message, uint32_t wParam, uint32_t) -> int32_t {
          changes += FollowMouse(window, message, wParam, options) ? 1 : 0;
          return 0;
        },
        dialog, nullptr);
    dialog_ = dialog;
    return changes;
  }

  Handle dialog_ = 0;
};

// Tall gauge: level = 100 - (y - 1 - 10) x 100 / 140; y 81 gives 50.
// Wide gauge: level = (x + 1 - 150) x 100 / 120; x 209 gives 50.
TEST_F(FollowMouseTest, LeftButtonMovesLevelsWithTheStoredCaption) {
  EXPECT_EQ(Run(Drag(MouseButton::kLeft, 110, 100, 110, 81)), 3);  // held at the two moves and the release
  EXPECT_EQ(GetGaugeValue(dialog_, kTallGauge), 50.0f);
  EXPECT_EQ(GetGaugeCaption(dialog_, kTallGauge), "2");
  EXPECT_EQ(Run(Drag(MouseButton::kLeft, 160, 20, 209, 20)), 3);
  EXPECT_EQ(GetGaugeValue(dialog_, kWideGauge), 50.0f);
  EXPECT_EQ(GetGaugeCaption(dialog_, kWideGauge), "3");
}

TEST_F(FollowMouseTest, RightButtonFollowsOnlyWhereAllowedAndShowsPercent) {
  EXPECT_EQ(Run(Drag(MouseButton::kRight, 160, 20, 209, 20)), 0);
  EXPECT_EQ(GetGaugeValue(dialog_, kWideGauge), 30.0f);
  FollowMouseOptions options;
  options.followsRightButton = [](int32_t id) { return id == kWideGauge; };
  EXPECT_EQ(Run(Drag(MouseButton::kRight, 160, 20, 209, 20), options), 3);
  EXPECT_EQ(GetGaugeValue(dialog_, kWideGauge), 50.0f);
  EXPECT_EQ(GetGaugeCaption(dialog_, kWideGauge), "50%");
  EXPECT_EQ(Run(Drag(MouseButton::kRight, 110, 100, 110, 81), options), 0);
  EXPECT_EQ(GetGaugeValue(dialog_, kTallGauge), 30.0f);
}

// Knob centre (40, 40): to the right (69, the last column) is 90 degrees, straight up 0 (the
// cursor's horizontal distance is kept off zero, so up is a hair past 0).
TEST_F(FollowMouseTest, LeftButtonTurnsKnobsToTheCursorAngle) {
  EXPECT_EQ(Run(Drag(MouseButton::kLeft, 40, 20, 69, 40)), 3);
  EXPECT_EQ(GetKnobAngle(dialog_, kKnob), 90);
  EXPECT_EQ(GetKnobPercent(dialog_, kKnob), 80.0f);
  EXPECT_EQ(Run(Drag(MouseButton::kLeft, 60, 40, 40, 11)), 3);
  EXPECT_EQ(GetKnobAngle(dialog_, kKnob), 0);
}

TEST_F(FollowMouseTest, WhatDoesNotFollow) {
  // A caption box has no axis; the right button turns no knob; moves without
  // a button change nothing; a filter keeps a gauge still.
  EXPECT_EQ(Run(Drag(MouseButton::kLeft, 160, 55, 200, 55)), 0);
  EXPECT_EQ(GetGaugeValue(dialog_, kCaptionBox), 30.0f);
  EXPECT_EQ(Run(Drag(MouseButton::kRight, 40, 20, 69, 40)), 0);
  EXPECT_EQ(GetKnobAngle(dialog_, kKnob), 0);
  EXPECT_EQ(Run({{0, Kind::kMove, 110, 100}, {50, Kind::kMove, 110, 81}}), 0);
  EXPECT_EQ(GetGaugeValue(dialog_, kTallGauge), 30.0f);
  FollowMouseOptions options;
  options.follows = [](int32_t id) { return id != kTallGauge; };
  EXPECT_EQ(Run(Drag(MouseButton::kLeft, 110, 100, 110, 81), options), 0);
  EXPECT_EQ(GetGaugeValue(dialog_, kTallGauge), 30.0f);
  EXPECT_FALSE(FollowMouse(dialog_, WM_TIMER, 0));
}

}  // namespace

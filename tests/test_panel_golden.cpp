// Golden pictures of the whole panel, run headless on the virtual clock:
// after one second untouched, and after three seconds of clicks and drags.
// The pictures are compared exactly; a difference names the first wrong
// pixel and writes NAME_diff.png into the build folder.
#include <gtest/gtest.h>

#include <vector>

#include "host/dialog.h"
#include "host/dialog_session.h"
#include "panel/panel.h"
#include "tests/support/test_support.h"

namespace {

using Kind = ScriptedInput::Kind;
using platform::MouseButton;

constexpr ClockTime kHalfMinute{12, 0, 30, 0};

platform::Surface RunPanel(int64_t runMs, const std::vector<ScriptedInput>& input) {
  HeadlessSettings settings;
  settings.clockStart = kHalfMinute;
  settings.runMs = runMs;
  settings.input = input;
  StartHeadlessSession(settings);
  ResetPanelState();
  CreatePanel();
  RunDialogModal(PanelCallback, PanelHandle, nullptr);
  return platform::HeadlessShownPicture();
}

void Click(std::vector<ScriptedInput>& input, int64_t ms, int x, int y) {
  input.push_back({ms, Kind::kMove, x, y});
  input.push_back({ms, Kind::kButtonDown, x, y, MouseButton::kLeft});
  input.push_back({ms, Kind::kButtonUp, x, y, MouseButton::kLeft});
}

void Drag(std::vector<ScriptedInput>& input, int64_t ms, MouseButton button, int x, int y, int toX, int toY) {
  input.push_back({ms, Kind::kMove, x, y});
  input.push_back({ms + 1, Kind::kButtonDown, x, y, button});
  input.push_back({ms + 50, Kind::kMove, (x + toX) / 2, (y + toY) / 2});
  input.push_back({ms + 100, Kind::kMove, toX, toY});
  input.push_back({ms + 150, Kind::kButtonUp, toX, toY, button});
}

}  // namespace

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

// Golden pictures of the whole panel, run headless on the virtual clock:
// after one second untouched, and after three seconds of clicks and drags.
// The pictures are compared exactly; a difference names the first wrong
// pixel and writes NAME_diff.png into the build folder.
#include <gtest/gtest.h>

#include <vector>

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

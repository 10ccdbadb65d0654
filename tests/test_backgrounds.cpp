// Panel backgrounds: the rows and columns each pattern paints, their shades
// (ties to even), and the patterns that paint nothing.
#include <gtest/gtest.h>

#include "host/canvas.h"
#include "host/dialog.h"
#include "instruments/instrument_table.h"
#include "tests/canvas_probe.h"
#include "toolkit/backgrounds.h"

using probe::At;
using probe::C;
using probe::Grey;

namespace {

constexpr ColorRef kFill = probe::Rgb(1, 2, 3);
const probe::Color kUntouched{kFill};

// A bitmap canvas filled with kFill, painted with one pattern. A bitmap
// canvas is found through its own handle, with any control id.
platform::Surface Paint(int32_t width, int32_t height, int32_t frame, const std::string& fill, int32_t pattern) {
  const Handle canvas = probe::FreshCanvas(width, height, kFill);
  DrawPanelBackground(canvas, 0, frame, fill, pattern);
  return probe::Snapshot();
}

}  // namespace

TEST(Background, Pattern0IsAHorizontalCylinder) {
  const platform::Surface s = Paint(120, 16, 1, "verde", 0);
  EXPECT_EQ(At(s, 1, 1), C(0, 32, 0));      // j = 2: shade round(223.125) = 223
  EXPECT_EQ(At(s, 118, 14), C(0, 32, 0));
  EXPECT_EQ(At(s, 60, 7), C(27, 127, 27));  // j = 8: shade round(127.5) = 128
  EXPECT_EQ(At(s, 60, 8), C(27, 127, 27));
  EXPECT_EQ(At(s, 0, 1), kUntouched);       // the frame is left alone
  EXPECT_EQ(At(s, 119, 1), kUntouched);
  EXPECT_EQ(At(s, 60, 0), kUntouched);
  EXPECT_EQ(At(s, 60, 15), kUntouched);
}

TEST(Background, Pattern0LeavesTheMiddleRowWhenHalfTheHeightRoundsDown) {
  const platform::Surface s = Paint(30, 17, 1, "verde", 0);  // round(8.5) = 8
  EXPECT_NE(At(s, 10, 7), kUntouched);
  EXPECT_EQ(At(s, 10, 8), kUntouched);
  EXPECT_NE(At(s, 10, 9), kUntouched);
}

TEST(Background, Pattern1IsDarkAtTheBottom) {
  const platform::Surface s = Paint(20, 140, 2, "verde", 1);
  EXPECT_EQ(At(s, 2, 137), C(0, 5, 0));        // j = 3: round(249.536) = 250
  EXPECT_EQ(At(s, 17, 2), C(151, 251, 151));   // j = 138: round(3.643) = 4
  EXPECT_EQ(At(s, 18, 137), kUntouched);
  EXPECT_EQ(At(s, 10, 138), kUntouched);
  EXPECT_EQ(At(s, 10, 1), kUntouched);
}

TEST(Background, Pattern2OverlapsInTheMiddleWhereTheLaterLineWins) {
  const platform::Surface s = Paint(20, 10, 1, "grigio", 2);
  EXPECT_EQ(At(s, 1, 1), Grey(25));   // j = 2: 229.5 rounds to 230
  EXPECT_EQ(At(s, 18, 8), Grey(25));
  EXPECT_EQ(At(s, 8, 4), Grey(115));  // j = 9
  EXPECT_EQ(At(s, 11, 4), Grey(115));
  EXPECT_EQ(At(s, 9, 4), Grey(140));  // j = 10 painted 128, then j = 11 painted 115
  EXPECT_EQ(At(s, 10, 4), Grey(140));
  EXPECT_EQ(At(s, 1, 9), kUntouched);
  EXPECT_EQ(At(s, 0, 4), kUntouched);
  EXPECT_EQ(At(s, 19, 4), kUntouched);
}

TEST(Background, Pattern3WithoutAColourNameIsGreenish) {
  const platform::Surface s = Paint(60, 18, 1, "", 3);  // n = round(1.8000000268) = 2
  EXPECT_EQ(At(s, 1, 1), C(0, 45, 0));
  EXPECT_EQ(At(s, 30, 1), C(0, 45, 0));
  EXPECT_EQ(At(s, 1, 10), C(0, 45, 0));
  EXPECT_EQ(At(s, 2, 2), C(33, 78, 33));
  EXPECT_EQ(At(s, 3, 3), C(67, 112, 67));
  EXPECT_EQ(At(s, 58, 16), C(67, 112, 67));
  EXPECT_EQ(At(s, 59, 16), kUntouched);
  EXPECT_EQ(At(s, 58, 17), kUntouched);
}

TEST(Background, Pattern3WithAColourNameShadesTheBand) {
  const platform::Surface s = Paint(400, 20, 1, "oro", 3);  // shades 205, 175, 145
  EXPECT_EQ(At(s, 1, 1), C(50, 50, 0));
  EXPECT_EQ(At(s, 2, 2), C(80, 80, 0));
  EXPECT_EQ(At(s, 3, 3), C(110, 110, 10));
  EXPECT_EQ(At(s, 200, 10), C(110, 110, 10));
}

TEST(Background, Pattern4IsDarkAtTheTop) {
  const platform::Surface s = Paint(10, 10, 1, "grigio", 4);
  EXPECT_EQ(At(s, 1, 1), Grey(51));   // j = 2: shade 204
  EXPECT_EQ(At(s, 8, 8), Grey(229));  // j = 9: 25.5 rounds to 26
  EXPECT_EQ(At(s, 9, 8), kUntouched);
  EXPECT_EQ(At(s, 5, 9), kUntouched);
}

TEST(Background, Pattern5IsAGrooveDarkInTheMiddle) {
  const platform::Surface s = Paint(20, 10, 1, "grigio", 5);
  EXPECT_EQ(At(s, 1, 1), Grey(204));   // j = 2: shade 51
  EXPECT_EQ(At(s, 18, 1), Grey(204));
  EXPECT_EQ(At(s, 9, 5), Grey(89));    // j = 11: round(165.75) = 166, drawn last
  EXPECT_EQ(At(s, 10, 5), Grey(89));
}

TEST(Background, UnknownPatternsDrawNothing) {
  for (int32_t pattern : {7, -1, 100}) {
    SCOPED_TRACE(pattern);
    const Handle canvas = probe::FreshCanvas(20, 10, kFill);
    const platform::Surface before = probe::Snapshot();
    DrawPanelBackground(canvas, 0, 1, "verde", pattern);
    EXPECT_EQ(probe::Snapshot().pixels, before.pixels);
  }
}

TEST(Background, Pattern6StretchesTheBitmapOfSlot2OverTheInnerArea) {
  const Handle dialog = CreateDialogWindow(0, "backgrounds", -1, -1, 200, 200, 0, 0, kUnitsPixels);
  ASSERT_NE(dialog, 0u);
  AddCanvasControl(dialog, 7, 0, 0, 40, 30, 0, 0, nullptr, "");
  const Handle face = probe::FreshCanvas(40, 30, probe::Rgb(255, 0, 0));
  CanvasAttach(dialog, 7, kAttachRedrawOnRequest);
  const platform::Surface before = probe::Snapshot();

  DrawPanelBackground(dialog, 7, 3, "", 6);  // slot 2 still 0: nothing to stretch
  EXPECT_EQ(probe::Snapshot().pixels, before.pixels);

  SetControlUserValue(GetControlHandle(dialog, 7), kSlotOffFace, static_cast<int32_t>(face));
  DrawPanelBackground(dialog, 7, 3, "", 6);
  const platform::Surface s = probe::Snapshot();
  EXPECT_EQ(At(s, 3, 3), C(255, 0, 0));
  EXPECT_EQ(At(s, 36, 26), C(255, 0, 0));
  EXPECT_EQ(At(s, 2, 2), At(before, 2, 2));
  EXPECT_EQ(At(s, 20, 2), At(before, 20, 2));
  EXPECT_EQ(At(s, 2, 20), At(before, 2, 20));
  EndDialogWindow(dialog, 0);
}

TEST(Background, AbsurdFrameWidthsFinishAndDrawOnlyWhatTheCanvasShows) {
  // A frame width of minus a billion: the ramp's lines run across the whole
  // canvas, each row in the shade of its j (j = H - row).
  const platform::Surface s = Paint(10, 10, -1000000000, "grigio", 1);
  EXPECT_EQ(At(s, 0, 9), Grey(25));   // j = 1: 229.5 rounds to 230
  EXPECT_EQ(At(s, 9, 0), Grey(255));  // j = 10: shade 0
  // Minus the largest width: the cylinder's rows all lie on the canvas.
  EXPECT_EQ(At(Paint(10, 10, INT32_MIN, "grigio", 0), 5, 5), Grey(127));  // j = 5: shade 127.5 -> 128
  // The largest width leaves no inside: the line patterns draw nothing.
  for (int32_t pattern : {0, 1, 2, 4, 5}) {
    SCOPED_TRACE(pattern);
    const platform::Surface wide = Paint(10, 10, INT32_MAX, "grigio", pattern);
    EXPECT_EQ(At(wide, 5, 5), kUntouched);
  }
}

// Panel backgrounds: the rows and columns each pattern paints, their shades
// (ties to even), and the patterns that paint nothing.
#include <gtest/gtest.h>

#include "instrument_panel/backgrounds.h"
#include "tests/canvas_probe.h"

using namespace ip;
using namespace ip::panel;

using namespace probe;

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

TEST(Background, EachPatternPaintsItsRowsAndColumnsInRoundedShades) {
  // Pattern 0, a cylinder across: j = 2 shade round(223.125) = 223, j = 8
  // round(127.5) = 128; the frame is left alone.
  EXPECT_DOTS(Paint(120, 16, 1, "verde", 0), {{1, 1, C(0, 32, 0)}, {118, 14, C(0, 32, 0)}, {60, 7, C(27, 127, 27)},
                                             {60, 8, C(27, 127, 27)}, {0, 1, kUntouched}, {119, 1, kUntouched},
                                             {60, 0, kUntouched}, {60, 15, kUntouched}});
  // Half of 17 rounds down to 8: the middle row is left.
  const platform::Surface odd = Paint(30, 17, 1, "verde", 0);
  EXPECT_NE(At(odd, 10, 7), kUntouched);
  EXPECT_EQ(At(odd, 10, 8), kUntouched);
  EXPECT_NE(At(odd, 10, 9), kUntouched);
  // Pattern 1, dark at the bottom: j = 3 round(249.536) = 250, j = 138 round(3.643) = 4.
  EXPECT_DOTS(Paint(20, 140, 2, "verde", 1), {{2, 137, C(0, 5, 0)}, {17, 2, C(151, 251, 151)},
                                             {18, 137, kUntouched}, {10, 138, kUntouched}, {10, 1, kUntouched}});
  // Pattern 2 overlaps in the middle, where the later line wins: j = 2 229.5
  // rounds to 230, j = 9; j = 10 painted 128, then j = 11 painted 115.
  EXPECT_DOTS(Paint(20, 10, 1, "grigio", 2), {{1, 1, Grey(25)}, {18, 8, Grey(25)}, {8, 4, Grey(115)},
                                             {11, 4, Grey(115)}, {9, 4, Grey(140)}, {10, 4, Grey(140)},
                                             {1, 9, kUntouched}, {0, 4, kUntouched}, {19, 4, kUntouched}});
  // Pattern 3 without a colour name is greenish: n = round(1.8000000268) = 2.
  EXPECT_DOTS(Paint(60, 18, 1, "", 3), {{1, 1, C(0, 45, 0)}, {30, 1, C(0, 45, 0)}, {1, 10, C(0, 45, 0)},
                                       {2, 2, C(33, 78, 33)}, {3, 3, C(67, 112, 67)}, {58, 16, C(67, 112, 67)},
                                       {59, 16, kUntouched}, {58, 17, kUntouched}});
  // Pattern 3 with a colour name shades the band 205, 175, 145.
  EXPECT_DOTS(Paint(400, 20, 1, "oro", 3), {{1, 1, C(50, 50, 0)}, {2, 2, C(80, 80, 0)}, {3, 3, C(110, 110, 10)},
                                           {200, 10, C(110, 110, 10)}});
  // Pattern 4, dark at the top: j = 2 shade 204, j = 9 25.5 rounds to 26.
  EXPECT_DOTS(Paint(10, 10, 1, "grigio", 4), {{1, 1, Grey(51)}, {8, 8, Grey(229)}, {9, 8, kUntouched},
                                             {5, 9, kUntouched}});
  // Pattern 5, a groove dark in the middle: j = 2 shade 51, j = 11 round(165.75) = 166, drawn last.
  EXPECT_DOTS(Paint(20, 10, 1, "grigio", 5), {{1, 1, Grey(204)}, {18, 1, Grey(204)}, {9, 5, Grey(89)},
                                             {10, 5, Grey(89)}});
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
  EXPECT_DOTS(probe::Snapshot(), {{3, 3, C(255, 0, 0)}, {36, 26, C(255, 0, 0)}, {2, 2, At(before, 2, 2)},
                                 {20, 2, At(before, 20, 2)}, {2, 20, At(before, 2, 20)}});
  EndDialogWindow(dialog, 0);
}

TEST(Background, AbsurdFrameWidthsFinishAndDrawOnlyWhatTheCanvasShows) {
  // A frame width of minus a billion: the ramp's lines run across the whole
  // canvas, each row in the shade of its j (j = H - row).
  // j = 1: 229.5 rounds to 230; j = 10: shade 0.
  EXPECT_DOTS(Paint(10, 10, -1000000000, "grigio", 1), {{0, 9, Grey(25)}, {9, 0, Grey(255)}});
  // Minus the largest width: the cylinder's rows all lie on the canvas.
  EXPECT_EQ(At(Paint(10, 10, INT32_MIN, "grigio", 0), 5, 5), Grey(127));  // j = 5: shade 127.5 -> 128
  // The largest width leaves no inside: the line patterns draw nothing.
  for (int32_t pattern : {0, 1, 2, 4, 5}) {
    SCOPED_TRACE(pattern);
    const platform::Surface wide = Paint(10, 10, INT32_MAX, "grigio", pattern);
    EXPECT_EQ(At(wide, 5, 5), kUntouched);
  }
}

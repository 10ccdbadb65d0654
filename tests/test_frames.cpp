// Frames and bevels: ring and line positions, shades rounded with ties to
// even, and thicknesses that draw nothing.
#include <gtest/gtest.h>

#include <climits>

#include "instrument_panel/frames.h"
#include "tests/canvas_probe.h"

using namespace ip;
using namespace ip::panel;

using namespace probe;

namespace {

constexpr ColorRef kFill = probe::Rgb(1, 2, 3);
const probe::Color kUntouched{kFill};

}  // namespace

TEST(BoxFrame, FourRingsDarkenInwardWithRoundedShades) {
  probe::FreshCanvas(12, 10, kFill);
  DrawBoxFrame(4, "grigio");  // shades 0, 64, 128, 191
  const platform::Surface s = probe::Snapshot();
  const int expected[] = {255, 191, 127, 64};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(At(s, i, 5), Grey(expected[i]));       // left column of ring i
    EXPECT_EQ(At(s, 11 - i, 5), Grey(expected[i]));  // right column W - i - 1
    EXPECT_EQ(At(s, 6, i), Grey(expected[i]));       // top row
    EXPECT_EQ(At(s, 6, 9 - i), Grey(expected[i]));   // bottom row H - i - 1
  }
  EXPECT_EQ(At(s, 4, 5), kUntouched);
  EXPECT_EQ(At(s, 7, 5), kUntouched);
  EXPECT_EQ(At(s, 6, 4), kUntouched);
}

TEST(BoxFrame, HalfwayShadesRoundToEven) {
  // Thickness 2, ring 1: 127.5 -> 128; 6, ring 1: 42.5 -> 42; 10, ring 5: 127.5 -> 128.
  const struct {
    int32_t thickness;
    int ring, grey;
  } rows[] = {{2, 1, 127}, {6, 1, 213}, {10, 5, 127}};
  for (const auto& row : rows) {
    probe::FreshCanvas(30, 30, kFill);
    DrawBoxFrame(row.thickness, "grigio");
    EXPECT_EQ(At(probe::Snapshot(), row.ring, 15), Grey(row.grey)) << row.thickness;
  }
}

TEST(BoxFrame, OneRingHasTheFullColour) {
  probe::FreshCanvas(8, 6, kFill);
  DrawBoxFrame(1, "verde");
  EXPECT_DOTS(probe::Snapshot(), {{0, 0, C(155, 255, 155)}, {7, 5, C(155, 255, 155)}, {1, 1, kUntouched}});
}

TEST(Frames, ZeroOrNegativeThicknessDrawsNothing) {
  for (int n : {0, -1, -7}) {
    SCOPED_TRACE(n);
    probe::FreshCanvas(10, 8, kFill);
    const platform::Surface before = probe::Snapshot();
    DrawBoxFrame(n, "rosso");
    DrawBevelTopLeft(n, "rosso");
    DrawBevelBottomRight(n, "rosso");
    EXPECT_EQ(probe::Snapshot().pixels, before.pixels);
  }
}

TEST(BevelTopLeft, LinesRunFromTheirIndexToTheFarEdge) {
  probe::FreshCanvas(12, 10, kFill);
  DrawBevelTopLeft(3, "grigio");  // shades 0, 85, 170
  // Left edge: column i, rows i .. H - i - 1; top edge: row i, columns i .. W - i - 1.
  EXPECT_DOTS(probe::Snapshot(), {{0, 9, Grey(255)}, {1, 8, Grey(170)}, {1, 9, kUntouched}, {2, 7, Grey(85)},
                                  {2, 8, kUntouched}, {11, 0, Grey(255)}, {10, 1, Grey(170)}, {11, 1, kUntouched},
                                  {9, 2, Grey(85)}, {10, 2, kUntouched}, {3, 3, kUntouched}});
}

TEST(BevelBottomRight, InnermostLineHasTheFullColour) {
  probe::FreshCanvas(12, 10, kFill);
  DrawBevelBottomRight(4, "grigio");  // from the inside out: shades 0, 64, 128, 191
  // Right edge of line i: column W - i, rows i - 1 .. H - i - 1.
  EXPECT_DOTS(probe::Snapshot(), {{8, 3, Grey(255)}, {8, 2, kUntouched}, {9, 2, Grey(191)}, {9, 1, kUntouched},
                                  {10, 1, Grey(127)}, {11, 0, Grey(64)}});
  // Bottom edge of line i: row H - i, columns i .. W - i.
  EXPECT_DOTS(probe::Snapshot(), {{4, 6, Grey(255)}, {3, 6, kUntouched}, {9, 7, Grey(191)}, {2, 8, Grey(127)},
                                  {1, 8, kUntouched}, {1, 9, Grey(64)}, {11, 9, Grey(64)}, {0, 9, kUntouched},
                                  {7, 5, kUntouched}});
}

TEST(Bevels, BottomRightHalfWinsWhereTheHalvesMeet) {
  probe::FreshCanvas(12, 10, kFill);
  DrawBevelTopLeft(1, "rosso");
  DrawBevelBottomRight(1, "verde");
  // The top line reaches column W - 1, then is overdrawn; the bottom line starts at column 1.
  EXPECT_DOTS(probe::Snapshot(), {{0, 0, C(255, 155, 155)}, {11, 0, C(155, 255, 155)}, {0, 9, C(255, 155, 155)},
                                  {1, 9, C(155, 255, 155)}});
}

// 40 lines on a 12 x 10 canvas, most of them wholly outside it: every visible
// one is drawn, the later over the earlier. Line i has shade round(6.375 i),
// counted from the inside for the bottom-right bevel. Lines past the middle
// run the other way: a ring whose corners have crossed is the box they span,
// a bevel line runs back from its start.
TEST(Frames, ThicknessesBeyondTheCanvasDrawEveryVisibleLine) {
  probe::FreshCanvas(12, 10, kFill);
  DrawBoxFrame(40, "grigio");  // column x last from ring 12 - x, row 0 from ring 10 (63.75 -> 64)
  EXPECT_DOTS(probe::Snapshot(), {{0, 5, Grey(179)}, {1, 5, Grey(185)}, {2, 5, Grey(191)}, {3, 5, Grey(198)},
                                  {4, 5, Grey(204)}, {7, 5, Grey(204)}, {11, 5, Grey(179)}, {5, 0, Grey(191)}});
  probe::FreshCanvas(12, 10, kFill);
  DrawBevelTopLeft(40, "grigio");  // columns 0..4 down to their ends, 6.. up from row i
  EXPECT_DOTS(probe::Snapshot(), {{0, 9, Grey(255)}, {1, 8, Grey(249)}, {2, 7, Grey(242)}, {3, 6, Grey(236)},
                                  {4, 5, Grey(229)}, {6, 5, Grey(217)}, {7, 5, Grey(210)}, {11, 0, Grey(185)}});
  probe::FreshCanvas(12, 10, kFill);
  DrawBevelBottomRight(40, "grigio");  // columns 11..7 from their upper ends (229.5 -> 230), 6.. back up
  EXPECT_DOTS(probe::Snapshot(), {{11, 0, Grey(6)}, {10, 1, Grey(13)}, {9, 2, Grey(19)}, {8, 3, Grey(25)},
                                  {7, 4, Grey(32)}, {6, 4, Grey(38)}, {5, 4, Grey(45)}, {1, 9, Grey(6)}});
}

TEST(Frames, AHugeThicknessFinishesWithTheFullColourEverywhere) {
  probe::FreshCanvas(12, 10, kFill);
  DrawBoxFrame(INT32_MAX, "grigio");
  const platform::Surface s = probe::Snapshot();
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(At(s, x, y), Grey(255)) << x << ", " << y;
  probe::FreshCanvas(12, 10, kFill);
  DrawBevelTopLeft(INT32_MAX, "rosso");  // the outermost line, shade 0
  EXPECT_EQ(At(probe::Snapshot(), 0, 5), C(255, 155, 155));
  probe::FreshCanvas(12, 10, kFill);
  DrawBevelBottomRight(INT32_MAX, "verde");  // the outermost line, drawn last: shade 255
  EXPECT_EQ(At(probe::Snapshot(), 11, 9), C(0, 0, 0));
}

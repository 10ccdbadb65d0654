// Marquee positions over a cycle, text-panel grid lines and level bars, and
// the blackboard's lines, margins and restores.
#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <utility>

#include "instrument_panel/gauge.h"
#include "instrument_panel/text_panels.h"
#include "tests/canvas_probe.h"

using namespace ip;
using namespace ip::panel;

namespace {

using namespace probe;

constexpr ColorRef kGridGrey = Rgb(100, 100, 100);

// Every test has plain 120 x 80 controls 601 and 602 for text panels and 800
// for a marquee.
class TextPanelTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    for (int32_t id : {601, 602, 800}) MakePlain(id, 120, 80);
  }
  void MakePlain(int32_t id, int32_t width, int32_t height) {
    CreateInstrumentControl(dialog_, id, 400, 10, width, height, "");
  }
  int32_t Slot5(int32_t id) { return GetControlUserValue(GetControlHandle(dialog_, id), kSlotMarqueeScroll); }
  void SetSlot5(int32_t id, int32_t pos) { SetControlUserValue(GetControlHandle(dialog_, id), kSlotMarqueeScroll, pos); }
  void Scroll(int32_t id, int32_t frame, const std::string& text) {
    ScrollMarquee(dialog_, id, frame, "rosso", "", 0, text, 0xFF0000, 16);
  }
  // A panel of 120 x 80 with frame 1 and no text.
  platform::Surface Panel(int32_t id, float level, int16_t grid) {
    ShowTextPanel(dialog_, id, 1, level, grid, "", 12, 0xFFFFFF, "verde");
    return PictureOf(dialog_, id);
  }
};

TEST_F(TextPanelTest, MarqueeMovesOnePixelPerCallAndWrapsAfterItsCycle) {
  for (int call = 1; call <= 88; ++call) {
    Scroll(800, 8, "12:00:00");
    const int32_t pos = call % 88;
    ASSERT_EQ(Slot5(800), pos) << call;
    // The text line started at y = pos - th + frameWidth; the new line below it.
    const int32_t th = CanvasTextSize("12:00:00").second;
    ASSERT_EQ(CanvasGetPos(), (IntPair{0, pos - th + 8 + CanvasCharSize().second})) << call;
  }
}

TEST_F(TextPanelTest, MarqueeTextSlidesBehindTheFrame) {
  Scroll(800, 8, "");
  const platform::Surface blank = PictureOf(dialog_, 800);
  SetSlot5(800, 0);
  Scroll(800, 8, "12:00:00");  // pos 1: text above the inside
  EXPECT_EQ(CountDifferences(blank, PictureOf(dialog_, 800)), 0);
  SetSlot5(800, 39);
  Scroll(800, 8, "12:00:00");  // pos 40: in the middle
  EXPECT_GT(CountDifferences(blank, PictureOf(dialog_, 800)), 0);
}

TEST_F(TextPanelTest, MarqueeWithoutACycleOrAControlDrawsNothing) {
  MakePlain(801, 120, 10);
  const platform::Surface before = PictureOf(dialog_, 801);
  Scroll(801, -10, "12:00:00");
  Scroll(801, -30, "12:00:00");
  EXPECT_EQ(CountDifferences(before, PictureOf(dialog_, 801)), 0);
  EXPECT_EQ(Slot5(801), 0);
  ScrollMarquee(dialog_, 899, 0, "rosso", "", 0, "x", 0, 16);  // no control: W = H = 0
  // The scroll position survives extreme slot values.
  SetSlot5(800, INT32_MAX);
  Scroll(800, 8, "x");
  EXPECT_EQ(Slot5(800), static_cast<int32_t>((int64_t{INT32_MAX} + 1) % 88));
}

// 120 x 80, frame 1, gridPercent 20: step (80 - 2 - 1) x 0.2 = 15.4.
TEST_F(TextPanelTest, GridLinesEvery15Point4Pixels) {
  Panel(601, 0, 20);
  Panel(602, 0, 0);
  const std::set<int> rows = {1, 16, 32, 47, 63, 78};
  const std::set<int> columns = {1, 16, 32, 47, 63, 78, 93, 109};
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 120; ++x) {
      const bool onRow = rows.count(y) && x >= 1 && x <= 118;
      const bool onColumn = columns.count(x) && y >= 1 && y <= 78;
      const ColorRef expected = onRow || onColumn ? kGridGrey : PixelAt(dialog_, 602, x, y);
      ASSERT_EQ(PixelAt(dialog_, 601, x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(TextPanelTest, GridNeedsMoreThanOnePercentAndAPositiveStep) {
  const platform::Surface none = Panel(601, 0, 0);
  EXPECT_EQ(CountDifferences(none, Panel(601, 0, 1)), 0);
  EXPECT_EQ(CountDifferences(none, Panel(601, 0, -20)), 0);
  Panel(601, 0, 2);  // from 2 percent on: step 1.54, a line on the first inner row
  EXPECT_EQ(PixelAt(dialog_, 601, 60, 1), kGridGrey);
  EXPECT_NE(PixelAt(dialog_, 602, 60, 1), kGridGrey);
  // Without a frame on 113 x 81 the step is 16: lines reach the last row
  // (y = 80 = H - 1) and the last column (x = 112 = W - 1) exactly.
  MakePlain(604, 113, 81);
  ShowTextPanel(dialog_, 604, 0, 0, 20, "", 12, 0, "verde");
  EXPECT_PIXELS(dialog_, 604, {{50, 80, kGridGrey}, {112, 50, kGridGrey}});
  // On 120 x 21, frame 10 leaves an inner height minus one of 0 (step 0) and
  // frame 15, wider than half the panel, a negative step: no grid either.
  MakePlain(603, 120, 21);
  for (int32_t frame : {10, 15}) {
    ShowTextPanel(dialog_, 603, frame, 0, 0, "", 12, 0, "verde");
    const platform::Surface plain = PictureOf(dialog_, 603);
    ShowTextPanel(dialog_, 603, frame, 0, 50, "", 12, 0, "verde");
    EXPECT_EQ(CountDifferences(plain, PictureOf(dialog_, 603)), 0) << frame;
  }
}

// Level 100 on 120 x 80 with frame 1: a = 59; left bars cover columns 1..60,
// the upper right bar 60..118, the lower right bar (59.5 -> 60) 59..118.
// Row colours (round(155 + 1.9375 y), round(1.9375 y), ...) for y = 0..39.
TEST_F(TextPanelTest, FullLevelBarsMeetInTheMiddle) {
  Panel(601, 100, 0);
  for (auto [x, y] : {std::pair{1, 1}, {118, 1}, {1, 78}, {59, 78}, {60, 1}}) {
    EXPECT_EQ(PixelAt(dialog_, 601, x, y), Rgb(155, 0, 0)) << x << ", " << y;
  }
  EXPECT_EQ(PixelAt(dialog_, 601, 30, 2), Rgb(157, 2, 2));
  EXPECT_EQ(PixelAt(dialog_, 601, 100, 39), Rgb(231, 76, 76));  // y = 39 from the bottom
  EXPECT_EQ(PixelAt(dialog_, 601, 100, 40), Rgb(231, 76, 76));  // y = 39 from the top
}

// Where the bars of a level end: on the top row y = 1 and the bottom row
// y = 78, whose bars are dark red (155, 0, 0).
TEST_F(TextPanelTest, BarEndsRoundToEvenAndTheLowerRightBarIsLonger) {
  Panel(602, 0, 0);
  const struct {
    float level;
    int x, y;
    bool bar;
  } rows[] = {
      // a = 29.5: the left bar's 30.5 rounds to 30 (columns 1..30), the right
      // bar's -29.5 to -30 (columns 89..118).
      {50, 30, 1, true}, {50, 31, 1, false}, {50, 89, 1, true}, {50, 88, 1, false},
      // a = 35.4 ends the upper right bar at 82.6 (columns 84..118); the lower
      // right one is 0.005 x 119 x 60 = 35.7 long and ends at 82.3 (columns
      // 83..118), clear of the left bar (columns 1..36).
      {60, 83, 1, false}, {60, 84, 1, true}, {60, 83, 78, true}, {60, 82, 78, false}, {60, 36, 78, true},
      {60, 37, 78, false},
  };
  for (const auto& row : rows) {
    Panel(601, row.level, 0);
    const ColorRef expected = row.bar ? Rgb(155, 0, 0) : PixelAt(dialog_, 602, row.x, row.y);
    EXPECT_EQ(PixelAt(dialog_, 601, row.x, row.y), expected) << row.level << ": " << row.x << ", " << row.y;
  }
}

TEST_F(TextPanelTest, NoBarsAtLevelZeroBelowOrNanAndFullRowsAtHugeLevels) {
  const platform::Surface none = Panel(601, 0, 20);
  for (float level : {-5.0f, std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::infinity()}) {
    EXPECT_EQ(CountDifferences(none, Panel(601, level, 20)), 0) << level;
  }
  // Huge levels fill the rows without overflow.
  for (float level : {1e30f, std::numeric_limits<float>::infinity()}) {
    Panel(601, level, 0);
    // (0, 1): longer than the inside, over the frame too.
    for (auto [x, y] : {std::pair{1, 1}, {118, 78}, {0, 1}}) {
      EXPECT_EQ(PixelAt(dialog_, 601, x, y), Rgb(155, 0, 0)) << level << ": " << x << ", " << y;
    }
  }
}

// A negative frame puts the bars' first rows above the canvas; they are
// skipped instead of looped through, and the visible rows keep their colours.
TEST_F(TextPanelTest, NegativeFrameBarsAreClippedNotLoopedThrough) {
  ShowTextPanel(dialog_, 601, -10, 100, 0, "", 12, 0, "verde");
  // Row 0 is the top bar's y = 10: (round(155 + 19.375), round(19.375), ...).
  EXPECT_PIXELS(dialog_, 601, {{0, 0, Rgb(174, 19, 19)}, {119, 0, Rgb(174, 19, 19)}});
  // Frame -100000: the visible rows are y = 100000.., whose channels clamp to 255.
  ShowTextPanel(dialog_, 601, -100000, 100, 0, "", 12, 0, "verde");
  EXPECT_PIXELS(dialog_, 601, {{60, 40, Rgb(255, 255, 255)}, {0, 79, Rgb(255, 255, 255)}});
}

TEST_F(TextPanelTest, TextIsCoveredByBars) {
  ShowTextPanel(dialog_, 601, 1, 100, 0, "lavagna", 18, 0xFFFFFF, "grigio");
  ShowTextPanel(dialog_, 602, 1, 100, 0, "", 18, 0xFFFFFF, "grigio");
  EXPECT_EQ(CountDifferences(PictureOf(dialog_, 601), PictureOf(dialog_, 602)), 0);
  ShowTextPanel(dialog_, 601, 1, 0, 0, "lavagna", 18, 0xFFFFFF, "grigio");
  ShowTextPanel(dialog_, 602, 1, 0, 0, "", 18, 0xFFFFFF, "grigio");
  EXPECT_GT(CountDifferences(PictureOf(dialog_, 601), PictureOf(dialog_, 602)), 0);
}

class BlackboardTest : public TextPanelTest {
 protected:
  void SetUp() override {
    TextPanelTest::SetUp();
    CreateGauge(dialog_, 1500, 600, 430, 160, 140, "", 4, "oro", 0, 12, "", 0x00FFFF, "ver_blurosso", "grigio", 2);
    WriteBlackboard(dialog_, 1500, "");
    clean_ = PictureOf(dialog_, 1500);
  }
  // Rows of [top, bottom) whose pixels differ from the clean board: the
  // leftmost differing column, or -1 when nothing differs.
  int LeftmostChange(int top, int bottom) {
    int leftmost = -1;
    for (int y = top; y < bottom && y < 140; ++y) {
      for (int x = 0; x < 160; ++x) {
        if (PixelAt(dialog_, 1500, x, y) != static_cast<ColorRef>(platform::ColorRefFromPixel(clean_.At(x, y)))) {
          if (leftmost < 0 || x < leftmost) leftmost = x;
          break;
        }
      }
    }
    return leftmost;
  }
  platform::Surface clean_;
};

TEST_F(BlackboardTest, EachLineStartsAtTheMargin) {
  for (auto [text, lines] : {std::pair{"Zeffarino\r\nDolvini\r\n0000 Bruvano", 3}, {"Zeffarino", 1}}) {
    SCOPED_TRACE(text);
    WriteBlackboard(dialog_, 1500, text);
    const int32_t lineHeight = CanvasCharSize().second;
    ASSERT_GT(lineHeight, 0);
    EXPECT_EQ(CanvasGetPos(), (IntPair{4, 4 + lines * lineHeight}));
    EXPECT_EQ(LeftmostChange(0, 4), -1);  // nothing above the margin
    for (int line = 0; line < lines; ++line) {
      const int left = LeftmostChange(4 + line * lineHeight, 4 + (line + 1) * lineHeight);
      EXPECT_GE(left, 4) << line;
      EXPECT_LT(left, 8) << line;
    }
    EXPECT_EQ(LeftmostChange(4 + lines * lineHeight, 140), -1);
  }
}

TEST_F(BlackboardTest, WritingAgainErasesTheEarlierText) {
  WriteBlackboard(dialog_, 1500, "Z");
  const platform::Surface shortText = PictureOf(dialog_, 1500);
  WriteBlackboard(dialog_, 1500, "Zeffarino\r\nDolvini\r\n0000 Bruvano");
  WriteBlackboard(dialog_, 1500, "Z");
  EXPECT_EQ(CountDifferences(shortText, PictureOf(dialog_, 1500)), 0);
  WriteBlackboard(dialog_, 1500, "");
  EXPECT_EQ(CountDifferences(clean_, PictureOf(dialog_, 1500)), 0);
}

TEST_F(BlackboardTest, IdentifiersOutsideTheTableAreIgnored) {
  WriteBlackboard(dialog_, 2001, "x");
  WriteBlackboard(dialog_, -1, "x");
  ShowTextPanel(dialog_, 2001, 1, 50, 20, "x", 12, 0, "");
  EXPECT_EQ(CountDifferences(clean_, PictureOf(dialog_, 1500)), 0);
}

}  // namespace

// Knobs: angle conversion, tick steps and tick lines, the value and its
// range checks, the pointer dot's geometry and snapshot restores.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <utility>

#include "instrument_panel/knobs.h"
#include "instruments/instrument_state.h"
#include "tests/canvas_probe.h"

using namespace ip;
using namespace ip::panel;

namespace {

using namespace probe;

constexpr double kPi = 3.14159265358979323846;
constexpr ColorRef kTickGrey = Rgb(128, 128, 128);
constexpr int32_t kKnob = 1401;

class KnobTest : public WidgetTest {
 protected:
  // The demonstration panel's first knob: 120 x 120, bezel 12.
  void MakeKnob(int32_t ticks, int32_t minAngle = -151, int32_t maxAngle = 151, int32_t start = 25,
                int32_t id = kKnob) {
    CreateKnob(dialog_, id, 350, 270, 120, 120, "", 12, ticks, minAngle, maxAngle, start);
  }
  // Tick-grey pixels in the ring between the inner disc and the rim.
  int TickPixelsInRing(int32_t id = kKnob) {
    int count = 0;
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 120; ++x) {
        const double r = std::hypot(x + 0.5 - 60, y + 0.5 - 60);
        if (r >= 50 && r <= 56) count += PixelAt(dialog_, id, x, y) == kTickGrey;
      }
    }
    return count;
  }
};

TEST(KnobAngles, DegreesBecomeCounterClockwiseRadians) {
  for (auto [degrees, turns] : {std::pair{0, 2.0}, {90, 1.5}, {-90, 2.5}, {360, 0.0}}) {
    EXPECT_DOUBLE_EQ(KnobDegreesToRadians(degrees), turns * kPi) << degrees;
  }
}

TEST(KnobAngles, TickStepRoundsTiesToEvenAndDegenerateCountsGiveNoStep) {
  // 360 / 720 = 0.5 rounds to 0; no ticks at all give no number.
  const std::pair<int32_t, int32_t> rows[] = {{10, 36}, {24, 15},    {7, 51},         {719, 1},
                                              {720, 0}, {5000, 0}, {0, INT32_MIN}, {-5, -72}};
  for (auto [ticks, step] : rows) EXPECT_EQ(KnobTickStep(ticks), step) << ticks;
}

TEST(KnobAngles, PercentIsFlooredAndAnEmptyRangeGivesZero) {
  const struct {
    int32_t angle, min, max;
    float percent;
  } rows[] = {{-76, -151, 151, 24}, {999, 0, 1000, 99},  {-151, -151, 151, 0},
              {151, -151, 151, 100}, {5, 5, 5, 0},       {INT32_MAX, INT32_MIN, INT32_MAX, 100}};
  for (const auto& r : rows) EXPECT_EQ(KnobPercent(r.angle, r.min, r.max), r.percent) << r.angle << " in " << r.min;
}

TEST_F(KnobTest, WorkedExampleRecordAndStartPosition) {
  MakeKnob(24);
  const InstrumentRecord& record = *InstrumentAt(kKnob);
  EXPECT_EQ(record.frameWidth, 13);  // round(1.1 x 12)
  EXPECT_EQ(record.divisions, 24);
  EXPECT_EQ(record.textColor, -151);
  EXPECT_EQ(record.pattern, 151);
  EXPECT_EQ(record.value, 24.0f);  // start angle round(-75.5) = -76
  ASSERT_NE(SnapshotAt(kKnob), nullptr);
  EXPECT_EQ(SnapshotAt(kKnob)->size(), 8u + 120 * 120 * 4);
}

// The 32-bit 1.1 lies a hair above 1.1, so a bezel whose product ends in .5
// rounds up: 15 gives 16.5000004 -> 17, not 16 as a 32-bit product would.
TEST_F(KnobTest, PointerInsetRoundsTheWiderThirtyTwoBitFactor) {
  int32_t id = 1401;
  for (auto [bezel, inset] : {std::pair{4, 4}, {5, 6}, {15, 17}, {35, 39}}) {
    CreateKnob(dialog_, id, 0, 0, 80, 80, "", bezel, 10, -90, 90, 50);
    EXPECT_EQ(InstrumentAt(id)->frameWidth, inset) << bezel;
    ++id;
  }
}

// At angle 0 the dot's box is (50, 12)-(70, 32): s = 13, rings i = 1..10
// from (51, 13)-(70, 32) in (168, 68, 68) to (60, 22)-(65, 27), clamped pale.
TEST_F(KnobTest, PointerDotGeometryAndShades) {
  MakeKnob(24);
  DrawKnob(dialog_, kKnob, 0);
  EXPECT_EQ(InstrumentAt(kKnob)->value, 50.0f);
  EXPECT_PIXELS(dialog_, kKnob, {{51, 22, Rgb(168, 68, 68)}, {62, 24, Rgb(255, 185, 185)}});
  EXPECT_NE(PixelAt(dialog_, kKnob, 49, 22), Rgb(168, 68, 68));
}

TEST_F(KnobTest, AnglesOutsideTheRangeChangeNothing) {
  MakeKnob(24);
  DrawKnob(dialog_, kKnob, -151);
  EXPECT_EQ(InstrumentAt(kKnob)->value, 0.0f);
  DrawKnob(dialog_, kKnob, 151);
  EXPECT_EQ(InstrumentAt(kKnob)->value, 100.0f);
  const platform::Surface atMax = PictureOf(dialog_, kKnob);
  DrawKnob(dialog_, kKnob, 152);
  DrawKnob(dialog_, kKnob, -152);
  DrawKnob(dialog_, kKnob, INT32_MIN);
  EXPECT_EQ(InstrumentAt(kKnob)->value, 100.0f);
  EXPECT_EQ(CountDifferences(atMax, PictureOf(dialog_, kKnob)), 0);
}

TEST_F(KnobTest, RestoringTheFaceLeavesNoTraceOfEarlierDotsOrNumbers) {
  MakeKnob(24);
  DrawKnob(dialog_, kKnob, -40);
  const platform::Surface first = PictureOf(dialog_, kKnob);
  DrawKnob(dialog_, kKnob, 120);
  EXPECT_GT(CountDifferences(first, PictureOf(dialog_, kKnob)), 0);
  DrawKnob(dialog_, kKnob, 3);
  DrawKnob(dialog_, kKnob, -40);
  EXPECT_EQ(CountDifferences(first, PictureOf(dialog_, kKnob)), 0);
}

// The narrowest, lightest slice (grey 255 - 4) lies along the middle of each
// light cone: 40 and 220 degrees on the outer disc, 45 and 225 inside.
TEST_F(KnobTest, LightConesAreLightestAlongTheirMiddles) {
  MakeKnob(0, -10, 10, 50);
  const ColorRef lightest = Rgb(251, 251, 251);
  EXPECT_PIXELS(dialog_, kKnob, {{96, 16, lightest}, {22, 104, lightest}, {80, 39, lightest}, {40, 79, lightest}});
}

TEST_F(KnobTest, FourTicksMarkTheQuarters) {
  MakeKnob(4, -10, 10, 50);  // the dot stays near the top, inside the inner disc
  EXPECT_PIXELS(dialog_, kKnob, {{60, 5, kTickGrey}, {115, 60, kTickGrey}, {60, 115, kTickGrey}, {5, 60, kTickGrey}});
}

TEST_F(KnobTest, SevenTicksStepBy51Degrees) {
  MakeKnob(7, -10, 10, 50);
  EXPECT_EQ(PixelAt(dialog_, kKnob, 60, 5), kTickGrey);
  EXPECT_NE(PixelAt(dialog_, kKnob, 115, 60), kTickGrey);
  EXPECT_NE(PixelAt(dialog_, kKnob, 60, 115), kTickGrey);
  EXPECT_NE(PixelAt(dialog_, kKnob, 5, 60), kTickGrey);
  EXPECT_GT(TickPixelsInRing(), 0);
}

TEST_F(KnobTest, DegenerateTickCountsDrawNoTicks) {
  int32_t id = 1401;
  for (int32_t ticks : {0, -3, 720, 1000, INT32_MAX}) {
    MakeKnob(ticks, -10, 10, 50, id);
    EXPECT_EQ(TickPixelsInRing(id), 0) << ticks;
    ++id;
  }
  MakeKnob(719, -10, 10, 50, id);  // a step of 1 degree: a ring full of ticks
  EXPECT_GT(TickPixelsInRing(id), 300);
}

TEST_F(KnobTest, EqualEndsShowZeroWithoutDividing) {
  MakeKnob(10, 30, 30, 70);
  EXPECT_EQ(InstrumentAt(kKnob)->value, 0.0f);
  for (int32_t angle : {30, 31}) {
    DrawKnob(dialog_, kKnob, angle);
    EXPECT_EQ(InstrumentAt(kKnob)->value, 0.0f) << angle;
  }
}

TEST_F(KnobTest, KnobWithoutSnapshotUpdatesItsValueOnly) {
  InstrumentRecord& record = *InstrumentAt(1450);
  record.textColor = -90;
  record.pattern = 90;
  DrawKnob(dialog_, 1450, 45);
  EXPECT_EQ(record.value, 75.0f);
}

TEST_F(KnobTest, BackgroundBitmapShowsInTheCorners) {
  SetBitmapSearchFolder(std::string(IP_SOURCE_DIR) + "/assets");
  SetInstrumentSurroundColor(dialog_, PanelBackColor);
  CreateKnob(dialog_, 1402, 470, 270, 60, 60, "fondo1.bmp", 4, 10, -171, 171, 90);
  CreateKnob(dialog_, 1403, 470, 334, 60, 60, "", 4, 10, -171, 171, 90);
  EXPECT_EQ(PixelAt(dialog_, 1403, 0, 0), PanelBackColor);
  EXPECT_NE(PixelAt(dialog_, 1402, 0, 0), PanelBackColor);
  EXPECT_EQ(InstrumentAt(1402)->pattern, 171);  // the knob's maximum replaces the bitmap pattern
}

TEST_F(KnobTest, IdentifiersOutsideTheTableAreIgnored) {
  CreateKnob(dialog_, 2001, 0, 0, 60, 60, "", 4, 10, -90, 90, 50);
  EXPECT_EQ(GetControlHandle(dialog_, 2001), 0u);
  DrawKnob(dialog_, 2001, 0);
  DrawKnob(dialog_, -1, 0);
  EXPECT_TRUE(std::isfinite(KnobAngleFromCursor(dialog_, 2001)));
}

}  // namespace

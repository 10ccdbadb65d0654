// Gauges and meters: the level of each style (pixel positions and colours),
// ticks, caption codes and caption storage, the snapshot that erases earlier
// levels, cursor readings, and values that are negative, huge or not numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

#include "host/canvas.h"
#include "host/dialog.h"
#include "host/texts.h"
#include "instruments/gauge.h"
#include "instruments/instrument_table.h"
#include "platform/window_system.h"
#include "tests/canvas_probe.h"
#include "tests/support/test_support.h"

using probe::At;
using probe::C;

namespace {

const probe::Color kBackground = C(240, 240, 240);  // a fresh canvas, where no pattern painted
const probe::Color kRed = C(255, 0, 0);
const probe::Color kBlack = C(0, 0, 0);
const probe::Color kTick = C(107, 205, 107);
constexpr int32_t kNoPattern = 99;  // paints nothing inside the frame
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Empty when both pictures are the same; otherwise the first wrong pixel.
std::string Differences(const platform::Surface& actual, const platform::Surface& expected) {
  return testing_support::ComparePictures(expected, actual, "");
}

class Gauges : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWindowHost();
    ClearInstrumentTable();
    ClearBackgroundSnapshots();
    dialog_ = CreateDialogWindow(0, "gauges", -1, -1, 600, 400, 0, 0, kUnitsPixels);
    ASSERT_NE(dialog_, 0u);
  }
  void TearDown() override { ResetWindowHost(); }

  // A gauge with a one-pixel grey frame and no background pattern, so that
  // everything inside the frame that is not the fresh canvas colour was drawn
  // by the level, the ticks or the caption.
  void Plain(int32_t id, int32_t width, int32_t height, const std::string& style, float value, int16_t divisions = 0,
             const std::string& caption = "", const std::string& fill = "verde") {
    CreateGauge(dialog_, id, 10, 10, width, height, "", 1, "grigio", value, divisions, caption, 0xFFFFFF, style, fill,
                kNoPattern);
  }
  platform::Surface Picture(int32_t id) {
    CanvasAttach(dialog_, id, kAttachRedrawOnRequest);
    return probe::Snapshot();
  }

  Handle dialog_ = 0;
};

}  // namespace

// ---- Levels across ----

TEST_F(Gauges, BarAcrossPaintsColumnsFromBlueTowardRed) {
  Plain(1, 120, 16, "ori_blurosso", 50);  // n = round(58.4999987) = 58: columns 1..59
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 1, 1), C(0, 15, 255));
  EXPECT_EQ(At(s, 1, 14), C(0, 15, 255));
  EXPECT_EQ(At(s, 59, 8), C(123, 15, 132));  // k = 2.125: round(123.25), round(131.75)
  EXPECT_EQ(At(s, 60, 8), kBackground);
}

TEST_F(Gauges, NeedleAcrossRoundsItsPositionDown) {
  Plain(1, 120, 16, "ori_ago", 25);  // p = 1 + 29.4999993 -> column 30
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 30, 1), kRed);
  EXPECT_EQ(At(s, 30, 14), kRed);
  EXPECT_EQ(At(s, 29, 8), kBackground);
  EXPECT_EQ(At(s, 31, 8), kBackground);
}

TEST_F(Gauges, SegmentsAcrossTouchAndStopAtTheRoundedCount) {
  Plain(1, 120, 16, "ori_vmeter", 50, 4);  // n = round(1.4999999665) = 1: two of four segments
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 1, 1), C(0, 0, 255));
  EXPECT_EQ(At(s, 29, 14), C(0, 0, 255));    // segment 0 ends before x = 30.5 -> 30
  EXPECT_EQ(At(s, 30, 8), C(64, 0, 191));    // segment 1 touches it
  EXPECT_EQ(At(s, 59, 8), C(64, 0, 191));
  EXPECT_EQ(At(s, 60, 8), kBackground);
}

TEST_F(Gauges, CylinderAcrossIsDarkAtTheEdgesAndLightInTheMiddle) {
  Plain(1, 120, 16, "ori_rosso", 50);  // k = 15.9375, n = 7, length 59 columns
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 1, 1), C(155, 0, 0));
  EXPECT_EQ(At(s, 59, 14), C(155, 0, 0));
  EXPECT_EQ(At(s, 30, 4), C(203, 48, 48));  // i = 3: round(47.8125) = 48
  EXPECT_EQ(At(s, 30, 11), C(203, 48, 48));
  EXPECT_EQ(At(s, 30, 7), C(255, 112, 112));  // i = 7, red clamped
  EXPECT_EQ(At(s, 30, 8), C(255, 112, 112));
  EXPECT_EQ(At(s, 60, 8), kBackground);
}

TEST_F(Gauges, WideNeedleAcrossHasADarkenedBodyAndARedMiddleLine) {
  Plain(1, 120, 16, "ori_agone", 50);  // p = 60, shade round(127.4999976) = 127
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 54, 8), kBlack);  // outline columns 54 and 66
  EXPECT_EQ(At(s, 66, 8), kBlack);
  EXPECT_EQ(At(s, 53, 8), kBackground);
  EXPECT_EQ(At(s, 67, 8), kBackground);
  EXPECT_EQ(At(s, 56, 1), kBlack);
  EXPECT_EQ(At(s, 56, 14), kBlack);
  EXPECT_EQ(At(s, 56, 8), C(28, 128, 28));
  EXPECT_EQ(At(s, 60, 2), kRed);
  EXPECT_EQ(At(s, 60, 13), kRed);
  EXPECT_EQ(At(s, 60, 1), kBlack);
}

// ---- Levels upward ----

TEST_F(Gauges, BarUpwardFillsRowsFromTheBottom) {
  Plain(1, 18, 140, "ver_blurosso", 50);  // n = round(68.9999985) = 69: rows 138 up to 69
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 1, 138), C(0, 0, 255));
  EXPECT_EQ(At(s, 16, 69), C(126, 0, 129));  // k = 255 / 140 as a float
  EXPECT_EQ(At(s, 8, 68), kBackground);
}

TEST_F(Gauges, FullBarUpwardReachesOneRowIntoTheFrame) {
  Plain(1, 18, 140, "ver_blurosso", 100);  // n = 138: row 0 too
  EXPECT_EQ(At(Picture(1), 8, 0), C(251, 0, 4));
}

TEST_F(Gauges, SegmentsUpwardLeaveOnePixelGaps) {
  Plain(1, 24, 140, "ver_vmeter", 100, 20);
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 5, 138), C(0, 0, 255));  // segment 0: rows 133..138
  EXPECT_EQ(At(s, 5, 133), C(0, 0, 255));
  EXPECT_EQ(At(s, 5, 132), kBackground);   // the gap
  EXPECT_EQ(At(s, 5, 131), C(13, 0, 242));
  EXPECT_EQ(At(s, 5, 2), C(242, 0, 13));   // segment 19: rows 2..7
  EXPECT_EQ(At(s, 5, 7), C(242, 0, 13));
  EXPECT_EQ(At(s, 5, 1), kBackground);
  int gaps = 0;
  for (int y = 2; y <= 138; ++y) gaps += At(s, 5, y) == kBackground;
  EXPECT_EQ(gaps, 19);
}

TEST_F(Gauges, NeedleUpwardIsOneRowAcrossTheInnerWidth) {
  Plain(1, 18, 140, "ver_ago", 50);  // d = 70.0000015: row 71
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 1, 71), kRed);
  EXPECT_EQ(At(s, 16, 71), kRed);
  EXPECT_EQ(At(s, 8, 70), kBackground);
  EXPECT_EQ(At(s, 8, 72), kBackground);
}

TEST_F(Gauges, WideNeedleUpwardCoversThirteenRowsAroundTheNeedleRow) {
  Plain(1, 18, 140, "ver_agone", 50);
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 5, 65), kBlack);  // body rows 65..77
  EXPECT_EQ(At(s, 5, 77), kBlack);
  EXPECT_EQ(At(s, 5, 64), kBackground);
  EXPECT_EQ(At(s, 5, 78), kBackground);
  EXPECT_EQ(At(s, 5, 70), C(28, 128, 28));
  EXPECT_EQ(At(s, 8, 71), kRed);
  EXPECT_EQ(At(s, 1, 71), kBlack);
}

TEST_F(Gauges, StyleNamesAreCaseSensitiveAndUnknownNamesDrawNoLevel) {
  Plain(1, 120, 16, "ORI_AGO", 50);
  Plain(2, 120, 16, "ori_nothing", 50);
  EXPECT_EQ(At(Picture(1), 60, 8), kBackground);
  EXPECT_EQ(At(Picture(2), 60, 8), kBackground);
}

// ---- Ticks ----

TEST_F(Gauges, TicksAcrossRiseAFifthOfTheCanvasHeight) {
  Plain(1, 120, 16, "ori_ago", 0, 4);  // step 29.5; offset -3.2 -> 3 pixels
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 30, 14), kTick);  // 30.5 -> 30
  EXPECT_EQ(At(s, 30, 12), kTick);
  EXPECT_EQ(At(s, 30, 11), kBackground);
  EXPECT_EQ(At(s, 60, 13), kTick);
  EXPECT_EQ(At(s, 90, 12), kTick);  // 89.5 -> 90
  EXPECT_EQ(At(s, 89, 12), kBackground);
  Plain(2, 120, 18, "ori_ago", 0, 4);  // offset -3.6 -> 4 pixels
  const platform::Surface tall = Picture(2);
  EXPECT_EQ(At(tall, 30, 13), kTick);
  EXPECT_EQ(At(tall, 30, 12), kBackground);
}

TEST_F(Gauges, TicksUpwardRunAFifthOfTheInnerWidthFromTheLeft) {
  Plain(1, 18, 140, "ver_ago", 0, 10);  // step 13.8: first tick on row 15, columns 2..4
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 2, 15), kTick);
  EXPECT_EQ(At(s, 4, 15), kTick);
  EXPECT_EQ(At(s, 5, 15), kBackground);
  EXPECT_EQ(At(s, 1, 15), kBackground);
  EXPECT_EQ(At(s, 2, 125), kTick);  // j = 9: 125.2
}

TEST_F(Gauges, TicksLieOverTheLevel) {
  Plain(1, 120, 16, "ori_blurosso", 100, 4);
  EXPECT_EQ(At(Picture(1), 60, 13), kTick);
}

TEST_F(Gauges, NoTicksForOneDivisionMetersOrCaptionBoxes) {
  Plain(1, 120, 16, "ori_ago", 0, 1);
  Plain(2, 24, 140, "ver_vmeter", 0, 10);
  Plain(3, 120, 16, "ori_vmeter", 0, 4);
  EXPECT_EQ(At(Picture(1), 60, 13), kBackground);
  EXPECT_EQ(At(Picture(2), 2, 15), kBackground);
  EXPECT_EQ(At(Picture(3), 30, 13), kBackground);
}

// ---- Captions ----

TEST_F(Gauges, PercentCodeShowsTheValueAndStaysStored) {
  Plain(1, 120, 16, "ori_ago", 0);
  SetGaugeValue(dialog_, 1, 30, "%");
  Plain(2, 120, 16, "ori_ago", 30, 0, "30%");
  Plain(3, 120, 16, "ori_ago", 30);
  EXPECT_EQ(Differences(Picture(1), Picture(2)), "");
  EXPECT_NE(Differences(Picture(1), Picture(3)), "") << "the caption drew nothing";
  EXPECT_EQ(TrimRight(InstrumentAt(1)->caption.Read()), "%");
  SetGaugeLevel(dialog_, 1, 70);
  Plain(4, 120, 16, "ori_ago", 70, 0, "70%");
  EXPECT_EQ(Differences(Picture(1), Picture(4)), "");
}

TEST_F(Gauges, ScaledCodeShowsTheValueInDivisions) {
  Plain(1, 120, 16, "ori_ago", 50, 20, "!");
  Plain(2, 120, 16, "ori_ago", 50, 20, "10");
  EXPECT_EQ(Differences(Picture(1), Picture(2)), "");
}

TEST_F(Gauges, ALongTextIsShownWholeButStoredCut) {
  const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXY";  // 25 characters
  Plain(1, 300, 16, "", 0);
  Plain(2, 300, 16, "", 0, 0, text.substr(0, 20));
  SetGaugeValue(dialog_, 1, 0, text);
  EXPECT_NE(Differences(Picture(1), Picture(2)), "");
  EXPECT_EQ(InstrumentAt(1)->caption.Read(), text.substr(0, 20));
  SetGaugeValue(dialog_, 1, -1, "");
  EXPECT_EQ(Differences(Picture(1), Picture(2)), "");
}

TEST_F(Gauges, CaptionBoxHasABoxFrameAndNoLevel) {
  CreateGauge(dialog_, 1, 10, 10, 60, 18, "", 2, "verde", 100, 5, "", 0xFFFFFF, "", "verde", kNoPattern);
  const platform::Surface s = Picture(1);
  EXPECT_EQ(At(s, 59, 0), C(155, 255, 155));  // outer ring, full colour
  EXPECT_EQ(At(s, 58, 16), C(27, 127, 27));   // inner ring: shade 128
  EXPECT_EQ(At(s, 30, 9), kBackground);
}

// ---- Values ----

TEST_F(Gauges, NegativeValueOnlyRepaints) {
  Plain(1, 120, 16, "ori_blurosso", 50, 4, "x");
  const platform::Surface before = Picture(1);
  SetGaugeValue(dialog_, 1, -1, "");
  EXPECT_EQ(InstrumentAt(1)->value, 50);
  EXPECT_EQ(Differences(Picture(1), before), "");
}

TEST_F(Gauges, LevelStoresNegativeValuesAndDrawsNoLevel) {
  Plain(1, 120, 16, "ori_blurosso", 50);
  Plain(2, 120, 16, "ori_blurosso", 0);
  SetGaugeLevel(dialog_, 1, -10);
  EXPECT_EQ(InstrumentAt(1)->value, -10);
  EXPECT_EQ(Differences(Picture(1), Picture(2)), "");
}

TEST_F(Gauges, ValuesThatAreNotFiniteNumbersAreIgnored) {
  Plain(1, 120, 16, "ori_blurosso", 40, 4, "%");
  const platform::Surface before = Picture(1);
  for (float bad : {kNaN, kInfinity, -kInfinity}) {
    SetGaugeValue(dialog_, 1, bad, "");
    SetGaugeLevel(dialog_, 1, bad);
    EXPECT_EQ(InstrumentAt(1)->value, 40);
    EXPECT_EQ(Differences(Picture(1), before), "");
  }
  Plain(2, 120, 16, "ori_blurosso", kNaN, 4, "%");
  Plain(3, 120, 16, "ori_blurosso", 0, 4, "%");
  EXPECT_EQ(InstrumentAt(2)->value, 0);
  EXPECT_EQ(Differences(Picture(2), Picture(3)), "");
}

TEST_F(Gauges, DrawingANonFiniteValueDrawsAnEmptyGauge) {
  Plain(1, 120, 16, "ori_agone", 0, 4, "%");
  const platform::Surface empty = Picture(1);
  DrawGauge(dialog_, 1, 1, kNaN, 4, "%", 0xFFFFFF, "ori_agone", "verde", kNoPattern);
  EXPECT_EQ(Differences(Picture(1), empty), "");
  DrawGauge(dialog_, 1, 1, kInfinity, 4, "%", 0xFFFFFF, "ori_agone", "verde", kNoPattern);
  EXPECT_EQ(Differences(Picture(1), empty), "");
}

TEST_F(Gauges, ValuesAbove100RunToTheCanvasEdge) {
  Plain(1, 120, 16, "ori_blurosso", 150);
  EXPECT_EQ(At(Picture(1), 119, 8), C(251, 15, 4));  // column 119 over the frame: i = 118
  SetGaugeLevel(dialog_, 1, 1e30f);  // far beyond any canvas: the same full bar
  EXPECT_EQ(At(Picture(1), 119, 8), C(251, 15, 4));
  Plain(3, 120, 16, "ori_rosso", 1e30f);
  EXPECT_EQ(At(Picture(3), 119, 1), C(155, 0, 0));
  Plain(2, 24, 140, "ver_vmeter", 1e30f, 10);
  EXPECT_EQ(At(Picture(2), 5, 0), C(255, 0, 0));  // segment 10 lies over the top frame rows
  EXPECT_EQ(At(Picture(2), 5, 1), kBackground);  // the gap below it
}

TEST_F(Gauges, MetersWithoutDivisionsDrawNoSegments) {
  for (int16_t divisions : {int16_t{0}, int16_t{-3}}) {
    SCOPED_TRACE(divisions);
    ResetWindowHost();
    ClearBackgroundSnapshots();
    dialog_ = CreateDialogWindow(0, "gauges", -1, -1, 600, 400, 0, 0, kUnitsPixels);
    Plain(1, 120, 16, "ori_vmeter", 80, divisions, "x");
    Plain(2, 24, 140, "ver_vmeter", 80, divisions, "x");
    Plain(3, 120, 16, "ori_vmeter", 0, divisions, "x");
    Plain(4, 24, 140, "ver_vmeter", 0, divisions, "x");
    EXPECT_EQ(Differences(Picture(1), Picture(3)), "");
    EXPECT_EQ(Differences(Picture(2), Picture(4)), "");
  }
}

TEST_F(Gauges, IdentifiersOutsideTheTableAreIgnored) {
  Plain(2001, 120, 16, "ori_ago", 50);
  SetGaugeValue(dialog_, 2001, 20, "x");
  SetGaugeLevel(dialog_, -1, 20);
  DrawGauge(dialog_, 5000, 1, 50, 4, "x", 0, "ori_ago", "verde", 0);
  EXPECT_EQ(GetControlHandle(dialog_, 2001), 0u);
  EXPECT_EQ(GaugeValueFromCursor(dialog_, 2001), 0);
}

// ---- The snapshot ----

TEST_F(Gauges, FirstPaintCapturesTheBackgroundAndMarksSlot8) {
  CreateGauge(dialog_, 12, 10, 10, 120, 16, "", 3, "verde", 50, 10, "%", 0xFFFFFF, "ori_blurosso", "verde", 0);
  EXPECT_EQ(GetControlUserValue(GetControlHandle(dialog_, 12), kSlotSnapshotTaken), 12);
  ASSERT_NE(SnapshotAt(12), nullptr);
  const std::string snapshot = *SnapshotAt(12);
  ASSERT_EQ(snapshot.size(), 8u + 4u * 120 * 16);
  // Frame and background only: the pattern-0 row 3 (shade 255 - 255 * 4 / 16), no level or caption.
  CanvasAttach(dialog_, 12, kAttachRedrawOnRequest);
  CanvasSetBits(snapshot);
  EXPECT_EQ(At(probe::Snapshot(), 10, 3), C(0, 64, 0));
}

TEST_F(Gauges, LaterPaintsLeaveNoTraceOfEarlierLevels) {
  const char* styles[] = {"ori_blurosso", "ori_vmeter", "ori_rosso", "ori_ago", "ori_agone",
                          "ver_blurosso", "ver_vmeter", "ver_ago", "ver_agone", ""};
  int32_t id = 100;
  for (const char* style : styles) {
    SCOPED_TRACE(style);
    const bool across = std::string(style).rfind("ori", 0) == 0;
    const int32_t w = across ? 120 : 24, h = across ? 18 : 140;
    CreateGauge(dialog_, id, 10, 10, w, h, "", 3, "oro", 90, 6, "%", 0xFFFF00, style, "rosso", 2);
    SetGaugeValue(dialog_, id, 20, "");
    CreateGauge(dialog_, id + 1, 10, 10, w, h, "", 3, "oro", 20, 6, "%", 0xFFFF00, style, "rosso", 2);
    EXPECT_EQ(Differences(Picture(id), Picture(id + 1)), "");
    id += 2;
  }
}

// ---- Cursor readings ----

class GaugeCursor : public Gauges {
 protected:
  void SetUp() override {
    Gauges::SetUp();
    platform::ShowWindow(dialog_);
    CreateGauge(dialog_, 1, kLeft, kTop, 120, 16, "", 1, "verde", 40, 0, "", 0, "ori_ago", "verde", 0);
    CreateGauge(dialog_, 2, kLeft, kTop, 24, 140, "", 1, "verde", 40, 0, "", 0, "ver_ago", "verde", 0);
  }
  void MoveTo(int x, int y) { platform::InjectMouseMove(x, y); }

  static constexpr int kLeft = 50;
  static constexpr int kTop = 30;
};

TEST_F(GaugeCursor, AcrossCountsTheColumnUnderTheCursorAndStopsAt100) {
  MoveTo(kLeft, 0);
  EXPECT_FLOAT_EQ(CursorPercentAcross(dialog_, 1), 100.0f / 120);
  MoveTo(kLeft + 59, 0);
  EXPECT_EQ(CursorPercentAcross(dialog_, 1), 50);
  MoveTo(kLeft + 119, 0);
  EXPECT_EQ(CursorPercentAcross(dialog_, 1), 100);
  MoveTo(kLeft + 300, 0);
  EXPECT_EQ(CursorPercentAcross(dialog_, 1), 100);
  MoveTo(kLeft - 1, 0);
  EXPECT_EQ(CursorPercentAcross(dialog_, 1), 0);
  MoveTo(kLeft - 13, 0);
  EXPECT_FLOAT_EQ(CursorPercentAcross(dialog_, 1), -10);
}

TEST_F(GaugeCursor, UpwardReadsFromTheRowBelowTheTop) {
  MoveTo(0, kTop);
  EXPECT_FLOAT_EQ(GaugeValueFromCursor(dialog_, 2), 100 + 100.0f / 140);
  MoveTo(0, kTop + 1);
  EXPECT_EQ(GaugeValueFromCursor(dialog_, 2), 100);
  MoveTo(0, kTop + 71);
  EXPECT_EQ(GaugeValueFromCursor(dialog_, 2), 50);
  MoveTo(0, kTop + 141);
  EXPECT_EQ(GaugeValueFromCursor(dialog_, 2), 0);
  MoveTo(0, kTop + 400);
  EXPECT_EQ(GaugeValueFromCursor(dialog_, 2), 0);
}

TEST_F(GaugeCursor, TheStyleNameChoosesTheDirection) {
  MoveTo(kLeft + 29, kTop + 71);  // across: 25, upward: 50
  EXPECT_EQ(GaugeValueFromCursor(dialog_, 1), 25);
  CreateGauge(dialog_, 3, kLeft, kTop, 120, 140, "", 1, "verde", 0, 0, "", 0, "", "verde", 0);
  CreateGauge(dialog_, 4, kLeft, kTop, 120, 140, "", 1, "verde", 0, 0, "", 0, "VER_AGO", "verde", 0);
  CreateGauge(dialog_, 5, kLeft, kTop, 120, 140, "", 1, "verde", 0, 0, "", 0, "ver_ori", "verde", 0);
  EXPECT_EQ(GaugeValueFromCursor(dialog_, 3), 0);   // a caption box has no direction
  EXPECT_EQ(GaugeValueFromCursor(dialog_, 4), 50);  // lower-cased before the search
  EXPECT_EQ(GaugeValueFromCursor(dialog_, 5), 25);  // "ori" wins over "ver"
}

TEST_F(GaugeCursor, ZeroSizedOrMissingControlsReadZero) {
  AddCanvasControl(dialog_, 7, kLeft, kTop, 0, 0, 0, 0, nullptr, "");
  MoveTo(kLeft + 10, kTop + 10);
  EXPECT_EQ(CursorPercentAcross(dialog_, 7), 0);
  EXPECT_EQ(CursorPercentDown(dialog_, 7), 0);
  EXPECT_EQ(CursorPercentAcross(dialog_, 99), 0);
  EXPECT_EQ(CursorPercentDown(dialog_, 99), 0);
}

TEST_F(GaugeCursor, ACursorLeftOfTheGaugeLeavesItsValue) {
  MoveTo(kLeft - 20, kTop);
  SetGaugeValue(dialog_, 1, GaugeValueFromCursor(dialog_, 1), "");
  EXPECT_EQ(InstrumentAt(1)->value, 40);
}

// ---- A golden picture of one gauge ----

TEST_F(Gauges, MeterWithBitmapFrameTicksAndCaptionMatchesItsGoldenPicture) {
  SetBitmapSearchFolder(testing_support::SourceDir() + "/assets");
  CreateGauge(dialog_, 1303, 10, 10, 24, 140, "fondo2.bmp", 4, "verde", 50, 20, "!", 0xFFFFFF, "ver_vmeter", "grigio",
              1);
  CreateGauge(dialog_, 1002, 10, 10, 400, 20, "", 3, "oro", 10, 10, ">Testo lungo", 0x0000FF, "ori_agone", "rosso",
              1);
  SetBitmapSearchFolder("");
  for (int32_t id : {1303, 1002}) {
    EXPECT_EQ(testing_support::CompareWithGolden("gauge_" + std::to_string(id), Picture(id)), "");
  }
}

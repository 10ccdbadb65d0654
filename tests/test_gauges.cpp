// Gauges and meters: the level of each style (pixel positions and colours),
// ticks, caption codes and caption storage, the snapshot that erases earlier
// levels, cursor readings, and values that are negative, huge or not numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "host/dialog_internal.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/texts.h"
#include "instruments/instrument_state.h"
#include "platform/window_system.h"
#include "tests/canvas_probe.h"
#include "tests/support/test_support.h"

using namespace ip;
using namespace ip::panel;

using namespace probe;

namespace {

const probe::Color kBg = C(240, 240, 240);  // a fresh canvas, where no pattern painted
const probe::Color kRed = C(255, 0, 0);
const probe::Color kBlack = C(0, 0, 0);
const probe::Color kTick = C(107, 205, 107);
const probe::Color kBody = C(28, 128, 28);  // a wide needle's darkened body
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

struct PlainGauge {
  const char* style;
  int32_t width, height;
  float value;
  int16_t divisions;
  std::vector<Dot> dots;
};

}  // namespace

// Each row: a plain gauge and the exact colour of chosen pixels.
TEST_F(Gauges, LevelsAndTicksOfEveryStyle) {
  const PlainGauge rows[] = {
      // Bar across: n = round(58.4999987) = 58, columns 1..59; k = 2.125 at column 59.
      {"ori_blurosso", 120, 16, 50, 0, {{1, 1, C(0, 15, 255)}, {1, 14, C(0, 15, 255)}, {59, 8, C(123, 15, 132)},
                                        {60, 8, kBg}}},
      // Needle across: p = 1 + 29.4999993 rounds down to column 30.
      {"ori_ago", 120, 16, 25, 0, {{30, 1, kRed}, {30, 14, kRed}, {29, 8, kBg}, {31, 8, kBg}}},
      // Segments: n = round(1.4999999665) = 1, two of four; segment 0 ends before 30.5, segment 1 touches it.
      {"ori_vmeter", 120, 16, 50, 4, {{1, 1, C(0, 0, 255)}, {29, 14, C(0, 0, 255)}, {30, 8, C(64, 0, 191)},
                                      {59, 8, C(64, 0, 191)}, {60, 8, kBg}}},
      // Cylinder: k = 15.9375, n = 7; i = 3 gives round(47.8125) = 48, i = 7 clamps the red.
      {"ori_rosso", 120, 16, 50, 0, {{1, 1, C(155, 0, 0)}, {59, 14, C(155, 0, 0)}, {30, 4, C(203, 48, 48)},
                                     {30, 11, C(203, 48, 48)}, {30, 7, C(255, 112, 112)}, {30, 8, C(255, 112, 112)},
                                     {60, 8, kBg}}},
      // Wide needle: p = 60, outline columns 54 and 66, shade round(127.4999976) = 127, red middle line.
      {"ori_agone", 120, 16, 50, 0, {{54, 8, kBlack}, {66, 8, kBlack}, {53, 8, kBg}, {67, 8, kBg}, {56, 1, kBlack},
                                     {56, 14, kBlack}, {56, 8, kBody}, {60, 2, kRed}, {60, 13, kRed},
                                     {60, 1, kBlack}}},
      // Bar upward: n = round(68.9999985) = 69, rows 138 up to 69; k = 255 / 140 as a float.
      {"ver_blurosso", 18, 140, 50, 0, {{1, 138, C(0, 0, 255)}, {16, 69, C(126, 0, 129)}, {8, 68, kBg}}},
      {"ver_blurosso", 18, 140, 100, 0, {{8, 0, C(251, 0, 4)}}},  // full: one row into the frame
      // Segments upward: six rows each, one-pixel gaps.
      {"ver_vmeter", 24, 140, 100, 20, {{5, 138, C(0, 0, 255)}, {5, 133, C(0, 0, 255)}, {5, 132, kBg},
                                        {5, 131, C(13, 0, 242)}, {5, 2, C(242, 0, 13)}, {5, 7, C(242, 0, 13)},
                                        {5, 1, kBg}}},
      // Needle upward: d = 70.0000015, row 71 across the inner width.
      {"ver_ago", 18, 140, 50, 0, {{1, 71, kRed}, {16, 71, kRed}, {8, 70, kBg}, {8, 72, kBg}}},
      // Wide needle upward: body rows 65..77.
      {"ver_agone", 18, 140, 50, 0, {{5, 65, kBlack}, {5, 77, kBlack}, {5, 64, kBg}, {5, 78, kBg}, {5, 70, kBody},
                                     {8, 71, kRed}, {1, 71, kBlack}}},
      // Style names are case-sensitive; unknown names draw no level.
      {"ORI_AGO", 120, 16, 50, 0, {{60, 8, kBg}}},
      {"ori_nothing", 120, 16, 50, 0, {{60, 8, kBg}}},
      // Ticks across: step 29.5 (30.5 -> 30, 89.5 -> 90), a fifth of the height: offset -3.2 -> 3 pixels.
      // Level 0 draws no needle at the left inner edge.
      {"ori_ago", 120, 16, 0, 4, {{30, 14, kTick}, {30, 12, kTick}, {30, 11, kBg}, {60, 13, kTick}, {90, 12, kTick},
                                  {89, 12, kBg}, {1, 8, kBg}}},
      {"ori_ago", 120, 18, 0, 4, {{30, 13, kTick}, {30, 12, kBg}}},  // offset -3.6 -> 4 pixels
      // Ticks upward: step 13.8, first on row 15, columns 2..4; j = 9 at 125.2.
      {"ver_ago", 18, 140, 0, 10, {{2, 15, kTick}, {4, 15, kTick}, {5, 15, kBg}, {1, 15, kBg}, {2, 125, kTick}}},
      {"ori_blurosso", 120, 16, 100, 4, {{60, 13, kTick}}},  // ticks lie over the level
      // No ticks for one division, nor on meters.
      {"ori_ago", 120, 16, 0, 1, {{60, 13, kBg}}},
      {"ver_vmeter", 24, 140, 0, 10, {{2, 15, kBg}}},
      {"ori_vmeter", 120, 16, 0, 4, {{30, 13, kBg}}},
      // Values above 100 run to the canvas edge (column 119 over the frame: i = 118).
      {"ori_blurosso", 120, 16, 150, 0, {{119, 8, C(251, 15, 4)}}},
      {"ori_rosso", 120, 16, 1e30f, 0, {{119, 1, C(155, 0, 0)}}},
      // Segment 10 lies over the top frame rows, the gap below it.
      {"ver_vmeter", 24, 140, 1e30f, 10, {{5, 0, kRed}, {5, 1, kBg}}},
  };
  int32_t id = 1;
  for (const PlainGauge& row : rows) {
    SCOPED_TRACE(testing::Message() << row.style << " " << row.width << "x" << row.height << " value " << row.value
                                    << " divisions " << row.divisions);
    Plain(id, row.width, row.height, row.style, row.value, row.divisions);
    const platform::Surface s = Picture(id++);
    for (const Dot& dot : row.dots) EXPECT_EQ(At(s, dot.x, dot.y), dot.expected) << dot.x << ", " << dot.y;
  }
}

TEST_F(Gauges, SegmentsUpwardLeaveExactlyOneGapBetweenNeighbours) {
  Plain(1, 24, 140, "ver_vmeter", 100, 20);
  const platform::Surface s = Picture(1);
  int gaps = 0;
  for (int y = 2; y <= 138; ++y) gaps += At(s, 5, y) == kBg;
  EXPECT_EQ(gaps, 19);
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
  // "!" shows the value in divisions.
  Plain(5, 120, 16, "ori_ago", 50, 20, "!");
  Plain(6, 120, 16, "ori_ago", 50, 20, "10");
  EXPECT_EQ(Differences(Picture(5), Picture(6)), "");
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
  // Outer ring in the full colour, inner ring in shade 128, nothing inside.
  EXPECT_DOTS(Picture(1), {{59, 0, C(155, 255, 155)}, {58, 16, C(27, 127, 27)}, {30, 9, kBg}});
}

// ---- Values ----

TEST_F(Gauges, NegativeValuesRepaintOrDrawNoLevel) {
  Plain(1, 120, 16, "ori_blurosso", 50, 4, "x");
  const platform::Surface before = Picture(1);
  for (float negative : {-1.0f, -16.5f}) {  // only repaints
    SetGaugeValue(dialog_, 1, negative, "");
    EXPECT_EQ(InstrumentAt(1)->value, 50);
    EXPECT_EQ(Differences(Picture(1), before), "");
  }
  Plain(2, 120, 16, "ori_blurosso", 50);
  Plain(3, 120, 16, "ori_blurosso", 0);
  SetGaugeLevel(dialog_, 2, -10);  // stored, no level drawn
  EXPECT_EQ(InstrumentAt(2)->value, -10);
  EXPECT_EQ(Differences(Picture(2), Picture(3)), "");
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
  // Drawing a non-finite value draws an empty gauge.
  Plain(4, 120, 16, "ori_agone", 0, 4, "%");
  const platform::Surface empty = Picture(4);
  for (float bad : {kNaN, kInfinity}) {
    DrawGauge(dialog_, 4, 1, bad, 4, "%", 0xFFFFFF, "ori_agone", "verde", kNoPattern);
    EXPECT_EQ(Differences(Picture(4), empty), "");
  }
}

TEST_F(Gauges, AHugeLevelGivesTheSameFullBar) {
  Plain(1, 120, 16, "ori_blurosso", 50);
  SetGaugeLevel(dialog_, 1, 1e30f);
  EXPECT_EQ(At(Picture(1), 119, 8), C(251, 15, 4));
}

TEST_F(Gauges, MetersWithoutDivisionsDrawNoSegments) {
  int32_t id = 1;
  for (int16_t divisions : {int16_t{0}, int16_t{-3}}) {
    SCOPED_TRACE(divisions);
    Plain(id, 120, 16, "ori_vmeter", 80, divisions, "x");
    Plain(id + 1, 24, 140, "ver_vmeter", 80, divisions, "x");
    Plain(id + 2, 120, 16, "ori_vmeter", 0, divisions, "x");
    Plain(id + 3, 24, 140, "ver_vmeter", 0, divisions, "x");
    EXPECT_EQ(Differences(Picture(id), Picture(id + 2)), "");
    EXPECT_EQ(Differences(Picture(id + 1), Picture(id + 3)), "");
    id += 4;
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

// From 90 to 20, and to exactly 0: the empty gauge.
TEST_F(Gauges, LaterPaintsLeaveNoTraceOfEarlierLevels) {
  int32_t id = 100;
  for (const float later : {20.0f, 0.0f}) {
    for (const std::string style : {"ori_blurosso", "ori_vmeter", "ori_rosso", "ori_ago", "ori_agone", "ver_blurosso",
                                    "ver_vmeter", "ver_ago", "ver_agone", ""}) {
      SCOPED_TRACE(testing::Message() << style << " to " << later);
      const bool across = style.rfind("ori", 0) == 0;
      const int32_t w = across ? 120 : 24, h = across ? 18 : 140;
      CreateGauge(dialog_, id, 10, 10, w, h, "", 3, "oro", 90, 6, "%", 0xFFFF00, style, "rosso", 2);
      SetGaugeValue(dialog_, id, later, "");
      CreateGauge(dialog_, id + 1, 10, 10, w, h, "", 3, "oro", later, 6, "%", 0xFFFF00, style, "rosso", 2);
      EXPECT_EQ(Differences(Picture(id), Picture(id + 1)), "");
      id += 2;
    }
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
  // Whole readings exactly; fractions of a column within float rounding.
  static void ExpectReading(float actual, float expected) {
    if (expected == std::floor(expected)) {
      EXPECT_EQ(actual, expected);
    } else {
      EXPECT_FLOAT_EQ(actual, expected);
    }
  }
  static constexpr int kLeft = 50;
  static constexpr int kTop = 30;
};

TEST_F(GaugeCursor, ReadingsAcrossAndUpward) {
  // Across counts the column under the cursor and stops at 100; upward reads
  // from the row below the top and stops at 0.
  const struct {
    int x, y;
    float across, upward;
  } rows[] = {
      {kLeft, kTop, 100.0f / 120, 100 + 100.0f / 140}, {kLeft + 59, kTop + 1, 50, 100},
      {kLeft + 119, kTop + 71, 100, 50},               {kLeft + 300, kTop + 141, 100, 0},
      {kLeft - 1, kTop + 400, 0, 0},                   {kLeft - 13, kTop + 400, -10, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.x << ", " << row.y);
    platform::InjectMouseMove(row.x, row.y);
    ExpectReading(CursorPercentAcross(dialog_, 1), row.across);
    ExpectReading(GaugeValueFromCursor(dialog_, 2), row.upward);
  }
}

TEST_F(GaugeCursor, TheStyleNameChoosesTheDirection) {
  platform::InjectMouseMove(kLeft + 29, kTop + 71);  // across: 25, upward: 50
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
  platform::InjectMouseMove(kLeft + 10, kTop + 10);
  for (int32_t id : {7, 99}) {
    EXPECT_EQ(CursorPercentAcross(dialog_, id), 0) << id;
    EXPECT_EQ(CursorPercentDown(dialog_, id), 0) << id;
  }
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

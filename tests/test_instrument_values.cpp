// Setting values by kind: a knob shows exactly the percentage it is given
// (floored) on every range of the demonstration panel, a button or switch
// takes a state and toggles only when it shows the other, and one call
// reaches the setter of each kind.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "instrument_panel/buttons.h"
#include "instrument_panel/display.h"
#include "instrument_panel/errors.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/instrument_values.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/leds.h"
#include "tests/canvas_probe.h"

using namespace ip;

namespace {

using probe::WidgetTest;

class InstrumentValues : public WidgetTest {};

TEST_F(InstrumentValues, KnobShowsEveryWholePercentageItIsGiven) {
  struct Range {
    int32_t minAngle, maxAngle;
  };
  for (const Range range : {Range{-151, 151}, Range{-171, 171}, Range{-91, 91}, Range{-135, 135}, Range{0, 100}}) {
    CreateKnob(dialog_, 7, 10, 10, 60, 60, "", 4, 10, range.minAngle, range.maxAngle, 0);
    for (int percent = 0; percent <= 100; ++percent) {
      ASSERT_TRUE(SetKnobPercent(dialog_, 7, static_cast<float>(percent)));
      EXPECT_EQ(GetKnobPercent(dialog_, 7), percent) << range.minAngle << ".." << range.maxAngle;
    }
    EXPECT_EQ(GetKnobAngle(dialog_, 7), range.maxAngle);
    ASSERT_TRUE(SetKnobPercent(dialog_, 7, 0));
    EXPECT_EQ(GetKnobAngle(dialog_, 7), range.minAngle);
  }
  // -151..151 at 25 %: -75 degrees shows 25, where rounding the exact angle (-75.5) to -76 would show 24.
  CreateKnob(dialog_, 7, 10, 10, 60, 60, "", 4, 10, -151, 151, 0);
  ASSERT_TRUE(SetKnobPercent(dialog_, 7, 25.9f));
  EXPECT_EQ(GetKnobAngle(dialog_, 7), -75);
  EXPECT_EQ(GetKnobPercent(dialog_, 7), 25);
}

TEST_F(InstrumentValues, KnobRefusesPercentagesOutsideItsScale) {
  CreateKnob(dialog_, 7, 10, 10, 60, 60, "", 4, 10, -90, 90, 50);
  for (float percent : {-0.5f, 100.5f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
    EXPECT_FALSE(SetKnobPercent(dialog_, 7, percent)) << percent;
    EXPECT_EQ(GetKnobAngle(dialog_, 7), 0) << "unchanged";
  }
  CreateGauge(dialog_, 8, 100, 10, 120, 16, "", 2, "verde", 10, 10, "", 0, "ori_blurosso", "verde", 0);
  ClearLastError();
  EXPECT_FALSE(SetKnobPercent(dialog_, 8, 50));
  EXPECT_EQ(LastError(), ErrorCode::kWrongInstrumentKind);
  EXPECT_EQ(GetGaugeValue(dialog_, 8), 10.0f);
}

TEST_F(InstrumentValues, ButtonsToggleOnlyIntoTheOtherState) {
  CreateToggleButton(dialog_, 9, 10, 10, 164, 22, "", 2, "grigio", "N/S", 0, "grigio", 4, 5);
  EXPECT_TRUE(SetButtonState(dialog_, 9, false, ""));
  EXPECT_EQ(GetButtonState(dialog_, 9), 0);
  EXPECT_TRUE(SetButtonState(dialog_, 9, true, ""));
  EXPECT_EQ(GetButtonState(dialog_, 9), 1);
  EXPECT_TRUE(SetButtonState(dialog_, 9, true, ""));
  EXPECT_EQ(GetButtonState(dialog_, 9), 1) << "a second ON does not toggle it back";
  CreateInstrumentControl(dialog_, 10, 200, 10, 22, 22, "switch1.bmp/switch2.bmp");
  EXPECT_TRUE(SetButtonState(dialog_, 10, true, "OFF/ON"));
  EXPECT_EQ(GetButtonState(dialog_, 10), 1);
  CreateKnob(dialog_, 11, 300, 10, 60, 60, "", 4, 10, -90, 90, 50);
  EXPECT_FALSE(SetButtonState(dialog_, 11, true, ""));
}

TEST_F(InstrumentValues, OneCallReachesTheSetterOfEachKind) {
  CreateGauge(dialog_, 1, 10, 10, 120, 16, "", 2, "verde", 10, 10, "", 0, "ori_blurosso", "verde", 0);
  CreateLedLamp(dialog_, 2, 10, 40, 64, 18, "", 2, "grigio", 0, "rosso", "", 0);
  CreateRoundLamp(dialog_, 3, 80, 40, 18, 18, "", 1, "", 0, "verdino", "", 0);
  CreateKnob(dialog_, 4, 10, 70, 60, 60, "", 4, 10, -90, 90, 0);
  CreateToggleButton(dialog_, 5, 100, 70, 120, 22, "", 2, "grigio", "OFF/ON", 0, "grigio", 0, 4);
  int32_t width = 84, height = 32;
  CreateDigitalDisplay(dialog_, 6, 100, 100, width, height, "", 3, "grigio", 14, 0xFFFFFF, "", "grigio", 3);
  CreateInstrumentControl(dialog_, 7, 300, 10, 120, 80, "");
  EXPECT_TRUE(SetInstrumentValue(dialog_, 1, 42, "CPU"));
  EXPECT_EQ(GetGaugeValue(dialog_, 1), 42.0f);
  EXPECT_EQ(GetGaugeCaption(dialog_, 1), "CPU");
  EXPECT_TRUE(SetInstrumentValue(dialog_, 2, 70, ""));
  EXPECT_EQ(GetLampLevel(dialog_, 2), 70.0f);
  EXPECT_TRUE(SetInstrumentValue(dialog_, 3, 30, ""));
  EXPECT_EQ(GetLampLevel(dialog_, 3), 30.0f);
  EXPECT_TRUE(SetInstrumentValue(dialog_, 4, 50, ""));
  EXPECT_EQ(GetKnobPercent(dialog_, 4), 50.0f);
  EXPECT_FALSE(SetInstrumentValue(dialog_, 4, 101, "")) << "the knob refuses it";
  EXPECT_TRUE(SetInstrumentValue(dialog_, 5, 1, ""));
  EXPECT_EQ(GetButtonState(dialog_, 5), 1);
  EXPECT_TRUE(SetInstrumentValue(dialog_, 6, 0, "12:00"));
  EXPECT_EQ(GetDisplayText(dialog_, 6), "12:00");
  ClearLastError();
  EXPECT_FALSE(SetInstrumentValue(dialog_, 7, 5, "x")) << "a plain canvas has no value";
  EXPECT_EQ(LastError(), ErrorCode::kWrongInstrumentKind);
  EXPECT_FALSE(SetInstrumentValue(dialog_, 2001, 5, ""));
  EXPECT_EQ(LastError(), ErrorCode::kIdentifierOutsideTables);
}

}  // namespace

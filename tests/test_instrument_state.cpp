// What the instruments remember and show: the kind each creator records, the
// getters of values, captions, states, angles and texts, and what a getter
// gives for an identifier of another kind or outside the tables.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "instrument_panel/buttons.h"
#include "instrument_panel/display.h"
#include "instrument_panel/errors.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/leds.h"
#include "tests/canvas_probe.h"

using namespace ip;
using namespace ip::panel;

namespace {

using namespace probe;

constexpr int32_t kGauge = 301, kRectLamp = 101, kRoundLamp = 201, kButton = 901, kSwitch = 700;
constexpr int32_t kPlain = 601, kKnob = 1401, kDisplay = 408, kNothing = 1999;

class InstrumentState : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    CreateGauge(dialog_, kGauge, 10, 270, 18, 140, "", 1, "rosso", 50, 10, "1", 0xFFFFFF, "ver_ago", "grigio", 0);
    CreateLedLamp(dialog_, kRectLamp, 10, 10, 64, 18, "", 4, "rosso", 100, "semaforo", "1", 0);
    CreateRoundLamp(dialog_, kRoundLamp, 80, 10, 18, 18, "", 0, "", 100, "semaforo", "1", 0);
    CreateToggleButton(dialog_, kButton, 540, 110, 164, 22, "", 0, "rosso", "off/on", 0xFFFFFF, "rosso", 0, 1);
    CreateInstrumentControl(dialog_, kSwitch, 530, 10, 120, 80, "missing-off.bmp/missing-on.bmp");
    CreateInstrumentControl(dialog_, kPlain, 400, 10, 120, 80, "");
    CreateKnob(dialog_, kKnob, 350, 270, 120, 120, "", 12, 24, -151, 151, 25);
    int32_t width = 84, height = 32;
    CreateDigitalDisplay(dialog_, kDisplay, 300, 10, width, height, "", 5, "oro", 14, 0xFFFFFF, "", "grigio", 5);
    ClearLastError();
  }
};

TEST_F(InstrumentState, EachCreatorRecordsItsKind) {
  const std::pair<int32_t, InstrumentKind> kinds[] = {
      {kGauge, InstrumentKind::kGauge},         {kRectLamp, InstrumentKind::kLedLamp},
      {kRoundLamp, InstrumentKind::kRoundLamp}, {kButton, InstrumentKind::kToggleButton},
      {kSwitch, InstrumentKind::kBitmapSwitch}, {kPlain, InstrumentKind::kCanvas},
      {kKnob, InstrumentKind::kKnob},           {kDisplay, InstrumentKind::kDigitalDisplay},
      {kNothing, InstrumentKind::kNone},
  };
  for (const auto& [id, kind] : kinds) EXPECT_EQ(InstrumentKindOf(id), kind) << id;
  EXPECT_EQ(LastError(), ErrorCode::kNone);
  ResetPanelState();
  EXPECT_EQ(InstrumentKindOf(kKnob), InstrumentKind::kNone);  // a fresh start forgets them
}

TEST_F(InstrumentState, GaugeValueAndTheCaptionAsPainted) {
  EXPECT_EQ(GetGaugeValue(dialog_, kGauge), 50.0f);
  EXPECT_EQ(GetGaugeCaption(dialog_, kGauge), "1");
  struct Case {
    float value;
    const char* text;
    float stored;
    const char* shown;
  };
  // Negative and non-finite values keep the stored one; the codes are
  // expanded with the value shown; prefixes stay in the caption.
  const Case cases[] = {
      {40, "%", 40, "40%"}, {37, "!", 37, "4"}, {-5, "", 37, "4"},
      {12.5f, "[<]abc", 12.5f, "[<]abc"}, {std::numeric_limits<float>::quiet_NaN(), "", 12.5f, "[<]abc"},
      {100, "", 100, "[<]abc"},
  };
  for (const Case& c : cases) {
    SetGaugeValue(dialog_, kGauge, c.value, c.text);
    EXPECT_EQ(GetGaugeValue(dialog_, kGauge), c.stored) << c.text;
    EXPECT_EQ(GetGaugeCaption(dialog_, kGauge), c.shown) << c.text;
  }
  SetGaugeLevel(dialog_, kGauge, -20);  // stored, and drawn as no level
  EXPECT_EQ(GetGaugeValue(dialog_, kGauge), -20.0f);
}

TEST_F(InstrumentState, LampLevelsOfBothShapes) {
  EXPECT_EQ(GetLampLevel(dialog_, kRectLamp), 0.0f);  // a new lamp shows 0 whatever it was given
  SetLedLampValue(dialog_, kRectLamp, 70, "x");
  SetRoundLampValue(dialog_, kRoundLamp, 30, "");
  EXPECT_EQ(GetLampLevel(dialog_, kRectLamp), 70.0f);
  EXPECT_EQ(GetLampLevel(dialog_, kRoundLamp), 30.0f);
  SetRoundLampValue(dialog_, kRoundLamp, std::numeric_limits<float>::quiet_NaN(), "");
  EXPECT_EQ(GetLampLevel(dialog_, kRoundLamp), 0.0f);
}

TEST_F(InstrumentState, ButtonAndSwitchStatesFlip) {
  for (int32_t id : {kButton, kSwitch}) {
    EXPECT_EQ(GetButtonState(dialog_, id), 0) << id;
    ToggleButton(dialog_, id, "");
    EXPECT_EQ(GetButtonState(dialog_, id), 1) << id;
    ToggleButton(dialog_, id, "");
    EXPECT_EQ(GetButtonState(dialog_, id), 0) << id;
  }
  EXPECT_EQ(LastError(), ErrorCode::kNone);
}

TEST_F(InstrumentState, KnobPositionInPercentAndDegrees) {
  // Created at 25 %: round(-151 + 302 x 0.25) = -75.5 -> -76 (ties to even).
  EXPECT_EQ(GetKnobAngle(dialog_, kKnob), -76);
  EXPECT_EQ(GetKnobPercent(dialog_, kKnob), 24.0f);  // floor(100 x 75 / 302)
  const std::pair<int32_t, float> turns[] = {{151, 100}, {-151, 0}, {0, 50}, {1, 50}, {2, 50}, {3, 50}, {4, 51}};
  for (const auto& [angle, percent] : turns) {
    DrawKnob(dialog_, kKnob, angle);
    EXPECT_EQ(GetKnobAngle(dialog_, kKnob), angle);
    EXPECT_EQ(GetKnobPercent(dialog_, kKnob), percent) << angle;
  }
  DrawKnob(dialog_, kKnob, 152);  // outside the range: nothing changes
  EXPECT_EQ(GetKnobAngle(dialog_, kKnob), 4);
  EXPECT_EQ(GetKnobPercent(dialog_, kKnob), 51.0f);
}

TEST_F(InstrumentState, DisplayTextIsTheLastShown) {
  EXPECT_EQ(GetDisplayText(dialog_, kDisplay), "");
  SetDisplayText(dialog_, kDisplay, "12:00:33");
  EXPECT_EQ(GetDisplayText(dialog_, kDisplay), "12:00:33");
  SetDisplayText(dialog_, kDisplay, "");
  EXPECT_EQ(GetDisplayText(dialog_, kDisplay), "");
}

// Every getter on every identifier it does not serve: 0 or empty, and the
// error that says why.
TEST_F(InstrumentState, GettersOfOtherKindsAndOutsideTheTableGiveNothing) {
  struct Case {
    int32_t id;
    ErrorCode error;
  };
  const Case cases[] = {
      {kPlain, ErrorCode::kWrongInstrumentKind},
      {kNothing, ErrorCode::kWrongInstrumentKind},
      {kInstrumentTableLast + 1, ErrorCode::kIdentifierOutsideTables},
      {-1, ErrorCode::kIdentifierOutsideTables},
  };
  // Each getter, true when it gave 0 or empty.
  const std::pair<const char*, std::function<bool(int32_t)>> getters[] = {
      {"GetGaugeValue", [this](int32_t id) { return GetGaugeValue(dialog_, id) == 0.0f; }},
      {"GetGaugeCaption", [this](int32_t id) { return GetGaugeCaption(dialog_, id).empty(); }},
      {"GetLampLevel", [this](int32_t id) { return GetLampLevel(dialog_, id) == 0.0f; }},
      {"GetButtonState", [this](int32_t id) { return GetButtonState(dialog_, id) == 0; }},
      {"GetKnobPercent", [this](int32_t id) { return GetKnobPercent(dialog_, id) == 0.0f; }},
      {"GetKnobAngle", [this](int32_t id) { return GetKnobAngle(dialog_, id) == 0; }},
      {"GetDisplayText", [this](int32_t id) { return GetDisplayText(dialog_, id).empty(); }},
  };
  for (const Case& c : cases) {
    for (const auto& [name, givesNothing] : getters) {
      ClearLastError();
      EXPECT_TRUE(givesNothing(c.id)) << name << " " << c.id;
      EXPECT_EQ(LastError(), c.error) << name << " " << c.id;
    }
  }
  // Each getter refuses the instruments of the others.
  ClearLastError();
  EXPECT_EQ(GetGaugeValue(dialog_, kRectLamp), 0.0f);  // a rectangular lamp is built on a gauge, but is a lamp
  EXPECT_EQ(GetLampLevel(dialog_, kGauge), 0.0f);
  EXPECT_EQ(GetButtonState(dialog_, kKnob), 0);
  EXPECT_EQ(GetKnobAngle(dialog_, kDisplay), 0);
  EXPECT_EQ(GetDisplayText(dialog_, kButton), "");
  EXPECT_EQ(LastError(), ErrorCode::kWrongInstrumentKind);
  EXPECT_EQ(GetInstrumentRecord(kInstrumentTableLast + 1).frameWidth, 0);
  EXPECT_EQ(GetInstrumentRecord(kGauge).frameWidth, 1);
}

}  // namespace

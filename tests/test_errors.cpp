// Errors a program can read: unknown colour names, gauge styles, lamp
// schemes and patterns and identifiers outside the tables are recorded and
// reported once per name, while what is drawn stays what the operations
// say; the published key tables are the ones the lookups accept.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/error_report.h"
#include "instrument_panel/backgrounds.h"
#include "instrument_panel/colors.h"
#include "instrument_panel/errors.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/keys.h"
#include "instrument_panel/lamps.h"
#include "instrument_panel/leds.h"
#include "tests/canvas_probe.h"
#include "tests/support/headless_panel.h"

using namespace ip;
using namespace ip::panel;

namespace {

using namespace probe;

// Collects the report lines instead of standard error while a test runs.
class Errors : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    previous_ = SetDiagnosticSink([this](const std::string& line) { lines_.push_back(line); });
    ClearLastError();
  }
  void TearDown() override { SetDiagnosticSink(previous_); }

  std::vector<std::string> lines_;
  DiagnosticSink previous_;
};

TEST_F(Errors, UnknownNamesGiveBlackAndTheirCode) {
  struct Case {
    const char* what;
    std::function<ColorRef()> call;
    ColorRef color;
    ErrorCode error;
  };
  const Case cases[] = {
      {"known colour", [] { return ColorFromName(" ROSSO ", 0); }, Rgb(255, 155, 155), ErrorCode::kNone},
      {"hexadecimal colour", [] { return ColorFromName("#102030", 0); }, Rgb(16, 32, 48), ErrorCode::kNone},
      {"malformed hexadecimal", [] { return ColorFromName("#zz", 0); }, 0, ErrorCode::kNone},
      {"empty colour", [] { return ColorFromName("", 0); }, 0, ErrorCode::kNone},
      {"unwritten field", [] { return ColorFromName(std::string(20, '\0'), 0); }, 0, ErrorCode::kNone},
      {"unknown colour", [] { return ColorFromName("rossso", 0); }, 0, ErrorCode::kUnknownColorName},
      {"empty scheme", [] { return LampColor("", 10, 1, 50); }, Rgb(10, 110, 10), ErrorCode::kNone},
      {"known scheme", [] { return LampColor("SEMAFORO", 10, 1, 50); }, Rgb(255, 50, 0), ErrorCode::kNone},
      {"unknown scheme", [] { return LampColor("viola", 10, 1, 50); }, 0, ErrorCode::kUnknownLampScheme},
      {"untrimmed scheme", [] { return LampColor("rosso ", 10, 1, 50); }, 0, ErrorCode::kUnknownLampScheme},
  };
  for (const Case& c : cases) {
    ClearLastError();
    EXPECT_EQ(c.call(), c.color) << c.what;
    EXPECT_EQ(LastError(), c.error) << c.what;
  }
}

TEST_F(Errors, EachDistinctNameIsReportedOnce) {
  for (int i = 0; i < 3; ++i) ColorFromName("viola", 0);
  ColorFromName("blu", 0);
  LampColor("blu", 1, 1, 1);  // a lamp scheme, not a colour: known
  LampColor("viola", 1, 1, 1);
  CreateInstrumentControl(dialog_, 5, 0, 0, 30, 20, "");
  DrawPanelBackground(dialog_, 5, 0, "", 7);
  EXPECT_EQ(lines_, (std::vector<std::string>{
                        "instrument panel: unknown colour name 'viola'",
                        "instrument panel: unknown colour name 'blu'",
                        "instrument panel: unknown lamp scheme 'viola'",
                        "instrument panel: unknown background pattern '7'",
                    }));
  EXPECT_EQ(LastError(), ErrorCode::kUnknownBackgroundPattern);
}

TEST_F(Errors, ReportsStopAfterTheLimitButCodesGoOn) {
  for (size_t i = 0; i <= kMaxDistinctReports; ++i) ColorFromName("c" + std::to_string(i), 0);
  EXPECT_EQ(lines_.size(), kMaxDistinctReports);
  EXPECT_EQ(lines_.back(), "instrument panel: unknown colour name 'c" + std::to_string(kMaxDistinctReports - 1) + "'");
  ClearLastError();
  ColorFromName("one more", 0);
  EXPECT_EQ(LastError(), ErrorCode::kUnknownColorName);
  EXPECT_EQ(lines_.size(), kMaxDistinctReports);
}

// An unknown style draws what no style draws: no level and no ticks, inside
// the same bevelled frame as any named style.
TEST_F(Errors, UnknownGaugeStyleIsReportedAndDrawsNoLevel) {
  CreateGauge(dialog_, 1, 10, 10, 120, 18, "", 3, "verde", 60, 6, "%", 0xFFFFFF, "ori_xyz", "rosso", 0);
  EXPECT_EQ(LastError(), ErrorCode::kUnknownGaugeStyle);
  ClearLastError();
  CreateGauge(dialog_, 2, 10, 40, 120, 18, "", 3, "verde", 60, 6, "%", 0xFFFFFF, gauge_style::kLedLamp, "rosso", 0);
  EXPECT_EQ(LastError(), ErrorCode::kNone);
  EXPECT_EQ(CountDifferences(PictureOf(dialog_, 1), PictureOf(dialog_, 2)), 0);
  EXPECT_EQ(lines_, (std::vector<std::string>{"instrument panel: unknown gauge style 'ori_xyz'"}));
}

// A rectangular lamp's scheme is checked as a lamp scheme only, though the
// gauge under the lamp also reads it as a colour name.
TEST_F(Errors, LampSchemesAreReportedAsSchemes) {
  CreateLedLamp(dialog_, 101, 10, 10, 64, 18, "", 4, "rosso", 100, "semaforo", "1", 0);
  EXPECT_EQ(LastError(), ErrorCode::kNone);
  CreateLedLamp(dialog_, 102, 10, 32, 64, 18, "", 4, "rosso", 100, "viola", "2", 0);
  EXPECT_EQ(LastError(), ErrorCode::kUnknownLampScheme);
  EXPECT_EQ(lines_, (std::vector<std::string>{"instrument panel: unknown lamp scheme 'viola'"}));
}

TEST_F(Errors, UnknownPatternLeavesTheInsideAsItWas) {
  CreateInstrumentControl(dialog_, 5, 0, 0, 30, 20, "");
  const platform::Surface before = PictureOf(dialog_, 5);
  for (int32_t pattern : {-1, 7, 1000}) {
    ClearLastError();
    DrawPanelBackground(dialog_, 5, 2, "rosso", pattern);
    EXPECT_EQ(LastError(), ErrorCode::kUnknownBackgroundPattern) << pattern;
  }
  EXPECT_EQ(CountDifferences(before, PictureOf(dialog_, 5)), 0);
  ClearLastError();
  for (const PatternName& known : kPatterns) DrawPanelBackground(dialog_, 5, 2, "rosso", known.key);
  EXPECT_EQ(LastError(), ErrorCode::kNone);
}

TEST_F(Errors, IdentifiersOutsideTheTablesAreIgnoredAndReported) {
  for (int32_t id : {-1, kInstrumentTableLast + 1, INT32_MAX}) {
    ClearLastError();
    CreateGauge(dialog_, id, 10, 10, 40, 18, "", 1, "verde", 50, 4, "", 0, "ori_ago", "rosso", 0);
    EXPECT_EQ(LastError(), ErrorCode::kIdentifierOutsideTables) << id;
    EXPECT_EQ(GetControlHandle(dialog_, id), 0u) << id;
  }
  EXPECT_EQ(lines_.size(), 3u);
  EXPECT_EQ(lines_[1], "instrument panel: identifier outside the instrument tables '2001'");
}

// Every key of the published tables is one the lookups know.
TEST_F(Errors, EveryPublishedKeyIsAccepted) {
  for (const KeyName& name : kColorNames) ColorFromName(std::string(name.key), 0);
  for (const KeyName& name : kLampSchemes) LampColor(std::string(name.key), 1, 1, 1);
  for (const KeyName& name : kGaugeStyles) {
    CreateGauge(dialog_, 9, 10, 10, 40, 40, "", 1, "verde", 50, 4, "", 0, std::string(name.key), "rosso", 0);
  }
  EXPECT_EQ(LastError(), ErrorCode::kNone);
  EXPECT_TRUE(lines_.empty());
  EXPECT_EQ(std::string(color::kGold), "oro");
  EXPECT_EQ(std::string(gauge_style::kVerticalNeedle), "ver_ago");
  EXPECT_EQ(std::string(lamp_scheme::kTrafficLight), "semaforo");
  EXPECT_EQ(pattern::kVerticalCylinder, 2);
}

TEST_F(Errors, DescriptionsNameEachCode) {
  EXPECT_STREQ(ErrorDescription(ErrorCode::kNone), "no error");
  EXPECT_STREQ(ErrorDescription(ErrorCode::kNoCanvas), "no such canvas");
  EXPECT_STREQ(ErrorDescription(ErrorCode::kNoWindowSession), "no window session started");
  EXPECT_STREQ(ErrorDescription(static_cast<ErrorCode>(12345)), "unknown error code");
  EXPECT_EQ(static_cast<int32_t>(ErrorCode::kControlNotFound), 1421);
}

// The demonstration panel uses only names the library knows.
TEST(PanelErrors, APanelRunReportsNothing) {
  std::vector<std::string> lines;
  const DiagnosticSink previous = SetDiagnosticSink([&](const std::string& line) { lines.push_back(line); });
  ClearLastError();
  headless_panel::RunPanel(1500);
  SetDiagnosticSink(previous);
  EXPECT_TRUE(lines.empty()) << lines.front();
  EXPECT_EQ(LastError(), ErrorCode::kNone);
}

}  // namespace

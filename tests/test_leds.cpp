// LED lamps: box geometry and colours of both shapes, the bezel, captions,
// the level rules and bad identifiers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "instrument_panel/leds.h"
#include "instruments/instrument_state.h"
#include "tests/canvas_probe.h"

using namespace ip;
using namespace ip::panel;

namespace {

using namespace probe;

class LedLampTest : public WidgetTest {};

constexpr int32_t kLamp = 101;

// A rectangular lamp 64 x 18 with a 4-pixel frame: u = 4, boxes k = 0..9.
// Box k spans columns round(4 + k/2)..round(60 - k) - 1 and rows
// round(4 + k/2)..round(14 - k/2) - 1; later boxes cover earlier ones.
TEST_F(LedLampTest, RectangularLampBoxesShiftLeftAndLighten) {
  CreateLedLamp(dialog_, kLamp, 10, 10, 64, 18, "", 4, "rosso", 100, "rosso", "", 0);
  SetLedLampValue(dialog_, kLamp, 100, "");
  // Only box 0 reaches column 59; box 1 is (4, 4)-(59, 14), box 2 (5, 5)-(58, 13);
  // box 6 covers rows 7..10 while boxes 7..9 stop at row 9; box 9, (8.5, 8.5)-(51, 9.5),
  // becomes (8, 8)-(51, 10), and box 8 ends one column further right.
  EXPECT_PIXELS(dialog_, kLamp, {{59, 4, Rgb(200, 0, 0)}, {59, 13, Rgb(200, 0, 0)}, {4, 4, Rgb(204, 4, 4)},
                                 {4, 13, Rgb(204, 4, 4)}, {58, 4, Rgb(204, 4, 4)}, {5, 5, Rgb(208, 8, 8)},
                                 {8, 10, Rgb(224, 24, 24)}, {8, 8, Rgb(236, 36, 36)}, {50, 9, Rgb(236, 36, 36)},
                                 {51, 9, Rgb(232, 32, 32)}});
  EXPECT_NE(PixelAt(dialog_, kLamp, 60, 9), Rgb(200, 0, 0));  // the frame, not the light
}

TEST_F(LedLampTest, ANewLampShowsLevelZeroWhateverItWasGiven) {
  CreateLedLamp(dialog_, kLamp, 10, 10, 64, 18, "", 4, "rosso", 100, "rosso", "", 0);
  EXPECT_EQ(InstrumentAt(kLamp)->value, 0.0f);
  // Level 0, scheme "rosso": grey P = 4k in every channel.
  EXPECT_PIXELS(dialog_, kLamp, {{59, 4, Rgb(0, 0, 0)}, {8, 8, Rgb(36, 36, 36)}});
}

TEST_F(LedLampTest, SchemesAndLevelsAboveFull) {
  // "semaforo" has a black rim; k = 1 gives (25500, 100, 0.04), clamped.
  CreateLedLamp(dialog_, 101, 10, 10, 64, 18, "", 4, "rosso", 0, "semaforo", "", 0);
  SetLedLampValue(dialog_, 101, 100, "");
  EXPECT_PIXELS(dialog_, 101, {{59, 4, Rgb(0, 0, 0)}, {4, 4, Rgb(255, 100, 0)}});
  // Levels above 100 clamp the red.
  CreateLedLamp(dialog_, 102, 10, 40, 64, 18, "", 4, "rosso", 0, "rosso", "", 0);
  SetLedLampValue(dialog_, 102, 150, "");
  EXPECT_PIXELS(dialog_, 102, {{59, 4, Rgb(255, 0, 0)}, {8, 8, Rgb(255, 36, 36)}});
  // An unknown scheme paints the light black.
  CreateLedLamp(dialog_, 103, 10, 70, 64, 18, "", 4, "rosso", 0, "viola", "", 0);
  SetLedLampValue(dialog_, 103, 100, "");
  EXPECT_PIXELS(dialog_, 103, {{59, 4, Rgb(0, 0, 0)}, {8, 8, Rgb(0, 0, 0)}});
}

TEST_F(LedLampTest, CaptionDefaultsToTheStoredOneAndAGivenOneIsShownOnce) {
  CreateLedLamp(dialog_, kLamp, 10, 10, 64, 18, "", 4, "rosso", 0, "verdino", "5", 0x000000);
  SetLedLampValue(dialog_, kLamp, 60, "");
  const platform::Surface withDefault = PictureOf(dialog_, kLamp);
  SetLedLampValue(dialog_, kLamp, 60, "88");
  EXPECT_GT(CountDifferences(withDefault, PictureOf(dialog_, kLamp)), 0);
  EXPECT_EQ(InstrumentAt(kLamp)->caption.Read().substr(0, 2), "5 ");  // not stored
  for (const char* caption : {"", "5"}) {
    SetLedLampValue(dialog_, kLamp, 60, caption);
    EXPECT_EQ(CountDifferences(withDefault, PictureOf(dialog_, kLamp)), 0) << caption;
  }
}

TEST_F(LedLampTest, NoCaptionAtAllPrintsNoText) {
  CreateLedLamp(dialog_, kLamp, 10, 10, 64, 18, "", 4, "rosso", 0, "rosso", "", 0xFFFFFF);
  SetLedLampValue(dialog_, kLamp, 100, "");
  // Only light colours inside the frame: (200 + 4k, 4k, 4k) for k = 0..9.
  for (int y = 4; y < 14; ++y) {
    for (int x = 4; x < 60; ++x) {
      const ColorRef c = PixelAt(dialog_, kLamp, x, y);
      const int red = c & 255, green = (c >> 8) & 255, blue = (c >> 16) & 255;
      ASSERT_EQ(green, blue) << x << "," << y;
      ASSERT_EQ(red, 200 + green) << x << "," << y;
      ASSERT_EQ(green % 4, 0) << x << "," << y;
    }
  }
}

TEST_F(LedLampTest, NanLevelIsStoredAndShownAsZero) {
  CreateLedLamp(dialog_, kLamp, 10, 10, 64, 18, "", 4, "rosso", 0, "verdino", "", 0);
  SetLedLampValue(dialog_, kLamp, 0, "");
  const platform::Surface atZero = PictureOf(dialog_, kLamp);
  SetLedLampValue(dialog_, kLamp, 80, "");
  SetLedLampValue(dialog_, kLamp, std::numeric_limits<float>::quiet_NaN(), "");
  EXPECT_EQ(InstrumentAt(kLamp)->value, 0.0f);
  EXPECT_EQ(CountDifferences(atZero, PictureOf(dialog_, kLamp)), 0);

  CreateRoundLamp(dialog_, 201, 100, 10, 18, 18, "", 1, "", 0, "rosso", "", 0);
  SetRoundLampValue(dialog_, 201, std::numeric_limits<float>::quiet_NaN(), "");
  EXPECT_EQ(InstrumentAt(201)->value, 0.0f);
}

// A round lamp 40 x 18, frameWidth 1: cleared in the panel colour, a black
// outer ellipse, then the light from (1, 1)-(39, 17) inward.
TEST_F(LedLampTest, RoundLampClearsItsWholeCanvasAndDrawsTheBezel) {
  const ColorRef panel = Rgb(60, 78, 60);
  SetInstrumentSurroundColor(dialog_, panel);
  CreateRoundLamp(dialog_, 201, 100, 10, 40, 18, "", 1, "", 0, "rosso", "", 0);
  SetRoundLampValue(dialog_, 201, 100, "");
  // Corners in the panel colour, the outer bezel ring, then light k = 0 (u = 6).
  EXPECT_PIXELS(dialog_, 201, {{0, 0, panel}, {39, 0, panel}, {0, 17, panel}, {39, 17, panel}, {0, 9, Rgb(0, 0, 0)},
                               {39, 9, Rgb(0, 0, 0)}, {1, 9, Rgb(200, 0, 0)}, {38, 9, Rgb(200, 0, 0)}});
}

// The corners take the dialog's surround colour: set for it, else its
// background colour, else the system button face.
TEST_F(LedLampTest, RoundLampCornersTakeTheDialogsSurroundColour) {
  struct Case {
    const char* what;
    ColorRef background;  // for SetWindowColors; kNotSet leaves the dialog's colours alone
    ColorRef surround;    // for SetInstrumentSurroundColor; kNotSet leaves it alone
    ColorRef corner;
  };
  constexpr ColorRef kNotSet = -3;
  const Case cases[] = {
      {"nothing set", kNotSet, kNotSet, Rgb(240, 240, 240)},
      {"background colour", Rgb(60, 78, 60), kNotSet, Rgb(60, 78, 60)},
      {"transparent background", kColorNone, kNotSet, Rgb(240, 240, 240)},
      {"surround colour over the background", Rgb(60, 78, 60), Rgb(1, 2, 3), Rgb(1, 2, 3)},
  };
  for (const Case& c : cases) {
    const Handle dialog = CreateDialogWindow(0, "surround", -1, -1, 100, 100, 0, 0, kUnitsPixels);
    if (c.background != kNotSet) SetWindowColors(dialog, kDialogItself, -1, c.background);
    if (c.surround != kNotSet) SetInstrumentSurroundColor(dialog, c.surround);
    CreateRoundLamp(dialog, 201, 0, 0, 18, 18, "", 1, "", 0, "rosso", "", 0);
    EXPECT_EQ(GetInstrumentSurroundColor(dialog), c.corner) << c.what;
    EXPECT_PIXELS(dialog, 201, {{0, 0, c.corner}, {17, 17, c.corner}});
    EndDialogWindow(dialog, 0);
  }
}

TEST_F(LedLampTest, RoundLampBezelGreysStepInward) {
  // frameWidth 2: g = round(255 / 2 / 2) = 64; rings black, 64, 128; the
  // light starts on the 128 ring and covers it.
  CreateRoundLamp(dialog_, 202, 100, 40, 40, 40, "", 2, "", 0, "rosso", "", 0);
  EXPECT_PIXELS(dialog_, 202, {{0, 20, Rgb(0, 0, 0)}, {39, 20, Rgb(0, 0, 0)}, {1, 20, Rgb(64, 64, 64)},
                               {38, 20, Rgb(64, 64, 64)}, {20, 1, Rgb(64, 64, 64)}});
}

TEST_F(LedLampTest, RoundLampWithoutBezelLightsFromTheEdge) {
  CreateRoundLamp(dialog_, 203, 100, 90, 18, 18, "", 0, "", 0, "rosso", "", 0);
  SetRoundLampValue(dialog_, 203, 100, "");
  EXPECT_EQ(PixelAt(dialog_, 203, 17, 9), Rgb(200, 0, 0));  // light k = 0 over the black ellipse
  CreateRoundLamp(dialog_, 204, 130, 90, 18, 18, "", 1, "", 0, "rosso", "", 0);
  SetRoundLampValue(dialog_, 204, 100, "");
  EXPECT_EQ(PixelAt(dialog_, 204, 17, 9), Rgb(0, 0, 0));
}

// From 256 rings on the bezel is all black; a frame as wide as the number
// range still paints (a black body under the light) and returns at once.
TEST_F(LedLampTest, RoundLampWithAHugeFrameIsBlackAndQuick) {
  for (int32_t id : {206, 207}) {
    CreateRoundLamp(dialog_, id, 100, 10, 18, 18, "", id == 206 ? 1000 : INT32_MAX, "", 0, "viola", "", 0);
    SetRoundLampValue(dialog_, id, 50, "");
    for (int y = 0; y < 18; ++y) {
      for (int x = 0; x < 18; ++x) ASSERT_EQ(PixelAt(dialog_, id, x, y), Rgb(0, 0, 0)) << id << ":" << x << "," << y;
    }
  }
}

TEST_F(LedLampTest, IdentifiersOutsideTheTableOrWithoutAControlAreIgnored) {
  CreateLedLamp(dialog_, 2001, 10, 10, 64, 18, "", 4, "rosso", 0, "rosso", "", 0);
  CreateRoundLamp(dialog_, -1, 10, 10, 18, 18, "", 1, "", 0, "rosso", "", 0);
  SetLedLampValue(dialog_, 2001, 50, "");
  SetRoundLampValue(dialog_, -1, 50, "");
  SetLedLampValue(dialog_, 5000, 50, "x");
  EXPECT_EQ(GetControlHandle(dialog_, 2001), 0u);
  EXPECT_EQ(GetControlHandle(dialog_, -1), 0u);
  // A lamp on a missing control only stores the level.
  InstrumentAt(150)->fillColor.Write("rosso");
  SetLedLampValue(dialog_, 150, 40, "");
  SetRoundLampValue(dialog_, 151, 30, "");
  EXPECT_EQ(InstrumentAt(150)->value, 40.0f);
  EXPECT_EQ(InstrumentAt(151)->value, 30.0f);
}

}  // namespace

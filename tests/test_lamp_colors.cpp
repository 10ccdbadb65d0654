// Lamp colours: the schemes, their order and case rules, exact integer
// products, rounding ties and non-finite quotients; and the lamp dot.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <limits>
#include <string>

#include "host/canvas_internal.h"
#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/lamps.h"
#include "support/test_support.h"

using namespace ip;

namespace {

constexpr ColorRef Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

TEST(LampColor, SchemesCaseRulesAndRoundingTies) {
  struct Case {
    const char* scheme;
    int u, k;
    float level;
    ColorRef expected;
  };
  const Case cases[] = {
      // "rosso" adds the level to red; any case, no blanks trimmed.
      {"rosso", 4, 3, 100, Rgb(212, 12, 12)}, {"ROSSO", 4, 3, 100, Rgb(212, 12, 12)},
      {"Rosso", 4, 3, 100, Rgb(212, 12, 12)}, {" rosso", 4, 3, 100, 0}, {"rosso ", 4, 3, 100, 0},
      // "verdino", also the empty scheme.
      {"", 4, 2, 50, Rgb(8, 108, 8)}, {"verdino", 4, 2, 50, Rgb(8, 108, 8)}, {"verdino", 4, 0, 0, 0},
      {"verdino", 4, 9, 0, Rgb(36, 36, 36)}, {"VERDINO", 4, 9, 0, Rgb(36, 36, 36)},
      {"verdino", 4, 60, 100, Rgb(240, 255, 240)},
      // Tinted schemes; 3 x 120 clamps.
      {"rosso-giallo", 4, 10, 20, Rgb(200, 80, 40)}, {"rosso-arancio", 4, 9, 10, Rgb(90, 108, 36)},
      {"rosso-arancio", 4, 30, 0, Rgb(0, 255, 120)}, {"blu", 4, 10, 20, Rgb(40, 80, 200)},
      {"blu-scuro", 4, 10, 20, Rgb(40, 40, 80)}, {"blu-bianco", 4, 9, 50, Rgb(200, 255, 255)},
      {"blu-bianco", 4, 2, 10, Rgb(40, 20, 80)},
      // "semaforo": 255 x L / 0 is not finite at k = 0.
      {"semaforo", 4, 1, 100, Rgb(255, 100, 0)}, {"semaforo", 4, 5, 1, Rgb(51, 5, 20)}, {"semaforo", 4, 0, 100, 0},
      // The button dot of an 18-pixel canvas: u = round(255 / 18) = 14, down to the outermost OFF circle.
      {"rosso", 14, -5, 100, Rgb(130, 0, 0)}, {"rosso", 14, 0, 100, Rgb(200, 0, 0)},
      {"verdino", 14, -5, 100, Rgb(0, 130, 0)}, {"verdino", 14, -1, 100, Rgb(0, 186, 0)},
      // Rounding ties go to even: 3.5 -> 4, 42.5 -> 42, 1.5 -> 2, 5.5 -> 6, 4.5 -> 4.
      {"blu-bianco", 1, 1, 2.5f, Rgb(2, 2, 2)}, {"blu-bianco", 1, 3, 0.5f, Rgb(0, 2, 2)},
      {"rosso-giallo", 4, 7, 0.5f, Rgb(4, 29, 28)}, {"semaforo", 4, 3, 0.5f, Rgb(42, 2, 24)},
      {"verdino", 1, 5, 0.25f, Rgb(5, 6, 5)}, {"verdino", 1, 4, 0.25f, Rgb(4, 4, 4)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LampColor(c.scheme, c.u, c.k, c.level), c.expected) << c.scheme << " u " << c.u << " k " << c.k;
  }
  for (int k = -5; k <= 30; ++k) {
    EXPECT_EQ(LampColor("semaforo", 4, k, 0), 0) << "k = " << k;  // level 0: black
    EXPECT_EQ(LampColor("viola", 4, k, 100), 0) << "k = " << k;   // unknown schemes are black
    EXPECT_EQ(LampColor("grigio", 4, k, 50), 0) << "k = " << k;
  }
}

TEST(LampColor, ExtremeArgumentsSaturateAndNonFiniteLevelsGiveZero) {
  EXPECT_EQ(LampColor("rosso", INT32_MAX, INT32_MAX, 100), Rgb(255, 255, 255));
  EXPECT_EQ(LampColor("rosso", INT32_MIN, INT32_MAX, 100), 0);
  EXPECT_EQ(LampColor("rosso-arancio", INT32_MAX, INT32_MAX, 0), Rgb(0, 255, 255));
  EXPECT_EQ(LampColor("rosso-arancio", INT32_MIN, INT32_MIN, 0), Rgb(0, 255, 255));
  EXPECT_EQ(LampColor("blu-bianco", INT32_MAX, INT32_MIN, 100), Rgb(255, 0, 0));
  EXPECT_EQ(LampColor("rosso", 4, 3, 1e30f), Rgb(255, 12, 12));
  // Non-finite levels give zero channels.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(LampColor("rosso", 4, 3, nan), Rgb(0, 12, 12));
  EXPECT_EQ(LampColor("rosso", 4, 3, inf), Rgb(0, 12, 12));
  EXPECT_EQ(LampColor("blu-bianco", 4, 3, nan), 0);
  EXPECT_EQ(LampColor("semaforo", 4, 3, inf), Rgb(0, 0, 0));  // inf / 3 -> 0, inf x 3 -> 0, 12 / inf = 0
}

// --- DrawLampDot ----------------------------------------------------------------

constexpr platform::Pixel kWhitePixel = 0xFFFFFF;
constexpr ColorRef kDotColor = 0x123456;

// The reference ellipse inscribed in the box (0, 0)-(10, 10), drawn by GDI
// with one-pixel outline and fill in two colours on white.
platform::Surface ReferenceEllipse() {
  platform::Surface reference;
  EXPECT_TRUE(testing_support::ReadPng(testing_support::ReferenceDir() + "/edge-box-ellipse-0-10.png",
                                       reference));
  return reference;
}

// The state of a new white bitmap canvas, attached as the current canvas.
CanvasState& WhiteCanvas(int width, int height) {
  CanvasAttach(CreateBitmapCanvas(width, height), 0, kAttachRedrawOnRequest);
  CanvasState& state = CurrentCanvasRecord()->canvas;
  std::fill(state.bitmap.pixels.begin(), state.bitmap.pixels.end(), kWhitePixel);
  return state;
}

TEST(DrawLampDot, FillsTheInscribedCircleInOneColour) {
  platform::Surface reference = ReferenceEllipse();
  ASSERT_FALSE(reference.Empty());
  CanvasState& state = WhiteCanvas(reference.width, reference.height);
  state.penWidth = 0;
  state.currentX = 3;
  state.currentY = 4;
  state.foreColor = 0x0000FF;

  DrawLampDot(5, 5, 5, kDotColor);

  // Outline and fill of the reference both become the dot colour.
  platform::Surface expected = reference;
  for (platform::Pixel& p : expected.pixels) {
    if ((p & kWhitePixel) != kWhitePixel) p = platform::PixelFromColorRef(kDotColor);
  }
  EXPECT_EQ(testing_support::ComparePictures(expected, state.bitmap,
                                             testing_support::BinaryDir() + "/lamp_dot_diff.png"),
            "");
  // The canvas state is left as it was.
  EXPECT_EQ(state.currentX, 3);
  EXPECT_EQ(state.currentY, 4);
  EXPECT_EQ(state.penWidth, 0);
  EXPECT_EQ(state.foreColor, 0x0000FFu);
}

TEST(DrawLampDot, ExtremeCentresDoNotOverflow) {
  CanvasState& state = WhiteCanvas(8, 8);
  DrawLampDot(INT32_MAX, INT32_MIN, INT32_MAX, kDotColor);
  DrawLampDot(INT32_MIN, INT32_MAX, 5, kDotColor);
  for (platform::Pixel p : state.bitmap.pixels) ASSERT_EQ(p, kWhitePixel);
}

}  // namespace

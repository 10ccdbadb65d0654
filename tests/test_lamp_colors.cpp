// Lamp colours: the schemes, their order and case rules, exact integer
// products, rounding ties and non-finite quotients; and the lamp dot.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <limits>
#include <string>

#include "host/bitmaps.h"
#include "host/canvas.h"
#include "host/window_records.h"
#include "support/test_support.h"
#include "toolkit/lamps.h"

namespace {

constexpr ColorRef Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

TEST(LampColor, RossoAddsTheLevelToRed) {
  EXPECT_EQ(LampColor("rosso", 4, 3, 100), Rgb(212, 12, 12));
  EXPECT_EQ(LampColor("ROSSO", 4, 3, 100), Rgb(212, 12, 12));
  EXPECT_EQ(LampColor("Rosso", 4, 3, 100), Rgb(212, 12, 12));
  EXPECT_EQ(LampColor(" rosso", 4, 3, 100), 0);  // blanks are not trimmed
  EXPECT_EQ(LampColor("rosso ", 4, 3, 100), 0);
}

TEST(LampColor, VerdinoAndTheEmptyScheme) {
  EXPECT_EQ(LampColor("", 4, 2, 50), Rgb(8, 108, 8));
  EXPECT_EQ(LampColor("verdino", 4, 2, 50), Rgb(8, 108, 8));
  EXPECT_EQ(LampColor("verdino", 4, 0, 0), 0);
  EXPECT_EQ(LampColor("verdino", 4, 9, 0), Rgb(36, 36, 36));
  EXPECT_EQ(LampColor("VERDINO", 4, 9, 0), Rgb(36, 36, 36));
  EXPECT_EQ(LampColor("verdino", 4, 60, 100), Rgb(240, 255, 240));
}

TEST(LampColor, TintedSchemes) {
  EXPECT_EQ(LampColor("rosso-giallo", 4, 10, 20), Rgb(200, 80, 40));
  EXPECT_EQ(LampColor("rosso-arancio", 4, 9, 10), Rgb(90, 108, 36));
  EXPECT_EQ(LampColor("rosso-arancio", 4, 30, 0), Rgb(0, 255, 120));  // 3 x 120 clamps
  EXPECT_EQ(LampColor("blu", 4, 10, 20), Rgb(40, 80, 200));
  EXPECT_EQ(LampColor("blu-scuro", 4, 10, 20), Rgb(40, 40, 80));
  EXPECT_EQ(LampColor("blu-bianco", 4, 9, 50), Rgb(200, 255, 255));
  EXPECT_EQ(LampColor("blu-bianco", 4, 2, 10), Rgb(40, 20, 80));
}

TEST(LampColor, SemaforoTrafficLight) {
  EXPECT_EQ(LampColor("semaforo", 4, 1, 100), Rgb(255, 100, 0));
  EXPECT_EQ(LampColor("semaforo", 4, 5, 1), Rgb(51, 5, 20));
  EXPECT_EQ(LampColor("semaforo", 4, 0, 100), 0);  // 255 x L / 0 is not finite
  for (int k = -3; k <= 20; ++k) {
    EXPECT_EQ(LampColor("semaforo", 4, k, 0), 0) << "k = " << k;  // level 0: black
  }
}

TEST(LampColor, ButtonDotWithNegativeSteps) {
  // An 18-pixel canvas: u = round(255 / 18) = 14; the outermost OFF circle.
  EXPECT_EQ(LampColor("rosso", 14, -5, 100), Rgb(130, 0, 0));
  EXPECT_EQ(LampColor("rosso", 14, 0, 100), Rgb(200, 0, 0));
  EXPECT_EQ(LampColor("verdino", 14, -5, 100), Rgb(0, 130, 0));
  EXPECT_EQ(LampColor("verdino", 14, -1, 100), Rgb(0, 186, 0));
}

TEST(LampColor, UnknownSchemesAreBlackOnEveryStep) {
  for (int k = -5; k <= 30; ++k) {
    EXPECT_EQ(LampColor("viola", 4, k, 100), 0) << "k = " << k;
    EXPECT_EQ(LampColor("grigio", 4, k, 50), 0) << "k = " << k;
  }
}

TEST(LampColor, RoundingTiesGoToEven) {
  EXPECT_EQ(LampColor("blu-bianco", 1, 1, 2.5f), Rgb(2, 2, 2));
  EXPECT_EQ(LampColor("blu-bianco", 1, 3, 0.5f), Rgb(0, 2, 2));
  EXPECT_EQ(LampColor("rosso-giallo", 4, 7, 0.5f), Rgb(4, 29, 28));  // 3.5 -> 4, 28 + 1
  EXPECT_EQ(LampColor("semaforo", 4, 3, 0.5f), Rgb(42, 2, 24));     // 42.5 -> 42, 1.5 -> 2
  EXPECT_EQ(LampColor("verdino", 1, 5, 0.25f), Rgb(5, 6, 5));        // 5.5 -> 6
  EXPECT_EQ(LampColor("verdino", 1, 4, 0.25f), Rgb(4, 4, 4));        // 4.5 -> 4
}

TEST(LampColor, ExtremeArgumentsSaturate) {
  EXPECT_EQ(LampColor("rosso", INT32_MAX, INT32_MAX, 100), Rgb(255, 255, 255));
  EXPECT_EQ(LampColor("rosso", INT32_MIN, INT32_MAX, 100), 0);
  EXPECT_EQ(LampColor("rosso-arancio", INT32_MAX, INT32_MAX, 0), Rgb(0, 255, 255));
  EXPECT_EQ(LampColor("rosso-arancio", INT32_MIN, INT32_MIN, 0), Rgb(0, 255, 255));
  EXPECT_EQ(LampColor("blu-bianco", INT32_MAX, INT32_MIN, 100), Rgb(255, 0, 0));
  EXPECT_EQ(LampColor("rosso", 4, 3, 1e30f), Rgb(255, 12, 12));
}

TEST(LampColor, NonFiniteLevelsGiveZeroChannels) {
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
  EXPECT_TRUE(testing_support::ReadPng(testing_support::SharedDir() + "/gdi-reference/edge-box-ellipse-0-10.png",
                                       reference));
  return reference;
}

TEST(DrawLampDot, FillsTheInscribedCircleInOneColour) {
  platform::Surface reference = ReferenceEllipse();
  ASSERT_FALSE(reference.Empty());
  Handle canvas = CreateBitmapCanvas(reference.width, reference.height);
  ASSERT_NE(canvas, 0u);
  CanvasAttach(canvas, 0, kAttachRedrawOnRequest);
  CanvasState& state = CurrentCanvasRecord()->canvas;
  std::fill(state.bitmap.pixels.begin(), state.bitmap.pixels.end(), kWhitePixel);
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
  Handle canvas = CreateBitmapCanvas(8, 8);
  ASSERT_NE(canvas, 0u);
  CanvasAttach(canvas, 0, kAttachRedrawOnRequest);
  CanvasState& state = CurrentCanvasRecord()->canvas;
  std::fill(state.bitmap.pixels.begin(), state.bitmap.pixels.end(), kWhitePixel);
  DrawLampDot(INT32_MAX, INT32_MIN, INT32_MAX, kDotColor);
  DrawLampDot(INT32_MIN, INT32_MAX, 5, kDotColor);
  for (platform::Pixel p : state.bitmap.pixels) ASSERT_EQ(p, kWhitePixel);
}

}  // namespace

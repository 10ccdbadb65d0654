// Digital displays: the ramp background and its shades, the sunken frame,
// the font size, texts replacing each other and the frame over long texts.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "instrument_panel/colors.h"
#include "instrument_panel/display.h"
#include "instrument_panel/frames.h"
#include "instruments/instrument_state.h"
#include "tests/canvas_probe.h"

using namespace ip;
using namespace ip::panel;

namespace {

using namespace probe;

class DisplayTest : public WidgetTest {
 protected:
  void MakeDisplay(int32_t id, const std::string& fillColor, int32_t pattern, int32_t charSize = 14,
                   int32_t height = 32) {
    int32_t width = 84;
    CreateDigitalDisplay(dialog_, id, 300, 10, width, height, "", 5, "verde", charSize, 0x00FF00, "", fillColor,
                         pattern);
  }
  // A bare 84 x 32 canvas with only the given bevels, for comparison.
  Handle ReferenceBevels(const std::string& topLeft, const std::string& bottomRight) {
    const Handle canvas = CreateBitmapCanvas(84, 32);
    CanvasAttach(canvas, 0, kAttachRedrawOnRequest);
    DrawBevelTopLeft(5, topLeft);
    DrawBevelBottomRight(5, bottomRight);
    return canvas;
  }
  // True when the frame columns and rows of the display equal the reference.
  bool FrameMatches(int32_t id, Handle reference) {
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 84; ++x) {
        const bool inFrame = x < 5 || y < 5 || x >= 79 || y >= 27;
        if (inFrame && PixelAt(dialog_, id, x, y) != PixelAt(reference, 0, x, y)) return false;
      }
    }
    return true;
  }
};

TEST(DisplayFont, PointsAreTheCharacterSizeOver1Point2) {
  // 3 / 1.2 = 2.5 rounds to even; the 32-bit 1.2 lies a hair above 1.2, so
  // 21 / 1.2 gives 17.4999993 -> 17 (a 32-bit quotient would be 17.5 -> 18).
  for (auto [size, points] : {std::pair{14, 12}, {16, 13}, {13, 11}, {0, 0}, {3, 2}, {21, 17}}) {
    EXPECT_EQ(DisplayFontPoints(size), points) << size;
  }
}

// Frame 5, pattern 3: boxes k = 0, 1, ... up to a fifth of the height, from
// (5 + k, 5 + k) to (79, H - 5), shades round(205 - 600 k / H).
TEST_F(DisplayTest, RampShadesFallWithTiesToEven) {
  const struct {
    int32_t id, height;
    std::vector<int> shades;
  } rows[] = {
      {410, 32, {205, 186, 168, 149, 130, 111, 92}},           // k up to 6.4
      {411, 40, {205, 190, 175, 160, 145, 130, 115, 100, 85}},  // k up to exactly 8: the last step is painted
  };
  for (const auto& row : rows) {
    MakeDisplay(row.id, "verde", 3, 14, row.height);
    for (size_t k = 0; k < row.shades.size(); ++k) {
      const int at = 5 + static_cast<int>(k);
      EXPECT_EQ(PixelAt(dialog_, row.id, at, at), ColorFromName("verde", row.shades[k])) << row.height << ": " << k;
    }
  }
  // All boxes share the bottom right corner.
  EXPECT_PIXELS(dialog_, 410, {{78, 26, ColorFromName("verde", 92)}, {11, 26, ColorFromName("verde", 92)},
                               {10, 26, ColorFromName("verde", 111)}});
}

TEST_F(DisplayTest, EmptyFillGivesAGreenRampAndASunkenFrame) {
  MakeDisplay(410, "", 3);
  EXPECT_PIXELS(dialog_, 410, {{5, 5, Rgb(0, 45, 0)}, {6, 6, Rgb(19, 64, 19)}, {7, 7, Rgb(38, 83, 38)},
                               {11, 11, Rgb(112, 157, 112)}, {0, 10, Rgb(0, 0, 0)}});
  const Handle sunken = ReferenceBevels("", "verde");
  EXPECT_TRUE(FrameMatches(410, sunken));
  SetDisplayText(dialog_, 410, "12:34:56");
  EXPECT_TRUE(FrameMatches(410, sunken));
}

TEST_F(DisplayTest, FrameIsRedrawnOverTextsWiderThanTheDisplay) {
  MakeDisplay(409, "rosso", 0);
  const Handle raised = ReferenceBevels("verde", "verde");
  EXPECT_TRUE(FrameMatches(409, raised));
  SetDisplayText(dialog_, 409, "WWWWWWWWWWWWWWWWWWWWWWWW");
  EXPECT_TRUE(FrameMatches(409, raised));
}

TEST_F(DisplayTest, ANewTextLeavesNoTraceOfThePreviousOne) {
  MakeDisplay(408, "grigio", 5);
  const platform::Surface empty = PictureOf(dialog_, 408);
  SetDisplayText(dialog_, 408, "88:88:88");
  EXPECT_GT(CountDifferences(empty, PictureOf(dialog_, 408)), 0);
  SetDisplayText(dialog_, 408, "");
  EXPECT_EQ(CountDifferences(empty, PictureOf(dialog_, 408)), 0);
  SetDisplayText(dialog_, 408, "1");
  const platform::Surface one = PictureOf(dialog_, 408);
  SetDisplayText(dialog_, 408, "23:59:59");
  SetDisplayText(dialog_, 408, "1");
  EXPECT_EQ(CountDifferences(one, PictureOf(dialog_, 408)), 0);
}

TEST_F(DisplayTest, TextHasAGreenGreyShadow) {
  MakeDisplay(410, "", 3, 16);
  const platform::Surface empty = PictureOf(dialog_, 410);
  EXPECT_EQ(CountPixels(empty, Rgb(85, 130, 85)), 0);
  SetDisplayText(dialog_, 410, "45296.789");
  EXPECT_GT(CountPixels(PictureOf(dialog_, 410), Rgb(85, 130, 85)), 0);
}

TEST_F(DisplayTest, ReportsTheCanvasSizeAndKeepsItsSnapshot) {
  int32_t width = 84, height = 32;
  CreateDigitalDisplay(dialog_, 408, 300, 10, width, height, "", 5, "oro", 14, 0xFFFFFF, "", "grigio", 5);
  EXPECT_EQ(width, 84);
  EXPECT_EQ(height, 32);
  ASSERT_NE(SnapshotAt(408), nullptr);
  EXPECT_EQ(SnapshotAt(408)->size(), 8u + 84 * 32 * 4);
}

// A display without pixels reports a 0 x 0 canvas; its ramp has no height
// to divide by and is skipped.
TEST_F(DisplayTest, EmptyCanvasReportsZeroSizeAndPaintsNoRamp) {
  for (const char* fill : {"", "verde"}) {
    int32_t width = 84, height = 0;
    CreateDigitalDisplay(dialog_, 410, 300, 10, width, height, "", 5, "verde", 13, 0, "", fill, 3);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    SetDisplayText(dialog_, 410, "1");
  }
}

TEST_F(DisplayTest, IdentifiersOutsideTheTableAreIgnored) {
  int32_t width = 84, height = 32;
  CreateDigitalDisplay(dialog_, 2001, 0, 0, width, height, "", 5, "oro", 14, 0, "", "grigio", 3);
  EXPECT_EQ(GetControlHandle(dialog_, 2001), 0u);
  SetDisplayText(dialog_, 2001, "x");
  SetDisplayText(dialog_, -4, "x");
  SetDisplayText(dialog_, 480, "x");  // a record but no control
}

}  // namespace

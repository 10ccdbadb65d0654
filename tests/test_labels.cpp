// Text labels: centring with ties to even, the "[<]" and "[>]" prefixes
// (removed from the caller's text), the drop shadow, and empty texts. Each
// label is compared with the same text printed by hand at the expected place.
#include <gtest/gtest.h>

#include "instrument_panel/labels.h"
#include "tests/canvas_probe.h"

using namespace ip;
using namespace ip::panel;

namespace {

constexpr int32_t kWidth = 60;
constexpr int32_t kHeight = 21;
constexpr ColorRef kBlack = 0;
constexpr ColorRef kWhite = probe::Rgb(255, 255, 255);
constexpr ColorRef kShadow = probe::Rgb(85, 130, 85);

void FreshLabelCanvas() {
  probe::FreshCanvas(kWidth, kHeight, kBlack);
  CanvasSetFont("Arial", 8, 0);
}

// Round half of an integer to nearest, ties to even.
int32_t HalfToEven(int32_t d) {
  const int32_t down = (d - (d & 1)) / 2;  // floor(d / 2) for the small values used here
  if ((d & 1) == 0) return down;
  return down % 2 == 0 ? down : down + 1;
}

void PrintByHand(const std::string& text, int32_t x, int32_t y, ColorRef color) {
  CanvasMoveTo(static_cast<float>(x), static_cast<float>(y), 0);
  CanvasSetForeColor(color);
  CanvasSetBackColor(kColorNone);
  CanvasPrint(text);
  CanvasNewLine();
}

// The picture of `text` printed by hand at (x, y), optionally with a shadow.
platform::Surface ByHand(const std::string& text, int32_t x, int32_t y, ColorRef shadow = 0) {
  FreshLabelCanvas();
  if (shadow > 0) PrintByHand(text, x + 2, y + 2, shadow);
  PrintByHand(text, x, y, kWhite);
  return probe::Snapshot();
}

platform::Surface Label(std::string& text, ColorRef shadow = 0) {
  FreshLabelCanvas();
  DrawTextLabel(text, kWhite, shadow);
  return probe::Snapshot();
}

int32_t TextWidth(const std::string& text) {
  FreshLabelCanvas();
  return CanvasTextSize(text).first;
}

int32_t CentredX(const std::string& text) {
  FreshLabelCanvas();
  return CenteredTextX(text);
}

int32_t CentredY() {
  FreshLabelCanvas();
  return HalfToEven(kHeight - CanvasCharSize().second);
}

}  // namespace

TEST(CenteredText, XIsHalfTheFreeWidthWithTiesToEven) {
  bool sawTie = false;
  for (const std::string text : {"O", "ON", "OFF", "PAUSA", "END", "i", "ii", "iii", "W", "WW", "Testo"}) {
    SCOPED_TRACE(text);
    const int32_t free = kWidth - TextWidth(text);
    sawTie = sawTie || (free % 2 != 0);
    EXPECT_EQ(CentredX(text), HalfToEven(free));
  }
  EXPECT_TRUE(sawTie) << "no text with an odd free width: the tie rule was not exercised";
}

TEST(CenteredText, YDependsOnTheFontOnly) {
  FreshLabelCanvas();
  const int32_t y = CenteredTextY("ON");
  EXPECT_EQ(y, CentredY());
  EXPECT_EQ(CenteredTextY(""), y);
  EXPECT_EQ(CenteredTextY("a much longer text"), y);
}

// "[<]" prints at the left edge, "[>]" doubles the centring of the text with
// its prefix; both are removed from the caller's text. Elsewhere a prefix is
// part of the text.
TEST(TextLabel, PrefixesPlaceTheTextAndAreRemovedForTheCaller) {
  EXPECT_NE(ByHand("ON", CentredX("ON"), CentredY()).pixels, ByHand("", 0, 0).pixels) << "the text drew nothing";
  const struct {
    const char* given;
    const char* shown;
    int32_t x;
  } rows[] = {{"ON", "ON", CentredX("ON")},
              {"[<]ON", "ON", 0},
              {"[>]ON", "ON", 2 * CentredX("[>]ON")},
              {"ON[<]", "ON[<]", CentredX("ON[<]")}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.given);
    std::string text = row.given;
    const platform::Surface s = Label(text);
    EXPECT_EQ(text, row.shown);
    EXPECT_EQ(s.pixels, ByHand(row.shown, row.x, CentredY()).pixels);
    // The caller's variable, now without its prefix, is centred next time.
    EXPECT_EQ(Label(text).pixels, ByHand(row.shown, CentredX(row.shown), CentredY()).pixels);
  }
}

TEST(TextLabel, ShadowIsPrintedFirstTwoPixelsDownRightUnlessBlackOrNegative) {
  const int32_t x = CentredX("ON");
  std::string text = "ON";
  const platform::Surface withShadow = Label(text, kShadow);
  EXPECT_EQ(withShadow.pixels, ByHand("ON", x, CentredY(), kShadow).pixels);
  EXPECT_NE(withShadow.pixels, ByHand("ON", x, CentredY()).pixels);
  for (ColorRef shadow : {0, -1, -2}) {
    EXPECT_EQ(Label(text, shadow).pixels, ByHand("ON", x, CentredY()).pixels) << shadow;
  }
}

TEST(TextLabel, EmptyTextDrawsNothingButMovesToTheNextLine) {
  std::string text;
  FreshLabelCanvas();
  const platform::Surface before = probe::Snapshot();
  const int32_t y = CenteredTextY("");
  const int32_t lineHeight = CanvasCharSize().second;
  DrawTextLabel(text, kWhite, kShadow);
  EXPECT_EQ(probe::Snapshot().pixels, before.pixels);
  EXPECT_EQ(CanvasGetPos(), (IntPair{0, y + lineHeight}));
}

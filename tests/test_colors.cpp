// Colour values: channel composition with clamping, the named colours and
// their shade ramps, and "#RRGGBB" texts.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "toolkit/colors.h"

namespace {

constexpr ColorRef Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

TEST(MakeColor, ComposesRedInTheLowByte) {
  EXPECT_EQ(MakeColor(255, 128, 0), 0x0080FF);
  EXPECT_EQ(MakeColor(1, 2, 3), 0x030201);
  EXPECT_EQ(MakeColor(0, 0, 0), 0);
  EXPECT_EQ(MakeColor(255, 255, 255), 0xFFFFFF);
}

TEST(MakeColor, ClampsEachChannelOnItsOwn) {
  EXPECT_EQ(MakeColor(-1, 300, 128), Rgb(0, 255, 128));
  EXPECT_EQ(MakeColor(256, -5, 0), Rgb(255, 0, 0));
  EXPECT_EQ(MakeColor(INT32_MIN, INT32_MAX, INT32_MIN), Rgb(0, 255, 0));
}

TEST(ColorFromName, RossoRamp) {
  EXPECT_EQ(ColorFromName("rosso", 0), Rgb(255, 155, 155));
  EXPECT_EQ(ColorFromName("rosso", 100), Rgb(155, 55, 55));
  EXPECT_EQ(ColorFromName("rosso", 155), Rgb(100, 0, 0));
  EXPECT_EQ(ColorFromName("rosso", 255), 0);
  EXPECT_EQ(ColorFromName("rosso", -50), Rgb(255, 205, 205));
}

TEST(ColorFromName, CaseAndBlanksAroundTheName) {
  ColorRef rosso = ColorFromName("rosso", 30);
  EXPECT_EQ(ColorFromName("ROSSO", 30), rosso);
  EXPECT_EQ(ColorFromName("Rosso", 30), rosso);
  EXPECT_EQ(ColorFromName("  rosso  ", 30), rosso);
  EXPECT_EQ(ColorFromName(" RoSsO", 30), rosso);
  EXPECT_EQ(ColorFromName("\trosso", 30), 0);  // only spaces are trimmed
  EXPECT_EQ(ColorFromName("ros so", 30), 0);
}

TEST(ColorFromName, PlainNamesAtShadeZeroAndMidway) {
  EXPECT_EQ(ColorFromName("verde", 0), Rgb(155, 255, 155));
  EXPECT_EQ(ColorFromName("grigio", 0), Rgb(255, 255, 255));
  EXPECT_EQ(ColorFromName("grigio", 128), Rgb(127, 127, 127));
  EXPECT_EQ(ColorFromName("oro", 0), Rgb(255, 255, 155));
  EXPECT_EQ(ColorFromName("oro", 200), Rgb(55, 55, 0));
  EXPECT_EQ(ColorFromName("verde", 255), 0);
}

TEST(ColorFromName, ButtonSchemes) {
  EXPECT_EQ(ColorFromName("pulsanterosso", 0), Rgb(255, 210, 210));
  EXPECT_EQ(ColorFromName("pulsanterosso", 155), Rgb(255, 55, 55));
  EXPECT_EQ(ColorFromName("pulsanterosso", 410), 0);
  EXPECT_EQ(ColorFromName("pulsanteverde", 0), Rgb(210, 255, 210));
  EXPECT_EQ(ColorFromName("pulsanteverde", 200), Rgb(10, 210, 10));
  EXPECT_EQ(ColorFromName("pulsantegrigio", 155), Rgb(255, 255, 255));
  EXPECT_EQ(ColorFromName("pulsantegrigio", 156), Rgb(254, 254, 254));
  EXPECT_EQ(ColorFromName("pulsanteoro", 0), Rgb(255, 255, 55));
  EXPECT_EQ(ColorFromName("pulsanteoro", 300), Rgb(110, 10, 55));
  EXPECT_EQ(ColorFromName("pulsanteoro", 1000), Rgb(0, 0, 55));
  EXPECT_EQ(ColorFromName("pulsanteoro", -1000), Rgb(255, 255, 55));
}

TEST(ColorFromName, PulsanteBluBrightensWithTheShade) {
  EXPECT_EQ(ColorFromName("pulsanteblu", 0), 0);
  EXPECT_EQ(ColorFromName("pulsanteblu", 100), 0);
  EXPECT_EQ(ColorFromName("pulsanteblu", 150), Rgb(0, 50, 50));
  EXPECT_EQ(ColorFromName("pulsanteblu", 255), Rgb(55, 155, 155));
  EXPECT_EQ(ColorFromName("pulsanteblu", 455), Rgb(255, 255, 255));
  EXPECT_EQ(ColorFromName("PulsanteBlu", 255), Rgb(55, 155, 155));
}

TEST(ColorFromName, EmptyAndUnknownNamesAreBlack) {
  for (int shade : {-300, 0, 100, 255}) {
    EXPECT_EQ(ColorFromName("", shade), 0) << shade;
    EXPECT_EQ(ColorFromName("   ", shade), 0) << shade;
    EXPECT_EQ(ColorFromName("blu", shade), 0) << shade;
    EXPECT_EQ(ColorFromName("verdino", shade), 0) << shade;
  }
}

TEST(ColorFromName, ExtremeShadesClampWithoutOverflow) {
  EXPECT_EQ(ColorFromName("rosso", INT32_MIN), Rgb(255, 255, 255));
  EXPECT_EQ(ColorFromName("rosso", INT32_MAX), 0);
  EXPECT_EQ(ColorFromName("pulsanteblu", INT32_MIN), 0);
  EXPECT_EQ(ColorFromName("pulsanteblu", INT32_MAX), Rgb(255, 255, 255));
  EXPECT_EQ(ColorFromName("#FF8000", INT32_MIN), Rgb(255, 255, 255));
  EXPECT_EQ(ColorFromName("#FF8000", INT32_MAX), 0);
}

TEST(ColorFromName, HexadecimalColours) {
  EXPECT_EQ(ColorFromName("#FF8000", 0), Rgb(255, 128, 0));
  EXPECT_EQ(ColorFromName("#FF8000", 100), Rgb(155, 28, 0));
  EXPECT_EQ(ColorFromName("#ff8000", 0), Rgb(255, 128, 0));
  EXPECT_EQ(ColorFromName("#123456", 0), Rgb(0x12, 0x34, 0x56));
  EXPECT_EQ(ColorFromName("#123456", -10), Rgb(0x1C, 0x3E, 0x60));
  EXPECT_EQ(ColorFromName("#FF8000 and more", 0), Rgb(255, 128, 0));
  EXPECT_EQ(ColorFromName("#FF80001", 0), Rgb(255, 128, 0));
}

TEST(ColorFromName, HexadecimalNeedsTheHashFirst) {
  EXPECT_EQ(ColorFromName(" #FF8000", 0), 0);
  EXPECT_EQ(ColorFromName("FF8000", 0), 0);
}

TEST(ColorFromName, MalformedAndShortPairs) {
  EXPECT_EQ(ColorFromName("#zz8000", 0), Rgb(0, 128, 0));
  EXPECT_EQ(ColorFromName("#8z8000", 0), Rgb(8, 128, 0));   // second digit bad
  EXPECT_EQ(ColorFromName("#FF80", 0), Rgb(255, 128, 0));    // no blue pair
  EXPECT_EQ(ColorFromName("#FF8", 0), Rgb(255, 8, 0));      // one digit of green
  EXPECT_EQ(ColorFromName("#F", 50), Rgb(0, 0, 0));         // 15 - 50 clamps
  EXPECT_EQ(ColorFromName("#", -20), Rgb(20, 20, 20));      // empty pairs read 0
  EXPECT_EQ(ColorFromName("#F&FF&&", 0), Rgb(15, 255, 0));  // suffixes end a pair
}

}  // namespace

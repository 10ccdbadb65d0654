// Colour values: channel composition with clamping, the named colours and
// their shade ramps, and "#RRGGBB" texts.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "instrument_panel/colors.h"

using namespace ip;

namespace {

constexpr ColorRef Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

struct NameCase {
  const char* name;
  int shade;
  ColorRef expected;
};

TEST(MakeColor, ComposesRedInTheLowByteAndClampsEachChannel) {
  const struct {
    int red, green, blue;
    ColorRef expected;
  } rows[] = {{255, 128, 0, 0x0080FF},        {1, 2, 3, 0x030201},           {-1, 300, 128, Rgb(0, 255, 128)},
              {256, -5, 0, Rgb(255, 0, 0)}, {INT32_MIN, INT32_MAX, INT32_MIN, Rgb(0, 255, 0)}};
  for (const auto& r : rows) EXPECT_EQ(MakeColor(r.red, r.green, r.blue), r.expected) << r.red << " " << r.green;
}

TEST(ColorFromName, NamedRampsButtonSchemesAndNameRules) {
  const NameCase cases[] = {
      {"rosso", 0, Rgb(255, 155, 155)}, {"rosso", 100, Rgb(155, 55, 55)}, {"rosso", 155, Rgb(100, 0, 0)},
      {"rosso", 255, 0}, {"rosso", -50, Rgb(255, 205, 205)},
      // Any case; spaces around the name (only spaces) are trimmed.
      {"ROSSO", 30, Rgb(225, 125, 125)}, {"  rosso  ", 30, Rgb(225, 125, 125)}, {" RoSsO", 30, Rgb(225, 125, 125)},
      {"\trosso", 30, 0}, {"ros so", 30, 0}, {"ross", 30, 0}, {"rossoo", 30, 0}, {"ROSSO\x8E", 30, 0},
      {"verde", 0, Rgb(155, 255, 155)}, {"verde", 255, 0}, {"grigio", 0, Rgb(255, 255, 255)},
      {"grigio", 128, Rgb(127, 127, 127)}, {"oro", 0, Rgb(255, 255, 155)}, {"oro", 200, Rgb(55, 55, 0)},
      {"pulsanterosso", 0, Rgb(255, 210, 210)}, {"pulsanterosso", 155, Rgb(255, 55, 55)}, {"pulsanterosso", 410, 0},
      {"pulsanteverde", 0, Rgb(210, 255, 210)}, {"pulsanteverde", 200, Rgb(10, 210, 10)},
      {"pulsantegrigio", 155, Rgb(255, 255, 255)}, {"pulsantegrigio", 156, Rgb(254, 254, 254)},
      {"pulsanteoro", 0, Rgb(255, 255, 55)}, {"pulsanteoro", 300, Rgb(110, 10, 55)},
      {"pulsanteoro", 1000, Rgb(0, 0, 55)}, {"pulsanteoro", -1000, Rgb(255, 255, 55)},
      // "pulsanteblu" brightens with the shade.
      {"pulsanteblu", 0, 0}, {"pulsanteblu", 100, 0}, {"pulsanteblu", 150, Rgb(0, 50, 50)},
      {"pulsanteblu", 255, Rgb(55, 155, 155)}, {"pulsanteblu", 455, Rgb(255, 255, 255)},
      {"PulsanteBlu", 255, Rgb(55, 155, 155)},
      // Extreme shades clamp without overflow.
      {"rosso", INT32_MIN, Rgb(255, 255, 255)}, {"rosso", INT32_MAX, 0}, {"pulsanteblu", INT32_MIN, 0},
      {"pulsanteblu", INT32_MAX, Rgb(255, 255, 255)},
  };
  for (const NameCase& c : cases) EXPECT_EQ(ColorFromName(c.name, c.shade), c.expected) << c.name << " " << c.shade;
}

TEST(ColorFromName, EmptyAndUnknownNamesAreBlack) {
  for (const char* name : {"", "   ", "blu", "verdino"}) {
    for (int shade : {-300, 0, 100, 255}) EXPECT_EQ(ColorFromName(name, shade), 0) << name << " " << shade;
  }
}

TEST(ColorFromName, HexadecimalColours) {
  const NameCase cases[] = {
      {"#FF8000", 0, Rgb(255, 128, 0)}, {"#FF8000", 100, Rgb(155, 28, 0)}, {"#ff8000", 0, Rgb(255, 128, 0)},
      {"#123456", 0, Rgb(0x12, 0x34, 0x56)}, {"#123456", -10, Rgb(0x1C, 0x3E, 0x60)},
      {"#FF8000 and more", 0, Rgb(255, 128, 0)}, {"#FF80001", 0, Rgb(255, 128, 0)},
      {" #FF8000", 0, 0}, {"FF8000", 0, 0},  // the "#" comes first
      // Malformed and short pairs.
      {"#zz8000", 0, Rgb(0, 128, 0)}, {"#8z8000", 0, Rgb(8, 128, 0)},  // second digit bad
      {"#FF80", 0, Rgb(255, 128, 0)},                                   // no blue pair
      {"#FF8", 0, Rgb(255, 8, 0)},                                      // one digit of green
      {"#F", 50, Rgb(0, 0, 0)},                                         // 15 - 50 clamps
      {"#", -20, Rgb(20, 20, 20)},                                      // empty pairs read 0
      {"#F&FF&&", 0, Rgb(15, 255, 0)},                                  // suffixes end a pair
      {"#FF8000", INT32_MIN, Rgb(255, 255, 255)}, {"#FF8000", INT32_MAX, 0},
  };
  for (const NameCase& c : cases) EXPECT_EQ(ColorFromName(c.name, c.shade), c.expected) << c.name << " " << c.shade;
}

}  // namespace

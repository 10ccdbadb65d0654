// Number services: mask formatting, number to text, text to number, the
// clock texts, the random generator and the arithmetic helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <chrono>
#include <cstring>
#include <ctime>
#include <limits>
#include <random>
#include <string>

#include "instrument_panel/numbers.h"
#include "platform/clock.h"

using namespace ip;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct FormatCase {
  const char* mask;
  double value;
  const char* expected;
};

TEST(FormatNumber, MasksRoundingAndSpecialValues) {
  const FormatCase cases[] = {
      // The rounded integer is right-aligned in the "#" field, which grows.
      {"###", 7.6, "  8"}, {"###", 1234, "1234"}, {"###", -5, " -5"}, {"###", -123, "-123"},
      {"###", 0.4, "  0"}, {"###", 999.7, "1000"}, {"#", 0, "0"},
      // A literal after the field; float values print as their nearest integer.
      {"###_%", 57.3, " 57%"}, {"###_%", 100.4, "100%"}, {"###_%", 0.2, "  0%"},
      {"###_%", static_cast<float>(57.3), " 57%"}, {"###", 57.5f, " 58"},
      // Exact halves go to even; anything above a half goes up.
      {"###", 2.5, "  2"}, {"###", 3.5, "  4"}, {"###", 0.5, "  0"}, {"###", -2.5, " -2"}, {"###", -3.5, " -4"},
      {"###", std::nextafter(2.5, 3.0), "  3"}, {"###", std::nextafter(0.5, 0.0), "  0"}, {"###", 0.5000001, "  1"},
      // Negative values that round to zero have no sign.
      {"###", -0.4, "  0"}, {"###", -0.5, "  0"}, {"###", -0.0, "  0"}, {"###", -0.6, " -1"},
      // Literals, escapes, and a later "#" run that is literal.
      {"x###", 5, "x  5"}, {"###_#", 5, "  5#"}, {"###__", 5, "  5_"}, {"## ##", 5, " 5 ##"},
      {"%", 5, "%"}, {"", 5, ""},
      // Large values keep nineteen significant digits (1e25 is 10000000000000000905969664).
      {"#", 123456789012345.5, "123456789012346"}, {"#", 123456789012344.5, "123456789012344"},
      {"#", 1e25, "10000000000000000910000000"},
      {"###_%", kNaN, "NaN%"}, {"#####", kInf, "  Inf"}, {"###", -kInf, "-Inf"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatNumber(c.mask, c.value), c.expected) << "mask '" << c.mask << "', value " << c.value;
  }
}

struct ToTextCase {
  double value;
  int32_t digits;
  const char* expected;
};

TEST(NumberToText, LayoutTiesAndDigitCounts) {
  const ToTextCase cases[] = {
      // Plain layout, a leading space for non-negative values.
      {0, 7, " 0"}, {-0.0, 7, " 0"}, {-1.5, 7, "-1.5"}, {1234567, 7, " 1234567"}, {123.4567, 7, " 123.4567"},
      {1000, 7, " 1000"}, {static_cast<float>(57.3), 7, " 57.3"}, {45296.789, 15, " 45296.789"},
      // No leading zero before the point.
      {0.5, 7, " .5"}, {-0.25, 7, "-.25"}, {0.0001234, 7, " .0001234"}, {0.99999995, 7, " .9999999"},
      // Scientific when the plain form is too long.
      {10000000, 7, " 1E+7"}, {12345678, 7, " 1.234568E+7"}, {-12345678, 7, "-1.234568E+7"},
      {1.234e-5, 7, " 1.234E-5"}, {1e-5, 7, " .00001"}, {1e-7, 7, " .0000001"}, {1e-8, 7, " 1E-8"},
      {1.5e-7, 7, " 1.5E-7"}, {1e100, 15, " 1E+100"}, {123456789012345678.0, 15, " 1.23456789012346E+17"},
      {5e-324, 7, " 4.940656E-324"},
      // Ties look only at the first dropped digit of the exact binary value:
      // 1.2345675 is 1.23456750000000003..., 1.2345665 is 1.23456649999...,
      // 2.0000005 is 2.00000050000000007... (5 after an even digit stays).
      {1.2345675, 7, " 1.234568"}, {1.2345665, 7, " 1.234566"}, {1.0000035, 7, " 1.000004"},
      {1.0000025, 7, " 1.000002"}, {2.0000005, 7, " 2"}, {123456.75, 7, " 123456.8"}, {123456.25, 7, " 123456.2"},
      // A carry out of the first digit moves the exponent.
      {9999999.5, 7, " 1E+7"}, {99999995, 7, " 1E+8"}, {-9.9999999, 7, "-10"},
      {1.000000000000005, 15, " 1"}, {1.000000000000015, 15, " 1.00000000000002"},
      {1.000000000000025, 15, " 1.00000000000002"}, {1.000000000000035, 15, " 1.00000000000004"},
      {0.1 + 0.2, 15, " .3"}, {2.0 / 3.0, 15, " .666666666666667"}, {0.1234567890123455, 15, " .123456789012345"},
      // 0.15 is 0.14999..., 0.25 an exact tie, 0.45 is 0.45000...1, 0.55 is 0.55000...4.
      {0.15, 1, " .1"}, {0.25, 1, " .2"}, {0.45, 1, " .4"}, {0.55, 1, " .6"},
      // Values with short exact expansions (whole numbers, halves, quarters):
      // the digits after the kept ones are true zeros or a true tie.
      {125, 2, " 1.2E+2"}, {135, 2, " 1.4E+2"}, {0.375, 2, " .38"}, {0.625, 2, " .62"}, {1022.5, 4, " 1022"},
      {1023.5, 4, " 1024"}, {50, 1, " 5E+1"}, {100, 7, " 100"}, {9007199254740992.0, 16, " 9007199254740992"},
      {9007199254740992.0, 15, " 9.00719925474099E+15"}, {1e22, 19, " 1E+22"}, {0x1p-30, 7, " 9.313226E-10"},
      {4503599627370495.5, 17, " 4503599627370495.5"}, {4503599627370495.5, 16, " 4503599627370496"},
      // Out-of-range digit counts are clamped.
      {57.3, 0, " 6E+1"}, {57.3, -5, " 6E+1"}, {0.1, 1000, " .1000000000000000056"},
      {kNaN, 7, "NaN"}, {kInf, 7, " Inf"}, {-kInf, 15, "-Inf"},
  };
  for (const ToTextCase& c : cases) {
    EXPECT_EQ(NumberToText(c.value, c.digits), c.expected) << c.expected << " from " << c.digits << " digits";
  }
}

TEST(TextToNumber, DecimalFormsAndExponents) {
  const std::pair<const char*, double> cases[] = {
      {" 12.5xyz", 12.5}, {"abc", 0}, {"", 0}, {"1E3", 1000}, {"-1.5", -1.5}, {"+2", 2}, {".5", 0.5},
      {"-.5", -0.5}, {"1.2.3", 1.2}, {"00012", 12}, {"57.3", 57.3}, {"-", 0}, {".", 0},
      // Spaces, tabs and line feeds are skipped; carriage returns are not.
      {" \t\n 7", 7}, {"\r7", 0}, {"- 7", 0},
      {"1D2", 100}, {"1d-2", 0.01}, {"2.5e+1", 25}, {"2e", 2}, {"2E-", 2}, {"1E400", kInf}, {"-1E400", -kInf},
      {"1E-400", 0}, {"4.9e-324", 5e-324},
      // Eighteen significant digits are used: the nineteenth 2 would lift 1 to the next double.
      {"1.000000000000000112", 1}, {"1234567890123456789", 1234567890123456780.0}, {"0.1234567890123456789", 0.123456789012345678},
      {"0.00000000000000000000012345678901234567891", 1.23456789012345678e-22},
      {"123456789012345678999.5", 123456789012345678000.0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(TextToNumber(text), value) << "'" << text << "'";
  // The exponent is capped at 9999: 10005 zeros after the point put the
  // digit at 1E-10006; "E10010" would lift it to 1E4, but the cap gives 1E-7.
  EXPECT_EQ(TextToNumber("0." + std::string(10005, '0') + "1E10010"), 1e-7);
}

TEST(TextToNumber, RadixFormsSignRulesAndSuffixes) {
  const std::pair<const char*, double> cases[] = {
      {"&HFF", 255}, {"&hff", 255}, {"&HFFxyz", 255}, {"&O777", 511}, {"&o777", 511}, {"&Q777", 511},
      {"&777", 511}, {"&B101", 5}, {"&B102", 2}, {"&O78", 7}, {"  &H10", 16},
      {"&", 0}, {"&H", 0}, {"&HZ", 0}, {"&8", 0}, {"&B2", 0},
      // 16 digits of bits are signed 16-bit values unless the first digit is 0;
      // 32 bits likewise; more are unsigned.
      {"&HFFFF", -1}, {"&H8000", -32768}, {"&H7FFF", 32767}, {"&O177777", -1}, {"&B1111111111111111", -1},
      {"&H0FFFF", 65535}, {"&HFF8000", 16744448}, {"&HFFFFFFFF", -1}, {"&H80000000", -2147483648.0},
      {"&H0FFFFFFFF", 4294967295.0}, {"&HFFFFFFFFFF", 1099511627775.0},
      // Type suffixes.
      {"&HFFFF%", -1}, {"&HFFFF&", 65535}, {"&HFFFF&&", 65535}, {"&HFFFF?", 65535}, {"&HFFFFFFFF&", -1},
      {"&HFFFFFFFF&&", 4294967295.0}, {"&HFFFFFFFF?", 4294967295.0},
      // Beyond 64 bits the value is zero; leading zeros are free.
      {"&HFFFFFFFFFFFFFFFF", 18446744073709551615.0}, {"&H10000000000000000", 0}, {"&H00000000000000000001", 1},
      {"&O1777777777777777777777", 18446744073709551615.0}, {"&O2000000000000000000000", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(TextToNumber(text), value) << "'" << text << "'";
  EXPECT_EQ(TextToNumber("&B" + std::string(65, '1')), 0);
}

// Nineteen digits written and eighteen read back are well within half a unit
// in the last place of a double, so every finite value survives the trip.
TEST(NumberTextRoundTrip, NineteenDigitsReadBackExactly) {
  std::mt19937_64 generator(20261207);
  for (int i = 0; i < 20000; ++i) {
    uint64_t bits = generator();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    std::string text = NumberToText(value, 19);
    ASSERT_EQ(TextToNumber(text), value) << text;
  }
}

// --- Clock -------------------------------------------------------------------

class ClockText : public testing::Test {
 protected:
  void TearDown() override { platform::UseRealClock(); }
};

TEST_F(ClockText, TwoDigitFieldsAndSecondsWithMilliseconds) {
  platform::UseVirtualClock({9, 5, 3, 0});
  EXPECT_EQ(TimeText(), "09:05:03");
  platform::UseVirtualClock({12, 34, 56, 789});
  EXPECT_EQ(SecondsSinceMidnight(), 45296.789);
  platform::UseVirtualClock({23, 59, 59, 999});
  EXPECT_EQ(TimeText(), "23:59:59");
  EXPECT_EQ(SecondsSinceMidnight(), 86399.999);
  platform::AdvanceVirtualClock(1);
  EXPECT_EQ(TimeText(), "00:00:00");
  EXPECT_EQ(SecondsSinceMidnight(), 0);
}

// The kept text of the last second shown follows a change of any one field,
// and the same second at another millisecond gives the same text.
TEST_F(ClockText, TextFollowsEachFieldOfTheTime) {
  const struct {
    ClockTime time;
    const char* text;
  } cases[] = {
      {{9, 5, 3, 0}, "09:05:03"},   {{9, 5, 3, 999}, "09:05:03"}, {{10, 5, 3, 0}, "10:05:03"},
      {{10, 6, 3, 0}, "10:06:03"},  {{10, 6, 4, 0}, "10:06:04"},  {{9, 5, 3, 500}, "09:05:03"},
  };
  for (const auto& c : cases) {
    platform::UseVirtualClock(c.time);
    EXPECT_EQ(TimeText(), c.text);
  }
}

// The real clock's local time: each moment as localtime_r gives it, whether
// it falls in the second converted last, the next one, an hour later at the
// same minute and second, or back at the first.
TEST(RealClock, LocalTimeOfEachMomentAsTheSystemConvertsIt) {
  using namespace std::chrono;
  const system_clock::time_point start{seconds(1700000000) + milliseconds(250)};
  const system_clock::time_point moments[] = {
      start, start + milliseconds(749), start + milliseconds(750), start + hours(1), start + hours(1) + milliseconds(5),
      start,
  };
  for (const auto& moment : moments) {
    const std::time_t whole = system_clock::to_time_t(moment);
    std::tm local{};
    localtime_r(&whole, &local);
    const int ms = static_cast<int>(duration_cast<milliseconds>(moment.time_since_epoch()).count() % 1000);
    EXPECT_EQ(platform::LocalTimeAt(moment), (ClockTime{local.tm_hour, local.tm_min, local.tm_sec, ms}));
  }
}

// --- Random generator --------------------------------------------------------

TEST(RandomNumber, SequenceFromTheStartState) {
  ResetRandomNumber();
  EXPECT_EQ(RandomNumber(), 0.9686200609430671);
  EXPECT_EQ(RandomNumber(), 0.20171141158789396);
  EXPECT_EQ(RandomNumber(), 0.519515969324857);
  EXPECT_EQ(RandomNumber(), 0.13224066281691194);
  ResetRandomNumber();
  EXPECT_EQ(RandomNumber(), 0.9686200609430671);
}

TEST(RandomNumber, StaysInTheUnitInterval) {
  ResetRandomNumber();
  for (int i = 0; i < 100000; ++i) {
    double r = RandomNumber();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
  ResetRandomNumber();
}

// --- Helpers ------------------------------------------------------------------

TEST(NumberHelpers, FloorMinAndRemainder) {
  EXPECT_EQ(Floor(-2.5), -3);
  EXPECT_EQ(Floor(2.5), 2);
  EXPECT_EQ(Floor(-3), -3);
  EXPECT_EQ(Min(2, 3), 2);
  EXPECT_EQ(Min(3, -2), -2);
  EXPECT_EQ(Remainder(7, 3), 1);
  EXPECT_EQ(Remainder(-7, 3), -1);
  EXPECT_EQ(Remainder(7, -3), 1);
  EXPECT_EQ(Remainder(5.5, 2), 1.5);
  EXPECT_EQ(Remainder(7, 0), 0);
  EXPECT_EQ(Remainder(-7, -0.0), 0);
}

TEST(NumberHelpers, Trigonometry) {
  EXPECT_EQ(Sine(0), 0);
  EXPECT_EQ(Cosine(0), 1);
  EXPECT_DOUBLE_EQ(Sine(M_PI / 2), 1);
  EXPECT_DOUBLE_EQ(Cosine(M_PI), -1);
  EXPECT_DOUBLE_EQ(ArcTangent(1), M_PI / 4);
  EXPECT_DOUBLE_EQ(ArcTangent(-kInf), -M_PI / 2);
}

}  // namespace

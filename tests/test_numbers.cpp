// Number services: mask formatting, number to text, text to number, the
// clock texts, the random generator and the arithmetic helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "host/numbers.h"
#include "platform/clock.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// --- FormatNumber -----------------------------------------------------------

TEST(FormatNumber, RightAlignsTheRoundedIntegerInTheField) {
  EXPECT_EQ(FormatNumber("###", 7.6), "  8");
  EXPECT_EQ(FormatNumber("###", 1234), "1234");  // the field grows
  EXPECT_EQ(FormatNumber("###", -5), " -5");
  EXPECT_EQ(FormatNumber("###", -123), "-123");  // the sign takes a place
  EXPECT_EQ(FormatNumber("###", 0.4), "  0");
  EXPECT_EQ(FormatNumber("###", 999.7), "1000");
  EXPECT_EQ(FormatNumber("###", 57.3), " 57");
  EXPECT_EQ(FormatNumber("#", 0), "0");
}

TEST(FormatNumber, PercentMaskAppendsTheLiteral) {
  EXPECT_EQ(FormatNumber("###_%", 57.3), " 57%");
  EXPECT_EQ(FormatNumber("###_%", 100), "100%");
  EXPECT_EQ(FormatNumber("###_%", 100.4), "100%");
  EXPECT_EQ(FormatNumber("###_%", 0.2), "  0%");
  EXPECT_EQ(FormatNumber("###_%", static_cast<float>(57.3)), " 57%");
}

TEST(FormatNumber, ExactHalvesRoundToEvenAndAboveHalfRoundsUp) {
  EXPECT_EQ(FormatNumber("###", 2.5), "  2");
  EXPECT_EQ(FormatNumber("###", 3.5), "  4");
  EXPECT_EQ(FormatNumber("###", 12.5), " 12");
  EXPECT_EQ(FormatNumber("###", 13.5), " 14");
  EXPECT_EQ(FormatNumber("###", 0.5), "  0");
  EXPECT_EQ(FormatNumber("###", -2.5), " -2");
  EXPECT_EQ(FormatNumber("###", -3.5), " -4");
  EXPECT_EQ(FormatNumber("###", 57.5f), " 58");
  // 5 followed by non-zero digits rounds up even from an even units digit;
  // just below one half rounds down.
  EXPECT_EQ(FormatNumber("###", std::nextafter(2.5, 3.0)), "  3");
  EXPECT_EQ(FormatNumber("###", std::nextafter(0.5, 0.0)), "  0");
  EXPECT_EQ(FormatNumber("###", 0.5000001), "  1");
}

TEST(FormatNumber, NegativeValuesThatRoundToZeroHaveNoSign) {
  EXPECT_EQ(FormatNumber("###", -0.4), "  0");
  EXPECT_EQ(FormatNumber("###", -0.5), "  0");
  EXPECT_EQ(FormatNumber("###", -0.0), "  0");
  EXPECT_EQ(FormatNumber("###", -0.6), " -1");
}

TEST(FormatNumber, MaskLiteralsAndEscapes) {
  EXPECT_EQ(FormatNumber("x###", 5), "x  5");
  EXPECT_EQ(FormatNumber("###_#", 5), "  5#");    // escaped "#" is literal
  EXPECT_EQ(FormatNumber("###__", 5), "  5_");
  EXPECT_EQ(FormatNumber("## ##", 5), " 5 ##");  // a later run is literal
  EXPECT_EQ(FormatNumber("%", 5), "%");          // no field: no number
  EXPECT_EQ(FormatNumber("", 5), "");
}

TEST(FormatNumber, LargeValuesUseNineteenSignificantDigits) {
  EXPECT_EQ(FormatNumber("#", 123456789012345.5), "123456789012346");
  EXPECT_EQ(FormatNumber("#", 123456789012344.5), "123456789012344");
  // 1e25 is 10000000000000000905969664 exactly; 19 digits keep ...091.
  EXPECT_EQ(FormatNumber("#", 1e25), "10000000000000000910000000");
}

TEST(FormatNumber, NonFiniteValuesGiveAFixedText) {
  EXPECT_EQ(FormatNumber("###_%", kNaN), "NaN%");
  EXPECT_EQ(FormatNumber("#####", kInf), "  Inf");
  EXPECT_EQ(FormatNumber("###", -kInf), "-Inf");
}

// --- NumberToText -------------------------------------------------------------

TEST(NumberToText, PlainLayoutWithLeadingSpaceForNonNegative) {
  EXPECT_EQ(NumberToText(0, 7), " 0");
  EXPECT_EQ(NumberToText(-0.0, 7), " 0");
  EXPECT_EQ(NumberToText(1, 7), " 1");
  EXPECT_EQ(NumberToText(-1.5, 7), "-1.5");
  EXPECT_EQ(NumberToText(123, 7), " 123");
  EXPECT_EQ(NumberToText(1234567, 7), " 1234567");
  EXPECT_EQ(NumberToText(123.4567, 7), " 123.4567");
  EXPECT_EQ(NumberToText(1000, 7), " 1000");
  EXPECT_EQ(NumberToText(static_cast<float>(57.3), 7), " 57.3");
  EXPECT_EQ(NumberToText(45296.789, 15), " 45296.789");
}

TEST(NumberToText, FractionsBelowOneHaveNoLeadingZero) {
  EXPECT_EQ(NumberToText(0.5, 7), " .5");
  EXPECT_EQ(NumberToText(-0.25, 7), "-.25");
  EXPECT_EQ(NumberToText(0.0001234, 7), " .0001234");
  EXPECT_EQ(NumberToText(0.99999995, 7), " .9999999");
}

TEST(NumberToText, ScientificWhenThePlainFormIsTooLong) {
  EXPECT_EQ(NumberToText(10000000, 7), " 1E+7");
  EXPECT_EQ(NumberToText(12345678, 7), " 1.234568E+7");
  EXPECT_EQ(NumberToText(-12345678, 7), "-1.234568E+7");
  EXPECT_EQ(NumberToText(1.234e-5, 7), " 1.234E-5");
  EXPECT_EQ(NumberToText(1e-5, 7), " .00001");
  EXPECT_EQ(NumberToText(1e-7, 7), " .0000001");
  EXPECT_EQ(NumberToText(1e-8, 7), " 1E-8");
  EXPECT_EQ(NumberToText(1.5e-7, 7), " 1.5E-7");
  EXPECT_EQ(NumberToText(1e100, 15), " 1E+100");
  EXPECT_EQ(NumberToText(123456789012345678.0, 15), " 1.23456789012346E+17");
  EXPECT_EQ(NumberToText(5e-324, 7), " 4.940656E-324");
}

TEST(NumberToText, TiesAtSevenDigitsLookOnlyAtTheFirstDroppedDigit) {
  // 1.2345675 is 1.23456750000000003...: 5 after an odd digit goes up.
  EXPECT_EQ(NumberToText(1.2345675, 7), " 1.234568");
  // 1.2345665 is 1.23456649999...: the first dropped digit is 4.
  EXPECT_EQ(NumberToText(1.2345665, 7), " 1.234566");
  EXPECT_EQ(NumberToText(1.0000035, 7), " 1.000004");
  EXPECT_EQ(NumberToText(1.0000025, 7), " 1.000002");  // 1.00000249999...
  // 2.0000005 is 2.00000050000000007...: 5 after an even digit stays,
  // whatever follows it.
  EXPECT_EQ(NumberToText(2.0000005, 7), " 2");
  EXPECT_EQ(NumberToText(123456.75, 7), " 123456.8");
  EXPECT_EQ(NumberToText(123456.25, 7), " 123456.2");
  // A carry out of the first digit moves the exponent.
  EXPECT_EQ(NumberToText(9999999.5, 7), " 1E+7");
  EXPECT_EQ(NumberToText(99999995, 7), " 1E+8");
  EXPECT_EQ(NumberToText(-9.9999999, 7), "-10");
}

TEST(NumberToText, TiesAtFifteenDigits) {
  EXPECT_EQ(NumberToText(1.000000000000005, 15), " 1");  // ...5107: even, kept
  EXPECT_EQ(NumberToText(1.000000000000015, 15), " 1.00000000000002");
  EXPECT_EQ(NumberToText(1.000000000000025, 15), " 1.00000000000002");
  EXPECT_EQ(NumberToText(1.000000000000035, 15), " 1.00000000000004");
  EXPECT_EQ(NumberToText(0.1 + 0.2, 15), " .3");
  EXPECT_EQ(NumberToText(2.0 / 3.0, 15), " .666666666666667");
  EXPECT_EQ(NumberToText(0.1234567890123455, 15), " .123456789012345");
}

TEST(NumberToText, BinaryValuesBelowOrAboveTheDecimalTie) {
  EXPECT_EQ(NumberToText(0.15, 1), " .1");  // 0.14999...
  EXPECT_EQ(NumberToText(0.25, 1), " .2");  // exact tie, even
  EXPECT_EQ(NumberToText(0.45, 1), " .4");  // 0.45000...1: even, kept
  EXPECT_EQ(NumberToText(0.55, 1), " .6");  // 0.55000...4: odd, up
}

TEST(NumberToText, OutOfRangeDigitCountsAreClamped) {
  EXPECT_EQ(NumberToText(57.3, 0), " 6E+1");
  EXPECT_EQ(NumberToText(57.3, -5), " 6E+1");
  EXPECT_EQ(NumberToText(0.1, 1000), " .1000000000000000056");
}

TEST(NumberToText, NonFiniteValuesGiveAFixedText) {
  EXPECT_EQ(NumberToText(kNaN, 7), "NaN");
  EXPECT_EQ(NumberToText(kInf, 7), " Inf");
  EXPECT_EQ(NumberToText(-kInf, 15), "-Inf");
}

// --- TextToNumber -------------------------------------------------------------

TEST(TextToNumber, DecimalNumbers) {
  EXPECT_EQ(TextToNumber(" 12.5xyz"), 12.5);
  EXPECT_EQ(TextToNumber("abc"), 0);
  EXPECT_EQ(TextToNumber(""), 0);
  EXPECT_EQ(TextToNumber("1E3"), 1000);
  EXPECT_EQ(TextToNumber("-1.5"), -1.5);
  EXPECT_EQ(TextToNumber("+2"), 2);
  EXPECT_EQ(TextToNumber(".5"), 0.5);
  EXPECT_EQ(TextToNumber("-.5"), -0.5);
  EXPECT_EQ(TextToNumber("1.2.3"), 1.2);
  EXPECT_EQ(TextToNumber("00012"), 12);
  EXPECT_EQ(TextToNumber("57.3"), 57.3);
  EXPECT_EQ(TextToNumber("-"), 0);
  EXPECT_EQ(TextToNumber("."), 0);
}

TEST(TextToNumber, LeadingSpacesTabsAndLineFeedsAreSkipped) {
  EXPECT_EQ(TextToNumber(" \t\n 7"), 7);
  EXPECT_EQ(TextToNumber("\r7"), 0);  // carriage return is not skipped
  EXPECT_EQ(TextToNumber("- 7"), 0);
}

TEST(TextToNumber, Exponents) {
  EXPECT_EQ(TextToNumber("1D2"), 100);
  EXPECT_EQ(TextToNumber("1d-2"), 0.01);
  EXPECT_EQ(TextToNumber("2.5e+1"), 25);
  EXPECT_EQ(TextToNumber("2e"), 2);
  EXPECT_EQ(TextToNumber("2E-"), 2);
  EXPECT_EQ(TextToNumber("1E400"), kInf);
  EXPECT_EQ(TextToNumber("-1E400"), -kInf);
  EXPECT_EQ(TextToNumber("1E-400"), 0);
  EXPECT_EQ(TextToNumber("4.9e-324"), 5e-324);
  // The exponent is capped at 9999: 10005 zeros after the point put the
  // digit at 1E-10006; "E10010" would lift it to 1E4, but the cap gives 1E-7.
  std::string text = "0." + std::string(10005, '0') + "1E10010";
  EXPECT_EQ(TextToNumber(text), 1e-7);
}

TEST(TextToNumber, EighteenSignificantDigitsAreUsed) {
  EXPECT_EQ(TextToNumber("1234567890123456789"), 1234567890123456780.0);
  EXPECT_EQ(TextToNumber("0.1234567890123456789"), 0.123456789012345678);
  EXPECT_EQ(TextToNumber("0.00000000000000000000012345678901234567891"), 1.23456789012345678e-22);
  EXPECT_EQ(TextToNumber("123456789012345678999.5"), 123456789012345678000.0);
}

TEST(TextToNumber, RadixForms) {
  EXPECT_EQ(TextToNumber("&HFF"), 255);
  EXPECT_EQ(TextToNumber("&hff"), 255);
  EXPECT_EQ(TextToNumber("&HFFxyz"), 255);
  EXPECT_EQ(TextToNumber("&O777"), 511);
  EXPECT_EQ(TextToNumber("&o777"), 511);
  EXPECT_EQ(TextToNumber("&Q777"), 511);
  EXPECT_EQ(TextToNumber("&777"), 511);  // bare "&" is octal
  EXPECT_EQ(TextToNumber("&B101"), 5);
  EXPECT_EQ(TextToNumber("&B102"), 2);  // stops at "2"
  EXPECT_EQ(TextToNumber("&O78"), 7);
  EXPECT_EQ(TextToNumber("  &H10"), 16);
}

TEST(TextToNumber, RadixFormsWithoutDigitsGiveZero) {
  EXPECT_EQ(TextToNumber("&"), 0);
  EXPECT_EQ(TextToNumber("&H"), 0);
  EXPECT_EQ(TextToNumber("&HZ"), 0);
  EXPECT_EQ(TextToNumber("&8"), 0);
  EXPECT_EQ(TextToNumber("&B2"), 0);
}

TEST(TextToNumber, SixteenAndThirtyTwoBitSignRules) {
  EXPECT_EQ(TextToNumber("&HFFFF"), -1);
  EXPECT_EQ(TextToNumber("&H8000"), -32768);
  EXPECT_EQ(TextToNumber("&H7FFF"), 32767);
  EXPECT_EQ(TextToNumber("&O177777"), -1);
  EXPECT_EQ(TextToNumber("&B1111111111111111"), -1);
  EXPECT_EQ(TextToNumber("&H0FFFF"), 65535);  // first digit 0
  EXPECT_EQ(TextToNumber("&HFF8000"), 16744448);
  EXPECT_EQ(TextToNumber("&HFFFFFFFF"), -1);
  EXPECT_EQ(TextToNumber("&H80000000"), -2147483648.0);
  EXPECT_EQ(TextToNumber("&H0FFFFFFFF"), 4294967295.0);
  EXPECT_EQ(TextToNumber("&HFFFFFFFFFF"), 1099511627775.0);  // beyond 32 bits: unsigned
}

TEST(TextToNumber, TypeSuffixesAndTheSignRules) {
  EXPECT_EQ(TextToNumber("&HFFFF%"), -1);
  EXPECT_EQ(TextToNumber("&HFFFF&"), 65535);
  EXPECT_EQ(TextToNumber("&HFFFF&&"), 65535);
  EXPECT_EQ(TextToNumber("&HFFFF?"), 65535);
  EXPECT_EQ(TextToNumber("&HFFFFFFFF&"), -1);
  EXPECT_EQ(TextToNumber("&HFFFFFFFF&&"), 4294967295.0);
  EXPECT_EQ(TextToNumber("&HFFFFFFFF?"), 4294967295.0);
}

TEST(TextToNumber, SixtyFourBitOverflowGivesZero) {
  EXPECT_EQ(TextToNumber("&HFFFFFFFFFFFFFFFF"), 18446744073709551615.0);
  EXPECT_EQ(TextToNumber("&H10000000000000000"), 0);
  EXPECT_EQ(TextToNumber("&H00000000000000000001"), 1);  // leading zeros are free
  EXPECT_EQ(TextToNumber("&O1777777777777777777777"), 18446744073709551615.0);
  EXPECT_EQ(TextToNumber("&O2000000000000000000000"), 0);
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

TEST_F(ClockText, TimeTextHasTwoDigitFields) {
  platform::UseVirtualClock({9, 5, 3, 0});
  EXPECT_EQ(TimeText(), "09:05:03");
  platform::UseVirtualClock({23, 59, 59, 999});
  EXPECT_EQ(TimeText(), "23:59:59");
  platform::AdvanceVirtualClock(1);
  EXPECT_EQ(TimeText(), "00:00:00");
}

TEST_F(ClockText, SecondsSinceMidnightIncludesMilliseconds) {
  platform::UseVirtualClock({12, 34, 56, 789});
  EXPECT_EQ(SecondsSinceMidnight(), 45296.789);
  platform::UseVirtualClock({0, 0, 0, 0});
  EXPECT_EQ(SecondsSinceMidnight(), 0);
  platform::UseVirtualClock({23, 59, 59, 999});
  EXPECT_EQ(SecondsSinceMidnight(), 86399.999);
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
  EXPECT_FLOAT_EQ(static_cast<float>(0.9686200609430671), 0.968620f);
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

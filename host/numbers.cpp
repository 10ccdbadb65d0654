// Number services: mask formatting ("###", "###_%"), number to text with
// decimal rounding to N significant digits, text to number (decimal and the
// "&H" / "&O" / "&B" radix forms), the clock texts, the program's random
// generator and small arithmetic helpers.
//
// Decimal digits of a double are always taken from its exact binary value
// (std::to_chars with a precision prints the exact expansion), never built up
// with floating-point arithmetic, so the rounding rules see the true digits.
#include "instrument_panel/numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

#include "platform/clock.h"

namespace ip {

namespace {

// The significant digits of a finite, non-zero magnitude and the decimal
// exponent of the first one: value = 0.d1 d2 d3 ... * 10^(exponent + 1),
// i.e. d1 stands at 10^exponent.
struct DecimalDigits {
  std::string digits;
  int exponent = 0;
};

// A double has at most 767 significant decimal digits; this many always
// gives its exact expansion.
constexpr int kExactPrecision = 767;
// Digits printed beyond the wanted ones in the fast first attempt.
constexpr int kGuardDigits = 24;

// Prints |value| in scientific form with `count` significant digits (rounded
// to nearest by to_chars) and splits it into digits and exponent.
DecimalDigits PrintScientific(double magnitude, int count) {
  char buffer[kExactPrecision + 32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, count - 1);
  DecimalDigits out;
  const char* p = buffer;
  for (; p < result.ptr && *p != 'e'; ++p) {
    if (*p != '.') out.digits.push_back(*p);
  }
  if (p < result.ptr) std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), result.ptr, out.exponent);
  return out;
}

// Bits of a double's significand, and log10(2) from above (0.30103 > 0.30102999...).
constexpr int kSignificandBits = std::numeric_limits<double>::digits;
constexpr int kLog2Numerator = 30103;
constexpr int kLog2Denominator = 100000;

// A bound on the significant digits of the exact decimal expansion of a
// finite, non-zero magnitude: each binary place after the point makes one
// decimal place, and a number below 2^e has at most e * log10(2) + 1 digits
// before the point.
int ExactDigitBound(double magnitude) {
  int binaryExponent = 0;  // magnitude = fraction * 2^binaryExponent, fraction in [0.5, 1)
  const double fraction = std::frexp(magnitude, &binaryExponent);
  const auto significand = static_cast<uint64_t>(std::ldexp(fraction, kSignificandBits));
  const int placesAfterPoint = std::max(0, kSignificandBits - binaryExponent - std::countr_zero(significand));
  const int digitsBeforePoint = binaryExponent > 0 ? binaryExponent * kLog2Numerator / kLog2Denominator + 1 : 0;
  return placesAfterPoint + digitsBeforePoint;
}

// The first `count` exact significant digits of |value| (truncated, not
// rounded). `count` must be at least 1; `value` finite and non-zero.
DecimalDigits ExactLeadingDigits(double value, int count) {
  double magnitude = std::fabs(value);
  DecimalDigits wide;
  const int exactDigits = ExactDigitBound(magnitude);
  if (exactDigits <= count + kGuardDigits) {
    // A short expansion (whole numbers, halves, quarters...): printed whole, exactly.
    wide = PrintScientific(magnitude, exactDigits);
  } else {
    // Print a few guard digits more and cut. The cut is exact unless rounding
    // at the last guard digit carried into the kept digits, which leaves only
    // zeros after them; then print the whole exact expansion.
    wide = PrintScientific(magnitude, count + kGuardDigits);
    if (wide.digits.find_first_not_of('0', count) == std::string::npos) {
      wide = PrintScientific(magnitude, kExactPrecision);
    }
  }
  if (static_cast<int>(wide.digits.size()) < count) wide.digits.resize(count, '0');
  wide.digits.resize(count);
  return wide;
}

// Mask formatting expands a value to 19 significant digits rounded to
// nearest: the precision of an 80-bit extended value.
constexpr int kExpansionDigits = 19;

// Adds one to the last digit of a decimal digit string, carrying to the
// left. The caller leaves a leading 0 to take a carry out of the first digit.
void IncrementDigits(std::string& digits) {
  size_t i = digits.size();
  while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
  if (i > 0) ++digits[i - 1];
}

// Texts for values that have no digits.
std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

// Rounds |value| to an integer by the mask rule (first dropped digit above 5
// up, 5 with anything non-zero after it up, exactly 5 to even) and returns
// its decimal digits without sign; "0" for a zero result.
std::string RoundedIntegerDigits(double value) {
  if (value == 0) return "0";
  DecimalDigits d = PrintScientific(std::fabs(value), kExpansionDigits);
  int integerCount = d.exponent + 1;  // digits before the decimal point
  // A spare leading 0 takes the carry when the rounding goes up.
  std::string integer(1, '0');
  std::string dropped;
  if (integerCount <= 0) {
    dropped.assign(-integerCount, '0').append(d.digits);
  } else if (integerCount >= static_cast<int>(d.digits.size())) {
    integer.append(d.digits).append(integerCount - d.digits.size(), '0');
  } else {
    integer.append(d.digits, 0, integerCount);
    dropped.assign(d.digits, integerCount);
  }
  if (!dropped.empty()) {
    char first = dropped[0];
    bool restNonZero = dropped.find_first_not_of('0', 1) != std::string::npos;
    bool unitsOdd = (integer.back() - '0') % 2 == 1;
    if (first > '5' || (first == '5' && (restNonZero || unitsOdd))) IncrementDigits(integer);
  }
  size_t firstNonZero = integer.find_first_not_of('0');
  return firstNonZero == std::string::npos ? "0" : integer.substr(firstNonZero);
}

// One parsed mask: the literal text before the numeric field, the field
// width in places (0 when the mask has no field) and the literal text after.
struct NumberMask {
  std::string before;
  int places = 0;
  std::string after;
};

// Reads the mask: the first run of "#" is the numeric field; "_" makes the
// next character literal; every other character (a later "#" too) is copied
// as it stands.
NumberMask ParseMask(const std::string& mask) {
  enum class Where { kBefore, kField, kAfter };
  NumberMask parsed;
  Where where = Where::kBefore;
  for (size_t i = 0; i < mask.size(); ++i) {
    char c = mask[i];
    if (c == '#' && where != Where::kAfter) {
      where = Where::kField;
      ++parsed.places;
      continue;
    }
    if (where == Where::kField) where = Where::kAfter;
    std::string& literal = where == Where::kBefore ? parsed.before : parsed.after;
    if (c != '_') {
      literal.push_back(c);
    } else if (i + 1 < mask.size()) {
      literal.push_back(mask[++i]);
    }
  }
  return parsed;
}

// Rounds the exact leading digits of a number to `keep` significant digits
// with the display rule: the first dropped digit below 5 truncates, above 5
// rounds up, exactly 5 rounds the last kept digit to even (later digits are
// not looked at). A carry out of the first digit raises the exponent.
DecimalDigits RoundToSignificant(double value, int keep) {
  DecimalDigits exact = ExactLeadingDigits(value, keep + 1);
  char first = exact.digits[keep];
  DecimalDigits d;
  d.digits.assign(1, '0').append(exact.digits, 0, keep);  // spare digit for a carry
  d.exponent = exact.exponent;
  bool lastOdd = (d.digits.back() - '0') % 2 == 1;
  if (first > '5' || (first == '5' && lastOdd)) IncrementDigits(d.digits);
  if (d.digits[0] == '0') {
    d.digits.erase(0, 1);
  } else {
    d.digits.resize(keep);
    ++d.exponent;
  }
  size_t lastNonZero = d.digits.find_last_not_of('0');
  d.digits.resize(lastNonZero + 1);
  return d;
}

// Lays out rounded digits: plain, a leading point with zeros, or scientific.
std::string LayOutDigits(const DecimalDigits& d, int significant) {
  int count = static_cast<int>(d.digits.size());
  int p = d.exponent + 1;  // digits before the decimal point
  std::string text;
  if (p >= 1 && p <= significant) {
    text.append(d.digits, 0, std::min(p, count));
    if (p >= count) return text.append(p - count, '0');
    return text.append(1, '.').append(d.digits, p);
  }
  if (p <= 0 && count - p <= significant) return text.append(1, '.').append(-p, '0').append(d.digits);
  text.append(1, d.digits[0]);
  if (count > 1) text.append(1, '.').append(d.digits, 1);
  int exponent = p - 1;
  text.append(exponent < 0 ? "E-" : "E+");
  return text.append(std::to_string(std::abs(exponent)));
}

// The range of significant digits NumberToText accepts; others are clamped.
constexpr int kMinSignificant = 1;
constexpr int kMaxSignificant = 19;

// --- Text to number ---------------------------------------------------------

constexpr int kMaxDecimalDigits = 18;
constexpr int kMaxExponent = 9999;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The value of c as a digit of the radix, or -1.
int DigitValue(char c, int radix) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < radix ? v : -1;
}

int RadixOfLetter(char c) {
  switch (c) {
    case 'H': case 'h': return 16;
    case 'O': case 'o': case 'Q': case 'q': return 8;
    case 'B': case 'b': return 2;
    default: return 0;
  }
}

// Reads "&" radix text starting just after the "&".
double ParseRadixNumber(const std::string& text, size_t pos) {
  int radix = pos < text.size() ? RadixOfLetter(text[pos]) : 0;
  if (radix != 0) {
    ++pos;
  } else {
    radix = 8;
  }
  size_t firstDigit = pos;
  uint64_t value = 0;
  for (; pos < text.size(); ++pos) {
    int digit = DigitValue(text[pos], radix);
    if (digit < 0) break;
    if (value > (std::numeric_limits<uint64_t>::max() - digit) / radix) return 0;  // beyond 64 bits
    value = value * radix + digit;
  }
  if (pos == firstDigit) return 0;
  std::string suffix;
  if (text.compare(pos, 2, "&&") == 0) suffix = "&&";
  else if (pos < text.size() && (text[pos] == '%' || text[pos] == '&' || text[pos] == '?')) suffix = text[pos];
  bool signRule = text[firstDigit] != '0' && suffix != "?";
  if (signRule && value <= 0xFFFF && (value & 0x8000) != 0 && suffix != "&" && suffix != "&&") {
    return static_cast<double>(value) - 65536.0;
  }
  if (signRule && value > 0xFFFF && value <= 0xFFFFFFFF && (value & 0x80000000u) != 0 && suffix != "&&") {
    return static_cast<double>(value) - 4294967296.0;
  }
  return static_cast<double>(value);
}

// Reads a decimal number: sign, digits with one optional point, exponent.
// Keeps up to 18 significant digits and lets from_chars do the one correctly
// rounded conversion.
double ParseDecimalNumber(const std::string& text, size_t pos) {
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  std::string significant;
  long long scale = 0;  // power of ten applied to the kept digits
  bool anyDigit = false;
  bool pointSeen = false;
  for (; pos < text.size(); ++pos) {
    char c = text[pos];
    if (c == '.' && !pointSeen) {
      pointSeen = true;
      continue;
    }
    if (c < '0' || c > '9') break;
    anyDigit = true;
    bool kept = (!significant.empty() || c != '0') && significant.size() < kMaxDecimalDigits;
    if (kept) significant.push_back(c);
    if (pointSeen && (kept || significant.empty())) --scale;
    if (!pointSeen && !kept && !significant.empty()) ++scale;
  }
  if (!anyDigit) return 0;
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
    size_t p = pos + 1;
    bool expNegative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) expNegative = text[p++] == '-';
    long long exponent = 0;
    for (; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p) {
      exponent = std::min<long long>(exponent * 10 + (text[p] - '0'), kMaxExponent);
    }
    scale += expNegative ? -exponent : exponent;
  }
  if (significant.empty()) return negative ? -0.0 : 0.0;
  std::string scientific = significant + "e" + std::to_string(scale);
  double value = 0;
  auto result = std::from_chars(scientific.data(), scientific.data() + scientific.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small for a double gives 0; too large gives an infinity.
    value = scale < 0 ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return negative ? -value : value;
}

// --- Random generator ---------------------------------------------------------

constexpr uint32_t kRandomStart = 0xFFFFFFFFu;
constexpr uint32_t kRandomMultiplier = 134775813u;  // 0x08088405
constexpr double kRandomScale = 2147483648.0;        // 2^31

uint32_t random_state = kRandomStart;

}  // namespace

std::string FormatNumber(const std::string& mask, double value) {
  NumberMask parsed = ParseMask(mask);
  if (parsed.places == 0) return parsed.before + parsed.after;
  std::string number;
  if (!std::isfinite(value)) {
    number = NonFiniteText(value);
  } else {
    number = RoundedIntegerDigits(value);
    if (value < 0 && number != "0") number = "-" + number;
  }
  std::string text = parsed.before;
  if (static_cast<int>(number.size()) < parsed.places) text.append(parsed.places - number.size(), ' ');
  return text.append(number).append(parsed.after);
}

std::string NumberToText(double value, int32_t significantDigits) {
  if (std::isnan(value)) return NonFiniteText(value);
  std::string sign = value < 0 ? "-" : " ";
  if (std::isinf(value)) return value < 0 ? NonFiniteText(value) : sign + NonFiniteText(value);
  if (value == 0) return " 0";
  int significant = std::clamp<int32_t>(significantDigits, kMinSignificant, kMaxSignificant);
  return sign + LayOutDigits(RoundToSignificant(value, significant), significant);
}

double TextToNumber(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos < text.size() && text[pos] == '&') return ParseRadixNumber(text, pos + 1);
  return ParseDecimalNumber(text, pos);
}

// The clock's text changes once a second however often it is asked for: the
// text of the last hour, minute and second shown is kept, keyed on all three.
std::string TimeText() {
  struct TimeTextMemo {
    int hour = -1, minute = -1, second = -1;
    char text[32] = "";
  };
  thread_local TimeTextMemo memo;
  const ClockTime now = platform::LocalTimeNow();
  if (now.hour != memo.hour || now.minute != memo.minute || now.second != memo.second) {
    std::snprintf(memo.text, sizeof memo.text, "%02d:%02d:%02d", now.hour, now.minute, now.second);
    memo.hour = now.hour;
    memo.minute = now.minute;
    memo.second = now.second;
  }
  return memo.text;
}

double SecondsSinceMidnight() {
  ClockTime now = platform::LocalTimeNow();
  int64_t ms = now.hour * 3600000LL + now.minute * 60000LL + now.second * 1000LL + now.millisecond;
  return static_cast<double>(ms) / 1000.0;
}

double RandomNumber() {
  random_state = random_state * kRandomMultiplier + 1u;
  return static_cast<double>(random_state >> 1) / kRandomScale;
}

void ResetRandomNumber() { random_state = kRandomStart; }

double Floor(double x) { return std::floor(x); }

double Min(double a, double b) { return b < a ? b : a; }

double Remainder(double x, double y) {
  if (y == 0) return 0;
  return std::fmod(x, y);
}

double Sine(double x) { return std::sin(x); }

double Cosine(double x) { return std::cos(x); }

double ArcTangent(double x) { return std::atan(x); }

}  // namespace ip

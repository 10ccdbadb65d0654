// Fuzz harness: the number services. A number written with 15 significant
// digits reads back as a number that writes the same text again (and lies
// within the rounding of the original); with 7 digits it reads back within
// the rounding of 7 digits; a "###" mask writes the value rounded to a whole
// number, ties to even. Text to number ignores what follows the number, and
// a mask or text of any bytes is handled.
#include <cmath>
#include <cstdint>
#include <string>

#include "instrument_panel/numbers.h"
#include "instrument_panel/texts.h"
#include "tests/fuzz/fuzz_input.h"

using namespace ip;
using fuzz_input::FuzzCheck;

namespace {

constexpr int32_t kDoubleDigits = 15;
constexpr int32_t kSingleDigits = 7;
// The largest magnitude whose whole-number rounding a double still holds exactly.
constexpr double kExactWholeNumbers = 9007199254740992.0;  // 2^53
constexpr double kMostDropped = 0.6000001;
// Below this, subnormal numbers hold fewer digits than are written.
constexpr double kSmallestChecked = 1e-300;
// From here on 15 digits round up past the largest double, which then
// correctly reads back as infinity.
constexpr double kLargestWithinRange = 1.797693134862315e308;

std::string Describe(double value, const std::string& text) {
  char bits[64];
  std::snprintf(bits, sizeof bits, "%.17g", value);
  return std::string(bits) + " -> '" + text + "'";
}

// Written with `digits` significant digits and read back, a value moves by
// less than 0.6 of a unit of its last written digit (a first dropped digit 5
// rounds to even whatever follows it, so up to 0.5999... can be dropped) and
// one unit in the last place of the double read.
void CheckReadBack(double value, int32_t digits) {
  const std::string text = NumberToText(value, digits);
  const double back = TextToNumber(text);
  const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - digits + 1);
  const double ulp = std::fabs(std::nextafter(value, 0.0) - value);  // what reading the text may round by
  FuzzCheck(std::fabs(back - value) <= unit * kMostDropped + ulp || std::fabs(value) < kSmallestChecked,
            "read back within rounding",
            Describe(value, text) + " -> " + Describe(back, ""));
  if (digits == kDoubleDigits) {
    FuzzCheck(NumberToText(back, digits) == text, "15 digits write the same text again", Describe(value, text));
  }
}

void CheckWholeNumber(double value) {
  const std::string text = FormatNumber("###", value);
  FuzzCheck(text.size() >= 3, "the field is at least three places", Describe(value, text));
  if (std::fabs(value) >= kExactWholeNumbers) return;
  const double expected = std::nearbyint(value);  // the default rounding mode: ties to even
  FuzzCheck(TextToNumber(Trimmed(text)) == expected + 0.0, "rounded to a whole number, ties to even",
            Describe(value, text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_input::Reader in(data, size);
  const double value = in.Double();
  const std::string mask = in.Text(16);
  const int32_t digits = in.Int32();
  const std::string text = in.Rest();

  if (value != 0 && std::fabs(value) < kLargestWithinRange) CheckReadBack(value, kDoubleDigits);
  const float single = static_cast<float>(value);
  if (std::isfinite(single) && single != 0) CheckReadBack(single, kSingleDigits);
  if (std::isfinite(value)) CheckWholeNumber(value);
  FormatNumber(mask, value);
  NumberToText(value, digits);
  const double parsed = TextToNumber(text);
  const double followed = TextToNumber(text + " ");
  FuzzCheck(parsed == followed || (std::isnan(parsed) && std::isnan(followed)),
            "what follows the number does not change it", text);
  return 0;
}

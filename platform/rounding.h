// The one number-to-integer conversion of the system: nearest, ties to even.
// A NaN, an infinity or a value outside the 32-bit range gives INT32_MIN,
// which is what the original machine's conversion gives; never cast a double
// to int directly (undefined behaviour for such values).
#pragma once

#include <cmath>
#include <cstdint>

namespace ip {

inline int32_t RoundToInt(double value) {
  if (!std::isfinite(value)) return INT32_MIN;
  double r = std::nearbyint(value);  // default rounding mode: ties to even
  if (r < -2147483648.0 || r > 2147483647.0) return INT32_MIN;
  return static_cast<int32_t>(r);
}

// Beyond this magnitude llrintl's result is unspecified; every such value is
// far outside the 32-bit range anyway.
constexpr long double kLongRoundingLimit = 0x1p62L;

// The same conversion of an extended-precision value. llrintl rounds in the
// current mode exactly as nearbyintl does (nearest, ties to even) but runs
// in a few nanoseconds instead of nearly a hundred.
inline int32_t RoundExtendedToInt(long double value) {
  if (!(std::fabs(value) < kLongRoundingLimit)) return INT32_MIN;  // NaN fails the comparison too
  const long long r = std::llrintl(value);
  if (r < INT32_MIN || r > INT32_MAX) return INT32_MIN;
  return static_cast<int32_t>(r);
}

}  // namespace ip

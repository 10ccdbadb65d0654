// Lamp colours and the lamp dot. A lamp is a stack of nested shapes; step k
// of scheme s at level L has the colour LampColor(s, u, k, L), where u is the
// lightening per step. Integer products are exact in 64 bits; quotients that
// are not finite give 0 for their channel.
#include "instrument_panel/lamps.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "host/error_report.h"
#include "host/text_match.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/colors.h"
#include "instrument_panel/keys.h"
#include "instrument_panel/texts.h"
#include "platform/rounding.h"
#include "toolkit/key_tables.h"

namespace ip {

namespace {

// Channel values are clamped to 0..255; anything beyond one step outside
// that range clamps the same way, which keeps every product in range.
constexpr int64_t kChannelLow = -1;
constexpr int64_t kChannelHigh = 256;

int32_t Saturate(int64_t value) { return static_cast<int32_t>(std::clamp(value, kChannelLow, kChannelHigh)); }

// round() of a floating-point channel: nearest, ties to even; not finite -> 0;
// finite values far outside the channel range saturate like the integers.
int32_t RoundChannel(double value) {
  if (!std::isfinite(value)) return 0;
  return RoundToInt(std::clamp(value, static_cast<double>(kChannelLow), static_cast<double>(kChannelHigh)));
}

struct LampInputs {
  int64_t u, k, p;  // p = u * k
  double level;
};

using ChannelFormula = int32_t (*)(const LampInputs&);

// The channel formulas of the schemes.
int32_t Body(const LampInputs& in) { return Saturate(in.p); }
int32_t TripleBody(const LampInputs& in) { return 3 * Saturate(in.p); }
int32_t BodyPlusLevel(const LampInputs& in) { return RoundChannel(static_cast<double>(in.p) + 2.0 * in.level); }
int32_t LevelTimesStep(const LampInputs& in) { return RoundChannel(in.level * static_cast<double>(in.k)); }
int32_t LevelTimesUnit(const LampInputs& in) { return RoundChannel(in.level * static_cast<double>(in.u)); }
int32_t BodyTimesLevel(const LampInputs& in) { return RoundChannel(static_cast<double>(in.p) * in.level); }
int32_t LevelOverStep(const LampInputs& in) { return RoundChannel(255.0 * in.level / static_cast<double>(in.k)); }
int32_t BodyOverLevel(const LampInputs& in) { return RoundChannel(static_cast<double>(in.p) / in.level); }

struct LampScheme {
  std::string_view name;
  ChannelFormula red, green, blue;
};

// Looked up in this order; the first match wins. The empty scheme is
// "verdino".
constexpr LampScheme kSchemeFormulas[] = {
    {lamp_scheme::kLightGreen, Body, BodyPlusLevel, Body},
    {lamp_scheme::kDefault, Body, BodyPlusLevel, Body},
    {lamp_scheme::kRedYellow, LevelTimesStep, BodyPlusLevel, Body},
    {lamp_scheme::kRedOrange, LevelTimesStep, TripleBody, Body},
    {lamp_scheme::kBlue, Body, BodyPlusLevel, LevelTimesStep},
    {lamp_scheme::kRed, BodyPlusLevel, Body, Body},
    {lamp_scheme::kDarkBlue, Body, Body, BodyPlusLevel},
    {lamp_scheme::kBlueWhite, LevelTimesUnit, LevelTimesStep, BodyTimesLevel},
    {lamp_scheme::kTrafficLight, LevelOverStep, LevelTimesStep, BodyOverLevel},
};

// The published list of keys is this table's list of names.
static_assert(SameKeys(kSchemeFormulas, kLampSchemes));

}  // namespace

ColorRef LampColor(const std::string& scheme, int32_t u, int32_t k, float level) {
  LampInputs in{u, k, int64_t{u} * k, static_cast<double>(level)};
  for (const LampScheme& s : kSchemeFormulas) {
    if (LowerCaseEquals(scheme, s.name)) return MakeColor(s.red(in), s.green(in), s.blue(in));
  }
  if (NamesSomething(scheme)) ReportUnknown(ErrorCode::kUnknownLampScheme, scheme);
  return 0;
}

void DrawLampDot(int32_t cx, int32_t cy, int32_t r, ColorRef color) {
  constexpr int32_t kSolidFill = 0;
  auto at = [](int32_t centre, int64_t offset) { return static_cast<float>(int64_t{centre} + offset); };
  CanvasBox(at(cx, -int64_t{r}), at(cy, -int64_t{r}), at(cx, r), at(cy, r), kCornerEllipse, color, color, kSolidFill);
}

}  // namespace ip

// Colour values and colour names. Channel arithmetic is done in 64 bits and
// clamped to 0..255, so no shade, however extreme, can overflow.
#include "instrument_panel/colors.h"

#include <algorithm>
#include <string_view>

#include "host/error_report.h"
#include "host/text_match.h"
#include "instrument_panel/keys.h"
#include "instrument_panel/numbers.h"
#include "instrument_panel/texts.h"
#include "platform/rounding.h"
#include "toolkit/key_tables.h"

namespace ip {

namespace {

constexpr int64_t kChannelMax = 255;

int32_t ClampChannel(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, 0, kChannelMax)); }

ColorRef ComposeColor(int64_t red, int64_t green, int64_t blue) {
  return MakeColor(ClampChannel(red), ClampChannel(green), ClampChannel(blue));
}

// A named colour: each channel is base + sign * shade, where sign is -1 for
// the names that darken with the shade, +1 for one that brightens, and 0 for
// a channel fixed whatever the shade.
struct ChannelRule {
  int64_t base;
  int64_t shadeSign;
};

struct NamedColor {
  std::string_view name;
  ChannelRule red, green, blue;
};

constexpr ChannelRule Darken(int64_t base) { return {base, -1}; }
constexpr ChannelRule Brighten(int64_t base) { return {base, +1}; }
constexpr ChannelRule Fixed(int64_t base) { return {base, 0}; }

constexpr NamedColor kNamedColors[] = {
    {color::kRed, Darken(255), Darken(155), Darken(155)},
    {color::kGreen, Darken(155), Darken(255), Darken(155)},
    {color::kGrey, Darken(255), Darken(255), Darken(255)},
    {color::kGold, Darken(255), Darken(255), Darken(155)},
    {color::kButtonRed, Darken(410), Darken(210), Darken(210)},
    {color::kButtonGreen, Darken(210), Darken(410), Darken(210)},
    {color::kButtonGrey, Darken(410), Darken(410), Darken(410)},
    {color::kButtonGold, Darken(410), Darken(310), Fixed(55)},
    {color::kButtonBlue, Brighten(-200), Brighten(-100), Brighten(-100)},
};

// The published list of keys is this table's list of names.
static_assert(SameKeys(kNamedColors, kColorNames));

int64_t ApplyRule(const ChannelRule& rule, int32_t shade) { return rule.base + rule.shadeSign * shade; }

// "#RRGGBB": each pair read as "&H" text; short or malformed pairs read as
// far as they go.
ColorRef ColorFromHex(const std::string& name, int32_t shade) {
  constexpr int32_t kRedAt = 2, kGreenAt = 4, kBlueAt = 6, kPairLength = 2;
  auto channel = [&](int32_t at) {
    double value = TextToNumber("&H" + TextMid(name, at, kPairLength));
    return static_cast<int64_t>(RoundToInt(value)) - shade;
  };
  return ComposeColor(channel(kRedAt), channel(kGreenAt), channel(kBlueAt));
}

}  // namespace

ColorRef MakeColor(int32_t red, int32_t green, int32_t blue) {
  return ClampChannel(red) + 256 * ClampChannel(green) + 65536 * ClampChannel(blue);
}

ColorRef ColorFromName(const std::string& name, int32_t shade) {
  if (!name.empty() && name[0] == '#') return ColorFromHex(name, shade);
  // Lower case maps no other byte to a space, so trimming first matches the
  // trimmed lower-case name.
  const std::string_view trimmed = TrimmedView(name);
  for (const NamedColor& named : kNamedColors) {
    if (LowerCaseEquals(trimmed, named.name)) {
      return ComposeColor(ApplyRule(named.red, shade), ApplyRule(named.green, shade), ApplyRule(named.blue, shade));
    }
  }
  const std::string key = Trimmed(LowerCase(name));
  if (NamesSomething(key)) ReportUnknown(ErrorCode::kUnknownColorName, key);
  return 0;
}

}  // namespace ip

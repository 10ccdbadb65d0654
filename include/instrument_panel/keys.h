// The keys callers choose looks with: colour names, gauge styles, lamp
// schemes, background patterns and caption codes. The keys are the system's
// own (Italian) strings and numbers, compared exactly; each has an English
// name here. The tables list every key the instruments accept, with its
// English name, in the order the instruments look them up.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ip {

// A key and its English name.
struct KeyName {
  std::string_view key;
  std::string_view englishName;
};

// Colour names (ColorFromName); also "#RRGGBB". The empty name is black.
namespace color {
inline constexpr char kRed[] = "rosso";
inline constexpr char kGreen[] = "verde";
inline constexpr char kGrey[] = "grigio";
inline constexpr char kGold[] = "oro";
inline constexpr char kButtonRed[] = "pulsanterosso";
inline constexpr char kButtonGreen[] = "pulsanteverde";
inline constexpr char kButtonGrey[] = "pulsantegrigio";
inline constexpr char kButtonGold[] = "pulsanteoro";
inline constexpr char kButtonBlue[] = "pulsanteblu";
inline constexpr char kBlack[] = "";
}  // namespace color

inline constexpr std::array<KeyName, 9> kColorNames{{
    {color::kRed, "red"},
    {color::kGreen, "green"},
    {color::kGrey, "grey"},
    {color::kGold, "gold"},
    {color::kButtonRed, "button red"},
    {color::kButtonGreen, "button green"},
    {color::kButtonGrey, "button grey"},
    {color::kButtonGold, "button gold"},
    {color::kButtonBlue, "button blue"},
}};

// Gauge styles (CreateGauge): "ori_" grows across, "ver_" grows upward.
namespace gauge_style {
inline constexpr char kHorizontalBar[] = "ori_blurosso";        // blue-to-red bar
inline constexpr char kHorizontalSegments[] = "ori_vmeter";     // blue-to-red segments
inline constexpr char kHorizontalCylinder[] = "ori_rosso";      // red cylinder bar
inline constexpr char kHorizontalNeedle[] = "ori_ago";          // thin needle
inline constexpr char kHorizontalWideNeedle[] = "ori_agone";    // wide needle
inline constexpr char kVerticalBar[] = "ver_blurosso";
inline constexpr char kVerticalSegments[] = "ver_vmeter";
inline constexpr char kVerticalNeedle[] = "ver_ago";
inline constexpr char kVerticalWideNeedle[] = "ver_agone";
inline constexpr char kCaptionBox[] = "";    // a framed caption box: no level
inline constexpr char kLedLamp[] = "ledr";   // the gauge under a rectangular LED lamp: no level
}  // namespace gauge_style

inline constexpr std::array<KeyName, 11> kGaugeStyles{{
    {gauge_style::kHorizontalBar, "horizontal bar"},
    {gauge_style::kHorizontalSegments, "horizontal segments"},
    {gauge_style::kHorizontalCylinder, "horizontal cylinder"},
    {gauge_style::kHorizontalNeedle, "horizontal needle"},
    {gauge_style::kHorizontalWideNeedle, "horizontal wide needle"},
    {gauge_style::kVerticalBar, "vertical bar"},
    {gauge_style::kVerticalSegments, "vertical segments"},
    {gauge_style::kVerticalNeedle, "vertical needle"},
    {gauge_style::kVerticalWideNeedle, "vertical wide needle"},
    {gauge_style::kCaptionBox, "caption box"},
    {gauge_style::kLedLamp, "LED lamp"},
}};

// Lamp schemes (CreateLedLamp, CreateRoundLamp, LampColor), any case.
namespace lamp_scheme {
inline constexpr char kLightGreen[] = "verdino";
inline constexpr char kDefault[] = "";  // the same as kLightGreen
inline constexpr char kRedYellow[] = "rosso-giallo";
inline constexpr char kRedOrange[] = "rosso-arancio";
inline constexpr char kBlue[] = "blu";
inline constexpr char kRed[] = "rosso";
inline constexpr char kDarkBlue[] = "blu-scuro";
inline constexpr char kBlueWhite[] = "blu-bianco";
inline constexpr char kTrafficLight[] = "semaforo";
}  // namespace lamp_scheme

inline constexpr std::array<KeyName, 9> kLampSchemes{{
    {lamp_scheme::kLightGreen, "light green"},
    {lamp_scheme::kDefault, "default (light green)"},
    {lamp_scheme::kRedYellow, "red-yellow"},
    {lamp_scheme::kRedOrange, "red-orange"},
    {lamp_scheme::kBlue, "blue"},
    {lamp_scheme::kRed, "red"},
    {lamp_scheme::kDarkBlue, "dark blue"},
    {lamp_scheme::kBlueWhite, "blue-white"},
    {lamp_scheme::kTrafficLight, "traffic light"},
}};

// Background patterns (DrawPanelBackground and every instrument's pattern).
namespace pattern {
inline constexpr int32_t kHorizontalCylinder = 0;  // dark top and bottom, light middle row
inline constexpr int32_t kLightTop = 1;            // dark at the bottom, light at the top
inline constexpr int32_t kVerticalCylinder = 2;    // dark sides, light middle column
inline constexpr int32_t kShadedBand = 3;          // a shaded band along the top and left
inline constexpr int32_t kLightBottom = 4;         // dark at the top, light at the bottom
inline constexpr int32_t kVerticalGroove = 5;      // light sides, dark middle column
inline constexpr int32_t kBitmap = 6;              // the control's own bitmap face, stretched
}  // namespace pattern

struct PatternName {
  int32_t key;
  std::string_view englishName;
};

inline constexpr std::array<PatternName, 7> kPatterns{{
    {pattern::kHorizontalCylinder, "horizontal cylinder"},
    {pattern::kLightTop, "light top"},
    {pattern::kVerticalCylinder, "vertical cylinder"},
    {pattern::kShadedBand, "shaded band"},
    {pattern::kLightBottom, "light bottom"},
    {pattern::kVerticalGroove, "vertical groove"},
    {pattern::kBitmap, "bitmap"},
}};

// Caption codes and prefixes (gauges, text labels).
namespace caption {
inline constexpr char kPercent[] = "%";     // the value as a percentage
inline constexpr char kScaled[] = "!";      // the value scaled to the divisions
inline constexpr char kAlignLeft[] = "[<]";   // prefix: flush left
inline constexpr char kAlignRight[] = "[>]";  // prefix: flush right
}  // namespace caption

inline constexpr std::array<KeyName, 4> kCaptionCodes{{
    {caption::kPercent, "percentage"},
    {caption::kScaled, "scaled to divisions"},
    {caption::kAlignLeft, "flush left"},
    {caption::kAlignRight, "flush right"},
}};

}  // namespace ip

// Gauges and meters on the panel: the four gauge groups of the layout, their
// animation on the ticks of timers 610 and 620.
#include <array>
#include <string>

#include "instrument_panel/colors.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/numbers.h"
#include "instrument_panel/texts.h"
#include "panel/panel.h"
#include "panel/panel_parts.h"

namespace ip::panel {

namespace {

// One row of a layout table: the arguments of CreateGauge after the dialog.
// A row with randomValue set draws its value as 100 x RandomNumber() when it
// is created.
struct GaugeSpec {
  int32_t id;
  int32_t x, y, width, height;
  const char* background;
  int32_t frameWidth;
  const char* frameColor;
  float value;
  int16_t divisions;
  const char* caption;
  ColorRef textColor;
  const char* styleName;
  const char* fillColor;
  int32_t pattern;
  bool randomValue = false;
};

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kBlue = 0xFF0000;
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kYellow = 0x00FFFF;
constexpr ColorRef kCyan = 0xFFFF00;
constexpr float kPercentScale = 100;

// Group 3: vertical gauges 301..310, horizontal gauges 401..405, meters 1201,
// 1202 and 1301..1303.
const std::array<GaugeSpec, 20> kGaugeGroup = {{
    {301, 10, 270, 18, 140, "", 1, "rosso", 50, 4, "1", kWhite, "ver_ago", "grigio", 0},
    {302, 32, 270, 18, 140, "", 2, "verde", 50, 6, "2", kRed, "ver_blurosso", "verde", 1},
    {303, 54, 270, 18, 140, "", 3, "oro", 50, 6, "3", kRed, "ver_blurosso", "rosso", 2},
    {304, 76, 270, 18, 140, "", 4, "rosso", 50, 2, "4", kRed, "ver_blurosso", "oro", 3},
    {305, 98, 270, 18, 140, "", 5, "rosso", 50, 10, "5", kWhite, "ver_blurosso", "", 6},
    {306, 120, 270, 18, 140, "", 4, "rosso", 50, 10, "6", kCyan, "ver_ago", "grigio", 2},
    {307, 142, 270, 18, 140, "", 0, "rosso", 50, 10, "7", kCyan, "ver_ago", "grigio", 2},
    {308, 164, 270, 18, 140, "", 0, "rosso", 50, 10, "8", kCyan, "ver_ago", "grigio", 4},
    {309, 186, 270, 18, 140, "", 0, "rosso", 50, 10, "9", kCyan, "ver_ago", "grigio", 1},
    {310, 208, 270, 18, 140, "", 3, "", 9, 10, "%", kCyan, "ver_ago", "grigio", 5},
    {401, 110, 10, 120, 16, "", 3, "verde", 50, 10, "%", kWhite, "ori_blurosso", "verde", 0},
    {402, 110, 30, 120, 16, "", 4, "verde", 50, 10, "%", kWhite, "ori_blurosso", "rosso", 1},
    {403, 110, 50, 120, 16, "", 1, "verde", 50, 4, "%", kWhite, "ori_ago", "grigio", 2},
    {404, 110, 70, 120, 16, "", 1, "verde", 50, 4, "%", kWhite, "ori_rosso", "verde", 3},
    {405, 110, 90, 120, 16, "", 1, "verde", 50, 4, "%", kWhite, "ori_rosso", "verde", 1},
    {1201, 110, 130, 120, 18, "", 3, "verde", 0, 6, "%", kBlack, "ori_vmeter", "rosso", 0, true},
    {1202, 110, 152, 120, 18, "fondo1.bmp", 3, "pulsanterosso", 50, 4, "%", kWhite, "ori_vmeter", "verde", 6},
    {1301, 240, 270, 24, 140, "", 1, "verde", 0, 6, "%", kBlack, "ver_vmeter", "rosso", 0, true},
    {1302, 268, 270, 24, 140, "", 4, "verde", 0, 10, "", kWhite, "ver_vmeter", "rosso", 1, true},
    {1303, 296, 270, 24, 140, "fondo2.bmp", 4, "verde", 50, 20, "!", kWhite, "ver_vmeter", "grigio", 1},
}};

// Group 5: status boxes 501..510 (x 234, 60 x 18). The first eight have no
// style: framed caption boxes. 510's caption colour is filled in at build time.
const std::array<GaugeSpec, 10> kStatusGaugeGroup = {{
    {501, 234, 10, 60, 18, "", 2, "verde", 0, 0, "ON", kWhite, "", "verde", 0},
    {502, 234, 32, 60, 18, "", 3, "verde", 0, 0, "OFF", kRed, "", "rosso", 1},
    {503, 234, 54, 60, 18, "", 2, "verde", 0, 0, "PAUSA", kYellow, "", "oro", 2},
    {504, 234, 76, 60, 18, "", 0, "verde", 0, 0, "END", kGreen, "", "grigio", 0},
    {505, 234, 98, 60, 18, "", 0, "verde", 0, 0, "END", kGreen, "", "verde", 1},
    {506, 234, 120, 60, 18, "", 0, "verde", 0, 0, "END", kGreen, "", "verde", 5},
    {507, 234, 142, 60, 18, "", 0, "verde", 0, 0, "END", kGreen, "", "verde", 3},
    {508, 234, 164, 60, 18, "", 2, "verde", 0, 0, "ON", kWhite, "", "verde", 5},
    {509, 234, 186, 60, 18, "", 4, "", 100, 0, "ON", kWhite, "ori_blurosso", "verde", 0},
    {510, 234, 208, 60, 18, "", 4, "rosso", 100, 0, "ON", kBlack, "ori_rosso", "rosso", 0},
}};
constexpr int32_t kPinkCaptionId = 510;

// Group 8: long horizontal gauges 1001..1007 and vertical gauges 1101..1106,
// all draggable.
const std::array<GaugeSpec, 13> kLongGaugeGroup = {{
    {1001, 10, 430, 400, 20, "", 2, "verde", 33, 10, "<Testo lungo", kWhite, "ori_rosso", "grigio", 0},
    {1002, 10, 454, 400, 20, "", 3, "oro", 10, 0, ">Testo lungo", kRed, "ori_agone", "rosso", 1},
    {1003, 10, 478, 400, 20, "", 4, "rosso", 50, 0, "Testo lungo", kBlue, "ori_blurosso", "grigio", 2},
    {1004, 10, 502, 400, 20, "", 3, "grigio", 50, 0, "Testo lungo", kYellow, "ori_agone", "rosso", 3},
    {1005, 10, 526, 400, 20, "", 4, "", 50, 0, "!", kYellow, "ori_agone", "grigio", 4},
    {1006, 10, 550, 400, 20, "", 2, "rosso", 50, 10, "", kWhite, "ori_blurosso", "rosso", 5},
    {1007, 10, 574, 400, 20, "fondo2.bmp", 4, "grigio", 50, 5, "", kWhite, "ori_ago", "", 6},
    {1101, 450, 430, 20, 140, "", 2, "verde", 10, 10, "1", kWhite, "ver_blurosso", "grigio", 2},
    {1102, 472, 430, 20, 140, "", 3, "verde", 10, 5, "2", kWhite, "ver_blurosso", "rosso", 1},
    {1103, 494, 430, 20, 140, "", 3, "verde", 33, 0, "3", kWhite, "ver_ago", "verde", 0},
    {1104, 516, 430, 20, 140, "", 3, "verde", 33, 0, "4", kWhite, "ver_agone", "verde", 4},
    {1105, 538, 430, 20, 140, "", 3, "verde", 33, 20, "", kWhite, "ver_agone", "verde", 5},
    {1106, 560, 430, 20, 140, "fondo1.bmp", 3, "verde", 33, 10, "6", kWhite, "ver_agone", "oro", 6},
}};

// Group 10: the blackboard, a gauge that the text-panel family writes on.
const GaugeSpec kBlackboard = {1500, 600, 430, 160, 140, "", 4, "oro", 0, 12, "", kYellow, "ver_blurosso", "grigio", 2};

// Gauges driven by timer 610.
constexpr int32_t kJitterFirst = 301, kJitterLast = 309;
constexpr float kJitterBase = 50, kJitterSpan = 20;
constexpr int32_t kClockFirst = 401, kClockLast = 405;
constexpr std::array<int32_t, 5> kRandomMeters = {1201, 1202, 1301, 1302, 1303};
constexpr int32_t kTimeCaptionId = 501;

void CreateFromSpec(const GaugeSpec& spec, ColorRef textColor) {
  const float value = spec.randomValue ? static_cast<float>(kPercentScale * RandomNumber()) : spec.value;
  CreateGauge(PanelHandle, spec.id, spec.x, spec.y, spec.width, spec.height, spec.background, spec.frameWidth,
              spec.frameColor, value, spec.divisions, spec.caption, textColor, spec.styleName, spec.fillColor,
              spec.pattern);
}

template <size_t N>
void CreateAll(const std::array<GaugeSpec, N>& table) {
  for (const GaugeSpec& spec : table) CreateFromSpec(spec, spec.textColor);
}

}  // namespace

void BuildGaugeGroup() { CreateAll(kGaugeGroup); }

void BuildStatusGaugeGroup() {
  for (const GaugeSpec& spec : kStatusGaugeGroup) {
    CreateFromSpec(spec, spec.id == kPinkCaptionId ? MakeColor(200, 150, 150) : spec.textColor);
  }
}

void BuildLongGaugeGroup() { CreateAll(kLongGaugeGroup); }

void BuildBlackboardGroup() { CreateFromSpec(kBlackboard, kBlackboard.textColor); }

// Jitter on 301..309, the elapsed part of the minute on 401..405, random
// levels on the five meters.
void AnimateGauges() {
  for (int32_t id = kJitterFirst; id <= kJitterLast; ++id) {
    SetGaugeValue(PanelHandle, id, static_cast<float>(kJitterBase + kJitterSpan * RandomNumber()), "");
  }
  for (int32_t id = kClockFirst; id <= kClockLast; ++id) {
    SetGaugeValue(PanelHandle, id, static_cast<float>(CurrentSeconds() / 60 * kPercentScale), "");
  }
  for (int32_t id : kRandomMeters) SetGaugeLevel(PanelHandle, id, static_cast<float>(kPercentScale * RandomNumber()));
}

void ShowStatusTime() { SetGaugeValue(PanelHandle, kTimeCaptionId, 0, TimeText()); }

}  // namespace ip::panel

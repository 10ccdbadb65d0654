// Sheets of the instruments: gauges and their captions, LED lamps, buttons
// and switches, knobs. Every picture is an instrument made by its creator on
// a stage and set to the state its label names.
#include <string>

#include "instrument_panel/buttons.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/keys.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/leds.h"
#include "tools/gallery_sheets.h"
#include "tools/gallery_table.h"

namespace gallery {

namespace {

std::string LevelLabel(float level) { return std::to_string(static_cast<int>(level)); }

// ---- Gauges ----

// Everything CreateGauge takes but the value; the defaults are one look
// shared by the sheets' gauges.
struct GaugeLook {
  int32_t width = 120;
  int32_t height = 16;
  std::string background;
  int32_t frameWidth = 2;
  std::string frameColor = ip::color::kGreen;
  int16_t divisions = 10;
  std::string caption;
  ColorRef textColor = kWhite;
  std::string style = ip::gauge_style::kHorizontalBar;
  std::string fillColor = ip::color::kGrey;
  int32_t pattern = ip::pattern::kHorizontalCylinder;
};

Picture Gauge(const Stage& stage, const GaugeLook& look, float value, std::string caption = "") {
  const int32_t id = Stage::NextId();
  ip::CreateGauge(stage.dialog(), id, 0, 0, look.width, look.height, look.background, look.frameWidth,
                  look.frameColor, value, look.divisions, look.caption, look.textColor, look.style, look.fillColor,
                  look.pattern);
  return {stage.dialog(), id, look.width, look.height, std::move(caption)};
}

constexpr float kGaugeLevels[] = {25, 60, 100};

std::vector<std::string> GaugeLevelColumns() {
  std::vector<std::string> columns;
  for (float level : kGaugeLevels) columns.push_back(LevelLabel(level));
  return columns;
}

Table HorizontalStyles(const Stage& stage) {
  Table table{"Across: the level grows from the left", kDoubleSize, {}, GaugeLevelColumns(), {}};
  for (const ip::KeyName& style : ip::kGaugeStyles) {
    if (!style.key.starts_with("ori_")) continue;
    GaugeLook look;
    look.style = style.key;
    TableRow row{{Quoted(std::string(style.key)), std::string(style.englishName)}, {}};
    for (float level : kGaugeLevels) row.pictures.push_back(Gauge(stage, look, level));
    table.rows.push_back(row);
  }
  return table;
}

Table VerticalStyles(const Stage& stage) {
  Table table{"Upward: the level grows from the bottom", kDoubleSize, {}, {}, {TableRow{}}};
  for (const ip::KeyName& style : ip::kGaugeStyles) {
    if (!style.key.starts_with("ver_")) continue;
    GaugeLook look;
    look.width = 18;
    look.height = 140;
    look.style = style.key;
    look.pattern = ip::pattern::kVerticalCylinder;
    table.groups.push_back({Quoted(std::string(style.key)), 3});
    for (float level : kGaugeLevels) {
      table.columns.push_back(LevelLabel(level));
      table.rows[0].pictures.push_back(Gauge(stage, look, level));
    }
  }
  return table;
}

// Caption boxes (the empty style) and the lamp's gauge: no level, no ticks.
Table LevelFreeStyles(const Stage& stage) {
  Table table{"Without a level", kDoubleSize, {}, {}, {}};
  GaugeLook box;
  box.width = 60;
  box.height = 18;
  box.divisions = 0;
  box.style = ip::gauge_style::kCaptionBox;
  TableRow boxes{{Quoted(ip::gauge_style::kCaptionBox), "caption box: a box frame", "and the caption"}, {}};
  const struct {
    int32_t frameWidth;
    const char* caption;
    ColorRef textColor;
    const char* fillColor;
    int32_t pattern;
  } kBoxes[] = {{2, "ON", kWhite, ip::color::kGreen, 0}, {3, "OFF", kRed, ip::color::kRed, 1},
                {0, "END", kGreen, ip::color::kGrey, 0}};
  for (const auto& b : kBoxes) {
    box.frameWidth = b.frameWidth;
    box.caption = b.caption;
    box.textColor = b.textColor;
    box.fillColor = b.fillColor;
    box.pattern = b.pattern;
    const std::string caption = "frame " + std::to_string(b.frameWidth) + ", " + PatternLabel(b.pattern);
    boxes.pictures.push_back(Gauge(stage, box, 0, caption));
  }
  table.rows.push_back(boxes);
  GaugeLook lamp;
  lamp.width = 64;
  lamp.height = 18;
  lamp.divisions = 0;
  lamp.style = ip::gauge_style::kLedLamp;
  table.rows.push_back({{Quoted(ip::gauge_style::kLedLamp), "the gauge under a", "rectangular LED lamp"},
                        {Gauge(stage, lamp, 50, "value 50")}});
  return table;
}

Table CaptionCodes(const Stage& stage) {
  Table table{"Captions: codes and alignment", kDoubleSize, {}, {}, {}};
  GaugeLook look;
  look.caption = ip::caption::kPercent;
  table.rows.push_back({{Quoted(ip::caption::kPercent), "the value as a percentage"},
                        {Gauge(stage, look, 30, "value 30"), Gauge(stage, look, 75, "value 75")}});
  look.caption = ip::caption::kScaled;
  look.style = ip::gauge_style::kHorizontalCylinder;
  look.divisions = 20;
  table.rows.push_back({{Quoted(ip::caption::kScaled), "the value scaled to", "the divisions"},
                        {Gauge(stage, look, 50, "value 50, 20 divisions"),
                         Gauge(stage, look, 75, "value 75, 20 divisions")}});
  look = GaugeLook{};
  look.style = ip::gauge_style::kHorizontalNeedle;
  look.divisions = 0;
  const struct {
    const char* prefix;
    const char* note;
    const char* text;
  } kAlignments[] = {{ip::caption::kAlignLeft, "flush left", "Left"},
                     {ip::caption::kAlignRight, "flush right (ends short", "Right"}};
  for (const auto& a : kAlignments) {
    look.caption = std::string(a.prefix) + a.text;
    std::vector<std::string> labels{Quoted(a.prefix), a.note};
    if (a.prefix == std::string(ip::caption::kAlignRight)) labels.push_back("by the prefix's width)");
    table.rows.push_back({labels, {Gauge(stage, look, 50, "caption " + Quoted(look.caption))}});
  }
  look.caption = "Centre";
  table.rows.push_back({{"no prefix", "centred"}, {Gauge(stage, look, 50, "caption " + Quoted(look.caption))}});
  return table;
}

Table Divisions(const Stage& stage) {
  Table table{"Divisions", kDoubleSize, {}, {}, {}};
  GaugeLook look;
  TableRow ticks{{"ticks", "divisions - 1 marks"}, {}};
  for (int16_t divisions : {0, 2, 5, 10}) {
    look.divisions = divisions;
    ticks.pictures.push_back(Gauge(stage, look, 60, std::to_string(divisions) + " divisions"));
  }
  table.rows.push_back(ticks);
  look.style = ip::gauge_style::kHorizontalSegments;
  TableRow segments{{"segments", "one per division"}, {}};
  for (int16_t divisions : {2, 5, 10, 20}) {
    look.divisions = divisions;
    segments.pictures.push_back(Gauge(stage, look, 100, std::to_string(divisions) + " divisions"));
  }
  table.rows.push_back(segments);
  look = GaugeLook{};
  TableRow outside{{"values", "0 or less: no level;", "above 100: past the frame"}, {}};
  for (float value : {-10.0f, 0.0f, 100.0f, 130.0f}) {
    outside.pictures.push_back(Gauge(stage, look, value, "value " + LevelLabel(value)));
  }
  table.rows.push_back(outside);
  return table;
}

// ---- Lamps ----

constexpr float kLampLevels[] = {0, 50, 100};

Picture LedLamp(const Stage& stage, const std::string& scheme, float level, const std::string& caption = "",
                ColorRef captionColor = kBlack) {
  const int32_t id = Stage::NextId();
  constexpr int32_t kWidth = 64, kHeight = 18;
  ip::CreateLedLamp(stage.dialog(), id, 0, 0, kWidth, kHeight, "", 2, ip::color::kGrey, 0, scheme, caption,
                    captionColor);
  ip::SetLedLampValue(stage.dialog(), id, level, "");
  return {stage.dialog(), id, kWidth, kHeight, ""};
}

Picture RoundLamp(const Stage& stage, const std::string& scheme, float level, const std::string& caption = "",
                  ColorRef captionColor = kBlack) {
  const int32_t id = Stage::NextId();
  constexpr int32_t kSize = 18;
  ip::CreateRoundLamp(stage.dialog(), id, 0, 0, kSize, kSize, "", 1, "", 0, scheme, caption, captionColor);
  ip::SetRoundLampValue(stage.dialog(), id, level, "");
  return {stage.dialog(), id, kSize, kSize, ""};
}

// ---- Buttons ----

Picture ToggleButtonAt(const Stage& stage, int32_t width, int32_t height, const std::string& background,
                       const std::string& colour, bool on) {
  const int32_t id = Stage::NextId();
  ip::CreateToggleButton(stage.dialog(), id, 0, 0, width, height, background, 2, colour, "OFF/ON", kBlack, colour,
                         ip::pattern::kLightBottom, ip::pattern::kVerticalCylinder);
  if (on) ip::ToggleButton(stage.dialog(), id, "");
  return {stage.dialog(), id, width, height, ""};
}

// A plain instrument control with bitmap faces, toggled with the panel's labels.
Picture BitmapSwitch(const Stage& stage, int32_t width, int32_t height, const std::string& faces, bool on) {
  const int32_t id = Stage::NextId();
  ip::CreateInstrumentControl(stage.dialog(), id, 0, 0, width, height, faces);
  if (on) ip::ToggleButton(stage.dialog(), id, "OFF/ON");
  return {stage.dialog(), id, width, height, ""};
}

// ---- Knobs ----

struct KnobLook {
  int32_t size;
  std::string background;
  int32_t bezel;
  int32_t ticks;
  int32_t minAngle;
  int32_t maxAngle;
};

std::vector<std::string> KnobLabels(const KnobLook& k) {
  std::string size = std::to_string(k.size) + " x " + std::to_string(k.size);
  if (!k.background.empty()) size += " on " + Quoted(k.background);
  const std::string ticks = k.ticks > 0 ? std::to_string(k.ticks) + " ticks" : "no ticks";
  return {size, "bezel " + std::to_string(k.bezel) + ", " + ticks,
          std::to_string(k.minAngle) + " to " + std::to_string(k.maxAngle) + " degrees"};
}

Picture Knob(const Stage& stage, const KnobLook& k, int32_t percent) {
  const int32_t id = Stage::NextId();
  ip::CreateKnob(stage.dialog(), id, 0, 0, k.size, k.size, k.background, k.bezel, k.ticks, k.minAngle, k.maxAngle,
                 percent);
  const std::string angle = std::to_string(ip::GetKnobAngle(stage.dialog(), id));
  return {stage.dialog(), id, k.size, k.size, "angle " + angle};
}

}  // namespace

std::unique_ptr<Sheet> MakeGaugeSheet() {
  const Stage stage;
  return SheetOfTables("gauges", "Gauge styles (CreateGauge) at levels 25, 60 and 100, twice actual size",
                       {HorizontalStyles(stage), VerticalStyles(stage)});
}

std::unique_ptr<Sheet> MakeGaugeCaptionSheet() {
  const Stage stage;
  return SheetOfTables("gauge-captions", "Caption boxes, captions and divisions, twice actual size",
                       {LevelFreeStyles(stage), CaptionCodes(stage), Divisions(stage)});
}

std::unique_ptr<Sheet> MakeLampSheet() {
  const Stage stage;
  Table schemes{"", kDoubleSize, {{"rectangular (CreateLedLamp)", 3}, {"round (CreateRoundLamp)", 3}}, {}, {}};
  for (int shape = 0; shape < 2; ++shape) {
    for (float level : kLampLevels) schemes.columns.push_back("level " + LevelLabel(level));
  }
  for (const ip::KeyName& scheme : ip::kLampSchemes) {
    const std::string key(scheme.key);
    TableRow row{{Quoted(key), std::string(scheme.englishName)}, {}};
    for (float level : kLampLevels) row.pictures.push_back(LedLamp(stage, key, level));
    for (float level : kLampLevels) row.pictures.push_back(RoundLamp(stage, key, level));
    schemes.rows.push_back(row);
  }
  Table captions{"Captions, centred over the light", kDoubleSize, {}, {}, {}};
  captions.rows.push_back({{"caption \"7\""},
                           {LedLamp(stage, ip::lamp_scheme::kRed, 100, "7"),
                            RoundLamp(stage, ip::lamp_scheme::kRed, 100, "7")}});
  return SheetOfTables("lamps", "LED lamps in every scheme at levels 0, 50 and 100, twice actual size",
                       {schemes, captions});
}

std::unique_ptr<Sheet> MakeButtonSheet() {
  const Stage stage;
  constexpr int32_t kWidth = 164, kHeight = 22;
  Table drawn{"Drawn faces: face and frame colour, OFF pattern 4, ON pattern 2, labels \"OFF/ON\"", kDoubleSize,
              {}, {"OFF", "ON (one ToggleButton)"}, {}};
  std::vector<ip::KeyName> colours(ip::kColorNames.begin(), ip::kColorNames.end());
  colours.push_back({ip::color::kBlack, "black (no colour)"});
  for (const ip::KeyName& colour : colours) {
    const std::string key(colour.key);
    drawn.rows.push_back({{Quoted(key), std::string(colour.englishName)},
                          {ToggleButtonAt(stage, kWidth, kHeight, "", key, false),
                           ToggleButtonAt(stage, kWidth, kHeight, "", key, true)}});
  }
  Table faces{"Bitmap faces: the background names the OFF and ON pictures", kDoubleSize, {}, {"OFF", "ON"}, {}};
  const struct {
    const char* faces;
    int32_t size;
  } kSwitches[] = {{"switch1.bmp/switch2.bmp", 22}, {"switch2.bmp/switch1.bmp", 22}, {"switch2.bmp/switch1.bmp", 40},
                   {"legno2.bmp/legno1.bmp", 48}};
  for (const auto& s : kSwitches) {
    const std::string size = std::to_string(s.size) + " x " + std::to_string(s.size);
    faces.rows.push_back({{Quoted(s.faces), size},
                          {BitmapSwitch(stage, s.size, s.size, s.faces, false),
                           BitmapSwitch(stage, s.size, s.size, s.faces, true)}});
  }
  faces.rows.push_back({{Quoted("carta11.bmp"), "one bitmap: OFF shows it,", "ON is drawn"},
                        {ToggleButtonAt(stage, kWidth, kHeight, "carta11.bmp", ip::color::kGold, false),
                         ToggleButtonAt(stage, kWidth, kHeight, "carta11.bmp", ip::color::kGold, true)}});
  faces.rows.push_back({{Quoted("/"), "two blank names: a drawn", "button of an empty record"},
                        {BitmapSwitch(stage, kWidth, kHeight, "/", false),
                         BitmapSwitch(stage, kWidth, kHeight, "/", true)}});
  return SheetOfTables("buttons", "Buttons and switches, OFF and ON, twice actual size", {drawn, faces});
}

std::unique_ptr<Sheet> MakeKnobSheet() {
  const Stage stage;
  const KnobLook kKnobs[] = {{120, "", 12, 24, -151, 151}, {90, "", 9, 12, -135, 135},
                             {80, "", 6, 7, 0, 270},       {60, "fondo1.bmp", 4, 10, -171, 171},
                             {40, "", 0, 0, -91, 91}};
  Table table{"", 1, {}, {"start 0 %", "start 50 %", "start 100 %"}, {}};
  for (const KnobLook& k : kKnobs) {
    TableRow row{KnobLabels(k), {}};
    for (int32_t percent : {0, 50, 100}) row.pictures.push_back(Knob(stage, k, percent));
    table.rows.push_back(row);
  }
  return SheetOfTables("knobs", "Knobs (CreateKnob): sizes, bezels, ticks and ranges, actual size", {table});
}

}  // namespace gallery

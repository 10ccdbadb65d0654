// Sheets of the text instruments: digital displays, text panels, the
// marquee and the blackboard.
#include <string>

#include "instrument_panel/colors.h"
#include "instrument_panel/display.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/keys.h"
#include "instrument_panel/text_panels.h"
#include "tools/gallery_sheets.h"
#include "tools/gallery_table.h"

namespace gallery {

namespace {

// ---- Digital displays ----

struct DisplayLook {
  std::string fillColor;
  int32_t pattern;
  int32_t frameWidth;
  std::string frameColor;
  int32_t charSize;
  ColorRef textColor;
  const char* note;
};

std::vector<std::string> DisplayLabels(const DisplayLook& d) {
  std::vector<std::string> labels{Quoted(d.fillColor) + ", " + PatternLabel(d.pattern),
                                  "frame " + std::to_string(d.frameWidth) + " " + Quoted(d.frameColor),
                                  "character size " + std::to_string(d.charSize)};
  if (d.note[0] != '\0') labels.push_back(d.note);
  return labels;
}

Picture Display(const Stage& stage, const DisplayLook& d, const std::string& text) {
  const int32_t id = Stage::NextId();
  int32_t width = 84, height = 32;
  ip::CreateDigitalDisplay(stage.dialog(), id, 0, 0, width, height, "", d.frameWidth, d.frameColor, d.charSize,
                           d.textColor, "", d.fillColor, d.pattern);
  ip::SetDisplayText(stage.dialog(), id, text);
  return {stage.dialog(), id, width, height, ""};
}

// ---- Text panels, marquee, blackboard ----

struct TextPanelLook {
  std::string fillColor;
  int32_t frameWidth;
  int16_t gridPercent;
  int32_t fontSize;
  ColorRef textColor;
};

Picture TextPanel(const Stage& stage, const TextPanelLook& t, float level) {
  const int32_t id = Stage::NextId();
  constexpr int32_t kWidth = 120, kHeight = 80;
  ip::CreateInstrumentControl(stage.dialog(), id, 0, 0, kWidth, kHeight, "");
  ip::ShowTextPanel(stage.dialog(), id, t.frameWidth, level, t.gridPercent, "lavagna", t.fontSize, t.textColor,
                    t.fillColor);
  return {stage.dialog(), id, kWidth, kHeight, ""};
}

Picture Marquee(const Stage& stage, int32_t calls) {
  const int32_t id = Stage::NextId();
  constexpr int32_t kWidth = 120, kHeight = 80;
  ip::CreateInstrumentControl(stage.dialog(), id, 0, 0, kWidth, kHeight, "carta11.bmp");
  for (int32_t i = 0; i < calls; ++i) {
    ip::ScrollMarquee(stage.dialog(), id, 8, ip::color::kRed, "", ip::pattern::kBitmap, "12:00:33", kBlue, 16);
  }
  return {stage.dialog(), id, kWidth, kHeight, std::to_string(calls) + " calls"};
}

Picture Blackboard(const Stage& stage) {
  const int32_t id = Stage::NextId();
  constexpr int32_t kWidth = 160, kHeight = 140;
  ip::CreateGauge(stage.dialog(), id, 0, 0, kWidth, kHeight, "", 4, ip::color::kGold, 0, 12, "", kYellow,
                  ip::gauge_style::kVerticalBar, ip::color::kGrey, ip::pattern::kVerticalCylinder);
  ip::WriteBlackboard(stage.dialog(), id, "Zeffarino\r\nDolvini\r\n0000 Bruvano");
  return {stage.dialog(), id, kWidth, kHeight, ""};
}

}  // namespace

std::unique_ptr<Sheet> MakeDisplaySheet() {
  const Stage stage;
  const DisplayLook kDisplays[] = {
      {ip::color::kGrey, 5, 5, ip::color::kGold, 14, kWhite, ""},
      {ip::color::kRed, 0, 3, ip::color::kGrey, 16, kRed, ""},
      {ip::color::kGreen, 3, 5, ip::color::kGreen, 13, kGreen, "the display's own ramp"},
      {"", 3, 3, ip::color::kGreen, 16, kGreen, "no fill colour: sunken, green"},
      {ip::color::kGold, 1, 2, ip::color::kButtonGold, 10, kBlue, ""},
  };
  const char* const kTexts[] = {"", "12:00:33", "[<]42", "[>]42"};
  Table table{"", kDoubleSize, {}, {}, {}};
  for (const char* text : kTexts) table.columns.push_back(Quoted(text));
  for (const DisplayLook& d : kDisplays) {
    TableRow row{DisplayLabels(d), {}};
    for (const char* text : kTexts) row.pictures.push_back(Display(stage, d, text));
    table.rows.push_back(row);
  }
  return SheetOfTables("displays", "Digital displays (CreateDigitalDisplay, SetDisplayText), twice actual size",
                       {table});
}

std::unique_ptr<Sheet> MakeTextPanelSheet() {
  const Stage stage;
  const TextPanelLook kPanels[] = {{ip::color::kGrey, 1, 20, 18, kWhite},
                                   {ip::color::kGreen, 10, 20, 12, ip::MakeColor(112, 240, 120)},
                                   {"", 6, 0, 12, ip::MakeColor(112, 240, 120)}};
  Table panels{"Text panels (ShowTextPanel) showing \"lavagna\"", 1, {}, {"level 0", "level 50", "level 100"}, {}};
  for (const TextPanelLook& t : kPanels) {
    const std::string grid = t.gridPercent > 1 ? "grid " + std::to_string(t.gridPercent) + " %" : "no grid";
    TableRow row{{Quoted(t.fillColor) + ", frame " + std::to_string(t.frameWidth), grid,
                  std::to_string(t.fontSize) + " points bold"},
                 {}};
    for (float level : {0.0f, 50.0f, 100.0f}) row.pictures.push_back(TextPanel(stage, t, level));
    panels.rows.push_back(row);
  }
  Table marquee{"Marquee (ScrollMarquee): one pixel further down per call", 1, {}, {}, {}};
  TableRow strip{{"frame 8 " + Quoted(ip::color::kRed), PatternLabel(ip::pattern::kBitmap) + ", \"carta11.bmp\"",
                  "Arial 16 points bold"},
                 {}};
  for (int32_t calls : {10, 30, 50, 70}) strip.pictures.push_back(Marquee(stage, calls));
  marquee.rows.push_back(strip);
  Table blackboard{"Blackboard (WriteBlackboard on a gauge)", 1, {}, {}, {}};
  blackboard.rows.push_back({{Quoted(ip::gauge_style::kVerticalBar) + " gauge", "frame 4 " + Quoted(ip::color::kGold),
                              "12 points (divisions)", "lines split at CR LF"},
                             {Blackboard(stage)}});
  return SheetOfTables("text-panels", "Text panels, the marquee and the blackboard, actual size",
                       {panels, marquee, blackboard});
}

}  // namespace gallery

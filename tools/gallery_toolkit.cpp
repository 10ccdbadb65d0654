// Sheets of the drawing toolkit: frames and bevels, background patterns and
// the colour names, each drawn on a canvas control of its own.
#include <string>

#include "instrument_panel/backgrounds.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/colors.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/frames.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/keys.h"
#include "tools/gallery_sheets.h"
#include "tools/gallery_table.h"

namespace gallery {

namespace {

constexpr int32_t kSquareCorners = 0;
constexpr int32_t kSolidFill = 0;
const char* const kHexColour = "#4080C0";

// The colour names, then the empty name and a hexadecimal colour.
std::vector<ip::KeyName> ColourRows() {
  std::vector<ip::KeyName> rows(ip::kColorNames.begin(), ip::kColorNames.end());
  rows.push_back({ip::color::kBlack, "empty: black"});
  rows.push_back({kHexColour, "#RRGGBB: any colour"});
  return rows;
}

// A bare canvas control of the stage, made current for drawing.
Picture Canvas(const Stage& stage, int32_t width, int32_t height, const std::string& background = "") {
  const int32_t id = Stage::NextId();
  ip::CreateInstrumentControl(stage.dialog(), id, 0, 0, width, height, background);
  ip::CanvasAttach(stage.dialog(), id, ip::kAttachRedrawOnRequest);
  return {stage.dialog(), id, width, height, ""};
}

Picture BoxFrame(const Stage& stage, const std::string& colour, int32_t width) {
  const Picture picture = Canvas(stage, 36, 22);
  ip::DrawBoxFrame(width, colour);
  return picture;
}

Picture Bevel(const Stage& stage, const std::string& colour, int32_t width) {
  const Picture picture = Canvas(stage, 36, 22);
  ip::DrawBevelTopLeft(width, colour);
  ip::DrawBevelBottomRight(width, colour);
  return picture;
}

constexpr int32_t kBackgroundWidth = 100, kBackgroundHeight = 44;

Picture Background(const Stage& stage, const std::string& fill, int32_t pattern, const std::string& bitmap = "") {
  Picture picture = Canvas(stage, kBackgroundWidth, kBackgroundHeight, bitmap);
  ip::DrawPanelBackground(stage.dialog(), picture.id, 0, fill, pattern);
  if (!bitmap.empty()) picture.caption = Quoted(bitmap);
  return picture;
}

Picture Swatch(const Stage& stage, const std::string& colour, int32_t shade) {
  const Picture picture = Canvas(stage, 40, 22);
  const ColorRef value = ip::ColorFromName(colour, shade);
  ip::CanvasBox(0, 0, static_cast<float>(picture.width), static_cast<float>(picture.height), kSquareCorners, value,
                value, kSolidFill);
  return picture;
}

}  // namespace

std::unique_ptr<Sheet> MakeFrameSheet() {
  const Stage stage;
  Table table{"", kDoubleSize, {{"DrawBoxFrame", 5}, {"DrawBevelTopLeft, then DrawBevelBottomRight", 5}}, {}, {}};
  for (int kind = 0; kind < 2; ++kind) {
    for (int32_t width = 1; width <= 5; ++width) table.columns.push_back("width " + std::to_string(width));
  }
  for (const ip::KeyName& colour : ColourRows()) {
    const std::string key(colour.key);
    TableRow row{{Quoted(key), std::string(colour.englishName)}, {}};
    for (int32_t width = 1; width <= 5; ++width) row.pictures.push_back(BoxFrame(stage, key, width));
    for (int32_t width = 1; width <= 5; ++width) row.pictures.push_back(Bevel(stage, key, width));
    table.rows.push_back(row);
  }
  return SheetOfTables("frames", "Frames and bevels in every colour name, widths 1 to 5, twice actual size", {table});
}

std::unique_ptr<Sheet> MakeBackgroundSheet() {
  const Stage stage;
  const char* const kFills[] = {ip::color::kGreen, ip::color::kRed, ip::color::kGrey,
                                ip::color::kGold, ip::color::kButtonBlue, ip::color::kBlack};
  const char* const kBitmaps[] = {"fondo1.bmp", "fondo2.bmp", "legno1.bmp", "legno2.bmp", "carta11.bmp", "switch1.bmp"};
  Table table{"DrawPanelBackground with frame width 0, by fill colour (columns)", 1, {}, {}, {}};
  for (const char* fill : kFills) table.columns.push_back(Quoted(fill));
  for (const ip::PatternName& pattern : ip::kPatterns) {
    TableRow row{{PatternLabel(pattern.key), std::string(pattern.englishName)}, {}};
    if (pattern.key == ip::pattern::kBitmap) {
      row.labels.push_back("the control's own bitmap;");
      row.labels.push_back("the colour is not used");
      for (const char* bitmap : kBitmaps) row.pictures.push_back(Background(stage, "", pattern.key, bitmap));
    } else {
      for (const char* fill : kFills) row.pictures.push_back(Background(stage, fill, pattern.key));
    }
    table.rows.push_back(row);
  }
  return SheetOfTables("backgrounds", "Background patterns 0 to 6, actual size", {table});
}

std::unique_ptr<Sheet> MakeColourSheet() {
  const Stage stage;
  const int32_t kShades[] = {-50, 0, 55, 100, 155, 205, 255, 310, 410, 455};
  Table table{"ColorFromName(name, shade), by shade (columns): a higher shade is darker, but \"pulsanteblu\" brightens",
              1, {}, {}, {}};
  for (int32_t shade : kShades) table.columns.push_back(std::to_string(shade));
  for (const ip::KeyName& colour : ColourRows()) {
    const std::string key(colour.key);
    TableRow row{{Quoted(key), std::string(colour.englishName)}, {}};
    for (int32_t shade : kShades) row.pictures.push_back(Swatch(stage, key, shade));
    table.rows.push_back(row);
  }
  return SheetOfTables("colours", "Colour names, actual size", {table});
}

}  // namespace gallery

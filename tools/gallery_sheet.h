// The gallery's drawing board. A sheet is one labelled picture of the manual,
// drawn on a bitmap canvas with the library's canvas operations; a stage is a
// hidden dialog on which the instruments of a sheet are created and painted
// before their pictures are copied onto the sheet, at their own size or
// enlarged (each pixel becomes a square of `scale` x `scale` pixels).
//
// Every label drawn on a sheet is remembered, so that the gallery can list
// what each sheet shows. Keys are labelled in double quotes ("rosso", and ""
// for the empty key), background patterns as "pattern N".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "instrument_panel/session.h"
#include "instrument_panel/types.h"
#include "platform/surface.h"

namespace gallery {

using ip::ColorRef;
using ip::Handle;

// The sheets' colours: the panel's own background and light text on it.
constexpr ColorRef kSheetColor = 0x3C4E3C;       // red 60, green 78, blue 60
constexpr ColorRef kTitleColor = 0xFFFFFF;
constexpr ColorRef kKeyColor = 0xC8F0FF;         // pale yellow
constexpr ColorRef kNoteColor = 0xC8D2C8;        // light grey-green

// Label sizes in pixels, for laying sheets out.
constexpr int32_t kTitleHeight = 28;   // a title line and the space under it
constexpr int32_t kLineHeight = 14;    // one line of a key or note label
constexpr int32_t kMargin = 12;        // round every sheet

enum class Tone { kKey, kNote };

// Starts a fresh headless window session (a virtual clock from `clock`,
// modal loops of `runMs` milliseconds) for the next sheet.
void StartSheetSession(const ip::ClockTime& clock, int64_t runMs);
// The width in pixels of a label (Tone::kKey and Tone::kNote have one font).
int32_t LabelWidth(const std::string& text);
// The width in pixels of a sheet title.
int32_t TitleWidth(const std::string& text);
// Texts in double quotes and pattern labels are keys; the rest are notes.
Tone ToneOf(const std::string& text);

// "rosso" -> "\"rosso\"": the form in which a key is shown on a sheet.
std::string Quoted(const std::string& key);
// "pattern 3": the form in which a background pattern is shown.
std::string PatternLabel(int32_t pattern);

class Sheet {
 public:
  // A sheet of width x height pixels in the sheet colour.
  Sheet(std::string name, int32_t width, int32_t height);
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  const std::string& name() const { return name_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  // Every text drawn on the sheet, in drawing order.
  const std::vector<std::string>& labels() const { return labels_; }

  // The sheet's title, bold, at the top-left margin.
  void Title(const std::string& text);
  // One line of text with its top-left corner at (x, y).
  void Label(int32_t x, int32_t y, const std::string& text, Tone tone = Tone::kKey);
  // One line of text centred on column `centreX`.
  void LabelCentred(int32_t centreX, int32_t y, const std::string& text, Tone tone = Tone::kKey);
  // Copies the canvas of control `id` of `owner` (or the bitmap canvas
  // `owner`) to (x, y), enlarged `scale` times.
  void Place(Handle owner, int32_t id, int32_t x, int32_t y, int32_t scale);
  // Remembers a text the caller drew on the sheet itself.
  void Record(const std::string& text) { labels_.push_back(text); }
  // Replaces the whole picture by one of the sheet's size.
  void SetPixels(const ip::platform::Surface& picture);
  // Makes the sheet the current canvas, for drawing on it directly.
  void Attach() const;
  // Writes the sheet as an 8-bit RGB PNG file.
  bool WritePng(const std::string& path) const;

 private:
  std::string name_;
  Handle canvas_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<std::string> labels_;
};

// A hidden dialog in the sheet colour on which instruments are made; round
// lamps and knobs stand on the sheet colour. Identifiers are unique over the
// whole gallery run, so that no instrument inherits another's table entries.
class Stage {
 public:
  Stage();
  Handle dialog() const { return dialog_; }
  // A fresh control identifier; throws once the instrument table is used up.
  static int32_t NextId();

 private:
  Handle dialog_ = 0;
};

// A grid of pictures under a title: a column of row labels on the left,
// a line of column labels on top, and cells of one size.
struct Grid {
  int32_t labelWidth = 0;   // width of the row label column
  int32_t headerHeight = 0; // height of the column label line(s)
  int32_t cellWidth = 0;
  int32_t cellHeight = 0;
  int32_t rows = 0;
  int32_t columns = 0;
  int32_t top = kMargin + kTitleHeight;  // y of the column labels

  int32_t Width() const { return kMargin + labelWidth + columns * cellWidth + kMargin; }
  int32_t Bottom() const { return top + headerHeight + rows * cellHeight; }
  int32_t CellX(int32_t column) const { return kMargin + labelWidth + column * cellWidth; }
  int32_t CellY(int32_t row) const { return top + headerHeight + row * cellHeight; }
};

}  // namespace gallery

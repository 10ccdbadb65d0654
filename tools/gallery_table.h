// Tables of pictures on a gallery sheet. A table has a label column on the
// left (a key and note lines per row), optional group labels and column
// labels over the picture columns, and rows of pictures copied from the
// stage, each with an optional caption under it. Column widths follow the
// widest picture or label of the column.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/gallery_sheet.h"

namespace gallery {

// Pictures of small instruments are shown twice their size.
constexpr int32_t kDoubleSize = 2;

// Plain colour values (0x00BBGGRR) for the instruments' texts.
constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kBlue = 0xFF0000;
constexpr ColorRef kYellow = 0x00FFFF;

// One picture: the canvas of control `id` of `owner` (a stage dialog), its
// size in pixels before enlarging, and the caption drawn under it.
struct Picture {
  Handle owner = 0;
  int32_t id = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::string caption;
};

struct TableRow {
  std::vector<std::string> labels;  // drawn top-down in the label column
  std::vector<Picture> pictures;
};

// A label over `columns` consecutive picture columns.
struct ColumnGroup {
  std::string label;
  int32_t columns = 0;
};

struct Table {
  std::string heading;                // a line above the table; none when empty
  int32_t scale = 1;                  // how many times the pictures are enlarged
  std::vector<ColumnGroup> groups;    // optional, over the column labels
  std::vector<std::string> columns;   // optional labels over the picture columns
  std::vector<TableRow> rows;
};

// A sheet holding `tables` one under the other, below the title.
std::unique_ptr<Sheet> SheetOfTables(const std::string& name, const std::string& title,
                                     const std::vector<Table>& tables);

}  // namespace gallery

// Tables of pictures on a gallery sheet: measuring, then drawing.
#include "tools/gallery_table.h"

#include <algorithm>

namespace gallery {

namespace {

constexpr int32_t kColumnGap = 12;   // between picture columns
constexpr int32_t kGroupGap = 20;    // added where a column group starts
constexpr int32_t kLabelGap = 16;    // between the label column and the pictures
constexpr int32_t kRowGap = 10;      // under every row
constexpr int32_t kTableGap = 16;    // between tables
constexpr int32_t kCaptionGap = 2;   // between a picture and its caption

struct Geometry {
  int32_t labelWidth = 0;
  std::vector<int32_t> columnX;  // from the left of the picture area
  std::vector<int32_t> columnWidth;
  std::vector<int32_t> rowHeight;
  int32_t width = 0;
  int32_t height = 0;
};

size_t ColumnCount(const Table& table) {
  size_t count = table.columns.size();
  for (const TableRow& row : table.rows) count = std::max(count, row.pictures.size());
  return count;
}

bool StartsGroup(const Table& table, size_t column) {
  size_t first = 0;
  for (const ColumnGroup& group : table.groups) {
    if (column == first) return true;
    first += static_cast<size_t>(group.columns);
  }
  return false;
}

int32_t PictureHeight(const Picture& picture, int32_t scale) {
  return picture.height * scale + (picture.caption.empty() ? 0 : kCaptionGap + kLineHeight);
}

int32_t LabelColumnWidth(const Table& table) {
  int32_t width = 0;
  for (const TableRow& row : table.rows) {
    for (const std::string& label : row.labels) width = std::max(width, LabelWidth(label));
  }
  return width > 0 ? width + kLabelGap : 0;
}

std::vector<int32_t> ColumnWidths(const Table& table) {
  std::vector<int32_t> widths(ColumnCount(table), 0);
  for (size_t c = 0; c < table.columns.size(); ++c) widths[c] = LabelWidth(table.columns[c]);
  for (const TableRow& row : table.rows) {
    for (size_t c = 0; c < row.pictures.size(); ++c) {
      const Picture& picture = row.pictures[c];
      widths[c] = std::max({widths[c], picture.width * table.scale, LabelWidth(picture.caption)});
    }
  }
  return widths;
}

int32_t HeaderHeight(const Table& table) {
  int32_t height = 0;
  if (!table.heading.empty()) height += kLineHeight + kRowGap / 2;
  if (!table.groups.empty()) height += kLineHeight;
  if (!table.columns.empty()) height += kLineHeight;
  return height;
}

Geometry Measure(const Table& table) {
  Geometry g;
  g.labelWidth = LabelColumnWidth(table);
  g.columnWidth = ColumnWidths(table);
  int32_t x = 0;
  for (size_t c = 0; c < g.columnWidth.size(); ++c) {
    if (c > 0) x += kColumnGap + (StartsGroup(table, c) ? kGroupGap : 0);
    g.columnX.push_back(x);
    x += g.columnWidth[c];
  }
  g.width = g.labelWidth + x;
  g.height = HeaderHeight(table);
  for (const TableRow& row : table.rows) {
    int32_t height = static_cast<int32_t>(row.labels.size()) * kLineHeight;
    for (const Picture& picture : row.pictures) height = std::max(height, PictureHeight(picture, table.scale));
    g.rowHeight.push_back(height + kRowGap);
    g.height += height + kRowGap;
  }
  return g;
}

// The group labels, each centred over its columns.
void DrawGroups(Sheet& sheet, const Table& table, const Geometry& g, int32_t left, int32_t y) {
  size_t first = 0;
  for (const ColumnGroup& group : table.groups) {
    const size_t last = std::min(first + static_cast<size_t>(group.columns), g.columnX.size()) - 1;
    const int32_t from = g.columnX[first];
    const int32_t to = g.columnX[last] + g.columnWidth[last];
    sheet.LabelCentred(left + (from + to) / 2, y, group.label, ToneOf(group.label));
    first = last + 1;
  }
}

void DrawRow(Sheet& sheet, const Table& table, const TableRow& row, const Geometry& g, int32_t left, int32_t y) {
  for (size_t i = 0; i < row.labels.size(); ++i) {
    const Tone tone = i == 0 ? ToneOf(row.labels[i]) : Tone::kNote;  // notes under the key
    sheet.Label(left, y + static_cast<int32_t>(i) * kLineHeight, row.labels[i], tone);
  }
  const int32_t area = left + g.labelWidth;
  for (size_t c = 0; c < row.pictures.size(); ++c) {
    const Picture& picture = row.pictures[c];
    const int32_t centre = area + g.columnX[c] + g.columnWidth[c] / 2;
    sheet.Place(picture.owner, picture.id, centre - picture.width * table.scale / 2, y, table.scale);
    if (!picture.caption.empty()) {
      sheet.LabelCentred(centre, y + picture.height * table.scale + kCaptionGap, picture.caption,
                         ToneOf(picture.caption));
    }
  }
}

void DrawTable(Sheet& sheet, const Table& table, const Geometry& g, int32_t top) {
  const int32_t left = kMargin;
  int32_t y = top;
  if (!table.heading.empty()) {
    sheet.Label(left, y, table.heading, ToneOf(table.heading));
    y += kLineHeight + kRowGap / 2;
  }
  if (!table.groups.empty()) {
    DrawGroups(sheet, table, g, left + g.labelWidth, y);
    y += kLineHeight;
  }
  if (!table.columns.empty()) {
    for (size_t c = 0; c < table.columns.size(); ++c) {
      const int32_t centre = left + g.labelWidth + g.columnX[c] + g.columnWidth[c] / 2;
      sheet.LabelCentred(centre, y, table.columns[c], ToneOf(table.columns[c]));
    }
    y += kLineHeight;
  }
  for (size_t r = 0; r < table.rows.size(); ++r) {
    DrawRow(sheet, table, table.rows[r], g, left, y);
    y += g.rowHeight[r];
  }
}

}  // namespace

std::unique_ptr<Sheet> SheetOfTables(const std::string& name, const std::string& title,
                                     const std::vector<Table>& tables) {
  std::vector<Geometry> geometries;
  int32_t width = TitleWidth(title);
  int32_t height = kMargin + kTitleHeight;
  for (const Table& table : tables) {
    geometries.push_back(Measure(table));
    width = std::max(width, geometries.back().width);
    height += geometries.back().height + kTableGap;
  }
  auto sheet = std::make_unique<Sheet>(name, width + 2 * kMargin, height - kTableGap + kMargin);
  sheet->Title(title);
  int32_t top = kMargin + kTitleHeight;
  for (size_t t = 0; t < tables.size(); ++t) {
    DrawTable(*sheet, tables[t], geometries[t], top);
    top += geometries[t].height + kTableGap;
  }
  return sheet;
}

}  // namespace gallery

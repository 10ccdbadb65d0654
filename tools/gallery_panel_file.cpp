// The panel file of every kind (docs/examples/every-kind.toml) as the panel
// program shows it a moment after it started, with the kind of each
// instrument listed under it by its identifier.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "panel/file_panel.h"
#include "panel/panel.h"
#include "panel/panel_file_schema.h"
#include "tools/gallery_sheets.h"

namespace gallery {

namespace {

constexpr ip::ClockTime kFileClock{12, 0, 30, 0};
constexpr int64_t kFileRunMs = 1500;  // long enough for the marquee's text to come down
constexpr int32_t kLegendColumns = 4;
constexpr int32_t kLegendColumnWidth = 110;
const char* const kExample = "docs/examples/every-kind.toml";

std::string ExamplePath() {
  return (std::filesystem::path(IP_GALLERY_ASSETS).parent_path() / kExample).string();
}

}  // namespace

std::unique_ptr<Sheet> MakePanelFileSheet() {
  ip::panel::PanelDescription description;
  std::string errors;
  if (!ip::panel::ReadPanelFile(ExamplePath(), description, errors)) throw std::runtime_error(errors);
  StartSheetSession(kFileClock, kFileRunMs);
  ip::panel::ResetPanelState();
  ip::panel::FilePanel panel(description, std::cerr);
  panel.CreateAndRun();

  const int32_t count = static_cast<int32_t>(description.instruments.size());
  const int32_t legendRows = (count + kLegendColumns - 1) / kLegendColumns;
  const int32_t top = kMargin + kTitleHeight;
  const int32_t legendTop = top + description.window.height + kMargin;
  const int32_t width = kMargin + std::max(description.window.width, kLegendColumns * kLegendColumnWidth) + kMargin;
  auto sheet = std::make_unique<Sheet>("panel-file-kinds", width, legendTop + legendRows * kLineHeight + kMargin);
  sheet->Title("A panel file of every kind");
  for (const ip::panel::InstrumentDescription& d : description.instruments) {
    sheet->Place(panel.Dialog(), d.id, kMargin + d.x, top + d.y, 1);
  }
  for (int32_t i = 0; i < count; ++i) {
    const ip::panel::InstrumentDescription& d = description.instruments[static_cast<size_t>(i)];
    const std::string label = std::to_string(d.id) + " " + std::string(ip::panel::KindOf(d.kind).name);
    sheet->Label(kMargin + (i % kLegendColumns) * kLegendColumnWidth, legendTop + (i / kLegendColumns) * kLineHeight,
                 label, Tone::kNote);
  }
  return sheet;
}

}  // namespace gallery

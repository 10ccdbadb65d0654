// The demonstration panel at full size, three seconds after it started at
// 12:00:30, with its ten groups of instruments outlined and numbered. The
// outlines follow the controls the panel made: the controls of a group that
// stand close together share one outline, unless that outline would take in
// a control of another group.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "instrument_panel/canvas.h"
#include "instrument_panel/dialog.h"
#include "panel/panel.h"
#include "platform/window_headless.h"
#include "tools/gallery_sheets.h"

namespace gallery {

namespace {

constexpr ip::ClockTime kPanelClock{12, 0, 30, 0};
constexpr int64_t kPanelRunMs = 3000;
constexpr int32_t kNearby = 30;       // controls this close share an outline
constexpr int32_t kOutlineWidth = 2;  // drawn just outside the controls
constexpr int32_t kTagPadding = 2;
const char* const kTagFace = "Arial";
constexpr int32_t kTagPoints = 8;
constexpr int32_t kBold = 1;
constexpr ColorRef kTagTextColor = 0x000000;

struct IdRange {
  int32_t first;
  int32_t last;
};

struct PanelGroup {
  int32_t number;
  std::vector<IdRange> ids;
  ColorRef color;
};

// The groups in the order the panel builds them, with their identifiers.
const PanelGroup kGroups[] = {
    {1, {{101, 110}}, 0x00FFFF},                                            // rectangular lamps
    {2, {{201, 210}}, 0xFF00FF},                                            // round lamps
    {3, {{301, 310}, {401, 405}, {1201, 1202}, {1301, 1303}}, 0xFFFF00},    // gauges and meters
    {4, {{408, 410}}, 0x00FFFF},                                            // digital displays
    {5, {{501, 510}}, 0xFF00FF},                                            // status boxes
    {6, {{601, 603}, {700, 700}, {800, 800}}, 0x00FFFF},                    // text panels, switch, marquee
    {7, {{901, 910}}, 0xFFFF00},                                            // buttons and switches
    {8, {{1001, 1007}, {1101, 1106}}, 0x00FFFF},                            // long and tall gauges
    {9, {{1401, 1403}}, 0xFF00FF},                                          // knobs
    {10, {{1500, 1500}}, 0xFFFF00},                                         // blackboard
};

struct Box {
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded

  Box Union(const Box& o) const {
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
  }
  bool Overlaps(const Box& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
  Box Grown(int32_t by) const { return {left - by, top - by, right + by, bottom + by}; }
};

Box ControlBox(int32_t id) {
  const ip::IntPair size = ip::GetControlSize(ip::panel::PanelHandle, id);
  if (size.first <= 0 || size.second <= 0) {
    throw std::runtime_error("the panel has no control " + std::to_string(id));
  }
  const ip::IntPair at = ip::GetControlLocation(ip::panel::PanelHandle, id);
  return {at.first, at.second, at.first + size.first, at.second + size.second};
}

std::vector<Box> GroupControls(const PanelGroup& group) {
  std::vector<Box> boxes;
  for (const IdRange& range : group.ids) {
    for (int32_t id = range.first; id <= range.last; ++id) boxes.push_back(ControlBox(id));
  }
  return boxes;
}

bool TakesInOthers(const Box& box, size_t group, const std::vector<std::vector<Box>>& controls) {
  for (size_t other = 0; other < controls.size(); ++other) {
    if (other == group) continue;
    for (const Box& control : controls[other]) {
      if (box.Overlaps(control)) return true;
    }
  }
  return false;
}

// Joins the controls of one group into outlines, nearest first.
std::vector<Box> Outlines(size_t group, const std::vector<std::vector<Box>>& controls) {
  std::vector<Box> outlines = controls[group];
  bool joined = true;
  while (joined) {
    joined = false;
    for (size_t a = 0; a < outlines.size() && !joined; ++a) {
      for (size_t b = a + 1; b < outlines.size() && !joined; ++b) {
        const Box both = outlines[a].Union(outlines[b]);
        if (!outlines[a].Grown(kNearby).Overlaps(outlines[b]) || TakesInOthers(both, group, controls)) continue;
        outlines[a] = both;
        outlines.erase(outlines.begin() + static_cast<std::ptrdiff_t>(b));
        joined = true;
      }
    }
  }
  return outlines;
}

void DrawOutline(const Box& box, ColorRef color) {
  for (int32_t ring = 1; ring <= kOutlineWidth; ++ring) {
    const Box r = box.Grown(ring);
    ip::CanvasBox(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
                  static_cast<float>(r.bottom), 0, color, ip::kColorNone, 0);
  }
}

// The group number on a tag in the outline's colour at its top-left corner.
void DrawTag(Sheet& sheet, const Box& box, int32_t number, ColorRef color) {
  const std::string text = std::to_string(number);
  sheet.Attach();
  ip::CanvasSetFont(kTagFace, kTagPoints, kBold);
  const ip::IntPair size = ip::CanvasTextSize(text);
  const int32_t left = std::max(0, box.left - kOutlineWidth);
  const int32_t top = std::max(0, box.top - kOutlineWidth);
  const int32_t right = left + size.first + 2 * kTagPadding;
  ip::CanvasBox(static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                static_cast<float>(top + size.second), 0, color, color, 0);
  ip::CanvasSetForeColor(kTagTextColor);
  ip::CanvasSetBackColor(ip::kColorNone);
  ip::CanvasMoveTo(static_cast<float>(left + kTagPadding), static_cast<float>(top), 0);
  ip::CanvasPrint(text);
  sheet.Record(text);
}

}  // namespace

std::unique_ptr<Sheet> MakePanelSheet() {
  StartSheetSession(kPanelClock, kPanelRunMs);
  ip::panel::ResetPanelState();
  if (!ip::panel::RunPanel()) throw std::runtime_error("the panel did not run");
  auto sheet = std::make_unique<Sheet>("panel-groups", ip::panel::kPanelWidth, ip::panel::kPanelHeight);
  sheet->SetPixels(ip::platform::HeadlessShownPicture());
  std::vector<std::vector<Box>> controls;
  for (const PanelGroup& group : kGroups) controls.push_back(GroupControls(group));
  std::vector<std::vector<Box>> outlines;
  for (size_t g = 0; g < std::size(kGroups); ++g) outlines.push_back(Outlines(g, controls));
  // All outlines first, then the tags, so that no outline crosses a number.
  sheet->Attach();
  for (size_t g = 0; g < std::size(kGroups); ++g) {
    for (const Box& outline : outlines[g]) DrawOutline(outline, kGroups[g].color);
  }
  for (size_t g = 0; g < std::size(kGroups); ++g) {
    for (const Box& outline : outlines[g]) DrawTag(*sheet, outline, kGroups[g].number, kGroups[g].color);
  }
  return sheet;
}

}  // namespace gallery

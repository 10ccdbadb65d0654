// What the gauge work of one tick of timer 610 costs on a built headless
// panel (19 gauges and meters repainted over their snapshots), and what the
// same repaints cost when every gauge must paint its frame and background
// again because its snapshot is forgotten first.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "instrument_panel/dialog.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/session.h"
#include "panel/panel.h"
#include "panel/panel_parts.h"

using namespace ip;
using namespace ip::panel;

namespace {

// The gauges that AnimateGauges repaints.
constexpr std::array<int32_t, 19> kAnimatedGauges = {301, 302, 303, 304, 305, 306, 307, 308, 309, 401,
                                                     402, 403, 404, 405, 1201, 1202, 1301, 1302, 1303};

void BuildHeadlessPanel() {
  HeadlessSettings settings;
  settings.clockStart = ClockTime{12, 0, 30, 0};
  StartHeadlessSession(settings);
  ResetPanelState();
  CreatePanel();
}

void ForgetSnapshots() {
  for (int32_t id : kAnimatedGauges) SetControlUserValue(GetControlHandle(PanelHandle, id), kSlotSnapshotTaken, 0);
}

void BM_GaugeTickWithSnapshots(benchmark::State& state) {
  BuildHeadlessPanel();
  for (auto _ : state) AnimateGauges();
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kAnimatedGauges.size()));
}
BENCHMARK(BM_GaugeTickWithSnapshots)->Unit(benchmark::kMicrosecond);

void BM_GaugeTickRepaintingBackgrounds(benchmark::State& state) {
  BuildHeadlessPanel();
  for (auto _ : state) {
    ForgetSnapshots();
    AnimateGauges();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kAnimatedGauges.size()));
}
BENCHMARK(BM_GaugeTickRepaintingBackgrounds)->Unit(benchmark::kMicrosecond);

}  // namespace

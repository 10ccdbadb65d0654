// What the panel's timer work and its building cost on the headless backend:
// one tick of timers 600 (lamps and marquee), 610 (gauges, then displays)
// and 620 (text panels, then the time caption), and building all 85
// instruments.
#include <benchmark/benchmark.h>

#include "instrument_panel/knobs.h"
#include "instrument_panel/session.h"
#include "panel/panel.h"
#include "panel/panel_parts.h"

using namespace ip;
using namespace ip::panel;

namespace {

constexpr ClockTime kNoon{12, 0, 30, 0};

void BuildHeadlessPanel() {
  HeadlessSettings settings;
  settings.clockStart = kNoon;
  StartHeadlessSession(settings);
  ResetPanelState();
  CreatePanel();
}

void BM_BuildPanel(benchmark::State& state) {
  for (auto _ : state) {
    BuildHeadlessPanel();
    benchmark::DoNotOptimize(PanelHandle);
  }
}
BENCHMARK(BM_BuildPanel)->Unit(benchmark::kMillisecond);

void BM_Timer600_LampsAndMarquee(benchmark::State& state) {
  BuildHeadlessPanel();
  for (auto _ : state) AnimateLamps();
}
BENCHMARK(BM_Timer600_LampsAndMarquee)->Unit(benchmark::kMicrosecond);

void BM_Timer610_GaugesAndDisplays(benchmark::State& state) {
  BuildHeadlessPanel();
  for (auto _ : state) {
    AnimateGauges();
    AnimateDisplays();
  }
}
BENCHMARK(BM_Timer610_GaugesAndDisplays)->Unit(benchmark::kMicrosecond);

void BM_Timer610_DisplaysOnly(benchmark::State& state) {
  BuildHeadlessPanel();
  for (auto _ : state) AnimateDisplays();
}
BENCHMARK(BM_Timer610_DisplaysOnly)->Unit(benchmark::kMicrosecond);

void BM_Timer620_TextPanelsAndTime(benchmark::State& state) {
  BuildHeadlessPanel();
  for (auto _ : state) {
    AnimateTextPanels();
    ShowStatusTime();
  }
}
BENCHMARK(BM_Timer620_TextPanelsAndTime)->Unit(benchmark::kMicrosecond);

void BM_Timer620_TextPanelsOnly(benchmark::State& state) {
  BuildHeadlessPanel();
  for (auto _ : state) AnimateTextPanels();
}
BENCHMARK(BM_Timer620_TextPanelsOnly)->Unit(benchmark::kMicrosecond);

// One step of a knob drag: restore the face, print the number, draw the dot.
void BM_KnobTurn(benchmark::State& state) {
  BuildHeadlessPanel();
  int32_t angle = -151;
  for (auto _ : state) {
    DrawKnob(PanelHandle, 1401, angle);
    angle = angle >= 151 ? -151 : angle + 1;
  }
}
BENCHMARK(BM_KnobTurn)->Unit(benchmark::kMicrosecond);

}  // namespace

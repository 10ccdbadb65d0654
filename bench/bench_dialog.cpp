// Costs of the window system and the dialog host: a second of the whole
// panel on the headless backend, and the message loop alone with a busy timer.
#include <benchmark/benchmark.h>

#include "instrument_panel/dialog.h"
#include "instrument_panel/session.h"
#include "panel/panel.h"

using namespace ip;
using namespace ip::panel;

namespace {

HeadlessSettings Settings(int64_t runMs) {
  HeadlessSettings settings;
  settings.clockStart = ClockTime{12, 0, 0, 0};
  settings.runMs = runMs;
  return settings;
}

// Build the panel and run one virtual second of its timers (30 ticks).
void BM_PanelOneVirtualSecond(benchmark::State& state) {
  for (auto _ : state) {
    StartHeadlessSession(Settings(1000));
    ResetPanelState();
    RunPanel();
    benchmark::DoNotOptimize(PanelHandle);
  }
}
BENCHMARK(BM_PanelOneVirtualSecond)->Unit(benchmark::kMillisecond);

int64_t ticks = 0;

int32_t CountTicks(Handle window, uint32_t message, uint32_t, uint32_t) {
  if (message == WM_INITDIALOG) SetTimer(window, 1, 10);
  if (message == WM_TIMER) ++ticks;
  return 0;
}

// The loop, a timer every 10 ms for 10 virtual seconds: 1000 WM_TIMER messages.
void BM_ThousandTimerMessages(benchmark::State& state) {
  for (auto _ : state) {
    StartHeadlessSession(Settings(10000));
    ticks = 0;
    Handle dialog = CreateDialogWindow(0, "bench", -1, -1, 800, 600, 0xB0000, 0, kUnitsPixels);
    RunDialogModal(CountTicks, dialog, nullptr);
    benchmark::DoNotOptimize(ticks);
  }
  state.counters["ticks"] = static_cast<double>(ticks);
}
BENCHMARK(BM_ThousandTimerMessages)->Unit(benchmark::kMicrosecond);

}  // namespace

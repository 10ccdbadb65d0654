// The panel's timer work as a share of one core per simulated second,
// headless: a 300 s run minus a 30 s run (the same start-up, so what remains
// is 270 s of timers), measured in thread CPU time, the two runs interleaved
// (the order swaps every iteration), the median over the iterations. The
// counter core_pct is the result; load_avg is the machine's one-minute load
// when the benchmark ended, to read the figure by.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "instrument_panel/session.h"
#include "panel/panel.h"

using namespace ip;
using namespace ip::panel;

namespace {

constexpr int64_t kShortRunMs = 30000;
constexpr int64_t kLongRunMs = 300000;
constexpr double kTimerSeconds = (kLongRunMs - kShortRunMs) / 1000.0;
constexpr int kPairs = 5;

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Thread CPU seconds of one whole headless run of the panel.
double PanelRunCpu(int64_t runMs) {
  HeadlessSettings settings;
  settings.clockStart = ClockTime{12, 0, 0, 0};
  settings.runMs = runMs;
  const double start = ThreadCpuSeconds();
  StartHeadlessSession(settings);
  ResetPanelState();
  RunPanel();
  EndWindowSession();
  return ThreadCpuSeconds() - start;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double OneMinuteLoad() {
  double load = 0;
  if (FILE* file = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(file, "%lf", &load) != 1) load = 0;
    std::fclose(file);
  }
  return load;
}

// Each iteration: one short and one long run; its time is the difference,
// the CPU that 270 simulated seconds of timers cost.
void BM_PanelTimerWork(benchmark::State& state) {
  std::vector<double> shares;
  bool shortFirst = true;
  for (auto _ : state) {
    double shortRun = 0;
    double longRun = 0;
    if (shortFirst) {
      shortRun = PanelRunCpu(kShortRunMs);
      longRun = PanelRunCpu(kLongRunMs);
    } else {
      longRun = PanelRunCpu(kLongRunMs);
      shortRun = PanelRunCpu(kShortRunMs);
    }
    shortFirst = !shortFirst;
    state.SetIterationTime(longRun - shortRun);
    shares.push_back((longRun - shortRun) / kTimerSeconds);
  }
  state.counters["core_pct"] = 100 * Median(shares);
  state.counters["load_avg"] = OneMinuteLoad();
}
BENCHMARK(BM_PanelTimerWork)->Iterations(kPairs)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

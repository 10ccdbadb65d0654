// Speed of the number and colour-name services the painters call most:
// NumberToText (knob and gauge readings), FormatNumber (percent captions)
// and ColorFromName (once per drawn line or ring of every frame), with a
// known name and with an unknown one.
#include <benchmark/benchmark.h>

#include "instrument_panel/colors.h"
#include "instrument_panel/numbers.h"

using namespace ip;

namespace {

void BM_NumberToTextSingle(benchmark::State& state) {
  double value = static_cast<float>(57.3);
  for (auto _ : state) benchmark::DoNotOptimize(NumberToText(value, 7));
}
BENCHMARK(BM_NumberToTextSingle);

void BM_NumberToTextDouble(benchmark::State& state) {
  double value = 45296.789;
  for (auto _ : state) benchmark::DoNotOptimize(NumberToText(value, 15));
}
BENCHMARK(BM_NumberToTextDouble);

// An exact value takes the slow path that prints the full expansion.
void BM_NumberToTextExactHalf(benchmark::State& state) {
  double value = 0.5;
  for (auto _ : state) benchmark::DoNotOptimize(NumberToText(value, 7));
}
BENCHMARK(BM_NumberToTextExactHalf);

void BM_FormatNumberPercent(benchmark::State& state) {
  double value = 57.3;
  for (auto _ : state) benchmark::DoNotOptimize(FormatNumber("###_%", value));
}
BENCHMARK(BM_FormatNumberPercent);

void BM_TextToNumberDecimal(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TextToNumber(" 12.5"));
}
BENCHMARK(BM_TextToNumberDecimal);

// One colour name looked up with a shade that changes every time.
void ColorFromNameLoop(benchmark::State& state, const char* name) {
  int32_t shade = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ColorFromName(name, shade));
    shade = (shade + 1) & 255;
  }
}

void BM_ColorFromNamePlain(benchmark::State& state) { ColorFromNameLoop(state, "grigio"); }
BENCHMARK(BM_ColorFromNamePlain);

void BM_ColorFromNameLastRow(benchmark::State& state) { ColorFromNameLoop(state, " PulsanteBlu "); }
BENCHMARK(BM_ColorFromNameLastRow);

void BM_ColorFromNameHex(benchmark::State& state) { ColorFromNameLoop(state, "#FF8000"); }
BENCHMARK(BM_ColorFromNameHex);

// A name no colour has: black, and the error recorded (reported once). The
// report is on this path only; the names above never reach it.
void BM_ColorFromNameUnknown(benchmark::State& state) { ColorFromNameLoop(state, "viola"); }
BENCHMARK(BM_ColorFromNameUnknown);

}  // namespace

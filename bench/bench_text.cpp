// Speed of the canvas text operations as the instruments use them on every
// repaint: selecting a font and printing a short caption, and measuring text.
#include <benchmark/benchmark.h>

#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"

using namespace ip;

namespace {

constexpr int32_t kCanvasWidth = 120;
constexpr int32_t kCanvasHeight = 60;

void AttachBenchCanvas() {
  static Handle canvas = CreateBitmapCanvas(kCanvasWidth, kCanvasHeight);
  CanvasAttach(canvas, 0, kAttachRedrawOnRequest);
  CanvasSetBackColor(kColorNone);
}

// A gauge caption: 7-point "Arial", set and printed on every repaint.
void BM_SetFontAndPrintGaugeCaption(benchmark::State& state) {
  AttachBenchCanvas();
  for (auto _ : state) {
    CanvasSetFont("Arial", 7, 0);
    CanvasMoveTo(40, 20, 0);
    CanvasPrint("57%");
    CanvasNewLine();
  }
}
BENCHMARK(BM_SetFontAndPrintGaugeCaption);

// A digital display: the clock in a 20-point bold "courier new".
void BM_SetFontAndPrintClock(benchmark::State& state) {
  AttachBenchCanvas();
  for (auto _ : state) {
    CanvasSetFont("courier new", 20, 1);
    CanvasMoveTo(2, 10, 0);
    CanvasPrint("12:34:56");
    CanvasNewLine();
  }
}
BENCHMARK(BM_SetFontAndPrintClock);

// Opaque printing: the cell is filled before the glyphs are drawn.
void BM_PrintOpaqueCaption(benchmark::State& state) {
  AttachBenchCanvas();
  CanvasSetBackColor(0xF0F0F0);
  CanvasSetFont("MS Sans Serif", 8, 0);
  for (auto _ : state) {
    CanvasMoveTo(2, 2, 0);
    CanvasPrint("Libreria di tools");
  }
}
BENCHMARK(BM_PrintOpaqueCaption);

// Centring a caption measures it first.
void BM_TextSize(benchmark::State& state) {
  AttachBenchCanvas();
  CanvasSetFont("Arial", 7, 0);
  for (auto _ : state) benchmark::DoNotOptimize(CanvasTextSize("Temperatura 57%"));
}
BENCHMARK(BM_TextSize);

// Switching between the faces the panel uses, all already seen.
void BM_SetFontAlternating(benchmark::State& state) {
  AttachBenchCanvas();
  for (auto _ : state) {
    CanvasSetFont("Arial", 7, 0);
    CanvasSetFont("courier new", 12, 1);
    CanvasSetFont("MS Sans Serif", 8, 0);
  }
}
BENCHMARK(BM_SetFontAlternating);

}  // namespace

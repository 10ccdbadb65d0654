// What the rasterizer's primitives cost on a panel-sized surface: one-pixel
// and wide lines, boxes, ellipses, pies and hatch fills, and one pass over
// every GDI reference case through the canvas operations.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/raster.h"
#include "tools/case_file.h"

using namespace ip;

namespace {

constexpr int kSurfaceWidth = 400;
constexpr int kSurfaceHeight = 300;

platform::Surface PanelSurface() { return platform::MakeSurface(kSurfaceWidth, kSurfaceHeight, 0xF0F0F0); }

void BM_CosmeticLines(benchmark::State& state) {
  platform::Surface surface = PanelSurface();
  const platform::RasterPen pen{true, 0, 0x102030};
  for (auto _ : state) {
    for (int i = 0; i < 32; ++i) platform::DrawLine(surface, pen, {10 + i, 5}, {380 - 3 * i, 290});
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 32);
}
BENCHMARK(BM_CosmeticLines);

void BM_WideLines(benchmark::State& state) {
  platform::Surface surface = PanelSurface();
  const platform::RasterPen pen{true, static_cast<int32_t>(state.range(0)), 0x102030};
  for (auto _ : state) {
    for (int i = 0; i < 32; ++i) platform::DrawLine(surface, pen, {10 + i, 5}, {380 - 3 * i, 290});
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 32);
}
BENCHMARK(BM_WideLines)->Arg(2)->Arg(3)->Arg(7);

void BM_Boxes(benchmark::State& state) {
  platform::Surface surface = PanelSurface();
  const platform::RasterPen pen{true, static_cast<int32_t>(state.range(0)), 0x102030};
  const platform::RasterBrush brush = platform::SolidBrush(0xC0C0C0);
  for (auto _ : state) {
    platform::DrawRoundRect(surface, pen, brush, 20, 20, 380, 280, 0, 0);
    platform::DrawRoundRect(surface, pen, brush, 40, 40, 200, 140, 30, 30);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Boxes)->Arg(0)->Arg(3);

void BM_EllipseBoxes(benchmark::State& state) {
  platform::Surface surface = PanelSurface();
  const platform::RasterPen pen{true, static_cast<int32_t>(state.range(0)), 0x102030};
  const platform::RasterBrush brush = platform::SolidBrush(0xC0C0C0);
  for (auto _ : state) {
    platform::DrawEllipse(surface, pen, brush, 50, 20, 350, 280);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_EllipseBoxes)->Arg(0)->Arg(2)->Arg(5);

void BM_Pies(benchmark::State& state) {
  platform::Surface surface = PanelSurface();
  const platform::RasterPen pen{true, static_cast<int32_t>(state.range(0)), 0x102030};
  const platform::RasterBrush brush = platform::SolidBrush(0xC0C0C0);
  for (auto _ : state) {
    platform::DrawPie(surface, pen, brush, 50, 20, 350, 280, {400, 0}, {0, 300});
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Pies)->Arg(0)->Arg(3);

void BM_HatchFill(benchmark::State& state) {
  platform::Surface surface = PanelSurface();
  const platform::RasterBrush brush =
      platform::HatchBrush(static_cast<platform::Hatch>(state.range(0)), 0x102030, true, 0xFFFFFF);
  for (auto _ : state) {
    platform::FillRectangle(surface, brush, 0, 0, kSurfaceWidth, kSurfaceHeight);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSurfaceWidth * kSurfaceHeight);
}
BENCHMARK(BM_HatchFill)->Arg(0)->Arg(5);

void BM_AllReferenceCases(benchmark::State& state) {
  cases::CaseFile file;
  cases::ParseError error;
  if (!cases::LoadCaseFile(std::string(IP_REFERENCE_DIR) + "/cases.txt", file, error)) {
    state.SkipWithError(("cannot read the reference cases: " + error.reason).c_str());
    return;
  }
  for (auto _ : state) {
    for (const cases::Case& c : file.cases) benchmark::DoNotOptimize(cases::RunCase(c, file.folder));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(file.cases.size()));
}
BENCHMARK(BM_AllReferenceCases)->Unit(benchmark::kMillisecond);

}  // namespace

// What the canvas bitmap operations cost: pixel buffer reads and writes (the
// snapshot restore behind every animated repaint), block copies, stretch
// copies that enlarge and shrink, and bitmap files loaded and scaled.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "platform/bmp_file.h"

using namespace ip;

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 100;
constexpr int32_t kPlainCopy = 0xCC0020;
constexpr int32_t kInvert = 7;

// A bitmap canvas with a varied picture, attached.
Handle PatternCanvas(int width, int height) {
  Handle canvas = CreateBitmapCanvas(width, height);
  CanvasAttach(canvas, 0, 0);
  for (int i = 0; i < 40; ++i) {
    CanvasBox(static_cast<float>(i * 5 % width), static_cast<float>(i * 3 % height), static_cast<float>(width - i),
              static_cast<float>(height - i), 0, 0x102030 * i, 0x030201 * (i * 7), 0);
  }
  return canvas;
}

void BM_GetBits200x100(benchmark::State& state) {
  PatternCanvas(kWidth, kHeight);
  for (auto _ : state) benchmark::DoNotOptimize(CanvasGetBits());
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_GetBits200x100);

void BM_SetBits200x100(benchmark::State& state) {
  PatternCanvas(kWidth, kHeight);
  const std::string saved = CanvasGetBits();
  for (auto _ : state) CanvasSetBits(saved);
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_SetBits200x100);

// A whole 200 x 100 canvas copied onto another with one raster operation.
void CopyLoop(benchmark::State& state, int32_t rasterOperation) {
  Handle source = PatternCanvas(kWidth, kHeight);
  PatternCanvas(kWidth, kHeight);
  for (auto _ : state) CanvasCopy(source, 0, rasterOperation);
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_CopyPlain200x100(benchmark::State& state) { CopyLoop(state, kPlainCopy); }
BENCHMARK(BM_CopyPlain200x100);

void BM_CopyInvert200x100(benchmark::State& state) { CopyLoop(state, kInvert); }
BENCHMARK(BM_CopyInvert200x100);

void BM_StretchEnlarge100x50To200x100(benchmark::State& state) {
  Handle source = PatternCanvas(kWidth / 2, kHeight / 2);
  PatternCanvas(kWidth, kHeight);
  for (auto _ : state) CanvasStretch(source, 0, 0, 0, 99, 49, 0, 0, 199, 99, kPlainCopy);
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_StretchEnlarge100x50To200x100);

void BM_StretchShrink200x100To70x40(benchmark::State& state) {
  Handle source = PatternCanvas(kWidth, kHeight);
  PatternCanvas(kWidth, kHeight);
  for (auto _ : state) CanvasStretch(source, 0, 0, 0, 199, 99, 0, 0, 69, 39, kPlainCopy);
  state.SetItemsProcessed(state.iterations() * 70 * 40);
}
BENCHMARK(BM_StretchShrink200x100To70x40);

// A 24-bit 320 x 240 picture file in the temporary folder.
std::string PictureFile() {
  static const std::string path = [] {
    std::string file = (std::filesystem::temp_directory_path() / "ip_bench_bitmaps_320x240.bmp").string();
    Handle canvas = PatternCanvas(320, 240);
    (void)canvas;
    std::string bits = CanvasGetBits();
    const uint32_t stride = 320 * 3, pixelBytes = stride * 240, size = 54 + pixelBytes;
    std::string bytes(size, '\0');
    auto put32 = [&](size_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, 320);
    put32(22, 240);
    put32(26, 1 | (24 << 16));
    for (int y = 0; y < 240; ++y) {
      for (int x = 0; x < 320; ++x) {
        for (int c = 0; c < 3; ++c) bytes[54 + (239 - y) * stride + x * 3 + c] = bits[8 + (y * 320 + x) * 4 + c];
      }
    }
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
  }();
  return path;
}

void BM_LoadBitmapCanvasScaledTo200x100(benchmark::State& state) {
  const std::string file = PictureFile();
  for (auto _ : state) {
    Handle canvas = LoadBitmapCanvas(file, kWidth, kHeight);
    benchmark::DoNotOptimize(canvas);
    FreeRecord(canvas);  // bitmap canvases are never freed otherwise
  }
}
BENCHMARK(BM_LoadBitmapCanvasScaledTo200x100)->Unit(benchmark::kMicrosecond);

void BM_RenderBitmapAtFileSize(benchmark::State& state) {
  const std::string file = PictureFile();
  PatternCanvas(320, 240);
  for (auto _ : state) CanvasRenderBitmap(file, 0, 0, 319, 239);
}
BENCHMARK(BM_RenderBitmapAtFileSize)->Unit(benchmark::kMicrosecond);

// The bitmap-file operations of the GDI reference cases, each loading its
// file again as the reference timing did (timing.txt: bitmap_file_cases_us
// over iterations gives the reference cost of one round).
void BM_ReferenceBitmapFileCases(benchmark::State& state) {
  const std::string folder = std::string(IP_REFERENCE_DIR) + "/";
  std::ifstream cases(folder + "cases.txt");
  struct Render {
    std::string file;
    float x1, y1, x2, y2;
  };
  std::vector<Render> renders;
  for (std::string line; std::getline(cases, line);) {
    std::istringstream words(line);
    std::string op;
    Render r;
    if (words >> op && op == "CanvasRenderBitmap" && words >> r.file >> r.x1 >> r.y1 >> r.x2 >> r.y2) {
      r.file = folder + r.file;
      renders.push_back(r);
    }
  }
  if (renders.empty()) {
    state.SkipWithError("no reference cases found");
    return;
  }
  PatternCanvas(104, 54);
  for (auto _ : state) {
    for (const Render& r : renders) CanvasRenderBitmap(r.file, r.x1, r.y1, r.x2, r.y2);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(renders.size()));
}
BENCHMARK(BM_ReferenceBitmapFileCases)->Unit(benchmark::kMicrosecond);

}  // namespace

// A 150 x 150 round dial drawn by our canvas operations and by Cairo in the
// same program, so that the two can be compared as a ratio taken in one run
// on a noisy machine.
//
// The dial: a background, a filled face, a 2-pixel ring, 60 tick lines
// (every fifth one longer), 12 labels in an 8-point sans font, a 3-pixel
// needle and a centre disc. "Full" draws all of it; "cached" restores the
// static part (everything but the needle and the disc) from a snapshot and
// draws the needle and the disc: ours with CanvasSetBits, Cairo by painting
// a surface that holds the static part.
//
// Cairo runs on image surfaces in ARGB32 and RGB24, with antialiasing (its
// default) and without (shapes and text). After the benchmarks a summary
// gives our time over the fastest Cairo mode, for the full and the cached
// frame, each from the best repetition of each benchmark.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "host/window_records.h"

using namespace ip;

namespace {

constexpr int kDialSize = 150;
constexpr double kCentre = kDialSize / 2.0;
constexpr double kFaceRadius = 70;
constexpr int kRingWidth = 2;
constexpr int kTickCount = 60;
constexpr int kLabelCount = 12;
constexpr int kLongTickEvery = kTickCount / kLabelCount;
constexpr double kTickOuter = 67;
constexpr double kTickInnerShort = 62;
constexpr double kTickInnerLong = 57;
constexpr double kLabelRadius = 47;
constexpr int kLabelPoints = 8;
constexpr double kLabelEmPixels = kLabelPoints * 96 / 72;  // what an 8-point canvas font asks for
constexpr int kNeedleWidth = 3;
constexpr double kNeedleLength = 55;
constexpr double kNeedleAngle = 0.7;  // radians, counter-clockwise from 3 o'clock
constexpr double kDiscRadius = 5;
constexpr const char* kLabelFace = "Arial";

// Colours as 0x00BBGGRR for the canvas and as RGB triples for Cairo.
struct Colour {
  int red, green, blue;
  ColorRef Ref() const { return red | (green << 8) | (blue << 16); }
  void SetOn(cairo_t* cr) const { cairo_set_source_rgb(cr, red / 255.0, green / 255.0, blue / 255.0); }
};
constexpr Colour kBackground{60, 78, 60};
constexpr Colour kFace{235, 232, 220};
constexpr Colour kRing{40, 40, 48};
constexpr Colour kTick{20, 20, 20};
constexpr Colour kNeedle{200, 24, 24};
constexpr Colour kDisc{30, 30, 30};

double TickAngle(int i) { return 2 * std::numbers::pi * i / kTickCount; }
double TickInner(int i) { return i % kLongTickEvery == 0 ? kTickInnerLong : kTickInnerShort; }
std::string LabelText(int k) { return std::to_string(k * kLongTickEvery); }
// Labels run clockwise from 12 o'clock.
double LabelX(int k) { return kCentre + kLabelRadius * std::sin(2 * std::numbers::pi * k / kLabelCount); }
double LabelY(int k) { return kCentre - kLabelRadius * std::cos(2 * std::numbers::pi * k / kLabelCount); }
double NeedleX() { return kCentre + kNeedleLength * std::cos(kNeedleAngle); }
double NeedleY() { return kCentre - kNeedleLength * std::sin(kNeedleAngle); }

// ---- Our canvas operations ----

float F(double v) { return static_cast<float>(v); }

void OursStatic() {
  const float face0 = F(kCentre - kFaceRadius), face1 = F(kCentre + kFaceRadius);
  CanvasSetLineWidth(0);
  CanvasBox(0, 0, kDialSize + 1, kDialSize + 1, 0, kBackground.Ref(), kBackground.Ref(), 0);
  CanvasBox(face0, face0, face1, face1, kCornerEllipse, kFace.Ref(), kFace.Ref(), 0);
  CanvasSetLineWidth(kRingWidth);
  CanvasBox(face0, face0, face1, face1, kCornerEllipse, kRing.Ref(), kColorNone, 0);
  CanvasSetLineWidth(0);
  for (int i = 0; i < kTickCount; ++i) {
    const double c = std::cos(TickAngle(i)), s = std::sin(TickAngle(i));
    CanvasMoveTo(F(kCentre + TickInner(i) * c), F(kCentre - TickInner(i) * s), 0);
    CanvasLineTo(F(kCentre + kTickOuter * c), F(kCentre - kTickOuter * s), kTick.Ref(), 0);
  }
  CanvasSetFont(kLabelFace, kLabelPoints, 0);
  CanvasSetForeColor(kTick.Ref());
  CanvasSetBackColor(kColorNone);
  for (int k = 0; k < kLabelCount; ++k) {
    const std::string text = LabelText(k);
    const IntPair size = CanvasTextSize(text);
    CanvasMoveTo(F(LabelX(k) - size.first / 2.0), F(LabelY(k) - size.second / 2.0), 0);
    CanvasPrint(text);
  }
}

void OursMoving() {
  CanvasSetLineWidth(kNeedleWidth);
  CanvasMoveTo(F(kCentre), F(kCentre), 0);
  CanvasLineTo(F(NeedleX()), F(NeedleY()), kNeedle.Ref(), 0);
  CanvasSetLineWidth(0);
  const float d0 = F(kCentre - kDiscRadius), d1 = F(kCentre + kDiscRadius);
  CanvasBox(d0, d0, d1, d1, kCornerEllipse, kDisc.Ref(), kDisc.Ref(), 0);
}

// A bitmap canvas of the dial's size, attached; freed when done.
class OurCanvas {
 public:
  OurCanvas() : handle_(CreateBitmapCanvas(kDialSize, kDialSize)) { CanvasAttach(handle_, 0, kAttachRedrawOnRequest); }
  ~OurCanvas() { FreeRecord(handle_); }
  OurCanvas(const OurCanvas&) = delete;
  OurCanvas& operator=(const OurCanvas&) = delete;

 private:
  Handle handle_;
};

void BM_DialFull_Ours(benchmark::State& state) {
  OurCanvas canvas;
  for (auto _ : state) {
    OursStatic();
    OursMoving();
    CanvasRedraw();
  }
}
BENCHMARK(BM_DialFull_Ours)->Unit(benchmark::kMicrosecond);

void BM_DialCached_Ours(benchmark::State& state) {
  OurCanvas canvas;
  OursStatic();
  const std::string snapshot = CanvasGetBits();
  for (auto _ : state) {
    CanvasSetBits(snapshot);
    OursMoving();
    CanvasRedraw();
  }
}
BENCHMARK(BM_DialCached_Ours)->Unit(benchmark::kMicrosecond);

// ---- Cairo ----

struct CairoMode {
  cairo_format_t format;
  bool antialias;
};

void CairoSetAntialias(cairo_t* cr, bool antialias) {
  cairo_set_antialias(cr, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

void CairoStatic(cairo_t* cr) {
  kBackground.SetOn(cr);
  cairo_paint(cr);
  kFace.SetOn(cr);
  cairo_arc(cr, kCentre, kCentre, kFaceRadius, 0, 2 * std::numbers::pi);
  cairo_fill(cr);
  kRing.SetOn(cr);
  cairo_set_line_width(cr, kRingWidth);
  cairo_arc(cr, kCentre, kCentre, kFaceRadius - kRingWidth / 2.0, 0, 2 * std::numbers::pi);
  cairo_stroke(cr);
  kTick.SetOn(cr);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < kTickCount; ++i) {  // one path for all ticks: Cairo's fastest way
    const double c = std::cos(TickAngle(i)), s = std::sin(TickAngle(i));
    cairo_move_to(cr, kCentre + TickInner(i) * c, kCentre - TickInner(i) * s);
    cairo_line_to(cr, kCentre + kTickOuter * c, kCentre - kTickOuter * s);
  }
  cairo_stroke(cr);
  cairo_select_font_face(cr, kLabelFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, kLabelEmPixels);
  for (int k = 0; k < kLabelCount; ++k) {
    const std::string text = LabelText(k);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_move_to(cr, LabelX(k) - extents.x_advance / 2, LabelY(k) + extents.height / 2);
    cairo_show_text(cr, text.c_str());
  }
}

void CairoMoving(cairo_t* cr) {
  kNeedle.SetOn(cr);
  cairo_set_line_width(cr, kNeedleWidth);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, kCentre, kCentre);
  cairo_line_to(cr, NeedleX(), NeedleY());
  cairo_stroke(cr);
  kDisc.SetOn(cr);
  cairo_arc(cr, kCentre, kCentre, kDiscRadius, 0, 2 * std::numbers::pi);
  cairo_fill(cr);
}

// An image surface with its drawing context, set to one mode.
class CairoCanvas {
 public:
  explicit CairoCanvas(const CairoMode& mode)
      : surface_(cairo_image_surface_create(mode.format, kDialSize, kDialSize)), cr_(cairo_create(surface_)) {
    CairoSetAntialias(cr_, mode.antialias);
  }
  ~CairoCanvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;
  cairo_t* Context() const { return cr_; }
  cairo_surface_t* Surface() const { return surface_; }

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

void BM_DialFull_Cairo(benchmark::State& state, CairoMode mode) {
  CairoCanvas canvas(mode);
  for (auto _ : state) {
    cairo_save(canvas.Context());
    CairoStatic(canvas.Context());
    CairoMoving(canvas.Context());
    cairo_restore(canvas.Context());
    cairo_surface_flush(canvas.Surface());
  }
}

void BM_DialCached_Cairo(benchmark::State& state, CairoMode mode) {
  CairoCanvas cached(mode);
  CairoStatic(cached.Context());
  cairo_surface_flush(cached.Surface());
  CairoCanvas canvas(mode);
  for (auto _ : state) {
    cairo_t* cr = canvas.Context();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, cached.Surface(), 0, 0);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    CairoMoving(cr);
    cairo_restore(cr);
    cairo_surface_flush(canvas.Surface());
  }
}

BENCHMARK_CAPTURE(BM_DialFull_Cairo, argb32_aa, CairoMode{CAIRO_FORMAT_ARGB32, true})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DialFull_Cairo, argb32_noaa, CairoMode{CAIRO_FORMAT_ARGB32, false})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DialFull_Cairo, rgb24_aa, CairoMode{CAIRO_FORMAT_RGB24, true})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DialFull_Cairo, rgb24_noaa, CairoMode{CAIRO_FORMAT_RGB24, false})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DialCached_Cairo, argb32_aa, CairoMode{CAIRO_FORMAT_ARGB32, true})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DialCached_Cairo, argb32_noaa, CairoMode{CAIRO_FORMAT_ARGB32, false})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DialCached_Cairo, rgb24_aa, CairoMode{CAIRO_FORMAT_RGB24, true})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DialCached_Cairo, rgb24_noaa, CairoMode{CAIRO_FORMAT_RGB24, false})
    ->Unit(benchmark::kMicrosecond);

// ---- The summary: ours over the fastest Cairo mode ----

// Keeps the console output and remembers each benchmark's best CPU time per
// iteration over its repetitions.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const std::string name = run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
      auto [it, added] = best_.try_emplace(name, run.GetAdjustedCPUTime());
      if (!added) it->second = std::min(it->second, run.GetAdjustedCPUTime());
    }
  }

  // Our time over the fastest Cairo time of one kind of frame.
  void PrintRatio(const std::string& frame, double goal) const {
    const auto ours = best_.find("BM_Dial" + frame + "_Ours");
    double fastest = std::numeric_limits<double>::infinity();
    std::string fastestName;
    for (const auto& [name, time] : best_) {
      if (name.rfind("BM_Dial" + frame + "_Cairo", 0) == 0 && time < fastest) {
        fastest = time;
        fastestName = name;
      }
    }
    if (ours == best_.end() || fastestName.empty()) return;
    const double ratio = ours->second / fastest;
    std::printf("dial %-6s ours %.2f us / fastest Cairo (%s) %.2f us = %.3f (goal <= %.2f): %s\n", frame.c_str(),
                ours->second, fastestName.c_str(), fastest, ratio, goal, ratio <= goal ? "met" : "NOT met");
  }

 private:
  std::map<std::string, double> best_;
};

constexpr double kFullGoal = 0.5;
constexpr double kCachedGoal = 0.8;

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("Full", kFullGoal);
  reporter.PrintRatio("Cached", kCachedGoal);
  benchmark::Shutdown();
  return 0;
}

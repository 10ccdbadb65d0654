// Repeated stretches: CanvasStretchRepeated paints exactly what CanvasStretch
// with SRCCOPY paints, call after call, whatever the geometry, whatever the
// canvas holds outside the stretched area, and after the source changed; the
// pictures it keeps go with their canvases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/stretch_memo.h"
#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"

using namespace ip;

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;

// A 9 x 7 source whose pixels all differ.
Handle MakeSource() {
  const Handle source = CreateBitmapCanvas(9, 7);
  platform::Surface& bitmap = FindRecord(source)->canvas.bitmap;
  for (size_t i = 0; i < bitmap.pixels.size(); ++i) bitmap.pixels[i] = static_cast<platform::Pixel>(0x010203 * (i + 1));
  return source;
}

// A canvas with something drawn all over it, which a stretch must leave
// alone outside the pixels it writes.
Handle MakeCanvas() {
  const Handle canvas = CreateBitmapCanvas(kWidth, kHeight);
  CanvasAttach(canvas, 0, 0);
  CanvasBox(0, 0, kWidth, kHeight, 0, 0x00FF00, 0x0000FF, 0);
  return canvas;
}

// Draws a line across `canvas` in a colour that depends on `step`.
void Scribble(Handle canvas, int step) {
  CanvasAttach(canvas, 0, 0);
  CanvasMoveTo(0, static_cast<float>(step % kHeight), 0);
  CanvasLineTo(kWidth, 0, static_cast<ColorRef>(0x112233 * (step + 1)), 1);
}

std::vector<platform::Pixel> PixelsOf(Handle canvas) { return FindRecord(canvas)->canvas.bitmap.pixels; }

TEST(StretchMemo, RepeatedStretchesPaintWhatTheStretchPaints) {
  struct Case {
    const char* what;
    float corners[8];
  };
  const Case cases[] = {
      {"inside a frame", {0, 0, 9, 7, 3, 3, 37, 27}},
      {"mirrored", {0, 0, 9, 7, 35, 25, 4, 2}},
      {"partly off the canvas", {1, 1, 8, 6, -10, 20, 60, 45}},
      {"off the canvas", {0, 0, 9, 7, 100, 100, 140, 130}},
      {"shrinking", {0, 0, 9, 7, 5, 5, 8, 7}},
      {"corners far apart", {0, 0, 9, 7, -3e9f, 0, 3e9f, 20}},
  };
  const Handle source = MakeSource();
  for (const Case& c : cases) {
    const float* k = c.corners;
    const Handle repeated = MakeCanvas();
    const Handle direct = MakeCanvas();
    for (int step = 0; step < 5; ++step) {
      if (step == 3) {  // the source changes: the next stretch shows it
        CanvasAttach(source, 0, 0);
        CanvasBox(2, 2, 6, 5, 0, 0xABCDEF, 0x123456, 0);
      }
      CanvasAttach(repeated, 0, 0);
      CanvasStretchRepeated(source, 0, k[0], k[1], k[2], k[3], k[4], k[5], k[6], k[7]);
      CanvasAttach(direct, 0, 0);
      CanvasStretch(source, 0, k[0], k[1], k[2], k[3], k[4], k[5], k[6], k[7], SRCCOPY);
      ASSERT_EQ(PixelsOf(repeated), PixelsOf(direct)) << c.what << ", call " << step + 1;
      Scribble(repeated, step);
      Scribble(direct, step);
    }
  }
}

TEST(StretchMemo, ASourceThatIsTheCanvasOrIsMissingIsStretchedAsAlways) {
  for (bool onItself : {true, false}) {
    const Handle repeated = MakeCanvas();
    const Handle direct = MakeCanvas();
    for (int step = 0; step < 3; ++step) {
      Scribble(repeated, step);
      Scribble(direct, step);
      const Handle from[] = {onItself ? repeated : Handle{0x7FFFFFF0}, onItself ? direct : Handle{0x7FFFFFF0}};
      CanvasAttach(repeated, 0, 0);
      CanvasStretchRepeated(from[0], 0, 0, 0, 20, 15, 0, 0, 39, 29);
      CanvasAttach(direct, 0, 0);
      CanvasStretch(from[1], 0, 0, 0, 20, 15, 0, 0, 39, 29, SRCCOPY);
      ASSERT_EQ(PixelsOf(repeated), PixelsOf(direct)) << (onItself ? "onto itself" : "no source") << step;
    }
  }
}

TEST(StretchMemo, KeptPicturesGoWithTheirCanvases) {
  const Handle source = MakeSource();
  const auto stretchTwiceOnto = [&](Handle canvas) {
    for (int i = 0; i < 2; ++i) {
      CanvasAttach(canvas, 0, 0);
      CanvasStretchRepeated(source, 0, 0, 0, 9, 7, 1, 1, 30, 20);
    }
  };
  const Handle first = MakeCanvas();
  stretchTwiceOnto(first);
  const size_t withFirst = KeptStretchCount();
  FreeRecord(first);
  stretchTwiceOnto(MakeCanvas());
  EXPECT_EQ(KeptStretchCount(), withFirst);  // the gone canvas's picture was dropped for the new one
}

}  // namespace

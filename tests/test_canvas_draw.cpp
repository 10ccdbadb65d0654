// Canvas drawing operations: current position, colour masking, corner and
// style clamps, repaint counts, absurd coordinates, and properties of the
// rasterizer that hold for every input (symmetry, clipping, direction).
// Exact pixels of ordinary boxes, pies and lines are checked against GDI's
// own pictures in the GDI reference suite.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "host/canvas_internal.h"
#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "platform/handles.h"
#include "platform/raster.h"
#include "platform/raster_internal.h"

using namespace ip;

namespace {

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kInk = 0x4B5D13;
constexpr ColorRef kFill = 0xF5DCBA;
constexpr ColorRef kBack = 0x00FFFF;

// A bitmap canvas cleared to white and attached.
class Canvas {
 public:
  Canvas(int32_t width, int32_t height) : handle_(CreateBitmapCanvas(width, height)) {
    CanvasAttach(handle_, 0, kAttachRedrawOnRequest);
    CanvasBox(0, 0, static_cast<float>(width + 1), static_cast<float>(height + 1), 0, kWhite, kWhite, 0);
    CanvasSetForeColor(0);
    CanvasSetBackColor(kWhite);
    CanvasSetLineWidth(0);
  }
  ~Canvas() { FreeRecord(handle_); }

  const platform::Surface& Bitmap() const { return FindRecord(handle_)->canvas.bitmap; }
  // The colour value 0x00BBGGRR of pixel (x, y).
  ColorRef At(int x, int y) const { return static_cast<ColorRef>(platform::ColorRefFromPixel(Bitmap().At(x, y))); }
  int Count(ColorRef colour) const {
    int count = 0;
    for (int y = 0; y < Bitmap().height; ++y) {
      for (int x = 0; x < Bitmap().width; ++x) count += At(x, y) == colour;
    }
    return count;
  }

 private:
  Handle handle_;
};

TEST(CanvasPosition, LinesAndMovesSetItWithRelativeOffsetsRoundedToEven) {
  Canvas canvas(16, 16);
  CanvasMoveTo(10, 10, 0);
  CanvasLineTo(12, 10, kInk, 0);
  EXPECT_EQ(CanvasGetPos(), (IntPair{12, 10}));
  CanvasMoveTo(3, 4, 0);
  CanvasLineTo(0, 5, kInk, 1);
  EXPECT_EQ(CanvasGetPos(), (IntPair{3, 9}));
  CanvasMoveTo(2.5f, -0.5f, 1);  // ties to even: +2, 0
  EXPECT_EQ(CanvasGetPos(), (IntPair{5, 9}));
  CanvasMoveTo(3.5f, 12.5f, 0);
  EXPECT_EQ(CanvasGetPos(), (IntPair{4, 12}));
  // Boxes and pies leave the position alone.
  CanvasBox(1, 1, 9, 9, 0, kInk, kFill, 0);
  CanvasPie(1, 1, 9, 9, 0, 2, kInk, kFill, 0, kPieMode);
  CanvasPie(1, 1, 9, 9, 0, 2, kInk, kFill, 0, 0);
  EXPECT_EQ(CanvasGetPos(), (IntPair{4, 12}));
}

TEST(CanvasColours, FillMinusOneTakesTheMaskedLineColour) {
  Canvas canvas(8, 8);
  CanvasBox(0, 2, 5, 7, 0, static_cast<ColorRef>(0xFF112233), -1, 0);
  EXPECT_EQ(canvas.At(0, 2), 0x112233);
  EXPECT_EQ(canvas.At(2, 4), 0x112233);
}

TEST(CanvasBoxes, CornersAboveOneHundredAreOneHundred) {
  std::vector<std::vector<platform::Pixel>> pictures;
  for (int32_t corner : {100, 150, -5, 0x7FFFFFFF, kCornerEllipse}) {
    Canvas canvas(24, 14);
    CanvasBox(1, 1, 22, 12, corner, kInk, kFill, 0);
    pictures.push_back(canvas.Bitmap().pixels);
  }
  for (size_t i = 1; i < 4; ++i) EXPECT_EQ(pictures[i], pictures[0]) << i;
  EXPECT_NE(pictures[4], pictures[0]);  // 22 x 12 ellipse, not 11 x 11 corners
}

TEST(CanvasBoxes, FillStylesAboveSixOrNegativeAreSolid) {
  for (int32_t style : {7, 100, -1, INT32_MIN}) {
    Canvas canvas(12, 12);
    CanvasBox(0, 0, 12, 12, 0, kInk, kFill, style);
    EXPECT_EQ(canvas.Count(kFill), 100) << style;
  }
}

TEST(CanvasBoxes, TallNarrowEllipsesKeepTheirTips) {
  for (int width : {3, 4, 5, 6}) {
    const int height = 40;
    Canvas canvas(8, height);
    CanvasBox(0, 0, static_cast<float>(width), static_cast<float>(height), kCornerEllipse, kInk, kFill, 0);
    EXPECT_EQ(canvas.At(width / 2, 0), kInk) << width;
    EXPECT_EQ(canvas.At((width - 1) / 2, height - 1), kInk) << width;
  }
}

// A canvas control of a dialog that is never shown, for counting repaints.
Handle MakeCanvasControl(Handle dialog, int32_t id) {
  WindowRecord record;
  record.key = record.window = platform::NewHandle();
  record.owner = dialog;
  record.type = RecordType::kCanvasControl;
  record.controlId = id;
  WindowRecord& registered = RegisterRecord(record);
  InitCanvasState(registered, 16, 16);
  return registered.key;
}

TEST(CanvasRepaint, ImmediateAfterEveryDrawingOnRequestOnlyOnRedrawBitmapsNever) {
  const Handle dialog = platform::NewHandle();
  const Handle control = MakeCanvasControl(dialog, 301);
  CanvasAttach(dialog, 301, kAttachRedrawOnRequest);
  int64_t before = CanvasRepaintCount();
  CanvasLineTo(5, 5, kInk, 0);
  CanvasBox(0, 0, 8, 8, 0, kInk, kFill, 0);
  CanvasPie(0, 0, 8, 8, 0, 1, kInk, kFill, 0, kPieMode);
  EXPECT_EQ(CanvasRepaintCount(), before);
  CanvasRedraw();
  EXPECT_EQ(CanvasRepaintCount(), before + 1);

  CanvasAttach(dialog, 301, 0);
  before = CanvasRepaintCount();
  CanvasMoveTo(1, 1, 0);  // not drawings
  CanvasSetForeColor(kInk);
  CanvasSetBackColor(kBack);
  CanvasSetLineWidth(2);
  EXPECT_EQ(CanvasRepaintCount(), before);
  CanvasLineTo(5, 5, kInk, 0);
  CanvasBox(0, 0, 8, 8, 0, kInk, kFill, 0);
  CanvasPie(0, 0, 8, 8, 0, 1, kInk, kFill, 0, 0);
  EXPECT_EQ(CanvasRepaintCount(), before + 3);
  FreeRecord(control);

  const Handle canvas = CreateBitmapCanvas(4, 4);
  CanvasAttach(canvas, 0, 0);  // mode 0 is overridden for bitmap canvases
  before = CanvasRepaintCount();
  CanvasLineTo(3, 3, kInk, 0);
  EXPECT_EQ(CanvasRepaintCount(), before);
  FreeRecord(canvas);
}

TEST(CanvasRobustness, NoCanvasMeansNoEffect) {
  const Handle canvas = CreateBitmapCanvas(4, 4);
  CanvasAttach(canvas, 0, kAttachRedrawOnRequest);
  CanvasMoveTo(2, 2, 0);
  FreeRecord(canvas);
  CanvasMoveTo(1, 1, 0);
  CanvasLineTo(3, 3, kInk, 0);
  CanvasBox(0, 0, 3, 3, 0, kInk, kFill, 0);
  CanvasPie(0, 0, 3, 3, 0, 1, kInk, kFill, 0, kPieMode);
  CanvasSetLineWidth(3);
  EXPECT_EQ(CanvasGetPos(), (IntPair{0, 0}));
}

TEST(CanvasRobustness, NotANumberComesFromFarAway) {
  Canvas canvas(10, 10);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  CanvasMoveTo(nan, nan, 0);
  EXPECT_EQ(CanvasGetPos(), (IntPair{INT32_MIN, INT32_MIN}));
  CanvasLineTo(5, 5, kInk, 0);  // an exact diagonal from (INT32_MIN, INT32_MIN)
  for (int i = 0; i < 5; ++i) EXPECT_EQ(canvas.At(i, i), kInk) << i;
  EXPECT_EQ(canvas.Count(kInk), 5);
  CanvasMoveTo(nan, 7, 0);
  CanvasMoveTo(-1, 0, 1);  // INT32_MIN - 1 is out of range: INT32_MIN, not a wrap
  EXPECT_EQ(CanvasGetPos(), (IntPair{INT32_MIN, 7}));
  CanvasMoveTo(3, 0, 0);
  CanvasMoveTo(nan, 0, 1);  // an offset of INT32_MIN
  EXPECT_EQ(CanvasGetPos(), (IntPair{3 + INT32_MIN, 0}));
}

TEST(CanvasRobustness, HugeBoxesClipExactly) {
  Canvas canvas(12, 12);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  CanvasBox(nan, nan, 10, 10, 0, kInk, kFill, 0);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(canvas.At(9, i), kInk) << i;
    EXPECT_EQ(canvas.At(i, 9), kInk) << i;
  }
  EXPECT_EQ(canvas.At(0, 0), kFill);
  EXPECT_EQ(canvas.At(10, 10), kWhite);
  EXPECT_EQ(canvas.Count(kFill), 81);
}

TEST(CanvasRobustness, AbsurdShapesAndPensFinish) {
  Canvas canvas(16, 16);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float big = 1.0e9f;
  CanvasBox(nan, 0, 10, 10, kCornerEllipse, kInk, kFill, 3);  // too large to be a curve: not drawn
  CanvasPie(-big, -big, big, big, 0, 1, kInk, kFill, 0, kPieMode);
  CanvasPie(nan, nan, nan, nan, nan, nan, kInk, kFill, 0, kPieMode);
  EXPECT_EQ(canvas.Count(kWhite), 16 * 16);
  CanvasPie(0, 0, 10, 10, nan, nan, kInk, kFill, 0, kPieMode);  // equal radials: the whole ellipse
  EXPECT_EQ(canvas.At(4, 0), kInk);
  EXPECT_EQ(canvas.At(0, 4), kInk);
  EXPECT_EQ(canvas.At(4, 9), kInk);
  EXPECT_EQ(canvas.At(9, 4), kInk);
  CanvasSetLineWidth(2000000000);
  CanvasMoveTo(-big, 8, 0);
  CanvasLineTo(big, 9, kInk, 0);
  EXPECT_EQ(canvas.Count(kInk), 16 * 16);  // the widest pen covers everything here
  CanvasSetLineWidth(-3);  // the size of the width counts
  CanvasMoveTo(0, 8, 0);
  CanvasLineTo(16, 8, kFill, 0);
  for (int y = 0; y < 16; ++y) EXPECT_EQ(canvas.At(8, y), (y >= 7 && y <= 9) ? kFill : kInk) << y;
}

// ---- Properties of the rasterizer for many inputs ----

using platform::RasterPoint;

platform::Surface Blank(int width, int height) { return platform::MakeSurface(width, height, 0xFFFFFF); }

// Black pixels are 'X', white ones '.'.
void ExpectPicture(const platform::Surface& s, const std::vector<std::string>& expected) {
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) EXPECT_EQ(s.At(x, y) == 0, expected[y][x] == 'X') << x << "," << y;
  }
}

std::vector<RasterPoint> Lit(const platform::Surface& s) {
  std::vector<RasterPoint> points;
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      if (s.At(x, y) != 0xFFFFFF) points.push_back({x, y});
    }
  }
  return points;
}

// A wide path is one region: the union of its segments and of a cap at each
// point, which is what drawing each segment as a line of its own paints. The
// paths walk in runs of equal unit steps, as curve outlines do, with jumps
// between them; small surfaces make the stroke count its runs per column.
TEST(RasterProperties, WidePathsAreTheUnionOfTheirSegmentLines) {
  std::mt19937 random(5);
  const RasterPoint steps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
  for (int trial = 0; trial < 300; ++trial) {
    const int side = trial % 3 == 0 ? 10 : 60;
    const platform::RasterPen pen{true, 2 + static_cast<int32_t>(random() % 30), 0};
    std::vector<RasterPoint> path{{static_cast<int>(random() % side), static_cast<int>(random() % side)}};
    for (int run = static_cast<int>(random() % 6); run >= 0; --run) {
      const RasterPoint step = steps[random() % 8];
      for (int n = static_cast<int>(random() % 12); n >= 0; --n) {
        path.push_back({path.back().x + step.x, path.back().y + step.y});
      }
      if (random() % 3 == 0) path.push_back({static_cast<int>(random() % 90) - 15, static_cast<int>(random() % 90) - 15});
    }
    const bool closed = random() % 2 == 0;
    platform::Surface whole = Blank(side, side), pieces = Blank(side, side);
    platform::DrawPolyline(whole, pen, path, closed);
    const size_t segments = closed ? path.size() : path.size() - 1;
    for (size_t i = 0; i < segments; ++i) platform::DrawLine(pieces, pen, path[i], path[(i + 1) % path.size()]);
    ASSERT_EQ(whole.pixels, pieces.pixels) << "trial " << trial << ", pen " << pen.width;
  }
}

TEST(RasterProperties, LinesBackAndForthDifferOnlyInTheirEnds) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-10, 50);
  for (int trial = 0; trial < 400; ++trial) {
    const RasterPoint a{coordinate(random), coordinate(random)};
    const RasterPoint b{coordinate(random), coordinate(random)};
    platform::Surface forward = Blank(40, 40), backward = Blank(40, 40);
    const platform::RasterPen pen{true, 0, 0};
    platform::DrawLine(forward, pen, a, b);
    platform::DrawLine(backward, pen, b, a);
    if (a == b) {
      EXPECT_TRUE(Lit(forward).empty());
      continue;
    }
    // Adding each line's omitted end makes the two the same.
    for (platform::Surface* s : {&forward, &backward}) {
      const RasterPoint end = s == &forward ? b : a;
      if (s->Contains(end.x, end.y)) s->Row(end.y)[end.x] = 0;
    }
    ASSERT_EQ(forward.pixels, backward.pixels) << a.x << "," << a.y << " to " << b.x << "," << b.y;
  }
}

TEST(RasterProperties, ClippingNeverMovesPixels) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(-60, 120);
  std::uniform_int_distribution<int> widths(0, 6);
  // Mostly nearby coordinates, sometimes far ones up to the ends of the range.
  const int far[] = {INT32_MIN, INT32_MIN + 1, -1000000007, 999999937, INT32_MAX};
  auto pick = [&]() { return random() % 8 == 0 ? far[random() % 5] : coordinate(random); };
  for (int trial = 0; trial < 400; ++trial) {
    const platform::RasterPen pen{true, widths(random), 0x123456};
    const platform::RasterBrush brush = platform::HatchBrush(platform::Hatch::kCross, 0xABCDEF, true, 0x777777);
    const int l = pick(), t = pick(), r = pick(), b = pick();
    // The same drawing on a large surface placed at (0, 0) and on a small one.
    platform::Surface large = Blank(160, 160), small = Blank(37, 29);
    for (platform::Surface* s : {&large, &small}) {
      switch (trial % 4) {
        case 0: platform::DrawLine(*s, pen, {l, t}, {r, b}); break;
        case 1: platform::DrawRoundRect(*s, pen, brush, l, t, r, b, 9, 7); break;
        case 2: platform::DrawEllipse(*s, pen, brush, l, t, r, b); break;
        case 3: platform::DrawPie(*s, pen, brush, l, t, r, b, {r, t}, {l, b}); break;
      }
    }
    for (int y = 0; y < small.height; ++y) {
      for (int x = 0; x < small.width; ++x) {
        ASSERT_EQ(small.At(x, y), large.At(x, y)) << "trial " << trial << " at " << x << "," << y;
      }
    }
  }
}

TEST(RasterProperties, FilledEllipsesAreSolidAndSymmetric) {
  const platform::RasterPen pen{true, 0, 0x000001};
  const platform::RasterBrush brush = platform::SolidBrush(0x000002);
  for (int w = 1; w <= 24; ++w) {
    for (int h = 1; h <= 24; ++h) {
      platform::Surface s = Blank(w, h);
      platform::DrawEllipse(s, pen, brush, 0, 0, w, h);
      for (int y = 0; y < h; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < w; ++x) {
          ASSERT_EQ(s.At(x, y), s.At(w - 1 - x, y)) << w << "x" << h;
          ASSERT_EQ(s.At(x, y), s.At(x, h - 1 - y)) << w << "x" << h;
          if (s.At(x, y) != 0xFFFFFF) {
            if (first < 0) first = x;
            last = x;
          }
        }
        if (w == 1 && h == 1) continue;  // a 1 x 1 box draws nothing
        ASSERT_GE(first, 0) << w << "x" << h << " row " << y;  // every row has pixels, tips included
        EXPECT_EQ(s.At(first, y), 0x000001u);
        EXPECT_EQ(s.At(last, y), 0x000001u);
        for (int x = first; x <= last; ++x) ASSERT_NE(s.At(x, y), 0xFFFFFFu) << w << "x" << h << " row " << y;
      }
    }
  }
}

TEST(RasterProperties, NullPenFillsTheRegionOneSmaller) {
  const platform::RasterPen none{false, 0, 0};
  platform::Surface rectangle = Blank(8, 8);
  platform::DrawRectangle(rectangle, none, platform::SolidBrush(0), 1, 1, 6, 5);
  EXPECT_EQ(Lit(rectangle).size(), 12u);  // [1, 5) x [1, 4)
  EXPECT_EQ(rectangle.At(1, 1), 0u);
  EXPECT_EQ(rectangle.At(4, 3), 0u);
  platform::Surface ellipse = Blank(10, 8);
  platform::DrawEllipse(ellipse, none, platform::SolidBrush(0), 0, 0, 9, 7);
  ExpectPicture(ellipse, {"..XXXX....", ".XXXXXX...", "XXXXXXXX..", "XXXXXXXX..", ".XXXXXX...", "..XXXX....",
                          "..........", ".........."});
}

}  // namespace

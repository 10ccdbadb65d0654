// Canvas bitmaps: pixel buffers, block copies with every mix code, stretch
// copies (enlarging, shrinking, mirroring, clipping), bitmap files drawn into
// a canvas and bitmap canvases loaded from files. Ordinary copies, stretches
// and renders are checked pixel by pixel against GDI's own pictures in the GDI
// reference suite; this suite keeps the rules at their limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include <unistd.h>

#include "host/canvas_internal.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/session.h"
#include "platform/raster_blit.h"
#include "tests/bmp_builder.h"

using namespace ip;

namespace {

using platform::Pixel;
using Rows = std::vector<std::vector<Pixel>>;

constexpr int32_t kPlainCopy = 0xCC0020;

// A pixel buffer of the given rows (pixels 0x00RRGGBB).
std::string BufferOf(const Rows& rows) {
  int32_t width = static_cast<int32_t>(rows[0].size()), height = static_cast<int32_t>(rows.size());
  std::string buffer(8, '\0');
  std::memcpy(buffer.data(), &width, 4);
  std::memcpy(buffer.data() + 4, &height, 4);
  for (const auto& row : rows) {
    for (Pixel p : row) {
      const char bytes[4] = {static_cast<char>(p & 0xFF), static_cast<char>((p >> 8) & 0xFF),
                             static_cast<char>((p >> 16) & 0xFF), 0};
      buffer.append(bytes, 4);
    }
  }
  return buffer;
}

Rows Uniform(int width, int height, Pixel p) { return Rows(height, std::vector<Pixel>(width, p)); }

// The current canvas's pixels as rows.
Rows CurrentRows() {
  std::string bits = CanvasGetBits();
  if (bits.size() < 8) return {};
  int32_t width = 0, height = 0;
  std::memcpy(&width, bits.data(), 4);
  std::memcpy(&height, bits.data() + 4, 4);
  Rows rows(height, std::vector<Pixel>(width));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto* p = reinterpret_cast<const uint8_t*>(bits.data() + 8 + 4 * (y * width + x));
      rows[y][x] = p[0] | (p[1] << 8) | (p[2] << 16) | (Pixel{p[3]} << 24);
    }
  }
  return rows;
}

// A bitmap canvas holding `rows`, attached as the current canvas.
Handle CanvasWith(const Rows& rows) {
  Handle canvas = CreateBitmapCanvas(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()));
  EXPECT_NE(canvas, 0u);
  CanvasAttach(canvas, 0, 0);
  CanvasSetBits(BufferOf(rows));
  return canvas;
}

// A pattern with a different value in every pixel.
Rows Pattern(int width, int height) {
  Rows rows = Uniform(width, height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Pixel red = (x * 37 + y * 11 + 1) & 0xFF, green = (x * 5 + y * 71 + 3) & 0xFF, blue = (x * y + 7) & 0xFF;
      rows[y][x] = (red << 16) | (green << 8) | blue;
    }
  }
  return rows;
}

// ---------------------------------------------------------------------------
// Pixel buffers

TEST(PixelBuffer, LayoutAndRestoringASavedBuffer) {
  CanvasWith({{0x000000, 0x000000}});
  CanvasMoveTo(1, 0, 0);
  CanvasLineTo(2, 0, 0x0000FF, 0);  // COLORREF red: pixel (1, 0)
  EXPECT_EQ(CanvasGetBits(), std::string("\x02\0\0\0\x01\0\0\0" "\0\0\0\0" "\0\0\xFF\0", 16));

  CanvasWith(Pattern(9, 7));
  const std::string saved = CanvasGetBits();
  CanvasBox(1, 1, 6, 5, 0, 0x0000FF, 0xFF0000, 0);
  ASSERT_NE(CanvasGetBits(), saved);
  CanvasSetBits(saved);
  EXPECT_EQ(CanvasGetBits(), saved);
}

TEST(PixelBuffer, RefusedBuffersChangeNothing) {
  CanvasWith(Pattern(3, 2));
  const std::string before = CanvasGetBits();
  const std::string good = BufferOf(Uniform(3, 2, 0x112233));
  std::string shortBuffer = good.substr(0, good.size() - 1);
  std::string otherWidth = BufferOf(Uniform(2, 3, 0x112233));   // same byte count, other shape
  std::string otherHeight = BufferOf(Uniform(3, 1, 0x112233));
  std::string zeroSize = good;
  std::memset(zeroSize.data(), 0, 8);
  std::string negativeSize = good;
  const int32_t minusThree = -3, minusTwo = -2;
  std::memcpy(negativeSize.data(), &minusThree, 4);
  std::memcpy(negativeSize.data() + 4, &minusTwo, 4);
  for (const std::string& refused :
       {std::string(), std::string("\x03\0\0", 3), good.substr(0, 8), shortBuffer, otherWidth, otherHeight, zeroSize,
        negativeSize}) {
    CanvasSetBits(refused);
    EXPECT_EQ(CanvasGetBits(), before) << "buffer of " << refused.size() << " bytes";
  }
  // A longer buffer is taken; the extra bytes are ignored.
  CanvasSetBits(good + "extra");
  EXPECT_EQ(CanvasGetBits(), good);
  // The fourth byte of a pixel is always stored as zero, whichever pixel
  // (buffers are copied several pixels at a time, the last ones one by one).
  std::string highByte = good;
  for (size_t fourth = 11; fourth < highByte.size(); fourth += 4) highByte[fourth] = static_cast<char>(0x7F + fourth);
  CanvasSetBits(highByte);
  EXPECT_EQ(CanvasGetBits(), good);
}

TEST(PixelBuffer, WithoutACanvasNothingHappens) {
  CanvasAttach(0, 0, 0);  // no such canvas: none is current
  EXPECT_EQ(CanvasGetBits(), "");
  CanvasSetBits(BufferOf({{1}}));
  CanvasCopy(0, 0, 0);
  CanvasStretch(0, 0, 0, 0, 1, 1, 0, 0, 1, 1, 0);
  CanvasRenderBitmap("missing.bmp", 0, 0, 1, 1);
  EXPECT_EQ(CanvasGetBits(), "");
}

// ---------------------------------------------------------------------------
// Block copies

TEST(CanvasCopy, MixCodesWithoutAnOperationCopy) {
  // The codes with an operation are checked against GDI's pictures in the GDI
  // reference suite.
  Handle source = CanvasWith({{0x0F3C5A}});
  for (int32_t code : {6, 8, 10, 11, 14, -1, INT32_MIN}) {
    CanvasWith({{0x335599}});
    CanvasCopy(source, 0, code);
    EXPECT_EQ(CurrentRows(), (Rows{{0x0F3C5A}})) << "mix code " << code;
  }
}

TEST(CanvasCopy, SourceIsResolvedLikeAttachAndAMissingOneDoesNothing) {
  const Handle dialog = CreateDialogWindow(0, "copies", -1, -1, 100, 100, 0, 0, kUnitsPixels);
  ASSERT_NE(dialog, 0u);
  AddCanvasControl(dialog, 12, 0, 0, 2, 1, 0, 0, nullptr, "");
  CanvasAttach(dialog, 12, kAttachRedrawOnRequest);
  CanvasSetBits(BufferOf({{0x010203, 0x040506}}));
  Handle bitmap = CanvasWith({{0xAAAAAA, 0xBBBBBB}});

  CanvasCopy(dialog, 12, 0);  // the control of the dialog
  EXPECT_EQ(CurrentRows(), (Rows{{0x010203, 0x040506}}));
  Handle other = CanvasWith({{0x777777, 0x888888}});
  CanvasAttach(bitmap, 0, 0);
  CanvasCopy(other, 55, 0);  // no such control: the owner handle itself
  EXPECT_EQ(CurrentRows(), (Rows{{0x777777, 0x888888}}));
  CanvasCopy(dialog, 99, 0);  // the dialog is not a canvas
  CanvasCopy(0, 0, 0);
  CanvasCopy(0xFFFFFFF0u, 0, 0);
  EXPECT_EQ(CurrentRows(), (Rows{{0x777777, 0x888888}}));
  EndDialogWindow(dialog, 0);
}

TEST(CanvasCopy, ACanvasCopiedOntoItself) {
  Handle canvas = CanvasWith(Pattern(3, 3));
  CanvasCopy(canvas, 0, kPlainCopy);
  EXPECT_EQ(CurrentRows(), Pattern(3, 3));
  CanvasCopy(canvas, 0, 7);
  EXPECT_EQ(CurrentRows(), Uniform(3, 3, 0));
}

// ---------------------------------------------------------------------------
// Stretch copies through the canvas operation

TEST(CanvasStretch, ZeroExtentAndNonFiniteCornersDrawNothing) {
  Handle source = CanvasWith(Pattern(4, 4));
  Rows before = Uniform(4, 4, 0x123456);
  CanvasWith(before);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  CanvasStretch(source, 0, 0, 0, 3, 3, 2, 0, 1, 3, kPlainCopy);  // width 1 - 2 + 1 = 0
  CanvasStretch(source, 0, nan, 0, 3, 3, 0, 0, 3, 3, kPlainCopy);
  CanvasStretch(source, 0, 0, 0, 3, 3, -inf, 0, inf, 3, kPlainCopy);
  CanvasStretch(source, 0, 0, 0, 3, 3, 0, nan, 3, 3, kPlainCopy);
  EXPECT_EQ(CurrentRows(), before);
}

TEST(CanvasStretch, HugeRectanglesFarOffTheCanvasAreClippedCheaply) {
  Handle source = CanvasWith(Pattern(4, 4));
  CanvasWith(Uniform(4, 4, 0));
  const Rows p = Pattern(4, 4);
  // 4 pixels enlarged to 2e9 + 1: the visible ones sit half-way, where
  // destination step 1e9 is an exact tie (source 1) and the next ones take 2.
  CanvasStretch(source, 0, 0, 0, 3, 3, -1e9f, -1e9f, 1e9f, 1e9f, kPlainCopy);
  Rows result = CurrentRows();
  EXPECT_EQ(result[0][0], p[1][1]);
  EXPECT_EQ(result[1][1], p[2][2]);
  EXPECT_EQ(result[3][3], p[2][2]);
  // 2e9 + 1 source pixels shrunk to 4: destination 1 takes source column 0 (and
  // half a billion columns off the bitmap), 2 takes columns 1..3; 0 and 3 are fed
  // only from outside and stay untouched.
  CanvasWith(Uniform(4, 4, 0xEEEEEE));
  CanvasStretch(source, 0, -1e9f, -1e9f, 1e9f, 1e9f, 0, 0, 3, 3, kPlainCopy);
  result = CurrentRows();
  Pixel middle = 0xFFFFFF;
  for (int y = 1; y < 4; ++y) {
    for (int x = 1; x < 4; ++x) middle &= p[y][x];
  }
  EXPECT_EQ(result[1][1], p[0][0]);
  EXPECT_EQ(result[2][2], middle);
  EXPECT_EQ(result[0][0], 0xEEEEEEu);
  EXPECT_EQ(result[3][3], 0xEEEEEEu);
}

TEST(CanvasStretch, ACanvasStretchedOntoItselfReadsTheUnchangedPicture) {
  Handle canvas = CanvasWith({{1, 2, 3, 4}});
  CanvasStretch(canvas, 0, 0, 0, 1, 0, 0, 0, 3, 0, kPlainCopy);
  EXPECT_EQ(CurrentRows(), (Rows{{1, 1, 2, 2}}));
}

// ---------------------------------------------------------------------------
// The stretch rule on surfaces

platform::Surface Row(const std::vector<Pixel>& pixels) {
  platform::Surface s = platform::MakeSurface(static_cast<int>(pixels.size()), 1, 0);
  s.pixels = pixels;
  return s;
}

std::vector<Pixel> Stretched(const std::vector<Pixel>& source, int destX, int destWidth, int destSize,
                             int sourceX, int sourceWidth) {
  platform::Surface dest = platform::MakeSurface(destSize, 1, 0xEEEEEE);
  platform::StretchCopy(dest, destX, 0, destWidth, 1, Row(source), sourceX, 0, sourceWidth, 1,
                        platform::RasterOp::kSrcCopy);
  return dest.pixels;
}

TEST(StretchRule, EnlargeShrinkMirrorAndClip) {
  constexpr Pixel E = 0xEEEEEE;  // an untouched destination pixel
  const std::vector<Pixel> s7 = {0xF0F0F1, 0xFFFFF3, 0x0F0F0F, 0x3F3F3F, 0xFFFF0F, 0xAAAAAA, 0x0000FF};
  const std::vector<Pixel> s5 = {0x0F, 0x3C, 0xF0, 0x33, 0xCC};
  struct Case {
    const char* what;
    std::vector<Pixel> source;
    int destX, destWidth, destSize, sourceX, sourceWidth;
    std::vector<Pixel> expected;
  };
  const Case cases[] = {
      {"3 to 7 picks ceil((2i + 1) s / 2d) - 1", {10, 11, 12}, 0, 7, 7, 0, 3, {10, 10, 11, 11, 11, 12, 12}},
      {"2 to 3: the exact tie takes the lower index", {10, 11}, 0, 3, 3, 0, 2, {10, 10, 11}},
      {"7 to 3 ands each group", s7, 0, 3, 3, 0, 7, {s7[0] & s7[1], s7[2] & s7[3] & s7[4], s7[5] & s7[6]}},
      {"3 to 1 drops the last source pixel", {0xF0, 0x3C, 0x0F}, 0, 1, 1, 0, 3, {0xF0 & 0x3C}},
      {"destination width -3 from x = 4 covers 2..4 mirrored", {1, 2, 3}, 4, -3, 6, 0, 3, {E, E, 3, 2, 1, E}},
      {"mirrored source", {1, 2, 3}, 0, 3, 3, 2, -3, {3, 2, 1}},
      {"both mirrored: groups counted from the far corner", s5, 1, -2, 2, 4, -5, {s5[1] & s5[0], s5[4] & s5[3] & s5[2]}},
      {"5 to 2 unmirrored", s5, 0, 2, 2, 0, 5, {s5[0] & s5[1] & s5[2], s5[3] & s5[4]}},
      {"source one past the bitmap: the last group is left alone", {1, 3, 6, 8}, 0, 4, 4, 0, 5, {1, 3 & 6, 8, E}},
      {"enlarging from left of the bitmap", {5, 6}, 0, 6, 6, -1, 3, {E, E, 5, 5, 6, 6}},
      {"equal extents clipped left", {1, 2, 3, 4}, -1, 4, 4, 0, 4, {2, 3, 4, E}},
      {"equal extents clipped right", {1, 2, 3, 4}, 1, 4, 4, 0, 4, {E, 1, 2, 3}},
      {"equal extents past the source", {1, 2, 3, 4}, 0, 4, 4, 2, 4, {3, 4, E, E}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Stretched(c.source, c.destX, c.destWidth, c.destSize, c.sourceX, c.sourceWidth), c.expected);
  }
  // A 2 x 2 square shrunk to one pixel keeps only its top-left pixel.
  platform::Surface square = platform::MakeSurface(2, 2, 0);
  square.pixels = {0x11, 0x22, 0x44, 0x88};
  platform::Surface dest = platform::MakeSurface(1, 1, 0xFF);
  platform::StretchCopy(dest, 0, 0, 1, 1, square, 0, 0, 2, 2, platform::RasterOp::kSrcCopy);
  EXPECT_EQ(dest.pixels[0], 0x11u);
}

TEST(BlockCopyRule, ClipsAgainstBothSurfacesAndIgnoresBadSizes) {
  platform::Surface source = platform::MakeSurface(3, 3, 0);
  for (int i = 0; i < 9; ++i) source.pixels[i] = static_cast<Pixel>(i + 1);
  platform::Surface dest = platform::MakeSurface(3, 3, 0xEE);
  platform::BlockCopy(dest, 1, -1, 5, 5, source, 0, 0, platform::RasterOp::kSrcCopy);
  EXPECT_EQ(dest.pixels, (std::vector<Pixel>{0xEE, 4, 5, 0xEE, 7, 8, 0xEE, 0xEE, 0xEE}));
  platform::Surface untouched = dest;
  platform::BlockCopy(dest, 0, 0, -2, 3, source, 0, 0, platform::RasterOp::kSrcCopy);
  platform::BlockCopy(dest, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, source, INT32_MIN, INT32_MIN,
                      platform::RasterOp::kSrcCopy);
  platform::BlockCopy(dest, INT32_MIN, 0, INT32_MAX, 3, source, INT32_MAX, 0, platform::RasterOp::kSrcCopy);
  EXPECT_EQ(dest.pixels, untouched.pixels);
}

// ---------------------------------------------------------------------------
// Repaints after copies, stretches and new pixel buffers

TEST(CanvasRepaint, ImmediateCanvasesRepaintAfterEachChangeOnRequestOnlyOnRedraw) {
  StartHeadlessSession(HeadlessSettings{});
  const Handle dialog = CreateDialogWindow(0, "repaint", -1, -1, 100, 100, 0xB0000, 0, kUnitsPixels);
  AddCanvasControl(dialog, 101, 10, 20, 4, 2, 0, 0, nullptr, "");
  const Handle red = CanvasWith(Uniform(4, 2, 0xFF0000));
  CanvasAttach(dialog, 101, 0);  // every operation repaints
  const int64_t before = CanvasRepaintCount();
  CanvasCopy(red, 0, kPlainCopy);
  CanvasStretch(red, 0, 0, 0, 1, 1, 0, 0, 3, 1, kPlainCopy);
  CanvasSetBits(BufferOf(Uniform(4, 2, 0x00FF00)));
  EXPECT_EQ(CanvasRepaintCount(), before + 3);
  CanvasAttach(dialog, 101, kAttachRedrawOnRequest);
  CanvasCopy(red, 0, kPlainCopy);
  CanvasSetBits(BufferOf(Uniform(4, 2, 0x123456)));
  EXPECT_EQ(CanvasRepaintCount(), before + 3);
  CanvasRedraw();
  EXPECT_EQ(CanvasRepaintCount(), before + 4);
  EndDialogWindow(dialog, 0);
}

// ---------------------------------------------------------------------------
// Bitmap files

class BitmapFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() /
            ("ip_bitmaps_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(root_ / "work");
    std::filesystem::create_directories(root_ / "search");
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(root_ / "work");
  }
  void TearDown() override {
    SetBitmapSearchFolder("");
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(root_);
  }
  void Write(const std::filesystem::path& path, const Rows& rows) {
    ASSERT_TRUE(bmp_builder::WriteFile(path.string(), bmp_builder::Build(bmp_builder::Picture24(rows))));
  }
  std::filesystem::path root_, previous_;
};

TEST_F(BitmapFiles, ReversedOrNonFiniteCornersBadSizesOrAMissingFileDrawAndLoadNothing) {
  Write("p.bmp", Pattern(3, 2));
  Rows before = Uniform(5, 5, 0x0A0B0C);
  CanvasWith(before);
  CanvasRenderBitmap("p.bmp", 3, 0, 1, 2);
  CanvasRenderBitmap("p.bmp", 0, 0, std::nanf(""), 2);
  CanvasRenderBitmap("p.bmp", -3e9f, 0, 3e9f, 2);
  CanvasRenderBitmap("absent.bmp", 0, 0, 2, 2);
  CanvasRenderBitmap("", 0, 0, 2, 2);
  EXPECT_EQ(CurrentRows(), before);
  // Loading fails the same way, and for sizes that are not a canvas.
  EXPECT_EQ(LoadBitmapCanvas("", 2, 2), 0u);
  EXPECT_EQ(LoadBitmapCanvas("absent.bmp", 2, 2), 0u);
  EXPECT_EQ(LoadBitmapCanvas("p.bmp", 0, 2), 0u);
  EXPECT_EQ(LoadBitmapCanvas("p.bmp", 2, -1), 0u);
  EXPECT_EQ(LoadBitmapCanvas("p.bmp", 100000, 100000), 0u);
  EXPECT_NE(LoadBitmapCanvas("p.bmp", 2, 2), 0u);
}

TEST_F(BitmapFiles, TheWorkingDirectoryComesBeforeTheSearchFolderAndNamesNeedNoDot) {
  Write(root_ / "search" / "face.bmp", Uniform(1, 1, 0x0000FF));
  CanvasWith(Uniform(1, 1, 0));
  CanvasRenderBitmap("face.bmp", 0, 0, 0, 0);
  EXPECT_EQ(CurrentRows(), Uniform(1, 1, 0));  // no search folder yet
  SetBitmapSearchFolder((root_ / "search").string());
  CanvasRenderBitmap("face.bmp", 0, 0, 0, 0);
  EXPECT_EQ(CurrentRows(), Uniform(1, 1, 0x0000FF));
  Write("face.bmp", Uniform(1, 1, 0xFF0000));
  CanvasRenderBitmap("face.bmp", 0, 0, 0, 0);
  EXPECT_EQ(CurrentRows(), Uniform(1, 1, 0xFF0000));
  // A name without a dot is found as a file.
  Write("picture", Uniform(1, 1, 0x00FF00));
  CanvasRenderBitmap("picture", 0, 0, 0, 0);
  EXPECT_EQ(CurrentRows(), Uniform(1, 1, 0x00FF00));
}

TEST_F(BitmapFiles, LoadBitmapCanvasMakesACanvasOfTheRequestedSizeAndKeepsTheCurrentOne) {
  Write("two.bmp", {{0x000000, 0x0000FF}});
  Handle current = CanvasWith(Uniform(1, 1, 0x555555));
  Handle loaded = LoadBitmapCanvas("two.bmp", 4, 2);
  ASSERT_NE(loaded, 0u);
  EXPECT_NE(loaded, current);
  EXPECT_EQ(CurrentRows(), Uniform(1, 1, 0x555555));  // still the same current canvas
  CanvasAttach(loaded, 0, 0);
  EXPECT_EQ(CanvasGetSize(), (IntPair{4, 2}));
  // Bilinear at 0, 0.5, 1, 1.5: 127.5 rounds up.
  EXPECT_EQ(CurrentRows(), (Rows{{0x000000, 0x000080, 0x0000FF, 0x0000FF}, {0x000000, 0x000080, 0x0000FF, 0x0000FF}}));
  // A bitmap canvas has the default drawing state and can be drawn on.
  CanvasMoveTo(0, 1, 0);
  CanvasLineTo(1, 1, 0x00FF00, 0);
  EXPECT_EQ(CurrentRows()[1][0], 0x00FF00u);
}

}  // namespace

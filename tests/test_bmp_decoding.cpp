// BMP decoding: every supported format gives the right pixels, broken files
// load nothing (and never crash), and pictures are scaled the way the
// system's loader scales them.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "platform/bmp_file.h"
#include "platform/raster_picture.h"
#include "tests/bmp_builder.h"

using namespace ip;

namespace {

using bmp_builder::Build;
using bmp_builder::Spec;
using platform::Pixel;

constexpr Pixel kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

bool Decode(const std::vector<uint8_t>& bytes, platform::BmpPicture& picture) {
  return platform::DecodeBmp(bytes.data(), bytes.size(), picture);
}

// Decodes and returns the rows from the top; fails the test if it does not decode.
std::vector<std::vector<Pixel>> DecodedRows(const Spec& spec) {
  platform::BmpPicture picture;
  EXPECT_TRUE(Decode(Build(spec), picture));
  std::vector<std::vector<Pixel>> rows;
  for (int y = 0; y < picture.pixels.height; ++y) {
    const Pixel* row = picture.pixels.Row(y);
    rows.emplace_back(row, row + picture.pixels.width);
  }
  return rows;
}

using bmp_builder::Picture;
using Rows = std::vector<std::vector<Pixel>>;

// ---------------------------------------------------------------------------
// Formats

TEST(BmpFormats, TwentyFourBitsBottomUpAndTopDown) {
  const Rows picture = {{kRed, kGreen, kBlue}, {0x123456, kWhite, 0x0A0B0C}};
  Spec spec = bmp_builder::Picture24(picture);
  EXPECT_EQ(DecodedRows(spec), picture);
  spec.topDown = true;
  EXPECT_EQ(DecodedRows(spec), picture);
}

TEST(BmpFormats, PalettedDepthsIncludingOddWidthsAndPadding) {
  // 1 bit: 9 pixels, so the row crosses a byte.
  Spec one = Picture(1, {{1, 0, 1, 1, 0, 0, 0, 1, 1}, {0, 1, 0, 0, 1, 1, 1, 0, 0}}, {kBlack, kWhite});
  EXPECT_EQ(DecodedRows(one), (Rows{{kWhite, kBlack, kWhite, kWhite, kBlack, kBlack, kBlack, kWhite, kWhite},
                                    {kBlack, kWhite, kBlack, kBlack, kWhite, kWhite, kWhite, kBlack, kBlack}}));
  Spec four = Picture(4, {{4, 3, 2}, {1, 0, 4}}, {kBlack, kRed, kGreen, kBlue, 0x808080});
  EXPECT_EQ(DecodedRows(four), (Rows{{0x808080, kBlue, kGreen}, {kRed, kBlack, 0x808080}}));
  Spec eight = Picture(8, {{7, 200}, {255, 0}});
  for (uint32_t i = 0; i < 256; ++i) eight.palette.push_back(i * 0x010101);
  eight.topDown = true;
  EXPECT_EQ(DecodedRows(eight), (Rows{{0x070707, 0xC8C8C8}, {kWhite, kBlack}}));
  // A short palette announced by colorsUsed; indexes past it give black.
  Spec shortPalette = Picture(8, {{0, 1, 2, 255}}, {kRed, kGreen});
  shortPalette.colorsUsed = 2;
  EXPECT_EQ(DecodedRows(shortPalette), (Rows{{kRed, kGreen, kBlack, kBlack}}));
}

TEST(BmpFormats, SixteenBitsDefault555AndBitfields565ExpandToFullRange) {
  // 0x7C00 red 31, 0x03E0 green 31, 5-bit 16 in blue -> (16 << 3) | (16 >> 2) = 132.
  EXPECT_EQ(DecodedRows(Picture(16, {{0x7C00, 0x03E0, 0x0010}})), (Rows{{kRed, kGreen, 132}}));
  // Six bits of green: 32 -> (32 << 2) | (32 >> 4) = 130.
  EXPECT_EQ(DecodedRows(Picture(16, {{0xF800, 0x0400, 0x001F}}, {}, {0xF800, 0x07E0, 0x001F})),
            (Rows{{kRed, 130 << 8, kBlue}}));
}

TEST(BmpFormats, ThirtyTwoBitsRgbIgnoresTheFourthByteAndBitfieldsReorder) {
  EXPECT_EQ(DecodedRows(Picture(32, {{0xFF123456, 0x00ABCDEF}})), (Rows{{0x123456, 0xABCDEF}}));
  // Red in the low byte.
  EXPECT_EQ(DecodedRows(Picture(32, {{0xFF123456, 0x00ABCDEF}}, {}, {0x000000FF, 0x0000FF00, 0x00FF0000})),
            (Rows{{0x563412, 0xEFCDAB}}));
}

TEST(BmpFormats, CoreHeaderWithThreeBytePalette) {
  Spec spec = Picture(8, {{1, 0}, {0, 1}}, {kBlue, kRed});
  spec.headerSize = 12;
  EXPECT_EQ(DecodedRows(spec), (Rows{{kRed, kBlue}, {kBlue, kRed}}));
  Spec plain = bmp_builder::Picture24({{0x010203, 0x040506}});
  plain.headerSize = 12;
  EXPECT_EQ(DecodedRows(plain), (Rows{{0x010203, 0x040506}}));
}

TEST(BmpFormats, V2ToV5HeadersWithMasksInsideTheHeader) {
  for (uint32_t size : {52u, 56u, 108u, 124u}) {
    // R, G, B, x from the top byte.
    Spec spec = Picture(32, {{0x11223300}, {0xAABBCC00}}, {}, {0xFF000000, 0x00FF0000, 0x0000FF00});
    spec.headerSize = size;
    spec.topDown = size == 124;
    EXPECT_EQ(DecodedRows(spec), (Rows{{0x112233}, {0xAABBCC}})) << "header size " << size;
  }
}

// ---------------------------------------------------------------------------
// Broken files

struct BrokenFile {
  const char* what;
  std::vector<uint8_t> bytes;
};

std::vector<uint8_t> Valid24() { return Build(bmp_builder::Picture24({{kRed, kGreen, kBlue}, {kBlue, kGreen, kRed}})); }

std::vector<uint8_t> With32(std::vector<uint8_t> bytes, size_t at, uint32_t value) {
  bmp_builder::Put32(bytes, at, value);
  return bytes;
}
std::vector<uint8_t> With16(std::vector<uint8_t> bytes, size_t at, uint32_t value) {
  bmp_builder::Put16(bytes, at, value);
  return bytes;
}
std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

std::vector<BrokenFile> BrokenCorpus() {
  const std::vector<uint8_t> valid = Valid24();
  auto withColorsUsed = [](Spec spec, uint32_t count) {
    spec.colorsUsed = count;
    return Build(spec);
  };
  // Every cut of a valid file is refused too (see below); a few go through
  // the file-loading operations as well.
  return {
      {"empty file", {}},
      {"truncated info header", Cut(valid, 30)},
      {"pixels missing", Cut(valid, 54)},
      {"wrong magic", With16(valid, 0, 0x4D43)},
      {"zero width", With32(valid, 18, 0)},
      {"zero height", With32(valid, 22, 0)},
      {"negative width", With32(valid, 18, static_cast<uint32_t>(-3))},
      {"most negative height", With32(valid, 22, 0x80000000u)},
      {"huge dimensions", With32(With32(valid, 18, 100000), 22, 100000)},
      {"width too large for memory", With32(valid, 18, 0x7FFFFFFF)},
      {"pixel offset past the end", With32(valid, 10, 0xFFFFFF00u)},
      {"pixel offset inside the header", With32(valid, 10, 20)},
      {"unknown header size", With32(valid, 14, 64)},
      {"header size past the end", With32(valid, 14, 124)},
      {"two planes", With16(valid, 26, 2)},
      {"unsupported depth", With16(valid, 28, 2)},
      {"zero depth", With16(valid, 28, 0)},
      {"run-length compression", With32(valid, 30, 1)},
      {"unknown compression", With32(valid, 30, 99)},
      {"bitfields on 24 bits", With32(valid, 30, bmp_builder::kBitfields)},
      {"bitfield of zero", Build(Picture(16, {{0}}, {}, {0xF800, 0x07E0, 0}))},
      {"bitfield wider than the pixel", Build(Picture(16, {{0}}, {}, {0xF800, 0x07E0, 0x1F0000}))},
      {"palette too long", withColorsUsed(Picture(8, {{0}}, {kRed}), 257)},
      {"one-bit palette too long", withColorsUsed(Picture(1, {{0}}, {kRed, kGreen}), 3)},
      {"no palette", Build(Picture(8, {{0}}))},  // no room for a palette before the pixels
      {"colour count past the pixel offset", withColorsUsed(Picture(8, {{0}}, {kRed}), 2)},
  };
}

TEST(BmpBrokenFiles, EachDecodesToNothing) {
  for (const BrokenFile& file : BrokenCorpus()) {
    platform::BmpPicture picture;
    picture.bitsPerPixel = 77;
    EXPECT_FALSE(Decode(file.bytes, picture)) << file.what;
    EXPECT_TRUE(picture.pixels.Empty()) << file.what;
    EXPECT_EQ(picture.bitsPerPixel, 77) << file.what;  // untouched
  }
}

TEST(BmpBrokenFiles, EveryTruncationOfAValidFileFails) {
  for (const std::vector<uint8_t>& valid :
       {Valid24(), Build(Picture(4, {{0, 1, 2}, {2, 1, 0}}, {kRed, kGreen, kBlue}))}) {
    platform::BmpPicture picture;
    ASSERT_TRUE(Decode(valid, picture));
    for (size_t size = 0; size < valid.size(); ++size) {
      EXPECT_FALSE(platform::DecodeBmp(valid.data(), size, picture)) << "cut at " << size;
    }
  }
}

class BmpFileFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("ip_bmp_decoding_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = (folder_ / name).string();
    EXPECT_TRUE(bmp_builder::WriteFile(path, bytes));
    return path;
  }
  std::filesystem::path folder_;
};

TEST_F(BmpFileFolder, BrokenFilesLoadNothingThroughTheCanvasOperations) {
  Handle canvas = CreateBitmapCanvas(6, 4);
  ASSERT_NE(canvas, 0u);
  CanvasAttach(canvas, 0, 0);
  const std::string before = CanvasGetBits();
  int index = 0;
  for (const BrokenFile& file : BrokenCorpus()) {
    std::string path = Write("broken" + std::to_string(index++) + ".bmp", file.bytes);
    EXPECT_EQ(LoadBitmapCanvas(path, 5, 3), 0u) << file.what;
    CanvasRenderBitmap(path, 0, 0, 5, 3);
    EXPECT_EQ(CanvasGetBits(), before) << file.what;
  }
  // The program goes on: a good file still loads.
  std::string good = Write("good.bmp", Valid24());
  EXPECT_NE(LoadBitmapCanvas(good, 3, 2), 0u);
}

TEST_F(BmpFileFolder, ReadingFailsForAHugePixelOffsetOrNoFileAndIgnoresTrailingBytes) {
  platform::BmpPicture picture;
  std::string path = Write("far.bmp", With32(Valid24(), 10, 0xFFFFFFF0u));
  EXPECT_FALSE(platform::ReadBmpFile(path, picture));
  EXPECT_FALSE(platform::ReadBmpFile((folder_ / "absent.bmp").string(), picture));
  EXPECT_FALSE(platform::ReadBmpFile(folder_.string(), picture));  // a folder, not a file
  // Trailing bytes after the pixels are ignored.
  std::vector<uint8_t> bytes = Valid24();
  bytes.resize(bytes.size() + 5000, 0xEE);
  ASSERT_TRUE(platform::ReadBmpFile(Write("long.bmp", bytes), picture));
  EXPECT_EQ(picture.pixels.At(2, 0), kBlue);
}

// Mutates header bytes of valid files thousands of times with a fixed seed:
// the decoder must never crash or read out of bounds (the sanitizer build
// checks the latter), and whatever it accepts is a sane picture.
TEST(BmpRobustness, RandomHeaderMutationsNeverCrash) {
  const std::vector<std::vector<uint8_t>> seeds = {Valid24(), Build(Picture(8, {{0, 1}, {1, 0}}, {kRed, kGreen})),
                                                   Build(Picture(16, {{1, 2}, {3, 4}}, {}, {0xF800, 0x07E0, 0x001F}))};
  std::mt19937 random(20240611);
  int accepted = 0;
  for (int round = 0; round < 6000; ++round) {
    std::vector<uint8_t> bytes = seeds[round % seeds.size()];
    int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits; ++e) {
      size_t at = random() % std::min<size_t>(bytes.size(), 70);
      bytes[at] = static_cast<uint8_t>(random());
    }
    if (random() % 5 == 0) bytes.resize(random() % (bytes.size() + 1));
    platform::BmpPicture picture;
    if (Decode(bytes, picture)) {
      ++accepted;
      ASSERT_FALSE(picture.pixels.Empty());
      ASSERT_EQ(picture.pixels.pixels.size(),
                static_cast<size_t>(picture.pixels.width) * static_cast<size_t>(picture.pixels.height));
      ASSERT_LE(static_cast<int64_t>(picture.pixels.pixels.size()), platform::kMaxSurfacePixels);
    }
  }
  // Most single-byte edits of colour or unused fields keep the file valid.
  EXPECT_GT(accepted, 100);
}

// ---------------------------------------------------------------------------
// Scaling

platform::BmpPicture PictureOf(const Rows& rows, int bits) {
  platform::BmpPicture picture;
  picture.bitsPerPixel = bits;
  picture.pixels = platform::MakeSurface(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 0);
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size(); ++x) picture.pixels.Row(static_cast<int>(y))[x] = rows[y][x];
  }
  return picture;
}

Rows RowsOf(const platform::Surface& s) {
  Rows rows;
  for (int y = 0; y < s.height; ++y) rows.emplace_back(s.Row(y), s.Row(y) + s.width);
  return rows;
}

TEST(BmpScaling, BilinearSamplesAtTopLeftAlignedPositionsAndRoundsHalvesUp) {
  // Positions 0, 0.5, 1, 1.5: the last is clamped to the right edge.
  platform::BmpPicture picture = PictureOf({{0x0A1400, 0x153C01}}, 24);
  EXPECT_EQ(RowsOf(platform::ScalePicture(picture, 4, 1)),
            (Rows{{0x0A1400, 0x102801, 0x153C01, 0x153C01}}));  // 15.5 -> 16, 40 -> 40, 0.5 -> 1
}

TEST(BmpScaling, BilinearInterpolatesAlongXFirstThenY) {
  // 2 x 2 to 4 x 4. At (1, 1), sampled at (0.5, 0.5): the top row gives
  // 0.5 -> 1, the bottom row 0, then 0.5 -> 1. Rounding only at the end
  // would give 0.25 -> 0.
  platform::BmpPicture picture = PictureOf({{0x000000, 0x000001}, {0x000000, 0x0000FF}}, 32);
  platform::Surface scaled = platform::ScalePicture(picture, 4, 4);
  EXPECT_EQ(scaled.At(1, 0), 0x000001u);
  EXPECT_EQ(scaled.At(0, 1), 0x000000u);
  EXPECT_EQ(scaled.At(1, 2), 0x000080u);  // 127.5 -> 128
  EXPECT_EQ(scaled.At(1, 1), 0x000041u);  // (1 + 128) / 2 = 64.5 -> 65
  EXPECT_EQ(scaled.At(3, 3), 0x0000FFu);  // clamped corner
}

TEST(BmpScaling, OneBitPicturesShrinkWithTheAndRuleSoBlackWins) {
  platform::BmpPicture picture = PictureOf({{kWhite, kBlack, kWhite, kWhite}}, 1);
  EXPECT_EQ(RowsOf(platform::ScalePicture(picture, 2, 1)), (Rows{{kBlack, kWhite}}));
  EXPECT_EQ(RowsOf(platform::ScalePicture(picture, 8, 1)),
            (Rows{{kWhite, kWhite, kBlack, kBlack, kWhite, kWhite, kWhite, kWhite}}));
}

// A window of a scaled picture is exactly that part of the whole scaled
// picture, for every kind of scaling.
TEST(BmpScaling, AWindowIsThatPartOfTheWholePicture) {
  std::mt19937 random(3);
  for (int trial = 0; trial < 200; ++trial) {
    const int sourceWidth = 1 + static_cast<int>(random() % 12), sourceHeight = 1 + static_cast<int>(random() % 9);
    Rows rows(static_cast<size_t>(sourceHeight), std::vector<platform::Pixel>(static_cast<size_t>(sourceWidth)));
    for (auto& row : rows) {
      for (platform::Pixel& p : row) p = random() & 0xFFFFFF;
    }
    const int bits = trial % 4 == 0 ? 1 : 24;
    const platform::BmpPicture picture = PictureOf(rows, bits);
    const int width = trial % 5 == 0 ? sourceWidth : 1 + static_cast<int>(random() % 40);
    const int height = 1 + static_cast<int>(random() % 30);
    const platform::Surface whole = platform::ScalePicture(picture, width, height);
    platform::PictureWindow window;
    window.x = static_cast<int>(random() % width);
    window.y = static_cast<int>(random() % height);
    window.width = 1 + static_cast<int>(random() % (width - window.x));
    window.height = 1 + static_cast<int>(random() % (height - window.y));
    const platform::Surface part = platform::ScalePictureWindow(picture, width, height, window);
    ASSERT_EQ(part.width, window.width);
    ASSERT_EQ(part.height, window.height);
    for (int y = 0; y < part.height; ++y) {
      for (int x = 0; x < part.width; ++x) {
        ASSERT_EQ(part.At(x, y), whole.At(window.x + x, window.y + y)) << "trial " << trial << " at " << x << "," << y;
      }
    }
  }
  const platform::BmpPicture picture = PictureOf({{1, 2}, {3, 4}}, 24);
  for (const platform::PictureWindow& outside : {platform::PictureWindow{0, 0, 0, 1}, platform::PictureWindow{3, 0, 2, 1},
                                                 platform::PictureWindow{-1, 0, 2, 2}, platform::PictureWindow{0, 0, 5, 6}}) {
    EXPECT_TRUE(platform::ScalePictureWindow(picture, 4, 5, outside).Empty());
  }
}

// Sampling positions are sums of float steps; a window far along a picture
// starts where the sum one step at a time would be, including where a step
// has become too small to move it.
TEST(BmpScaling, FloatStepSumsMatchAddingOneStepAtATime) {
  // 11/16 and 21/32 are 5.5 and 10.5 times the spacing of floats from 2^20
  // and 2^19 on: there sums fall half-way between floats.
  const float steps[] = {9.0f / 52151699.0f, 13.0f / 7.0f, 37.0f / 9.0f, 0.1f, 3.0f, 1.0f / 3.0f, 65535.0f / 3.0f,
                         1.0e-7f, 0.75f, 40.0f / 1000003.0f, 11.0f / 16.0f, 21.0f / 32.0f};
  constexpr int64_t kSteps = 3000000;
  for (const float step : steps) {
    float position = 0;
    for (int64_t count = 0; count <= kSteps; ++count) {
      if (count < 3000 || count % 4999 == 0) {
        ASSERT_EQ(platform::SumOfFloatSteps(step, count), position) << step << " x " << count;
      }
      position += step;
    }
  }
  // 9 pixels shown 52 million wide: the sum stops at 4, where a step is
  // less than half the spacing of floats.
  EXPECT_EQ(platform::SumOfFloatSteps(9.0f / 52151699.0f, 52151588), 4.0f);
  EXPECT_EQ(platform::SumOfFloatSteps(2.0f, int64_t{1} << 40), 33554432.0f);  // 2^25: 2 is half the spacing there
}

TEST(BmpScaling, SameSizeIsUnchangedAndBadSizesGiveNothing) {
  platform::BmpPicture picture = PictureOf({{1, 2}, {3, 4}}, 8);
  EXPECT_EQ(RowsOf(platform::ScalePicture(picture, 2, 2)), (Rows{{1, 2}, {3, 4}}));
  EXPECT_TRUE(platform::ScalePicture(picture, 0, 2).Empty());
  EXPECT_TRUE(platform::ScalePicture(picture, 3, -1).Empty());
  EXPECT_TRUE(platform::ScalePicture(picture, 1 << 20, 1 << 20).Empty());
  EXPECT_TRUE(platform::ScalePicture(platform::BmpPicture{}, 3, 3).Empty());
}

}  // namespace

// Fonts and text on the canvas: face mapping and metrics, the current
// position, font clamps, the opaque text cell, underline and strike-out,
// Windows-1252 bytes, and the behaviour without a current canvas. Transparent
// text in the panel's faces and sizes, and where glyphs sit on the baseline,
// are checked exactly by the panel's golden pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "host/canvas_internal.h"
#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "platform/font.h"
#include "platform/font_face.h"

using namespace ip;

namespace {

using platform::Pixel;

constexpr uint32_t kRed = 0x0000FF;    // COLORREF
constexpr uint32_t kGreen = 0x00FF00;  // COLORREF
constexpr Pixel kBlackPixel = 0x000000;

// A fresh bitmap canvas, attached as the current canvas.
Handle AttachNewCanvas(int width, int height) {
  Handle canvas = CreateBitmapCanvas(width, height);
  CanvasAttach(canvas, 0, kAttachRedrawOnRequest);
  return canvas;
}

CanvasState& Current() {
  return CurrentCanvasRecord()->canvas;
}

void SetTextColors(uint32_t fore, int32_t back) {
  CanvasSetForeColor(static_cast<ColorRef>(fore));
  CanvasSetBackColor(back);
}

// Puts the current position anywhere in the 32-bit range (CanvasMoveTo takes
// float coordinates, which cannot name every such position).
void SetPosition(int32_t x, int32_t y) {
  Current().currentX = x;
  Current().currentY = y;
}

std::shared_ptr<const platform::Font> Open(const std::string& name, int emPixels, bool bold = false,
                                           bool italic = false) {
  platform::FontRequest request;
  request.faceName = name;
  request.emPixels = emPixels;
  request.bold = bold;
  request.italic = italic;
  return platform::OpenFont(request);
}

std::string FileName(const platform::Font& font) {
  std::string path = platform::FontFilePath(font);
  return path.substr(path.find_last_of('/') + 1);
}

// True when `got` is `over` laid on `under` with some coverage 1..255
// (each channel rounded to nearest).
bool IsBlendOf(Pixel under, Pixel over, Pixel got) {
  for (uint32_t a = 1; a <= 255; ++a) {
    bool all = true;
    for (int shift = 0; shift <= 16 && all; shift += 8) {
      uint32_t u = (under >> shift) & 0xFF, o = (over >> shift) & 0xFF;
      all = ((got >> shift) & 0xFF) == (u * (255 - a) + o * a + 127) / 255;
    }
    if (all) return true;
  }
  return false;
}

int CountChanged(const platform::Surface& before, const platform::Surface& after) {
  int changed = 0;
  for (size_t i = 0; i < before.pixels.size(); ++i) changed += before.pixels[i] != after.pixels[i];
  return changed;
}

// The pixels of `text` printed in transparent mode at (2, 2) on a black canvas.
platform::Surface InkOf(const std::string& text, const std::string& face, int points) {
  AttachNewCanvas(60, 30);
  CanvasSetFont(face, points, 0);
  SetTextColors(0xFFFFFF, kColorNone);
  SetPosition(2, 2);
  CanvasPrint(text);
  return Current().bitmap;
}

void ExpectSameMetrics(const platform::FontMetrics& expected, const platform::FontMetrics& actual,
                       const std::string& what) {
  EXPECT_EQ(actual.ascent, expected.ascent) << what;
  EXPECT_EQ(actual.descent, expected.descent) << what;
  EXPECT_EQ(actual.height, expected.height) << what;
  EXPECT_EQ(actual.externalLeading, expected.externalLeading) << what;
  EXPECT_EQ(actual.aveCharWidth, expected.aveCharWidth) << what;
}

}  // namespace

// ---------------------------------------------------------------- faces

TEST(FontFaces, PanelNamesMapToFixedFamiliesInAnyCaseAndStyle) {
  struct Case {
    const char* name;
    bool bold, italic;
    const char* file;
  };
  const Case cases[] = {
      {"Arial", false, false, "LiberationSans-Regular.ttf"},   {"ARIAL", false, false, "LiberationSans-Regular.ttf"},
      {"courier new", false, false, "LiberationMono-Regular.ttf"}, {"Courier New", false, false, "LiberationMono-Regular.ttf"},
      {"MS Sans Serif", false, false, "DejaVuSans.ttf"},       {"Arial", true, false, "LiberationSans-Bold.ttf"},
      {"Arial", false, true, "LiberationSans-Italic.ttf"},     {"courier new", true, true, "LiberationMono-BoldItalic.ttf"},
      {"MS Sans Serif", true, false, "DejaVuSans-Bold.ttf"},   {"MS Sans Serif", false, true, "DejaVuSans-Oblique.ttf"},
  };
  for (const Case& c : cases) EXPECT_EQ(FileName(*Open(c.name, 12, c.bold, c.italic)), c.file) << c.name;
}

TEST(FontFaces, UnknownNamesStillGiveAFaceAndBadSizesNone) {
  auto font = Open("No Such Face Anywhere", 12);
  ASSERT_NE(font, nullptr);
  EXPECT_GT(font->metrics.height, 0);
  EXPECT_NE(Open("", 12), nullptr);
  EXPECT_NE(Open("\xE8\x80\xFF", 12), nullptr);  // non-ASCII Windows-1252 bytes in the name
  EXPECT_EQ(Open("Arial", 0), nullptr);
  EXPECT_EQ(Open("Arial", -10), nullptr);
  EXPECT_EQ(Open("Arial", platform::kMaxFontEmPixels + 1), nullptr);
}

TEST(FontFaces, FontsAreCachedPerNameSizeAndStyle) {
  auto first = Open("Arial", 13);
  EXPECT_EQ(Open("Arial", 13).get(), first.get());
  EXPECT_EQ(Open("arial", 13).get(), first.get());
  EXPECT_NE(Open("Arial", 14).get(), first.get());
  EXPECT_NE(Open("Arial", 13, true).get(), first.get());
  // Underline and strike-out share the face but not the font.
  platform::FontRequest underlined{"Arial", 13, false, false, true, false};
  auto withLine = platform::OpenFont(underlined);
  EXPECT_NE(withLine.get(), first.get());
  EXPECT_EQ(withLine->face.get(), first->face.get());
}

TEST(FontFaces, MissingStylesAreSynthesised) {
  // The regular face file asked for bold or italic, as when a family has no
  // styled face installed.
  platform::FaceLocation regular{platform::FontFilePath(*Open("MS Sans Serif", 16)), 0, false, false};
  auto plain = platform::OpenFaceInstance(regular, 16, false, false);
  auto bold = platform::OpenFaceInstance(regular, 16, true, false);
  auto oblique = platform::OpenFaceInstance(regular, 16, false, true);
  ASSERT_TRUE(plain && bold && oblique);
  EXPECT_TRUE(bold->syntheticBold);
  EXPECT_TRUE(oblique->syntheticItalic);
  EXPECT_FALSE(plain->syntheticBold || plain->syntheticItalic);

  auto inkSum = [](const platform::GlyphImage& glyph) {
    int sum = 0;
    for (uint8_t c : glyph.coverage) sum += c;
    return sum;
  };
  EXPECT_GT(inkSum(bold->Glyph('l')), inkSum(plain->Glyph('l')) * 5 / 4);
  EXPECT_GE(bold->Glyph('m').advance, plain->Glyph('m').advance);

  // The oblique stem of "l" leans right: the ink of its top row starts
  // further right than that of its bottom row.
  auto firstInkColumn = [](const platform::GlyphImage& glyph, int row) {
    for (int x = 0; x < glyph.width; ++x)
      if (glyph.coverage[static_cast<size_t>(row) * glyph.width + x] > 127) return x;
    return -1;
  };
  const platform::GlyphImage& upright = plain->Glyph('l');
  const platform::GlyphImage& slanted = oblique->Glyph('l');
  ASSERT_GT(slanted.rows, 2);
  EXPECT_EQ(firstInkColumn(upright, 0), firstInkColumn(upright, upright.rows - 1));
  EXPECT_GT(firstInkColumn(slanted, 0), firstInkColumn(slanted, slanted.rows - 1) + 1);
  EXPECT_EQ(oblique->metrics.height, plain->metrics.height);
}

// ---------------------------------------------------------------- metrics

TEST(FontMetrics, FollowTheTrueTypeScalingAtThePanelSizes) {
  // Each value v in font units becomes round(v * s / 65536) with the 16.16
  // scale s = round(em * 65536 / unitsPerEm); unitsPerEm is 2048 for all three.
  // Liberation Sans: winAscent 1854, winDescent 434, hhea lineGap 67,
  // xAvgCharWidth 1208. Liberation Mono: 1705, 615, 0, 1229. DejaVu Sans:
  // 1901, 483, 0, 1038.
  struct Case {
    const char* face;
    int emPixels;
    platform::FontMetrics expected;
  };
  const Case cases[] = {
      {"Arial", 9, {8, 2, 10, 0, 5}},            // s = 288
      {"Arial", 16, {14, 3, 17, 1, 9}},          // 14.48, 3.39, 0.52, 9.44
      {"Arial", 26, {24, 6, 30, 1, 15}},         // 23.54, 5.51, 0.85, 15.34
      {"courier new", 17, {14, 5, 19, 0, 10}},   // 14.15, 5.10, 10.20
      {"courier new", 26, {22, 8, 30, 0, 16}},   // 21.65, 7.81, 15.60
      {"MS Sans Serif", 13, {12, 3, 15, 0, 7}},  // 12.07, 3.07, 6.59
  };
  for (const Case& c : cases) {
    ExpectSameMetrics(c.expected, Open(c.face, c.emPixels)->metrics, c.face + (" at " + std::to_string(c.emPixels)));
  }
}

TEST(FontMetrics, NewCanvasHasTheDefaultFont) {
  AttachNewCanvas(20, 20);
  // DejaVu Sans at 10 px: unitsPerEm 2048, winAscent 1901, winDescent 483,
  // xAvgCharWidth 1038, s = 320: ascent 9 (9.28), descent 2 (2.36), average 5.
  EXPECT_EQ(CanvasCharSize(), (IntPair{5, 11}));
  EXPECT_EQ(CanvasTextSize("x").second, 11);
  EXPECT_EQ(Current().font.get(), Open("MS Sans Serif", 10).get());
}

TEST(FontMetrics, TextSizeIsTheSumOfAdvancesTimesTheFontHeight) {
  AttachNewCanvas(20, 20);
  CanvasSetFont("Arial", 7, 0);
  IntPair abc = CanvasTextSize("abc");
  EXPECT_EQ(abc.first, CanvasTextSize("a").first + CanvasTextSize("b").first + CanvasTextSize("c").first);
  EXPECT_EQ(abc.second, 10);
  EXPECT_EQ(CanvasTextSize(""), (IntPair{0, 10}));
  EXPECT_EQ(CanvasTextSize("57%").first, 18);
  // A monospaced face: every character has the same advance.
  CanvasSetFont("courier new", 12, 0);
  EXPECT_EQ(CanvasTextSize("iiii").first, CanvasTextSize("MMMM").first);
  EXPECT_EQ(CanvasTextSize("iiii").first, 4 * CanvasTextSize("i").first);
}

// ---------------------------------------------------------------- CanvasSetFont

TEST(CanvasSetFont, HeightIsPointsTimes96Over72AndOutOfRangeSizesAreEight) {
  AttachNewCanvas(20, 20);
  CanvasSetFont("Arial", 8, 0);
  const platform::Font* eightPoints = Current().font.get();
  ASSERT_EQ(eightPoints, Open("Arial", 10).get());
  for (int32_t points : {0, 73, 100, -1, -8, INT32_MIN}) {
    CanvasSetFont("Arial", 12, 0);
    CanvasSetFont("Arial", points, 0);
    EXPECT_EQ(Current().font.get(), eightPoints) << points << " points";
  }
  CanvasSetFont("Arial", 72, 0);  // the largest size kept: 96 px
  EXPECT_EQ(Current().font.get(), Open("Arial", 96).get());
  CanvasSetFont("Arial", 1, 0);  // 1 * 96 / 72 = 1 px
  EXPECT_EQ(Current().font.get(), Open("Arial", 1).get());
  // In range, the height is points * 96 / 72 rounded down.
  const std::pair<int, int> pointsToPixels[] = {{7, 9}, {8, 10}, {11, 14}, {12, 16}, {13, 17}, {20, 26}};
  for (auto [points, pixels] : pointsToPixels) {
    CanvasSetFont("courier new", points, 0);
    EXPECT_EQ(Current().font.get(), Open("courier new", pixels).get()) << points;
  }
}

TEST(CanvasSetFont, FaceNameIsCutTo31Bytes) {
  AttachNewCanvas(20, 20);
  const std::string longName = "Abcdefghijklmnopqrstuvwxyz01234567890123";  // 40 bytes
  CanvasSetFont(longName, 8, 0);
  EXPECT_EQ(Current().font.get(), Open(longName.substr(0, 31), 10).get());
  EXPECT_NE(Current().font.get(), Open(longName.substr(0, 30), 10).get());
  // A name ends at its first NUL byte, as in a LOGFONT.
  CanvasSetFont(std::string("Arial\0junk", 10), 8, 0);
  EXPECT_EQ(Current().font.get(), Open("Arial", 10).get());
}

TEST(CanvasSetFont, StyleBits) {
  AttachNewCanvas(20, 20);
  CanvasSetFont("Arial", 12, 1 | 2 | 4 | 8);
  const platform::Font& font = *Current().font;
  EXPECT_EQ(FileName(font), "LiberationSans-BoldItalic.ttf");
  EXPECT_TRUE(font.underline);
  EXPECT_TRUE(font.strikeOut);
}

// ---------------------------------------------------------------- position

TEST(CanvasPrint, AdvancesXByTheTextWidthAndNewLineGoesDownALine) {
  AttachNewCanvas(100, 60);
  CanvasSetFont("Arial", 7, 0);
  SetPosition(5, 7);
  const int width = CanvasTextSize("abc").first;
  CanvasPrint("abc");
  EXPECT_EQ(CanvasGetPos(), (IntPair{5 + width, 7}));
  CanvasPrint("57%");
  EXPECT_EQ(CanvasGetPos(), (IntPair{5 + width + 18, 7}));
  CanvasNewLine();
  EXPECT_EQ(CanvasGetPos(), (IntPair{0, 7 + CanvasCharSize().second}));
  CanvasSetFont("Arial", 12, 0);  // 16 px: a line of 17 + 1 pixels
  CanvasNewLine();
  EXPECT_EQ(CanvasGetPos(), (IntPair{0, 7 + 10 + 18}));
}

TEST(CanvasPrint, EmptyTextAndHugeCoordinatesDrawNothingAndNeverOverflow) {
  AttachNewCanvas(30, 20);
  SetPosition(3, 4);
  platform::Surface before = Current().bitmap;
  CanvasPrint("");
  EXPECT_EQ(CanvasGetPos(), (IntPair{3, 4}));
  // Huge coordinates neither crash nor overflow.
  SetPosition(INT32_MAX - 3, 5);
  CanvasPrint("abcdef");
  EXPECT_EQ(CanvasGetPos(), (IntPair{INT32_MAX, 5}));
  SetPosition(INT32_MIN, INT32_MIN);
  CanvasPrint("abcdef");
  EXPECT_EQ(CanvasGetPos().second, INT32_MIN);
  SetPosition(-100000, INT32_MAX - 2);
  CanvasPrint("abcdef");
  CanvasNewLine();
  EXPECT_EQ(CanvasGetPos(), (IntPair{0, INT32_MAX}));
  EXPECT_EQ(Current().bitmap.pixels, before.pixels);
}

TEST(CanvasPrint, TextPartlyOutsideIsClipped) {
  AttachNewCanvas(12, 6);
  CanvasSetFont("Arial", 20, 0);
  SetTextColors(kRed, kGreen);
  SetPosition(-7, -9);
  CanvasPrint("WWW");
  // The cell covers the whole small canvas: only green and red blends remain.
  for (Pixel p : Current().bitmap.pixels) {
    EXPECT_TRUE(p == platform::PixelFromColorRef(kGreen) ||
                IsBlendOf(platform::PixelFromColorRef(kGreen), platform::PixelFromColorRef(kRed), p))
        << std::hex << p;
  }
}

// ---------------------------------------------------------------- pixels

TEST(CanvasPrintPixels, OpaqueFillsExactlyTheTextCell) {
  AttachNewCanvas(60, 30);
  CanvasSetFont("MS Sans Serif", 8, 0);
  SetTextColors(kRed, kGreen);
  SetPosition(10, 5);
  const IntPair size = CanvasTextSize("HI");
  CanvasPrint("HI");
  const platform::Surface& bitmap = Current().bitmap;
  const Pixel green = platform::PixelFromColorRef(kGreen);
  const Pixel red = platform::PixelFromColorRef(kRed);
  int background = 0, ink = 0;
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      Pixel p = bitmap.At(x, y);
      bool inCell = x >= 10 && x < 10 + size.first && y >= 5 && y < 5 + size.second;
      if (!inCell) {
        EXPECT_EQ(p, kBlackPixel) << "outside the cell at " << x << "," << y;
      } else if (p == green) {
        ++background;
      } else {
        EXPECT_TRUE(IsBlendOf(green, red, p)) << "at " << x << "," << y << ": " << std::hex << p;
        ++ink;
      }
    }
  }
  EXPECT_GT(background, 0);
  EXPECT_GT(ink, 0);
  // The cell's corners are background: the top and bottom rows hold no ink.
  EXPECT_EQ(bitmap.At(10, 5), green);
  EXPECT_EQ(bitmap.At(10 + size.first - 1, 5 + size.second - 1), green);
}

TEST(CanvasPrintPixels, UnderlineAndStrikeOutAreFullRowsInTheTextColour) {
  auto fullRows = [](const platform::Surface& bitmap, int x0, int x1) {
    std::vector<int> rows;
    for (int y = 0; y < bitmap.height; ++y) {
      bool full = true;
      for (int x = x0; x < x1 && full; ++x) full = bitmap.At(x, y) == 0xFFFFFF;
      if (full) rows.push_back(y);
    }
    return rows;
  };
  for (int style : {0, 4, 8}) {
    AttachNewCanvas(60, 30);
    CanvasSetFont("Arial", 12, style);
    SetTextColors(0xFFFFFF, kColorNone);
    SetPosition(5, 2);
    const int width = CanvasTextSize("nun").first;
    CanvasPrint("nun");
    std::vector<int> rows = fullRows(Current().bitmap, 5, 5 + width);
    const int baselineRow = 2 + 14;
    if (style == 0) {
      EXPECT_TRUE(rows.empty());
    } else {
      ASSERT_FALSE(rows.empty()) << style;
      for (int row : rows) {
        if (style == 4) {
          EXPECT_TRUE(row >= baselineRow && row < 2 + 17) << row;
        } else {
          EXPECT_TRUE(row > 2 && row < baselineRow) << row;
        }
      }
      // Nothing beyond the text width on those rows.
      EXPECT_EQ(Current().bitmap.At(5 + width, rows[0]), kBlackPixel);
      EXPECT_EQ(Current().bitmap.At(4, rows[0]), kBlackPixel);
    }
  }
}

TEST(CanvasPrintPixels, Windows1252BytesHaveGlyphs) {
  const std::pair<uint8_t, char32_t> bytes[] = {{0x41, U'A'},           {0x80, U'\u20AC'}, {0x85, U'\u2026'},
                                                {0x8D, U'\u008D'},      {0x92, U'\u2019'}, {0x9F, U'\u0178'},
                                                {0xE8, U'\u00E8'},      {0xFF, U'\u00FF'}};
  for (auto [byte, code] : bytes) EXPECT_EQ(platform::UnicodeFromWindows1252(byte), code) << int{byte};

  const platform::Surface blank = platform::MakeSurface(60, 30, 0);
  for (const char* face : {"Arial", "courier new", "MS Sans Serif"}) {
    const platform::Surface euro = InkOf("\x80", face, 12);
    const platform::Surface eGrave = InkOf("\xE8", face, 12);
    const platform::Surface plainE = InkOf("e", face, 12);
    const platform::Surface undefinedByte = InkOf("\x81", face, 12);  // no glyph: the missing-glyph box
    EXPECT_GT(CountChanged(blank, euro), 0) << face;
    EXPECT_GT(CountChanged(blank, eGrave), 0) << face;
    EXPECT_NE(euro.pixels, undefinedByte.pixels) << face;
    EXPECT_NE(eGrave.pixels, plainE.pixels) << face;  // the accent shows
  }
}

TEST(CanvasPrintPixels, PrintingInTwoPiecesGivesTheSamePixelsAsInOne) {
  const platform::Surface whole = InkOf("12:34:56 \xE8\x80", "courier new", 13);
  AttachNewCanvas(60, 30);
  CanvasSetFont("courier new", 13, 0);
  SetTextColors(0xFFFFFF, kColorNone);
  SetPosition(2, 2);
  CanvasPrint("12:34");
  CanvasPrint(":56 \xE8\x80");
  EXPECT_EQ(Current().bitmap.pixels, whole.pixels);
}

// ---------------------------------------------------------------- no canvas

// Every channel value under every channel value at every coverage, in red
// and blue at once (so a carry between them would show), with other values
// in green.
TEST(CanvasPrintPixels, GlyphCoverageBlendsEachChannelRoundedToNearest) {
  int wrong = 0;
  for (uint32_t coverage = 0; coverage <= 255; ++coverage) {
    for (uint32_t under = 0; under <= 255; ++under) {
      for (uint32_t over = 0; over <= 255; ++over) {
        const uint32_t redBlue = (under * (255 - coverage) + over * coverage + 127) / 255;
        const uint32_t green = ((255 - under) * (255 - coverage) + over * coverage + 127) / 255;
        const Pixel blended =
            platform::BlendCoverage(under << 16 | (255 - under) << 8 | under, over << 16 | over << 8 | over, coverage);
        if (blended != (redBlue << 16 | green << 8 | redBlue) && ++wrong <= 3) {
          ADD_FAILURE() << under << " under " << over << " at " << coverage << ": " << std::hex << blended;
        }
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(CanvasTextWithoutCanvas, OperationsDoNothingAndQueriesGiveZero) {
  Handle canvas = AttachNewCanvas(30, 20);
  const platform::Surface before = Current().bitmap;
  CanvasAttach(0xFFFFFFF0u, 12345, kAttachRedrawOnRequest);  // no such canvas
  ASSERT_EQ(CurrentCanvasRecord(), nullptr);
  CanvasSetFont("Arial", 12, 0);
  CanvasPrint("abc");
  CanvasNewLine();
  EXPECT_EQ(CanvasGetPos(), (IntPair{0, 0}));
  EXPECT_EQ(CanvasCharSize(), (IntPair{0, 0}));
  EXPECT_EQ(CanvasTextSize("abc"), (IntPair{0, 0}));
  CanvasAttach(canvas, 0, kAttachRedrawOnRequest);
  EXPECT_EQ(Current().bitmap.pixels, before.pixels);
  EXPECT_EQ(Current().font.get(), Open("MS Sans Serif", 10).get());
  EXPECT_EQ(CanvasGetPos(), (IntPair{0, 0}));
}

// Case files: what the parser accepts, what it refuses (with the line and
// the reason), and how a case is run through the canvas operations.
#include <gtest/gtest.h>

#include <string>

#include "tools/case_file.h"

using namespace ip;

namespace {

bool Parse(const std::string& text, cases::CaseFile& file, cases::ParseError& error) {
  return cases::ParseCaseText(text, "/data", file, error);
}

// The line number and reason of a refused text.
cases::ParseError Refusal(const std::string& text) {
  cases::CaseFile file;
  cases::ParseError error;
  EXPECT_FALSE(Parse(text, file, error)) << text;
  return error;
}

constexpr const char* kTwoCases =
    "# two cases\n"
    "\n"
    "case first-one\n"
    "size 16 8   # canvas\n"
    "clear 0xffffff\n"
    "source 4 3\n"
    "CanvasSetLineWidth 0x3\n"
    "CanvasBox 0 0 10.5 -2.25 0x80000000 -1 0xff00ff00 7\n"
    "CanvasRenderBitmap bmp/a.bmp 0 0 3 3\n"
    "end\n"
    "case second_2\n"
    "size 1 1\n"
    "clear -2\n"
    "CanvasPie 0 0 1 1 0.5 -1e-3 0 0 0 2\n"
    "end\n";

TEST(CaseFileParsing, ReadsCasesOperationsAndNumbers) {
  cases::CaseFile file;
  cases::ParseError error;
  ASSERT_TRUE(Parse(kTwoCases, file, error)) << error.line << ": " << error.reason;
  ASSERT_EQ(file.cases.size(), 2u);
  EXPECT_EQ(file.folder, "/data");
  const cases::Case& first = file.cases[0];
  EXPECT_EQ(first.name, "first-one");
  EXPECT_EQ(first.line, 3);
  EXPECT_EQ(first.width, 16);
  EXPECT_EQ(first.height, 8);
  EXPECT_EQ(first.clear, 0xFFFFFFu);
  EXPECT_TRUE(first.hasSource);
  EXPECT_EQ(first.sourceWidth, 4);
  EXPECT_EQ(first.sourceHeight, 3);
  ASSERT_EQ(first.operations.size(), 3u);
  EXPECT_EQ(first.operations[0].integers, (std::vector<int32_t>{3}));
  const cases::Operation& box = first.operations[1];
  EXPECT_EQ(box.kind, cases::OperationKind::kBox);
  EXPECT_EQ(box.line, 8);
  EXPECT_EQ(box.numbers, (std::vector<float>{0, 0, 10.5f, -2.25f}));
  // Hexadecimal values are 32-bit patterns.
  EXPECT_EQ(box.integers, (std::vector<int32_t>{INT32_MIN, -1, static_cast<int32_t>(0xFF00FF00), 7}));
  EXPECT_EQ(first.operations[2].file, "bmp/a.bmp");
  EXPECT_EQ(first.operations[2].numbers.size(), 4u);
  const cases::Case& second = file.cases[1];
  EXPECT_FALSE(second.hasSource);
  EXPECT_EQ(second.clear, 0xFFFFFFFEu);
  EXPECT_EQ(second.operations[0].numbers[5], -1e-3f);
}

TEST(CaseFileParsing, RefusesMalformedTextWithLineAndReason) {
  struct Bad {
    const char* text;
    int line;
    const char* reasonPart;
  };
  const Bad bad[] = {
      {"size 4 4\n", 1, "outside a case"},
      {"case A\n", 1, "name"},
      {"case a\nsize 4 4\nclear 0\nCanvasFrobnicate 1\nend\n", 4, "unknown item"},
      {"case a\nsize 4 4\nclear 0\nCanvasMoveTo 1 2\nend\n", 4, "takes 3 arguments"},
      {"case a\nsize 4 4\nclear 0\nCanvasMoveTo 1 2 x\nend\n", 4, "not a 32-bit integer"},
      {"case a\nsize 4 4\nclear 0\nCanvasMoveTo 1 two 0\nend\n", 4, "not a number"},
      {"case a\nsize 4 4\nclear 0\nCanvasSetLineWidth 0x100000000\nend\n", 4, "not a 32-bit integer"},
      {"case a\nsize 4 4\nclear 0\nCanvasSetLineWidth 4294967296\nend\n", 4, "not a 32-bit integer"},
      {"case a\nsize 4 4\nclear 0\nCanvasSetLineWidth 12abc\nend\n", 4, "not a 32-bit integer"},
      {"case a\nCanvasMoveTo 1 2 0\nend\n", 2, "before the case's size"},
      {"case a\nsize 0 4\nclear 0\nend\n", 2, "whole numbers"},
      {"case a\nsize 4 4 4\nclear 0\nend\n", 2, "width and a height"},
      {"case a\nsize 4 4\nend\n", 3, "without a clear colour"},
      {"case a\nsize 4 4\nsize 4 4\n", 3, "twice"},
      {"case a\nsize 4 4\nclear 0\n", 1, "has no end"},
      {"case a\nsize 4 4\nclear 0\ncase b\n", 4, "no end before the next case"},
      {"case a\nsize 4 4\nclear 0\nend\ncase a\nsize 4 4\nclear 0\nend\n", 5, "named twice"},
      {"case a\nsize 4 4\nclear 0\nend x\n", 4, "no arguments"},
  };
  for (const Bad& b : bad) {
    const cases::ParseError error = Refusal(b.text);
    EXPECT_EQ(error.line, b.line) << b.text;
    EXPECT_NE(error.reason.find(b.reasonPart), std::string::npos) << b.text << " -> " << error.reason;
  }
}

TEST(CaseFileParsing, OnlyARegularFileIsRead) {
  struct Case {
    const char* path;
    const char* reason;
  };
  for (const Case& c : {Case{"/nonexistent/cases.txt", "cannot read the case file: No such file or directory"},
                        Case{"/", "cannot read the case file: Is a directory"},
                        Case{"/dev/zero", "cannot read the case file: Is a device, not a regular file"}}) {
    cases::CaseFile file;
    cases::ParseError error;
    EXPECT_FALSE(cases::LoadCaseFile(c.path, file, error));
    EXPECT_EQ(error.line, 0) << c.path;
    EXPECT_EQ(error.reason, c.reason);
  }
}

TEST(CaseRunning, ClearsSetsTheInitialStateAndDraws) {
  cases::CaseFile file;
  cases::ParseError error;
  ASSERT_TRUE(Parse("case a\nsize 6 4\nclear 0x0000ff\n"
                    "CanvasLineTo 3 0 -1 0\n"                    // fore colour 0 from (0, 0)
                    "CanvasBox 0 1 6 4 0 0x00ff00 0x123456 1\n"  // hatch gaps: the clear colour
                    "end\n",
                    file, error));
  const platform::Surface picture = cases::RunCase(file.cases[0], file.folder);
  ASSERT_EQ(picture.width, 6);
  ASSERT_EQ(picture.height, 4);
  EXPECT_EQ(picture.At(0, 0), 0x000000u);
  EXPECT_EQ(picture.At(2, 0), 0x000000u);
  EXPECT_EQ(picture.At(3, 0), 0xFF0000u);  // red: the clear colour as a pixel
  EXPECT_EQ(picture.At(0, 1), 0x00FF00u);  // outline
  EXPECT_EQ(picture.At(2, 2), 0xFF0000u);  // hatch row 2 is a gap, opaque in the clear colour
}

TEST(CaseRunning, SourceBitmapFollowsItsFormula) {
  // Red 40x + 7y, green 40y + 3x, blue 5xy + 17, each modulo 256.
  EXPECT_EQ(cases::SourcePixel(0, 0), 0x000011u);
  EXPECT_EQ(cases::SourcePixel(3, 2), 0x86592Fu);
  EXPECT_EQ(cases::SourcePixel(7, 0), 0x181511u);  // red 280 wraps to 24
  cases::CaseFile file;
  cases::ParseError error;
  ASSERT_TRUE(Parse("case a\nsize 5 4\nclear 0xffffff\nsource 3 2\nCanvasCopy 0xcc0020\nend\n", file, error));
  const platform::Surface picture = cases::RunCase(file.cases[0], file.folder);
  ASSERT_EQ(picture.width, 5);
  EXPECT_EQ(picture.At(2, 1) & 0xFFFFFF, 0x572E1Bu);  // source pixel (2, 1)
  EXPECT_EQ(picture.At(3, 1) & 0xFFFFFF, 0xFFFFFFu);  // beyond the source: untouched
}

}  // namespace

// Canvas-operation case files: reading them and running a case through the
// host's canvas operations into a fresh bitmap canvas.
//
// A case file is plain text, one item a line; '#' starts a comment and blank
// lines are ignored:
//   case NAME            NAME is [a-z0-9_-]+
//   size W H             canvas size in pixels
//   clear C              the colour the canvas starts with
//   source W H           optional source bitmap for CanvasCopy/CanvasStretch
//   <operation> ARGS     CanvasSetForeColor, CanvasSetBackColor,
//                        CanvasSetLineWidth, CanvasMoveTo, CanvasLineTo,
//                        CanvasBox, CanvasPie, CanvasCopy, CanvasStretch,
//                        CanvasRenderBitmap, with the operations' arguments
//   end
// Integers are decimal (possibly negative) or 0x hexadecimal 32-bit patterns;
// coordinates and angles are read as float32; a bitmap FILE is relative to
// the case file's folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace ip::cases {

enum class OperationKind : uint8_t {
  kSetForeColor,
  kSetBackColor,
  kSetLineWidth,
  kMoveTo,
  kLineTo,
  kBox,
  kPie,
  kCopy,
  kStretch,
  kRenderBitmap,
};

// One operation with its arguments in the order written: numbers holds the
// float32 arguments, integers the integer ones, file the bitmap file name.
struct Operation {
  OperationKind kind = OperationKind::kMoveTo;
  std::vector<float> numbers;
  std::vector<int32_t> integers;
  std::string file;
  int line = 0;
};

struct Case {
  std::string name;
  int line = 0;  // of its `case` line
  int32_t width = 0;
  int32_t height = 0;
  uint32_t clear = 0;
  bool hasSource = false;
  int32_t sourceWidth = 0;
  int32_t sourceHeight = 0;
  std::vector<Operation> operations;
};

struct CaseFile {
  std::string folder;  // where bitmap files are looked up
  std::vector<Case> cases;
};

struct ParseError {
  int line = 0;
  std::string reason;
};

// Parses the text of a case file. False (with the line and reason) when the
// text is malformed; `out` is then unspecified.
bool ParseCaseText(const std::string& text, const std::string& folder, CaseFile& out, ParseError& error);
// Reads and parses a case file; the folder is the file's own.
bool LoadCaseFile(const std::string& path, CaseFile& out, ParseError& error);

// Runs a case on a new bitmap canvas: cleared, initial state set (fore
// colour 0, back colour the clear colour and opaque, pen width 0, position
// 0, 0), the source bitmap made when the case has one, then the operations in
// order. Returns the canvas pixels (empty if the canvas could not be made).
// The canvases are released afterwards.
platform::Surface RunCase(const Case& testCase, const std::string& folder);

// The source bitmap's pixel (x, y) as 0x00RRGGBB.
platform::Pixel SourcePixel(int32_t x, int32_t y);

}  // namespace ip::cases

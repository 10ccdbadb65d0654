// Fuzz harness: the canvas operations with raw arguments. The input gives a
// small canvas (at most kMaxSide pixels a side) and then operations, each an
// opcode byte followed by its arguments as raw bit patterns: coordinates and
// angles may be NaN, infinite, subnormal or far beyond any canvas, pen
// widths, colours, corner sizes, styles and mix codes any 32-bit value.
// After every operation the canvas keeps its size, and taking its pixels and
// giving them back changes nothing; at the end no window record is left over.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "tests/fuzz/fuzz_input.h"

using namespace ip;
using fuzz_input::FuzzCheck;
using fuzz_input::Reader;

namespace {

constexpr int32_t kMaxSide = 48;
constexpr int kMaxOperations = 64;
constexpr uint8_t kOpcodes = 17;
constexpr size_t kMaxText = 16;
constexpr size_t kMaxBufferBytes = 64;
// LoadBitmapCanvas sizes beyond this many pixels are skipped: the picture
// would be made, legitimately, at its full size.
constexpr int64_t kMaxLoadedPixels = int64_t{kMaxSide} * kMaxSide * 4;

const std::array<const char*, 6> kBitmapFiles = {"img24_13x7.bmp", "img24_37x23.bmp", "img24_4x3.bmp",
                                                 "pal8_40x30.bmp", "pal8_9x6.bmp", "missing.bmp"};
const std::array<const char*, 4> kFaces = {"Arial", "courier new", "MS Sans Serif", "No Such Face"};

std::string BitmapFile(Reader& in) {
  return std::string(IP_SOURCE_DIR) + "/tests/data/gdi-reference/bmp/" + kBitmapFiles[in.Byte() % kBitmapFiles.size()];
}

// The canvases of one input, freed when it ends.
struct Canvases {
  Handle target = 0;
  Handle source = 0;
  std::vector<Handle> loaded;
  ~Canvases() {
    for (Handle h : loaded) FreeRecord(h);
    if (source != 0) FreeRecord(source);
    if (target != 0) FreeRecord(target);
  }
};

// N values read in order (the order in which a call's arguments are
// evaluated is the compiler's choice, so they are never read inside a call).
template <size_t N>
std::array<float, N> Floats(Reader& in) {
  std::array<float, N> values{};
  for (float& v : values) v = in.Float();
  return values;
}
template <size_t N>
std::array<int32_t, N> Ints(Reader& in) {
  std::array<int32_t, N> values{};
  for (int32_t& v : values) v = in.Int32();
  return values;
}

void DrawShape(uint8_t opcode, Reader& in) {
  switch (opcode) {
    case 0: CanvasSetForeColor(in.Int32()); break;
    case 1: CanvasSetBackColor(in.Int32()); break;
    case 2: CanvasSetLineWidth(in.Int32()); break;
    case 3: {
      const auto f = Floats<2>(in);
      CanvasMoveTo(f[0], f[1], in.Int32());
      break;
    }
    case 4: {
      const auto f = Floats<2>(in);
      const auto i = Ints<2>(in);
      CanvasLineTo(f[0], f[1], i[0], i[1]);
      break;
    }
    case 5: {
      const auto f = Floats<4>(in);
      const auto i = Ints<4>(in);
      CanvasBox(f[0], f[1], f[2], f[3], i[0], i[1], i[2], i[3]);
      break;
    }
    case 6: {
      const auto f = Floats<6>(in);
      const auto i = Ints<4>(in);
      CanvasPie(f[0], f[1], f[2], f[3], f[4], f[5], i[0], i[1], i[2], i[3]);
      break;
    }
  }
}

void DrawPicture(uint8_t opcode, Reader& in, const Canvases& canvases) {
  switch (opcode) {
    case 7: CanvasCopy(canvases.source, 0, in.Int32()); break;
    case 8: {
      const auto f = Floats<8>(in);
      CanvasStretch(canvases.source, 0, f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], in.Int32());
      break;
    }
    case 9: {
      const std::string file = BitmapFile(in);
      const auto f = Floats<4>(in);
      CanvasRenderBitmap(file, f[0], f[1], f[2], f[3]);
      break;
    }
  }
}

void Write(uint8_t opcode, Reader& in) {
  switch (opcode) {
    case 10: {
      const uint8_t choice = in.Byte();
      const std::string face = choice < 128 ? kFaces[choice % kFaces.size()] : in.Text(kMaxText);
      const auto i = Ints<2>(in);
      CanvasSetFont(face, i[0], i[1]);
      break;
    }
    case 11: CanvasPrint(in.Text(kMaxText)); break;
    case 12: CanvasNewLine(); break;
    case 13:
      CanvasTextSize(in.Text(kMaxText));
      CanvasCharSize();
      CanvasGetPos();
      break;
  }
}

// Pixel buffers of any header and length, bitmap canvases of any size, and
// attaching whatever a handle and identifier name.
void Exchange(uint8_t opcode, Reader& in, Canvases& canvases) {
  switch (opcode) {
    case 14: {
      std::string buffer;
      for (int i = 0; i < 8; ++i) buffer += static_cast<char>(in.Byte());
      buffer += in.Text(kMaxBufferBytes);
      CanvasSetBits(buffer);
      break;
    }
    case 15: {
      const std::string file = BitmapFile(in);
      const auto size = Ints<2>(in);
      if (int64_t{size[0]} * size[1] > kMaxLoadedPixels) break;
      const Handle loaded = LoadBitmapCanvas(file, size[0], size[1]);
      if (loaded != 0) canvases.loaded.push_back(loaded);
      break;
    }
    case 16: {
      const auto i = Ints<3>(in);
      CanvasAttach(static_cast<Handle>(i[0]), i[1], i[2]);
      CanvasRedraw();
      CanvasAttach(canvases.target, 0, kAttachRedrawOnRequest);
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Reader in(data, size);
  const size_t recordsBefore = RecordCount();
  {
    Canvases canvases;
    const int32_t width = 1 + in.Byte() % kMaxSide, height = 1 + in.Byte() % kMaxSide;
    canvases.target = CreateBitmapCanvas(width, height);
    const int32_t sourceWidth = 1 + in.Byte() % kMaxSide, sourceHeight = 1 + in.Byte() % kMaxSide;
    canvases.source = CreateBitmapCanvas(sourceWidth, sourceHeight);
    FuzzCheck(canvases.target != 0 && canvases.source != 0, "small canvases are made");
    CanvasAttach(canvases.target, 0, kAttachRedrawOnRequest);
    for (int n = 0; n < kMaxOperations && !in.Empty(); ++n) {
      const uint8_t opcode = in.Byte() % kOpcodes;
      DrawShape(opcode, in);
      DrawPicture(opcode, in, canvases);
      Write(opcode, in);
      Exchange(opcode, in, canvases);
      FuzzCheck(CanvasGetSize() == IntPair{width, height}, "the canvas keeps its size");
      const std::string bits = CanvasGetBits();
      CanvasSetBits(bits);
      FuzzCheck(CanvasGetBits() == bits, "giving the pixels back changes nothing");
    }
  }
  FuzzCheck(RecordCount() == recordsBefore, "no window record is left over");
  return 0;
}

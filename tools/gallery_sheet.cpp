// The gallery's drawing board: sheets on bitmap canvases, labels in the
// library's own fonts, enlarged copies of instrument canvases, PNG output.
#include "tools/gallery_sheet.h"

#include <stdexcept>

#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/session.h"
#include "platform/png_file.h"

namespace gallery {

namespace {

const char* const kTextFace = "Arial";
constexpr int32_t kBold = 1;
constexpr int32_t kPlain = 0;
constexpr int32_t kSquareCorners = 0;
constexpr int32_t kSolidFill = 0;
constexpr int32_t kStageSize = 1000;
constexpr size_t kBitsHeaderBytes = 8;  // width and height, 32 bits each
constexpr size_t kBytesPerPixel = 4;    // B, G, R, 0

struct TextFont {
  int32_t points;
  int32_t style;
};
constexpr TextFont kLabelFont{8, kPlain};
constexpr TextFont kTitleFont{10, kBold};

const std::string kPatternPrefix = "pattern ";

int32_t next_id = 0;
Handle ruler = 0;  // a small canvas of the session to measure texts on

void UseFont(const TextFont& font) { ip::CanvasSetFont(kTextFace, font.points, font.style); }

int32_t MeasureText(const std::string& text, const TextFont& font) {
  ip::CanvasAttach(ruler, 0, ip::kAttachRedrawOnRequest);
  UseFont(font);
  return ip::CanvasTextSize(text).first;
}

// Prints `text` with its top-left corner at (x, y) on the current canvas.
void PrintAt(int32_t x, int32_t y, const std::string& text, ColorRef color) {
  ip::CanvasSetForeColor(color);
  ip::CanvasSetBackColor(ip::kColorNone);
  ip::CanvasMoveTo(static_cast<float>(x), static_cast<float>(y), 0);
  ip::CanvasPrint(text);
}

void WriteLittleEndian(std::string& bytes, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A surface (pixels 0x00RRGGBB) as a pixel buffer and back.
std::string BitsFromSurface(const ip::platform::Surface& surface) {
  std::string bits(kBitsHeaderBytes + surface.pixels.size() * kBytesPerPixel, '\0');
  WriteLittleEndian(bits, 0, static_cast<uint32_t>(surface.width));
  WriteLittleEndian(bits, 4, static_cast<uint32_t>(surface.height));
  for (size_t i = 0; i < surface.pixels.size(); ++i) {
    WriteLittleEndian(bits, kBitsHeaderBytes + i * kBytesPerPixel, surface.pixels[i]);
  }
  return bits;
}

ip::platform::Surface SurfaceFromBits(const std::string& bits, int32_t width, int32_t height) {
  ip::platform::Surface surface = ip::platform::MakeSurface(width, height, 0);
  const auto* bytes = reinterpret_cast<const unsigned char*>(bits.data()) + kBitsHeaderBytes;
  for (ip::platform::Pixel& pixel : surface.pixels) {
    pixel = (uint32_t{bytes[2]} << 16) | (uint32_t{bytes[1]} << 8) | bytes[0];
    bytes += kBytesPerPixel;
  }
  return surface;
}

}  // namespace

void StartSheetSession(const ip::ClockTime& clock, int64_t runMs) {
  ip::HeadlessSettings settings;
  settings.clockStart = clock;
  settings.runMs = runMs;
  ip::StartHeadlessSession(settings);
  ruler = ip::CreateBitmapCanvas(1, 1);
}

int32_t LabelWidth(const std::string& text) { return MeasureText(text, kLabelFont); }

int32_t TitleWidth(const std::string& text) { return MeasureText(text, kTitleFont); }

Tone ToneOf(const std::string& text) {
  return text.starts_with("\"") || text.starts_with(kPatternPrefix) ? Tone::kKey : Tone::kNote;
}

std::string Quoted(const std::string& key) { return "\"" + key + "\""; }

std::string PatternLabel(int32_t pattern) { return kPatternPrefix + std::to_string(pattern); }

Sheet::Sheet(std::string name, int32_t width, int32_t height)
    : name_(std::move(name)), canvas_(ip::CreateBitmapCanvas(width, height)), width_(width), height_(height) {
  if (canvas_ == 0) throw std::runtime_error("sheet " + name_ + ": no canvas of that size");
  Attach();
  ip::CanvasBox(0, 0, static_cast<float>(width), static_cast<float>(height), kSquareCorners, kSheetColor,
                kSheetColor, kSolidFill);
}

void Sheet::Attach() const { ip::CanvasAttach(canvas_, 0, ip::kAttachRedrawOnRequest); }

void Sheet::Title(const std::string& text) {
  Attach();
  UseFont(kTitleFont);
  PrintAt(kMargin, kMargin, text, kTitleColor);
  labels_.push_back(text);
}

void Sheet::Label(int32_t x, int32_t y, const std::string& text, Tone tone) {
  Attach();
  UseFont(kLabelFont);
  PrintAt(x, y, text, tone == Tone::kKey ? kKeyColor : kNoteColor);
  labels_.push_back(text);
}

void Sheet::LabelCentred(int32_t centreX, int32_t y, const std::string& text, Tone tone) {
  Label(centreX - LabelWidth(text) / 2, y, text, tone);
}

void Sheet::Place(Handle owner, int32_t id, int32_t x, int32_t y, int32_t scale) {
  ip::CanvasAttach(owner, id, ip::kAttachRedrawOnRequest);
  const ip::IntPair size = ip::CanvasGetSize();
  if (size.first <= 0 || size.second <= 0) throw std::runtime_error("sheet " + name_ + ": nothing to place");
  Attach();
  // Inclusive corners: source (0, 0)-(w - 1, h - 1) onto a box `scale` times as large.
  const float right = static_cast<float>(x + size.first * scale - 1);
  const float bottom = static_cast<float>(y + size.second * scale - 1);
  ip::CanvasStretch(owner, id, 0, 0, static_cast<float>(size.first - 1), static_cast<float>(size.second - 1),
                    static_cast<float>(x), static_cast<float>(y), right, bottom, static_cast<int32_t>(ip::SRCCOPY));
}

void Sheet::SetPixels(const ip::platform::Surface& picture) {
  if (picture.width != width_ || picture.height != height_) {
    throw std::runtime_error("sheet " + name_ + ": the picture has another size");
  }
  Attach();
  ip::CanvasSetBits(BitsFromSurface(picture));
}

bool Sheet::WritePng(const std::string& path) const {
  Attach();
  const std::string bits = ip::CanvasGetBits();
  if (bits.size() != kBitsHeaderBytes + size_t(width_) * size_t(height_) * kBytesPerPixel) return false;
  return ip::platform::WritePngFile(path, SurfaceFromBits(bits, width_, height_));
}

Stage::Stage() {
  dialog_ = ip::CreateDialogWindow(0, "gallery stage", 0, 0, kStageSize, kStageSize, 0, 0, ip::kUnitsPixels);
  if (dialog_ == 0) throw std::runtime_error("no stage dialog: is a window session started?");
  ip::SetWindowColors(dialog_, ip::kDialogItself, -1, kSheetColor);
  ip::SetInstrumentSurroundColor(dialog_, kSheetColor);
}

int32_t Stage::NextId() {
  if (next_id >= ip::kInstrumentTableLast) throw std::runtime_error("the gallery used up the instrument table");
  return ++next_id;
}

}  // namespace gallery
